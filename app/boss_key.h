#pragma once
// The boss key's shortcuts ("Num Del", "Ctrl+Alt+S"): their text form, as the
// settings BossKeyHide and BossKeyShow hold it, turned into an X11 key symbol
// and modifier set, and back.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace app {

struct Shortcut {
  uint32_t keysym = 0;  // X11 key symbol
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool operator==(const Shortcut&) const = default;
};

// "Shift+", "Ctrl+" and "Alt+" prefixes in any order, then one key name: a
// letter or digit, F1..F24, a named key ("Del", "Ins", "Home", "End", "PgUp",
// "PgDn", "Space", "Esc", "Tab", "Enter", "Backspace", "Left", "Right", "Up",
// "Down", "Pause") or a keypad key ("Num 0".."Num 9", "Num Del", "Num +",
// "Num -", "Num *", "Num /", "Num Enter"). Letter case of names is ignored.
// No value when the text names no key: that means no shortcut.
std::optional<Shortcut> parseShortcut(const std::string& text);

// The text form of a shortcut: modifiers as "Shift+Ctrl+Alt+" then the key
// name as parseShortcut accepts it (letters upper case). Empty when unknown.
std::string shortcutText(const Shortcut& shortcut);

// A boss key setting after trying to grab it: a text that names no key
// becomes empty (no shortcut); any other becomes the shortcut's text form,
// also when grab refuses it (another program holds the key): the refusal
// only means it is not in effect now, and the user's choice is kept.
std::string grabShortcut(const std::string& text, const std::function<bool(const Shortcut&)>& grab);

}  // namespace app
