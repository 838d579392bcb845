#include "texts/composed_texts.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const texts::InterfaceTexts& en() {
  return texts::builtInTexts();
}

TEST(ComposedTexts, FileDialogFilters) {
  const std::vector<std::string> none;
  const std::vector<std::string> two{"avi", "mkv"};
  struct Row {
    std::string actual, expected;
  };
  const Row rows[] = {
      {texts::subtitleOpenFilter(en()), "Subtitle files|*.sub;*.srt;*.txt;*.ssa|All files|*.*"},
      {texts::movieOpenFilter(en(), two), "Video files|*.avi;*.mkv;*.mpl|All files|*.*"},
      {texts::movieOpenFilter(en(), none), "All files|*.*"},
      {texts::playlistAddMoviesFilter(en(), two), "Video files|*.avi;*.mkv;|All files|*.*"},
      {texts::playlistAddMoviesFilter(en(), none), "All files|*.*"},
      {texts::playlistFileFilter(en()), "Tarvelino playlist file (*.mpl)|*.mpl|All files|*.*"},
      {texts::toQtFilter("Video files|*.avi;*.mkv;|All files|*.*"),
       "Video files (*.avi *.mkv);;All files (*)"},
      {texts::toQtFilter("Tarvelino playlist file (*.mpl)|*.mpl|All files|*.*"),
       "Tarvelino playlist file (*.mpl) (*.mpl);;All files (*)"},
      {texts::toQtFilter(""), ""},
      {texts::toQtFilter("lonely name"), ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expected);
    EXPECT_EQ(row.actual, row.expected);
  }
}

TEST(ComposedTexts, MenuCaptions) {
  texts::InterfaceTexts t = en();
  t.Menus[64] = "L";
  t.Menus[67] = "U";
  const auto main = texts::mainMenuCaptions(t);
  EXPECT_EQ(main.size(), 59u);
  std::set<std::string> names;
  for (const auto& c : main) names.insert(c.item);
  EXPECT_EQ(names.size(), main.size());
  struct Row {
    const char* item;
    const char* caption;
  };
  const Row rows[] = {
      {"OpenMovieMenu", "Open movie(s)...\t\tCtrl+O"},
      {"RecentFilesMenu", "Recent files"},
      {"RewindMenu", "Rewind\t\t\t\tL"},
      {"FastRewindMenu", "Fast rewind\t\t\tCtrl+L"},
      {"VolumeUpMenu", "Volume up\t\tU"},
      {"VolumeDownMenu", "Volume down\t\tDown"},
      {"MoveSubtitleUpMenu", "Move up\t\t\tShift+U"},
      {"DecreaseFontSizeMenu", "Decrease size (5%)\t\tCtrl+Down"},
      {"SendWindowToMenu", "Send window to"},
      {"PanOutMenu", "Pan out\t-"},
      {"KeyboardDefinitionsMenu", "Key definitions...\t\tF1"},
      {"DynamicAmplificationMenu", "Dynamic amplification"},
      {"CaptureFrameMenu", "Capture frame\t\t\tAlt+C"},
      {"WindowSize50Menu", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.item);
    EXPECT_EQ(texts::menuCaption(main, row.item), row.caption);
  }
  const auto playlist = texts::playlistMenuCaptions(t);
  ASSERT_EQ(playlist.size(), 8u);
  EXPECT_EQ(texts::menuCaption(playlist, "AddMovieMenu"), "Add movie(s)");
  EXPECT_EQ(texts::menuCaption(playlist, "AddSubtitleMenu"), "Add subtitle");
}

TEST(ComposedTexts, LabelsAndLayout) {
  EXPECT_EQ(texts::repeatLabel(en(), 0), "Repeat off");
  EXPECT_EQ(texts::repeatLabel(en(), 2), "Repeat all");
  EXPECT_EQ(texts::repeatLabel(en(), 7), "Repeat all");
  EXPECT_EQ(texts::repeatLabel(en(), -1), "Repeat off");
  // (97 - W) div 2 + 2, truncating toward zero also for wide labels.
  const int rows[][2] = {{60, 20}, {61, 20}, {97, 2}, {98, 2}, {100, 1}, {0, 50}};
  for (const auto& row : rows) EXPECT_EQ(texts::colorLabelLeft(row[0]), row[1]) << row[0];
}

}  // namespace
