#pragma once
// The table of interface texts: every caption, hint and message the player shows.
// Nine groups, each indexed from 0; built-in English values unless a language file
// replaced them. Texts are UTF-8; "\r\n" inside a text is a line break.
#include <array>
#include <cstddef>
#include <functional>
#include <string>

namespace texts {

struct InterfaceTexts {
  std::array<std::string, 67> Messages;
  std::array<std::string, 32> Hints;
  std::array<std::string, 44> Labels;
  std::array<std::string, 15> Buttons;
  std::array<std::string, 12> Options;  // list items separated by a lone CR
  std::array<std::string, 4> Pages;
  std::array<std::string, 15> Titles;
  std::array<std::string, 72> Menus;
  std::array<std::string, 5> Misc;  // Misc[0] is the key-definitions text
};

// Number of entries over all nine groups.
inline constexpr std::size_t kInterfaceTextCount = 266;

// The language name that stands for the built-in table.
inline constexpr const char* kBuiltInLanguage = "English (built in)";

// The built-in English table. Pure; safe from any thread.
const InterfaceTexts& builtInTexts();

// Number of list items of an Options entry (its CR count plus one); every
// language must keep the built-in counts: Options[1] 10, [2] 7, [3] 4, [4] 6,
// [7] 4, every other entry 1.
std::size_t optionItemCount(const std::string& option);

// The process-wide current table; built-in English until a language is loaded.
// Changed only by LoadBuiltInTexts and LoadLanguageFile. User-interface thread only.
const InterfaceTexts& currentTexts();

// Sets every entry to its built-in value; with apply true then runs ApplyTexts.
void LoadBuiltInTexts(bool apply);

// Calls every registered apply listener, in registration order, so existing
// windows push the current texts into their captions, hints and dialogs.
void ApplyTexts();

// Registers a window's apply step; returns an id for removeApplyListener. A
// listener may add or remove listeners while it runs (changes take effect on
// the next ApplyTexts). User-interface thread only.
int addApplyListener(std::function<void()> listener);
void removeApplyListener(int id);

}  // namespace texts
