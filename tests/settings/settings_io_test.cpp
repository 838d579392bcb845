#include "settings/settings_io.h"

#include <gtest/gtest.h>

#include "settings/configuration_file.h"

namespace settings {
namespace {

std::vector<std::string> fileWith(std::initializer_list<std::pair<const char*, const char*>> kv) {
  std::vector<std::string> values(kKeyCount);
  for (auto& [key, value] : kv) values[keyIndex(key)] = value;
  return values;
}

ApplyContext screen1024() {
  ApplyContext c;
  c.screen = ScreenGeometry{};
  c.folderExists = [](const std::string& p) { return p == "/movies" || p == "/subs"; };
  return c;
}

Settings read(std::initializer_list<std::pair<const char*, const char*>> kv,
              const ApplyContext& c = screen1024()) {
  Settings s;
  applyDefaultPositions(s, c.screen);
  applyConfigurationValues(fileWith(kv), s, c);
  return s;
}

TEST(SettingsReadTest, BoolForms) {
  struct Row {
    const char* text;
    bool expected;  // AutoPlayOnLoad defaults to true
  } rows[] = {{"0", false},
              {"1", true},
              {"-7", true},
              {"False", false},
              {"fALSE", false},
              {"TRUE", true},
              {"", true},
              {"no", true},
              {"0x", true},
              {" 0", true},
              {"00", false},
              {"+0", false},
              {"99999999999999999999", true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(read({{"AutoPlayOnLoad", row.text}}).AutoPlayOnLoad, row.expected);
  }
  EXPECT_FALSE(read({{"Mute", "garbage"}}).Mute);
}

TEST(SettingsReadTest, IntegersAreClampedOrKeepTheirDefault) {
  struct Row {
    const char* key;
    const char* text;
    int Settings::*field;
    int expected;
  } rows[] = {
      {"AudioVolume", "25", &Settings::AudioVolume, 20},
      {"AudioVolume", "", &Settings::AudioVolume, 10},
      {"AudioVolume", "a", &Settings::AudioVolume, 10},
      {"AudioVolume", "-3", &Settings::AudioVolume, 0},
      {"SubtitleSize", "5", &Settings::SubtitleSize, 10},
      {"SubtitleSize", "5000", &Settings::SubtitleSize, 999},
      {"SubtitleSize", "99999999999", &Settings::SubtitleSize, 999},
      {"SubtitleSize", "-99999999999", &Settings::SubtitleSize, 10},
      {"CpuPriority", "9", &Settings::CpuPriority, 4},
      {"HueControl", "-500", &Settings::HueControl, -180},
      {"SubtitleFontStyle", "4", &Settings::SubtitleFontStyle, 0},
      {"SubtitleFontStyle", "7", &Settings::SubtitleFontStyle, 0},
      {"SubtitleFontStyle", "2", &Settings::SubtitleFontStyle, 2},
      {"OsdColor", "-20000000", &Settings::OsdColor, -16777215},
      {"VideoWindowHeight", "1", &Settings::VideoWindowHeight, 36},
      {"VideoWindowWidth", "100000", &Settings::VideoWindowWidth, 8006},
      {"PlayListHeight", "2000", &Settings::PlayListHeight, 768},
      {"PlayListWidth", "10", &Settings::PlayListWidth, 250},
      {"LastMovieSelectedInPlaylist", "123456", &Settings::LastMovieSelectedInPlaylist, 123456},
      {"PanScanSize", "40", &Settings::PanScanSize, 0},  // forgotten unless remembered
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.key) + "=" + row.text);
    EXPECT_EQ(read({{row.key, row.text}}).*row.field, row.expected);
  }
  EXPECT_EQ(read({{"PanScanSize", "40"}, {"RememberPanScanSettings", "1"}}).PanScanSize, 40);
  EXPECT_EQ(priorityLevel(read({{"CpuPriority", "9"}}).CpuPriority), 0);
}

TEST(SettingsReadTest, ExtensionListAndAssociations) {
  Settings s = read({{"FileTypes", "avi;mkv"}, {"FileAssociation", "1"}});
  EXPECT_EQ(s.ExtensionList, (std::vector<std::string>{"avi", "mkv"}));
  EXPECT_EQ(s.FileAssociation, "10");
  s = read({{"FileTypes", "avi;;mkv;"}, {"FileAssociation", "11111"}});
  EXPECT_EQ(s.ExtensionList, (std::vector<std::string>{"avi", "", "mkv"}));
  EXPECT_EQ(s.FileAssociation, "111");
  s = read({{"Mute", "1"}});
  EXPECT_EQ(s.ExtensionList.size(), 22u);
  EXPECT_EQ(s.FileAssociation, std::string(22, '0'));  // one flag per built-in extension
}

TEST(SettingsReadTest, EqualizerTokens) {
  struct Row {
    const char* text;
    std::array<int, 11> expected;
  } rows[] = {
      {"5,1,2", {5, 1, 2, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"5, 1", {5, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"500,-500,x", {100, -100, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"1,2,3,4,5,6,7,8,9,10,11,12,13", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
      {"--5,5-", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(read({{"EqualizerSettings", row.text}}).EqualizerSettings, row.expected);
  }
}

TEST(SettingsReadTest, WindowPositionsOnA1024By768Screen) {
  Settings s = read({{"Mute", "0"}});
  EXPECT_EQ(s.MainXPosition, 282);
  EXPECT_EQ(s.MainYPosition, 446);
  EXPECT_EQ(s.VideoWindowXPosition, 282);
  EXPECT_EQ(s.VideoWindowYPosition, 172);
  EXPECT_EQ(s.VideoWindowWidth, 460);
  EXPECT_EQ(s.VideoWindowHeight, 274);

  struct Row {
    const char* key;
    const char* stored;
    int Settings::*field;
    int expected;
  } rows[] = {
      {"MainXPosition", "50000", &Settings::MainXPosition, 512},
      {"MainXPosition", "99000", &Settings::MainXPosition, 1024 - 460},
      {"MainXPosition", "-5000", &Settings::MainXPosition, 0},
      {"MainXPosition", "2147483647", &Settings::MainXPosition, 1024 - 460},
      {"MainXPosition", "-99999999999", &Settings::MainXPosition, 0},
      {"MainYPosition", "99000", &Settings::MainYPosition, 768 - 150},
      {"EqualizerXPosition", "99000", &Settings::EqualizerXPosition, 1024 - 425},
      {"EqualizerYPosition", "99000", &Settings::EqualizerYPosition, 768 - 176},
      {"PlaylistXPosition", "99000", &Settings::PlaylistXPosition, 1024 - 439},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.key) + "=" + row.stored);
    EXPECT_EQ(read({{row.key, row.stored}}).*row.field, row.expected);
  }
  // The video window's size is read first and bounds its position.
  s = read({{"VideoWindowWidth", "1000"}, {"VideoWindowXPosition", "50000"}});
  EXPECT_EQ(s.VideoWindowXPosition, 24);
  // A window larger than the area: the high bound wins.
  s = read({{"VideoWindowWidth", "2000"}, {"VideoWindowXPosition", "0"}});
  EXPECT_EQ(s.VideoWindowXPosition, 1024 - 2000);
}

TEST(SettingsReadTest, MultiMonitorBounds) {
  EXPECT_FALSE(computeMultiMonitorDesktop({{0, 0, 1024, 768}}));
  EXPECT_FALSE(computeMultiMonitorDesktop({{0, 0, 1024, 768}, {0, 0, 1280, 1024}}));
  EXPECT_TRUE(computeMultiMonitorDesktop({{0, 0, 1024, 768}, {1024, 0, 1280, 1024}}));
  ApplyContext c = screen1024();
  c.screen.virtualDesktop = {0, 0, 2048, 768};
  c.screen.MultiMonitorDesktop = true;
  EXPECT_EQ(read({{"MainXPosition", "150000"}}, c).MainXPosition, 1536);
  c.screen.MultiMonitorDesktop = false;
  EXPECT_EQ(read({{"MainXPosition", "150000"}}, c).MainXPosition, 1024 - 460);
}

TEST(SettingsReadTest, TextsAndFolders) {
  Settings s = read({{"SubtitleDirectory", "/nowhere"},
                     {"CaptureFolder", "/nowhere"},
                     {"LastUsedLanguage", "Deutsch"},
                     {"RecentFile1", "/a b/c.avi"}});
  EXPECT_EQ(s.SubtitleDirectory, "");
  EXPECT_EQ(s.CaptureFolder, "Desktop");
  EXPECT_EQ(s.LastUsedLanguage, "Deutsch");
  EXPECT_EQ(s.RecentFile[0], "/a b/c.avi");
  s = read({{"SubtitleDirectory", "/subs"}, {"CaptureFolder", "/movies"}});
  EXPECT_EQ(s.SubtitleDirectory, "/subs");
  EXPECT_EQ(s.CaptureFolder, "/movies");
  std::string longPath = "/" + std::string(300, 'x') + "/film.avi";
  EXPECT_EQ(read({{"RecentFile2", longPath.c_str()}}).RecentFile[1], longPath);
  std::string longName(300, 'n');
  EXPECT_EQ(read({{"LastUsedLanguage", longName.c_str()}}).LastUsedLanguage.size(), 256u);
  // A file without the boss key texts gives no shortcuts; with them, they are kept.
  s = read({{"Mute", "1"}});
  EXPECT_EQ(s.BossKeyHide, "");
  EXPECT_EQ(s.BossKeyShow, "");
  s = read({{"BossKeyHide", "Num Del"}, {"BossKeyShow", "Ctrl+Alt+S"}});
  EXPECT_EQ(s.BossKeyHide, "Num Del");
  EXPECT_EQ(s.BossKeyShow, "Ctrl+Alt+S");
  ApplyContext fonts = screen1024();
  fonts.fontInstalled = [](const std::string& f) { return f == "DejaVu Sans"; };
  EXPECT_EQ(read({{"SubtitleFontName", "Nope"}}, fonts).SubtitleFontName, "Arial");
  EXPECT_EQ(read({{"SubtitleFontName", "DejaVu Sans"}}, fonts).SubtitleFontName, "DejaVu Sans");
}

TEST(SettingsWriteTest, RoundTripOfEveryKey) {
  ApplyContext c = screen1024();
  Settings s;
  applyDefaultPositions(s, c.screen);
  s.AutoPlayOnLoad = false;
  s.AudioVolume = 7;
  s.ExtensionList = {"avi", "ogv"};
  s.FileAssociation = "01";
  s.EqualizerSettings = {1, -2, 3, -4, 5, -6, 7, -8, 9, -10, 100};
  s.RememberPanScanSettings = true;
  s.PanScanSize = -50;
  s.SubtitleFontStyle = 3;
  s.MainXPosition = 100;
  s.VideoWindowWidth = 400;
  s.RecentFile[4] = "/movies/x.mkv";
  s.CaptureFolder = "/movies";
  s.FullscreenModeSwitch = "Keine Änderung";
  auto values = buildConfigurationValues(s, c.screen, "Keine Änderung", "/movies");
  ASSERT_EQ(values.size(), static_cast<size_t>(kKeyCount));
  EXPECT_EQ(values[keyIndex("FullscreenModeSwitch")], "No change");
  EXPECT_EQ(values[keyIndex("FileTypes")], "avi;ogv;");
  EXPECT_EQ(values[keyIndex("EqualizerSettings")], "1,-2,3,-4,5,-6,7,-8,9,-10,100");
  EXPECT_EQ(values[keyIndex("AutoPlayOnLoad")], "0");
  EXPECT_EQ(values[keyIndex("BossKeyHide")], "Num Del");

  Settings back;
  applyDefaultPositions(back, c.screen);
  applyConfigurationValues(values, back, c);
  back.FullscreenModeSwitch = s.FullscreenModeSwitch;
  auto again = buildConfigurationValues(back, c.screen, "Keine Änderung", "/movies");
  for (int i = 0; i < kKeyCount; ++i) EXPECT_EQ(again[i], values[i]) << ConfigurationKeys()[i];
  EXPECT_EQ(back.MainXPosition, 100);
  EXPECT_EQ(back.LastAccessedFolder, "/movies");
}

TEST(SettingsWriteTest, ValuesWithLineBreaksCannotInjectKeys) {
  Settings s;
  s.RecentFile[0] = "/tmp/evil\r\nAutoPlayOnLoad=0";
  auto values = buildConfigurationValues(s, ScreenGeometry{}, "No change", "/");
  EXPECT_EQ(values[keyIndex("RecentFile1")], "");
}

TEST(SettingsIoTest, RoundDivTiesToEven) {
  struct Row {
    long long num, den, expected;
  } rows[] = {{5, 2, 2}, {7, 2, 4}, {-5, 2, -2}, {-7, 2, -4}, {1, 3, 0}, {2, 3, 1}, {-2, 3, -1}};
  for (const Row& row : rows) EXPECT_EQ(roundDiv(row.num, row.den), row.expected) << row.num;
  EXPECT_EQ(subtitleFontPointSize(100, 1024), 28);
  EXPECT_EQ(subtitleFontPointSize(999, 1920), 524);
}

}  // namespace
}  // namespace settings
