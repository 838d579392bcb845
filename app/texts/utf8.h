#pragma once
// Small UTF-8 helpers shared by the texts library.
#include <cstddef>
#include <string>
#include <string_view>

namespace texts {

struct DecodedChar {
  char32_t code_point = 0;
  std::size_t length = 0;  // bytes used; 0 when the bytes at pos are not well-formed UTF-8
};

// Decodes the character starting at byte pos (pos < text.size()). Rejects
// overlong forms, surrogates, values above U+10FFFF and truncated sequences.
DecodedChar decodeUtf8(std::string_view text, std::size_t pos);

// Appends the UTF-8 form of a code point (at most U+10FFFF, no surrogates).
void appendUtf8(std::string& out, char32_t c);

// True when the whole text is well-formed UTF-8.
bool isValidUtf8(std::string_view text);

}  // namespace texts
