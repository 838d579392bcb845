#pragma once
// The jump-to-time dialog's text rules: times are whole seconds written
// "hh:nn:ss" (hours at least two digits), the field holds at most 8
// characters, and only a text of exactly 8 characters in the form
// d d ":" [0-5] d ":" [0-5] d is a time. Pure; any thread.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace playback {

inline constexpr int kJumpTextLength = 8;
// The caret goes after this many characters when the field is (re)filled.
inline constexpr int kJumpCaretPosition = 4;

// Seconds as hours (at least two digits, zero-padded), ":", minutes and
// seconds (two digits each). Negative values count as 0.
std::string jumpTimeText(int64_t seconds);

// The seconds a confirmed text stands for, or nullopt when it is no time.
std::optional<int64_t> parseJumpTime(std::string_view text);

// Whether a typed character may enter the field: the digits and ":".
// (Backspace edits, Enter confirms and Esc closes; every other key is ignored.)
bool jumpCharacterAccepted(char c);

}  // namespace playback
