#include "app/boss_key.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

namespace app {
namespace {

TEST(BossKeyTest, ParsesShortcutTexts) {
  struct Row {
    const char* text;
    std::optional<Shortcut> expected;
    const char* written;  // the text form written back
  } rows[] = {
      {"Num Del", Shortcut{XK_KP_Delete}, "Num Del"},
      {"Ctrl+Alt+S", Shortcut{XK_S, false, true, true}, "Ctrl+Alt+S"},
      {"alt+ctrl+s", Shortcut{XK_S, false, true, true}, "Ctrl+Alt+S"},
      {"Shift+F12", Shortcut{XK_F12, true}, "Shift+F12"},
      {"Ctrl+Num +", Shortcut{XK_KP_Add, false, true}, "Ctrl+Num +"},
      {"Num 5", Shortcut{XK_KP_5}, "Num 5"},
      {"7", Shortcut{XK_7}, "7"},
      {"PgDn", Shortcut{XK_Next}, "PgDn"},
      {"", std::nullopt, ""},
      {"Ctrl+", std::nullopt, ""},
      {"Hyper+S", std::nullopt, ""},
      {"F25", std::nullopt, ""},
      {"Num X", std::nullopt, ""},
      {"SS", std::nullopt, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    std::optional<Shortcut> got = parseShortcut(row.text);
    EXPECT_EQ(got, row.expected);
    if (got) {
      EXPECT_EQ(shortcutText(*got), row.written);
    }
  }
}

}  // namespace
}  // namespace app
