// The configuration dialog's rules without a window: what the fields accept,
// how they are corrected, the check-list rules, the extension list, the test
// for pending changes, writing back, and the size and priority arithmetic.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "ui/configuration_model.h"

namespace config {
namespace {

TEST(ConfigurationFieldsTest, TypedAndPastedTextKeepsDigitsUpToTheFieldLength) {
  const struct {
    Field field;
    const char* text;
    const char* kept;
  } rows[] = {
      {Field::SecJump, "12", "12"},
      {Field::SecJump, "123", "12"},  // two characters
      {Field::SubtitleSize, "1a2b3c4d5", "1234"},
      {Field::OsdSize, "-50", "50"},                       // no sign
      {Field::AverageDisplayTime, "2\r\n2 0\t0", "2200"},  // a pasted block
      {Field::MaxHZone, "", ""},
      {Field::PlaylistFontSize,
       "\xC2\xB2"
       "7",
       "7"},  // a superscript two is no digit
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text);
    EXPECT_EQ(digitsInput(r.field, r.text), r.kept);
  }
}

TEST(ConfigurationFieldsTest, LeavingAFieldClampsItOrGivesTheSettingBack) {
  const struct {
    Field field;
    const char* text;
    int setting;
    const char* result;
  } rows[] = {
      {Field::SecJump, "0", 20, "1"},
      {Field::SecJump, "", 20, "20"},
      {Field::MaxVZone, "150", 15, "50"},
      {Field::MaxVZone, "0", 15, "0"},
      {Field::OsdSize, "", 120, "120"},
      {Field::OsdSize, "5", 100, "10"},
      {Field::AverageDisplayTime, "500", 2200, "1000"},
      {Field::AverageDisplayTime, "9999", 2200, "9999"},
      {Field::SubtitleSize, "", 100, "100"},  // never a size of 0
      {Field::SubtitleSize, "0", 100, "10"},
      {Field::SubtitleSize, "5000", 100, "1000"},
      {Field::MaxHZone, "abc", 99, "99"},
      {Field::SecFastJump, "0999", 60, "999"},
      {Field::PlaylistFontSize, "77", 10, "50"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text);
    EXPECT_EQ(leaveField(r.field, r.text, r.setting), r.result);
  }
}

TEST(ConfigurationFieldsTest, ExtensionNamesKeepOnlyCharactersSafeInPatternsAndLists) {
  const struct {
    const char* text;
    const char* kept;
  } rows[] = {
      {"mkv", "mkv"},
      {"m;kv", "mkv"},
      {"*", ""},
      {"*.*", ""},
      {"og\r\nm", "ogm"},
      {"a/b\\c", "abc"},
      {"c++", "c++"},
      {"x_y-z", "x_y-z"},
      {"<avi>?|", "avi"},
      {"mp 4", "mp4"},
      {"abcdefghijklmnopqrst", "abcdefghijklmnop"},
      {"\xC3\xA9t\xC3\xA9", "t"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text);
    EXPECT_EQ(extensionNameInput(r.text), r.kept);
  }
}

TEST(ConfigurationExtensionsTest, AddingKeepsTheListFreeOfDuplicatesAndUnsafeNames) {
  Controls c = controlsFromSettings(settings::Settings{}, LiveState{}, "");
  const size_t count = c.extensions.size();
  EXPECT_EQ(addExtension(c, "mkv"), std::optional<int>(5));  // MKV is listed: selected
  EXPECT_EQ(c.extensions.size(), count);
  EXPECT_EQ(addExtension(c, "OGM"), std::optional<int>(static_cast<int>(count)));
  EXPECT_EQ(c.extensions.back(), "OGM");
  EXPECT_EQ(c.marks.size(), c.extensions.size());
  EXPECT_EQ(addExtension(c, "ogm"), std::optional<int>(static_cast<int>(count)));
  EXPECT_EQ(addExtension(c, ""), std::nullopt);
  EXPECT_EQ(addExtension(c, ";*"), std::nullopt);
  EXPECT_EQ(c.extensions.size(), count + 1);
}

TEST(ConfigurationExtensionsTest, DeletingSelectsTheNextItemOrTheLast) {
  Controls c;
  c.extensions = {"AVI", "MKV", "MP4"};
  c.marks = {true, false, true};
  int selected = 0;
  EXPECT_EQ(deleteExtension(c, 1, selected), std::optional<std::string>("mkv"));
  EXPECT_EQ(selected, 1);
  EXPECT_EQ(c.marks, (std::vector<bool>{true, true}));
  EXPECT_EQ(deleteExtension(c, 1, selected), std::optional<std::string>("mp4"));
  EXPECT_EQ(selected, 0);
  EXPECT_EQ(deleteExtension(c, 5, selected), std::nullopt);
  EXPECT_EQ(deleteExtension(c, 0, selected), std::optional<std::string>("avi"));
  EXPECT_EQ(selected, -1);
}

TEST(ConfigurationCheckListsTest, ClickedMarksFollowTheirRules) {
  using Apply = std::function<void(Controls&)>;
  const struct {
    const char* name;
    Apply click;
    Apply expect;
  } rows[] = {
      {"position needs remembered settings",
       [](Controls& c) { c.general[5] = false, c.general[6] = true, generalClicked(c, 6); },
       [](Controls& c) { c.general[6] = false; }},
      {"shadow checks background and outline",
       [](Controls& c) {
         c.subtitle1 = {false, false, true, false}, subtitle1Clicked(c, 2);
       },
       [](Controls& c) {
         c.subtitle1 = {true, true, true, false};
       }},
      {"no background unchecks outline and shadow",
       [](Controls& c) {
         c.subtitle1 = {false, true, true, false}, subtitle1Clicked(c, 0);
       },
       [](Controls& c) {
         c.subtitle1 = {false, false, false, false};
       }},
      {"outline checks the background",
       [](Controls& c) {
         c.subtitle1 = {false, true, false, false}, subtitle1Clicked(c, 1);
       },
       [](Controls& c) {
         c.subtitle1 = {true, true, false, false};
       }},
      {"no outline unchecks the shadow",
       [](Controls& c) {
         c.subtitle1 = {true, false, true, false}, subtitle1Clicked(c, 1);
       },
       [](Controls& c) {
         c.subtitle1 = {true, false, false, false};
       }},
      {"auto resize unchecks split and wrap",
       [](Controls& c) {
         c.subtitle1[3] = true, c.subtitle2[1] = c.subtitle2[2] = true, subtitle1Clicked(c, 3);
       },
       [](Controls& c) { c.subtitle1[3] = true, c.subtitle2[1] = c.subtitle2[2] = false; }},
      {"wrap unchecks split and auto resize",
       [](Controls& c) {
         c.subtitle1[3] = true, c.subtitle2[1] = c.subtitle2[2] = true, subtitle2Clicked(c, 2);
       },
       [](Controls& c) { c.subtitle2[1] = false, c.subtitle2[2] = true; }},
      {"split unchecks wrap",
       [](Controls& c) { c.subtitle2[1] = c.subtitle2[2] = true, subtitle2Clicked(c, 1); },
       [](Controls& c) { c.subtitle2[1] = true, c.subtitle2[2] = false; }},
      {"automatic pan-scan unchecks remembered pan-scan",
       [](Controls& c) { c.video[1] = c.video[2] = true, videoClicked(c, 2); },
       [](Controls& c) { c.video[1] = false, c.video[2] = true; }},
      {"remembered pan-scan unchecks automatic",
       [](Controls& c) { c.video[1] = c.video[2] = true, videoClicked(c, 1); },
       [](Controls& c) { c.video[1] = true, c.video[2] = false; }},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    Controls clicked = controlsFromSettings(settings::Settings{}, LiveState{}, "");
    r.click(clicked);
    Controls wanted = clicked;
    r.expect(wanted);
    EXPECT_EQ(clicked.general, wanted.general);
    EXPECT_EQ(clicked.subtitle1, wanted.subtitle1);
    EXPECT_EQ(clicked.subtitle2, wanted.subtitle2);
    EXPECT_EQ(clicked.video, wanted.video);
  }
}

TEST(ConfigurationPendingTest, EachControlGroupIsFoundAndAChangeBackIsNot) {
  settings::Settings s;
  const LiveState live{std::vector<bool>(s.ExtensionList.size(), false), 2};
  const Controls start = controlsFromSettings(s, live, "English (built in)");
  EXPECT_EQ(firstDifference(start, s, live), Pending::None);
  using Change = std::function<void(Controls&)>;
  const struct {
    const char* name;
    Change change;
    Pending pending;
  } rows[] = {
      {"extension added", [](Controls& c) { addExtension(c, "ogm"); }, Pending::ExtensionList},
      {"extension mark", [](Controls& c) { c.marks[3] = true; }, Pending::Marks},
      {"general item", [](Controls& c) { c.general[9] = true; }, Pending::Options},
      {"priority", [](Controls& c) { c.priorityIndex = 0; }, Pending::Options},
      {"hide key", [](Controls& c) { c.bossKeyHide = "F9"; }, Pending::Options},
      {"vertical zone", [](Controls& c) { c.maxVZone = "20"; }, Pending::SubtitleLook},
      {"font name", [](Controls& c) { c.font.name = "Tahoma"; }, Pending::SubtitleLook},
      {"size", [](Controls& c) { c.subtitleSize = "120"; }, Pending::SubtitleLook},
      {"display time", [](Controls& c) { c.averageDisplayTime = "3000"; }, Pending::SubtitleText},
      {"font colour", [](Controls& c) { c.font.color = 255; }, Pending::SubtitleText},
      {"OSD colour", [](Controls& c) { c.osdColor = 255; }, Pending::VideoAndMore},
      {"capture folder", [](Controls& c) { c.captureFolder = "/tmp"; }, Pending::VideoAndMore},
      {"playlist font", [](Controls& c) { c.playlistFontSize = "12"; }, Pending::VideoAndMore},
      {"language", [](Controls& c) { c.language = "deutsch"; }, Pending::Language},
      {"same language in other case", [](Controls& c) { c.language = "ENGLISH (BUILT IN)"; },
       Pending::None},
      {"no language selected", [](Controls& c) { c.language.clear(); }, Pending::None},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    Controls c = start;
    r.change(c);
    EXPECT_EQ(firstDifference(c, s, live), r.pending);
  }
  // Changed and changed back: nothing pending.
  Controls c = start;
  c.secJump = "5";
  EXPECT_NE(firstDifference(c, s, live), Pending::None);
  c.secJump = "20";
  EXPECT_EQ(firstDifference(c, s, live), Pending::None);
}

TEST(ConfigurationWriteTest, EveryControlReachesItsSettingAndBack) {
  // Every value differs from its default, so a control that is not written
  // back (or written to another setting) shows.
  settings::Settings edited;
  edited.AutoPlayOnLoad = false;
  edited.LoadEntireFolder = true;
  edited.RememberMovieSettings = true;
  edited.RememberLastMoviePosition = true;
  edited.AllowMultipleInstances = true;
  edited.FullscreenModeSwitch = "1024 x 768 x 60 Hz";
  edited.BossKey = true;
  edited.BossKeyHide = "F9";
  edited.BossKeyShow = "Shift+F9";
  edited.TransparentBackground = false;
  edited.AutoResizeFont = true;
  edited.AutoCalculationTime = true;
  edited.DisableExternalSubtitleFilters = false;
  edited.AverageDisplayTime = 3100;
  edited.AverageVerticalDisplayZone = 7;
  edited.HorizontalDisplayArea = 80;
  edited.SubtitleFontName = "Tahoma";
  edited.SubtitleFontColor = 0x00FFFF;
  edited.SubtitleFontStyle = 3;
  edited.SubtitleFontScript = 238;
  edited.SubtitleSize = 150;
  edited.SubtitleDirectory = "/srv/subs";
  edited.SearchHereFirst = true;
  edited.OSDDisplay = false;
  edited.MovieModeOnLoad = true;
  edited.SecondesToJump = 5;
  edited.SecondesToFastJump = 300;
  edited.OsdSize = 250;
  edited.OsdColor = 0x0000FF;
  edited.CaptureFolder = "/srv/captures";
  edited.CaptureType = 2;
  edited.PlaylistFontSize = 14;
  const Controls c = controlsFromSettings(edited, LiveState{}, "");
  settings::Settings written;
  writeSettings(c, written);
  EXPECT_EQ(controlsFromSettings(written, LiveState{}, "").general, c.general);
  const struct {
    const char* name;
    std::function<bool(const settings::Settings&)> same;
  } rows[] = {
      {"general",
       [&](const settings::Settings& s) {
         return s.AutoPlayOnLoad == edited.AutoPlayOnLoad &&
                s.LoadEntireFolder == edited.LoadEntireFolder &&
                s.RememberLastMoviePosition == edited.RememberLastMoviePosition &&
                s.AllowMultipleInstances == edited.AllowMultipleInstances;
       }},
      {"full screen mode",
       [&](const auto& s) { return s.FullscreenModeSwitch == edited.FullscreenModeSwitch; }},
      {"boss key",
       [&](const auto& s) {
         return s.BossKey && s.BossKeyHide == "F9" && s.BossKeyShow == "Shift+F9";
       }},
      {"subtitle marks",
       [&](const auto& s) {
         return !s.TransparentBackground && s.AutoResizeFont && s.AutoCalculationTime &&
                !s.DisableExternalSubtitleFilters;
       }},
      {"subtitle numbers",
       [&](const auto& s) {
         return s.AverageDisplayTime == 3100 && s.AverageVerticalDisplayZone == 7 &&
                s.HorizontalDisplayArea == 80 && s.SubtitleSize == 150;
       }},
      {"subtitle font",
       [&](const auto& s) {
         return s.SubtitleFontName == "Tahoma" && s.SubtitleFontColor == 0x00FFFF &&
                s.SubtitleFontStyle == 3 && s.SubtitleFontScript == 238;
       }},
      {"subtitle folder",
       [&](const auto& s) { return s.SubtitleDirectory == "/srv/subs" && s.SearchHereFirst; }},
      {"video",
       [&](const auto& s) {
         return !s.OSDDisplay && s.MovieModeOnLoad && s.SecondesToJump == 5 &&
                s.SecondesToFastJump == 300 && s.OsdSize == 250 && s.OsdColor == 0x0000FF;
       }},
      {"capture",
       [&](const auto& s) { return s.CaptureFolder == "/srv/captures" && s.CaptureType == 2; }},
      {"playlist font", [&](const auto& s) { return s.PlaylistFontSize == 14; }},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_TRUE(r.same(written));
  }
}

TEST(ConfigurationWriteTest, DefaultsLeaveExtensionsFolderAndLanguage) {
  settings::Settings s;
  s.SubtitleDirectory = "/srv/subs";
  s.OsdColor = 255;
  s.SecondesToJump = 3;
  Controls c = controlsFromSettings(s, LiveState{{true, false}, 0}, "deutsch");
  addExtension(c, "ogm");
  const Controls before = c;
  applyDefaults(c, "No change");
  EXPECT_EQ(c.extensions, before.extensions);
  EXPECT_EQ(c.marks, before.marks);
  EXPECT_EQ(c.subtitleDirectory, "/srv/subs");
  EXPECT_EQ(c.language, "deutsch");
  EXPECT_EQ(c.osdColor, 65280);
  EXPECT_EQ(c.secJump, "20");
  EXPECT_EQ(c.priorityIndex, 2);
  EXPECT_EQ(c.fullModeSwitch, "No change");
  EXPECT_EQ(c.subtitle2, (std::array<bool, 6>{true, true, false, false, false, true}));
  EXPECT_EQ(c.video, (std::array<bool, 7>{false, false, true, false, false, true, true}));
}

TEST(ConfigurationFoldersTest, CaptureFolderIsDesktopOrAnAbsoluteWritableFolder) {
  const std::set<std::string> writable = {"/srv/captures"};
  auto canWrite = [&](const std::string& p) { return writable.count(p) > 0; };
  const struct {
    const char* text;
    const char* kept;
  } rows[] = {
      {"Desktop", "Desktop"},
      {"desktop", "Desktop"},
      {"/srv/captures", "/srv/captures"},
      {"captures", "/old"},  // relative
      {"/srv/missing", "/old"},
      {"", "/old"},
      {"/", "/old"},  // exists but is not writable here
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text);
    EXPECT_EQ(leaveCaptureFolder(r.text, "/old", canWrite), r.kept);
  }
  auto exists = [](const std::string& p) { return p == "/srv/subs"; };
  EXPECT_EQ(leaveSubtitleDirectory("/srv/subs", exists), "/srv/subs");
  EXPECT_EQ(leaveSubtitleDirectory("/srv/none", exists), "");
}

TEST(ConfigurationArithmeticTest, PriorityLevelsFromNiceValues) {
  const struct {
    int nice, level;
  } rows[] = {{-20, 0}, {-10, 0}, {-9, 1}, {-5, 1}, {0, 2}, {1, 3}, {10, 3}, {19, 3}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.nice);
    EXPECT_EQ(priorityLevelFromNice(r.nice), r.level);
  }
  for (int level = 0; level < 4; ++level)
    EXPECT_EQ(priorityLevelFromNice(niceForLevel(level)), level);
  EXPECT_EQ(cpuPriorityForLevel(0), 4);
  EXPECT_EQ(cpuPriorityForLevel(3), 1);
}

TEST(ConfigurationArithmeticTest, FontSizesAndTheButtonStrip) {
  EXPECT_EQ(fontDialogPointSize(1024, 100), 28);
  EXPECT_EQ(fontDialogPointSize(1280, 100), 35);
  EXPECT_EQ(fontDialogPointSize(1024, 0), 3);  // an empty size field never gives 0 points
  EXPECT_EQ(subtitleSizeFromPoints(28, 1024), 100);
  EXPECT_EQ(subtitleSizeFromPoints(1, 1024), 10);
  EXPECT_EQ(subtitleSizeFromPoints(500, 1024), 1000);
  EXPECT_EQ(previewFontPixels(1024, "100", 96), 28);
  EXPECT_EQ(previewFontPixels(1024, "", 96), 3);
  EXPECT_EQ(previewFontPixels(1024, "100", 192), 14);
  const auto spans = bottomButtons(494, 80);
  EXPECT_EQ(spans[0].left, 64);  // round((494 - 240) / 4) = round(63.5), halves to even
  EXPECT_EQ(spans[1].left, 207);
  EXPECT_EQ(spans[2].right, 494 - 64);
}

}  // namespace
}  // namespace config
