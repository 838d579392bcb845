// The display mode list, mode names, and switching away and back.
#include <gtest/gtest.h>

#include "fake_display.h"
#include "video/display_modes.h"

namespace video {
namespace {

std::string menuText(const DisplayModeList& list) {
  std::string out;
  for (const ResolutionMenu& m : list.Menu) {
    out += m.Caption + "(" + m.Name;
    for (const ResolutionItem& i : m.Items) out += " " + i.Caption + "=" + i.Name;
    out += ") ";
  }
  return out;
}

std::string labels(const DisplayModeList& list) {
  std::string out;
  for (const std::string& l : list.Labels) out += l + "; ";
  return out;
}

const std::vector<DisplayMode> kFourSizes{{1280, 1024, 75}, {640, 480, 60},   {800, 600, 60},
                                          {1024, 768, 60},  {1280, 1024, 60}, {1280, 1024, 70},
                                          {800, 600, 60}};

TEST(DisplayModeListTest, LowerLimitAtStartUpAndAfterAnOutsideChange) {
  const DisplayModeList start = buildDisplayModeList(kFourSizes, true);
  EXPECT_EQ(labels(start),
            "800 x 600 x 60 Hz; 1024 x 768 x 60 Hz; 1280 x 1024 x 60 Hz; 1280 x 1024 x 70 Hz; "
            "1280 x 1024 x 75 Hz; ");
  EXPECT_EQ(menuText(start),
            "800x600(M800x600x60Hz) 1024x768(M1024x768x60Hz) 1280x1024(M1280x1024x00Hz 60 "
            "Hz=M1280x1024x60Hz 70 Hz=M1280x1024x70Hz 75 Hz=M1280x1024x75Hz) ");
  // Rebuilt: no mode has the count 2, so the limit is 320 x 240.
  const DisplayModeList rebuilt = buildDisplayModeList(kFourSizes, false);
  EXPECT_EQ(rebuilt.Labels.front(), "640 x 480 x 60 Hz");
  EXPECT_EQ(rebuilt.Labels.size(), 6u);
  EXPECT_TRUE(buildDisplayModeList({}, true).Labels.empty());
  EXPECT_TRUE(buildDisplayModeList({}, true).Menu.empty());
}

TEST(DisplayModeListTest, AtMostThreeRatesPerResolutionInTheMenu) {
  const struct {
    std::vector<int> rates;
    const char* labels;
    const char* menu;
  } rows[] = {
      {{60, 70, 75, 85},
       "1024 x 768 x 60 Hz; 1024 x 768 x 70 Hz; 1024 x 768 x 75 Hz; 1024 x 768 x 85 Hz; ",
       "1024x768(M1024x768x00Hz 70 Hz=M1024x768x70Hz 75 Hz=M1024x768x75Hz 85 "
       "Hz=M1024x768x85Hz) "},
      {{56, 60, 70, 75, 85},
       "1024 x 768 x 56 Hz; 1024 x 768 x 70 Hz; 1024 x 768 x 75 Hz; 1024 x 768 x 85 Hz; ",
       "1024x768(M1024x768x00Hz 70 Hz=M1024x768x70Hz 75 Hz=M1024x768x75Hz 85 "
       "Hz=M1024x768x85Hz) "},
      {{60, 75},
       "1024 x 768 x 60 Hz; 1024 x 768 x 75 Hz; ",
       "1024x768(M1024x768x00Hz 60 Hz=M1024x768x60Hz 75 Hz=M1024x768x75Hz) "},
  };
  for (const auto& r : rows) {
    std::vector<DisplayMode> modes;
    for (int rate : r.rates) modes.push_back({1024, 768, rate});
    const DisplayModeList list = buildDisplayModeList(modes, true);
    EXPECT_EQ(labels(list), r.labels);
    EXPECT_EQ(menuText(list), r.menu);
  }
}

TEST(DisplayModeNameTest, ReadsOnlyWellFormedNames) {
  const struct {
    const char* name;
    std::optional<DisplayMode> mode;
  } rows[] = {
      {"M1024x768x75Hz", DisplayMode{1024, 768, 75}},
      {"1024 x 768 x 75 Hz", DisplayMode{1024, 768, 75}},
      {"M1280x1024x00Hz", DisplayMode{1280, 1024, 0}},
      {"M800x600", DisplayMode{800, 600, 0}},
      {"M0x600x60Hz", std::nullopt},
      {"M99999999x600x60Hz", std::nullopt},
      {"Mx600x60Hz", std::nullopt},
      {"M800x600x60x5Hz", std::nullopt},
      {"", std::nullopt},
      {"No change", std::nullopt},
      {"\xff\x00x\x80", std::nullopt},
  };
  for (const auto& r : rows) EXPECT_EQ(parseModeName(r.name), r.mode) << r.name;
  EXPECT_EQ(modeName({800, 600, 60}), "M800x600x60Hz");
  EXPECT_EQ(modeLabel({800, 600, 60}), "800 x 600 x 60 Hz");
}

TEST(DisplayModeNameTest, ResolutionWithoutRateUsesOneThatExists) {
  const std::vector<DisplayMode> modes{{800, 600, 56}, {800, 600, 72}, {1024, 768, 60}};
  const struct {
    DisplayMode requested;
    std::optional<DisplayMode> current;
    std::optional<DisplayMode> chosen;
  } rows[] = {
      {{800, 600, 0}, DisplayMode{1024, 768, 60}, DisplayMode{800, 600, 72}},  // highest there
      {{800, 600, 0}, DisplayMode{1024, 768, 56}, DisplayMode{800, 600, 56}},  // the current rate
      {{800, 600, 60}, std::nullopt, std::nullopt},                            // no such rate
      {{640, 480, 0}, std::nullopt, std::nullopt},                             // no such size
      {{1024, 768, 60}, std::nullopt, DisplayMode{1024, 768, 60}},
  };
  for (const auto& r : rows) EXPECT_EQ(resolveMode(r.requested, modes, r.current), r.chosen);
}

TEST(DisplayModesTest, SwitchesOnlyWhenAskedAndRestoresOnce) {
  testing_support::FakeDisplay display;
  DisplayModes modes(&display);
  modes.rebuild(true);
  EXPECT_EQ(modes.startupDisplayMode(), "M1280x1024x60Hz");
  modes.restoreStartupMode();  // nothing was switched: nothing happens
  EXPECT_TRUE(display.applied.empty());

  EXPECT_TRUE(modes.changeResolution("M800x600x00Hz"));  // rate 0: the one 800 x 600 has
  EXPECT_EQ(display.now, (DisplayMode{800, 600, 60}));
  EXPECT_TRUE(modes.ownDisplayChange());
  EXPECT_TRUE(modes.displayChanged());  // the player's own change
  EXPECT_FALSE(modes.ownDisplayChange());

  display.refuse = true;  // refused by the test: nothing is applied
  EXPECT_FALSE(modes.changeResolution("M1024x768x60Hz"));
  EXPECT_EQ(display.applied.size(), 1u);
  display.refuse = false;
  EXPECT_FALSE(modes.changeResolution("M1600x1200x60Hz"));  // not a mode of the display

  modes.restoreStartupMode();
  EXPECT_EQ(display.now, (DisplayMode{1280, 1024, 60}));
  modes.restoreStartupMode();
  EXPECT_EQ(display.applied.size(), 2u);  // a second restore does nothing

  // A change made outside the player becomes the mode to return to.
  modes.changeResolution("M1024x768x60Hz");
  modes.displayChanged();
  display.now = {800, 600, 60};
  EXPECT_FALSE(modes.displayChanged());
  EXPECT_EQ(modes.startupDisplayMode(), "M800x600x60Hz");
  modes.restoreStartupMode();
  EXPECT_EQ(display.now, (DisplayMode{800, 600, 60}));
}

}  // namespace
}  // namespace video
