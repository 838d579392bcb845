#include "app/boss_key.h"

#include <X11/keysym.h>

#include <algorithm>
#include <cctype>
#include <string_view>

namespace app {

namespace {

struct NamedKey {
  const char* name;
  uint32_t keysym;
};

// Names in the form they are written back.
constexpr NamedKey kNamedKeys[] = {
    {"Del", XK_Delete},
    {"Ins", XK_Insert},
    {"Home", XK_Home},
    {"End", XK_End},
    {"PgUp", XK_Prior},
    {"PgDn", XK_Next},
    {"Space", XK_space},
    {"Esc", XK_Escape},
    {"Tab", XK_Tab},
    {"Enter", XK_Return},
    {"Backspace", XK_BackSpace},
    {"Left", XK_Left},
    {"Right", XK_Right},
    {"Up", XK_Up},
    {"Down", XK_Down},
    {"Pause", XK_Pause},
    {"Num Del", XK_KP_Delete},
    {"Num +", XK_KP_Add},
    {"Num -", XK_KP_Subtract},
    {"Num *", XK_KP_Multiply},
    {"Num /", XK_KP_Divide},
    {"Num Enter", XK_KP_Enter},
};

bool equalsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::optional<uint32_t> keyFromName(std::string_view name) {
  if (name.size() == 1) {
    const unsigned char c = static_cast<unsigned char>(name[0]);
    if (std::isalpha(c)) return XK_A + (std::toupper(c) - 'A');
    if (std::isdigit(c)) return XK_0 + (c - '0');
    return std::nullopt;
  }
  for (const NamedKey& k : kNamedKeys)
    if (equalsNoCase(name, k.name)) return k.keysym;
  if (name.size() == 5 && equalsNoCase(name.substr(0, 4), "Num ") &&
      std::isdigit(static_cast<unsigned char>(name[4])))
    return XK_KP_0 + (name[4] - '0');
  if ((name[0] == 'F' || name[0] == 'f') && name.size() <= 3) {
    int n = 0;
    for (char c : name.substr(1)) {
      if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
      n = n * 10 + (c - '0');
    }
    if (n >= 1 && n <= 24) return XK_F1 + (n - 1);
  }
  return std::nullopt;
}

}  // namespace

std::optional<Shortcut> parseShortcut(const std::string& text) {
  Shortcut s;
  std::string_view rest = text;
  for (;;) {
    const size_t plus = rest.find('+');
    // A lone "+" after "Num " is the keypad plus key, not a separator.
    if (plus == std::string_view::npos || plus == 0 || rest.substr(0, plus) == "Num ") break;
    std::string_view modifier = rest.substr(0, plus);
    if (equalsNoCase(modifier, "Shift"))
      s.shift = true;
    else if (equalsNoCase(modifier, "Ctrl"))
      s.ctrl = true;
    else if (equalsNoCase(modifier, "Alt"))
      s.alt = true;
    else
      return std::nullopt;
    rest.remove_prefix(plus + 1);
  }
  auto key = keyFromName(rest);
  if (!key) return std::nullopt;
  s.keysym = *key;
  return s;
}

std::string shortcutText(const Shortcut& s) {
  std::string key;
  if (s.keysym >= XK_A && s.keysym <= XK_Z)
    key = std::string(1, char('A' + (s.keysym - XK_A)));
  else if (s.keysym >= XK_0 && s.keysym <= XK_9)
    key = std::string(1, char('0' + (s.keysym - XK_0)));
  else if (s.keysym >= XK_KP_0 && s.keysym <= XK_KP_9)
    key = "Num " + std::to_string(s.keysym - XK_KP_0);
  else if (s.keysym >= XK_F1 && s.keysym <= XK_F24)
    key = "F" + std::to_string(s.keysym - XK_F1 + 1);
  else
    for (const NamedKey& k : kNamedKeys)
      if (k.keysym == s.keysym) key = k.name;
  if (key.empty()) return {};
  return std::string(s.shift ? "Shift+" : "") + (s.ctrl ? "Ctrl+" : "") + (s.alt ? "Alt+" : "") +
         key;
}

std::string grabShortcut(const std::string& text,
                         const std::function<bool(const Shortcut&)>& grab) {
  const std::optional<Shortcut> shortcut = parseShortcut(text);
  if (!shortcut) return {};
  if (grab) grab(*shortcut);
  return shortcutText(*shortcut);
}

}  // namespace app
