#pragma once
// The table of interface texts: every caption, hint and message the player shows.
// Nine groups, each indexed from 0; built-in English values unless a language file
// replaced them. Texts are UTF-8; "\r\n" inside a text is a line break.
#include <array>
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

// The built-in English table.
const InterfaceTexts& builtInTexts();

}  // namespace texts
