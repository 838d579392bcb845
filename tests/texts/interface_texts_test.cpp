#include "texts/interface_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using texts::builtInTexts;

TEST(BuiltInTexts, GroupSizesAddUpTo266) {
  const auto& t = builtInTexts();
  const std::size_t total = t.Messages.size() + t.Hints.size() + t.Labels.size() +
                            t.Buttons.size() + t.Options.size() + t.Pages.size() + t.Titles.size() +
                            t.Menus.size() + t.Misc.size();
  EXPECT_EQ(total, texts::kInterfaceTextCount);
  // No entry is left empty.
  const auto check = [](const auto& group, const char* name) {
    for (std::size_t i = 0; i < group.size(); ++i) {
      EXPECT_FALSE(group[i].empty()) << name << "[" << i << "]";
    }
  };
  check(t.Messages, "Messages");
  check(t.Hints, "Hints");
  check(t.Labels, "Labels");
  check(t.Buttons, "Buttons");
  check(t.Options, "Options");
  check(t.Pages, "Pages");
  check(t.Titles, "Titles");
  check(t.Menus, "Menus");
  check(t.Misc, "Misc");
}

TEST(BuiltInTexts, SampleValues) {
  const auto& t = builtInTexts();
  struct Row {
    const std::string& actual;
    const char* expected;
  };
  const Row rows[] = {
      {t.Messages[0], "Error while reading video info from"},
      {t.Messages[20], "Invalid video file or\r\ncodec not found!"},
      {t.Messages[22], "secondes"},
      {t.Messages[66],
       "Can't write to Windows registry !\r\nPlease remove the write protection...\r\nUntil "
       "then I can't set or remove file associations !"},
      {t.Hints[0], "Close"},
      {t.Hints[31], "Shuffle"},
      {t.Labels[1], "... translation\r\nby: ..."},
      {t.Labels[35], "x"},
      {t.Labels[43], "Show"},
      {t.Buttons[14], "Delete all"},
      {t.Options[6], "No change"},
      {t.Options[7], "High\rAbove normal\rNormal\rBelow normal"},
      {t.Options[11], "Boss Key"},
      {t.Pages[3], "Video"},
      {t.Titles[14], "Choose subtitle font"},
      {t.Menus[0], "Open movie(s)...\t\t"},
      {t.Menus[30], "Pan out\t"},
      {t.Menus[54], "Turn off computer after play\t"},
      {t.Menus[64], "Left"},
      {t.Menus[67], "Up"},
      {t.Menus[71], "Capture frame\t\t\t"},
      {t.Misc[1], "Subtitle files"},
      {t.Misc[4], "Tarvelino playlist file"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expected);
    EXPECT_EQ(row.actual, row.expected);
  }
}

TEST(BuiltInTexts, KeyDefinitionsText) {
  const std::string& keys = builtInTexts().Misc[0];
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (true) {
    const std::size_t end = keys.find("\r\n", pos);
    lines.push_back(keys.substr(pos, end - pos));
    if (end == std::string::npos) break;
    pos = end + 2;
  }
  ASSERT_EQ(lines.size(), 69u);
  EXPECT_EQ(lines[0], "Action\t\t\t\tKey");
  EXPECT_EQ(lines[1], std::string(110, '-'));
  EXPECT_EQ(lines[2], "About\t\t\t\tCtrl+F1");
  EXPECT_EQ(lines[23], "Fast Forward/Rewind\t\tCtrl+Left/Right, Ctrl+,/.");
  EXPECT_EQ(lines[68], "Zoom cycle\t\t\tEnter");
  EXPECT_EQ(keys.find('\n'), keys.find("\r\n") + 1);  // no bare line feeds
  EXPECT_NE(keys.substr(keys.size() - 5), "\r\n");
}

TEST(BuiltInTexts, OptionItemCounts) {
  const std::size_t expected[12] = {1, 10, 7, 4, 6, 1, 1, 4, 1, 1, 1, 1};
  for (std::size_t i = 0; i < 12; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(texts::optionItemCount(builtInTexts().Options[i]), expected[i]);
    EXPECT_EQ(builtInTexts().Options[i].find('\n'), std::string::npos);
  }
}

TEST(CurrentTexts, LoadBuiltInTextsAppliesOnlyWhenAsked) {
  int calls = 0;
  const int id = texts::addApplyListener([&] { ++calls; });
  texts::LoadBuiltInTexts(false);
  EXPECT_EQ(calls, 0);
  texts::LoadBuiltInTexts(true);
  EXPECT_EQ(calls, 1);
  // A listener that removes itself while called is not called again.
  int self_calls = 0;
  int self_id = 0;
  self_id = texts::addApplyListener([&] {
    ++self_calls;
    texts::removeApplyListener(self_id);
  });
  texts::ApplyTexts();
  texts::ApplyTexts();
  EXPECT_EQ(self_calls, 1);
  EXPECT_EQ(calls, 3);
  texts::removeApplyListener(id);
  texts::ApplyTexts();
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(texts::currentTexts().Hints[0], "Close");
}

}  // namespace
