#pragma once
// Desktop entry files (the freedesktop.org Desktop Entry format) for the
// player's shell commands: quoting of Exec arguments, escaping of string
// values, writing an entry and reading a key back. Pure functions.
#include <optional>
#include <string>
#include <vector>

namespace shell {

// One argument of an Exec line, always quoted: enclosed in double quotes with
// '"', '`', '$' and '\' preceded by a backslash, and '%' doubled (a literal
// percent sign is "%%" everywhere in an Exec value).
std::string quoteExecArgument(const std::string& argument);

// A string value as stored in the file: '\' becomes "\\", line breaks "\n" and
// "\r", tabs "\t", and a leading blank "\s".
std::string escapeDesktopValue(const std::string& value);
// The reverse of escapeDesktopValue (unknown escapes keep their character).
std::string unescapeDesktopValue(const std::string& value);

struct DesktopEntry {
  std::string name;
  std::string comment;
  std::string exec;  // already quoted, field codes included
  std::string icon;
  std::vector<std::string> mimeTypes;
  bool noDisplay = false;
};

// The file's text: a "[Desktop Entry]" group of Type=Application entries.
std::string desktopEntryText(const DesktopEntry& entry);

// The unescaped value of key in the "[Desktop Entry]" group; nothing when the
// group or the key is missing. Arbitrary bytes parse without failing.
std::optional<std::string> desktopEntryValue(const std::string& text, const std::string& key);

}  // namespace shell
