// Full screen enter and leave sequences, the zoom cycle, the window size
// command, movie mode and display changes, against a fake display.
#include <gtest/gtest.h>

#include "fake_display.h"
#include "video/full_screen.h"

namespace video {
namespace {

using testing_support::FakeDisplay;
using testing_support::FakeScreen;

struct Rig {
  FakeDisplay display;
  FakeScreen screen{display};
  DisplayModes modes{&display};
  bool busy = false;
  bool openingBusy = false;
  settings::Settings settings;
  PictureState picture;
  FullScreen full{screen, modes, {busy, openingBusy, settings, picture}};
  Rig() {
    modes.rebuild(true);
    picture.VideoWidth = 720;
    picture.VideoHeight = 576;
    picture.PictureRatio = 1.78;
  }
  std::string window() const { return FakeScreen::text(screen.window); }
};

TEST(FullScreenTest, EnterTwiceKeepsTheFirstRestoreRectangle) {
  Rig r;
  EXPECT_TRUE(r.full.enter(true));
  EXPECT_EQ(r.window(), "0,0 1280x1024");
  EXPECT_FALSE(r.full.enter(true));  // already full screen: ignored
  EXPECT_EQ(FakeScreen::text(r.full.restoreBounds()), "100,100 400x300");
  EXPECT_EQ(r.full.preFullscreenMode(), "M1280x1024x60Hz");
  EXPECT_TRUE(r.full.leave());
  EXPECT_EQ(r.window(), "100,100 400x300");
  EXPECT_FALSE(r.full.active());
  EXPECT_FALSE(r.busy);
}

TEST(FullScreenTest, LeaveOnlyFromFullScreenAndNothingWhileBusy) {
  Rig r;
  // Every movie open asks to leave; a window that is not full screen stays as it is.
  EXPECT_FALSE(r.full.leave());
  EXPECT_TRUE(r.screen.log.empty());
  EXPECT_EQ(r.window(), "100,100 400x300");
  r.busy = true;
  EXPECT_FALSE(r.full.enter(true));
  EXPECT_FALSE(r.full.active());
  r.busy = false;
  r.openingBusy = true;  // during an open full screen may still be entered
  EXPECT_TRUE(r.full.enter(false));
  r.busy = true;
  EXPECT_FALSE(r.full.leave());
  EXPECT_TRUE(r.full.active());
}

TEST(FullScreenTest, SwitchesTheChosenModeAndBack) {
  const struct {
    const char* modeSwitch;
    bool refuse;
    const char* covered;
    size_t switches;
  } rows[] = {
      {"800 x 600 x 60 Hz", false, "full 0,0 800x600", 2},
      {"800 x 600 x 60 Hz", true, "full 0,0 1280x1024", 0},     // refused: full screen in this mode
      {"1280 x 1024 x 60 Hz", false, "full 0,0 1280x1024", 0},  // the mode in force
      {"No change", false, "full 0,0 1280x1024", 0},
      {"1600 x 1200 x 60 Hz", false, "full 0,0 1280x1024", 0},  // not listed
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.modeSwitch);
    Rig r;
    r.settings.FullscreenModeSwitch = row.modeSwitch;
    r.display.refuse = row.refuse;
    ASSERT_TRUE(r.full.enter(true));
    ASSERT_GE(r.screen.log.size(), 2u);
    EXPECT_EQ(r.screen.log[0], row.covered);
    EXPECT_EQ(r.screen.log[1], "layout");  // laid out whether or not the mode changed
    EXPECT_TRUE(r.full.leave());
    EXPECT_EQ(r.display.applied.size(), row.switches);
    EXPECT_EQ(r.display.now, (DisplayMode{1280, 1024, 60}));
    EXPECT_EQ(r.window(), "100,100 400x300");
  }
}

TEST(FullScreenTest, RestoreRectangleComesBackOntoAnExistingMonitor) {
  Rig r;
  r.screen.extraMonitors = {{1280, 0, 2560, 1024}};
  r.screen.window = {1500, 200, 2140, 680};  // on the second monitor
  ASSERT_TRUE(r.full.enter(true));
  r.screen.extraMonitors.clear();  // the second monitor went away
  ASSERT_TRUE(r.full.leave());
  EXPECT_EQ(r.window(), "320,272 640x480");
}

TEST(FullScreenTest, ZoomCycleDoublesThenFullScreenThenBack) {
  Rig r;
  r.screen.window = {300, 200, 700, 500};
  r.full.zoomCycle(true);
  EXPECT_EQ(r.window(), "100,50 800x600");
  r.full.zoomCycle(true);
  EXPECT_TRUE(r.full.active());
  r.full.zoomCycle(true);  // Enter in full screen leaves it
  EXPECT_EQ(r.window(), "300,200 400x300");
  r.full.zoomCycle(false);  // no graph: nothing
  EXPECT_EQ(r.window(), "300,200 400x300");
  // A window size command forgets the saved size.
  EXPECT_EQ(r.full.windowSize(100, true, [](int) { return std::string(); }), 5000);
  EXPECT_FALSE(r.full.zoomSaved());
  EXPECT_EQ(r.window(), "71,109 859x483");
}

TEST(FullScreenTest, WindowSizeInFullScreenSetsPanScan) {
  Rig r;
  auto message = [](int p) { return "PanScan " + std::to_string(p) + "%"; };
  EXPECT_EQ(r.full.windowSize(50, false, message), 0);  // no movie: ignored
  EXPECT_TRUE(r.screen.log.empty());
  r.full.enter(true);
  EXPECT_EQ(r.full.windowSize(50, true, message), 5000);
  EXPECT_EQ(r.settings.PanScanSize, -25);
  EXPECT_EQ(r.screen.log[r.screen.log.size() - 2], "osd PanScan -25%");
  EXPECT_EQ(r.full.windowSize(50, true, message), 0);  // unchanged: no score
}

TEST(FullScreenTest, MovieModeFromAWindowEntersFullScreen) {
  Rig r;
  r.settings.PanScanSize = 3;
  r.picture.PictureOffsetY = 5;
  r.full.movieMode(true, "Movie mode on", "Movie mode off");
  // Movie mode's own Busy must not stop full screen.
  EXPECT_TRUE(r.full.active());
  EXPECT_TRUE(r.full.movieModeOn());
  EXPECT_TRUE(r.screen.movieModeCheck);
  EXPECT_EQ(r.settings.PanScanSize, 7);
  EXPECT_EQ(r.picture.PictureOffsetY, 0);
  EXPECT_FALSE(r.busy);
  // Off again: the saved values come back and the window returns.
  r.full.movieMode(true, "Movie mode on", "Movie mode off");
  EXPECT_FALSE(r.full.active());
  EXPECT_FALSE(r.screen.movieModeCheck);
  EXPECT_EQ(r.settings.PanScanSize, 3);
  EXPECT_EQ(r.picture.PictureOffsetY, 5);
  EXPECT_EQ(r.window(), "100,100 400x300");
}

TEST(FullScreenTest, MovieModeInFullScreenAndWithASubtitle) {
  Rig r;
  r.screen.subtitle = true;
  r.settings.AverageVerticalDisplayZone = 15;
  r.full.enter(true);
  r.full.movieMode(true, "on", "off");
  EXPECT_EQ(r.settings.AverageVerticalDisplayZone, 8);
  EXPECT_EQ(r.picture.PictureOffsetY, 7);
  r.full.movieMode(true, "on", "off");
  EXPECT_TRUE(r.full.active());  // it was full screen before: it stays
  EXPECT_EQ(r.settings.AverageVerticalDisplayZone, 15);
  r.full.movieMode(false, "on", "off");  // no graph: ignored
  EXPECT_FALSE(r.full.movieModeOn());
  // In a mode chosen for full screen, the layout is for that mode's size.
  Rig s;
  s.settings.FullscreenModeSwitch = "1024 x 768 x 60 Hz";
  s.full.movieMode(true, "on", "off");
  EXPECT_EQ(s.display.now, (DisplayMode{1024, 768, 60}));
  EXPECT_EQ(s.settings.PanScanSize, 6);
  EXPECT_EQ(s.window(), "0,0 1024x768");
}

TEST(FullScreenTest, OutsideDisplayChangeKeepsWindowsOnScreen) {
  Rig r;
  r.screen.window = {640, 512, 1040, 812};
  r.display.now = {640, 480, 60};  // changed by another program
  EXPECT_FALSE(r.full.displayChanged(1280, 1024, 640, 480));
  EXPECT_EQ(r.window(), "240,180 400x300");
  EXPECT_EQ(r.modes.startupDisplayMode(), "M640x480x60Hz");
  EXPECT_FALSE(r.openingBusy);

  Rig f;
  f.full.enter(true);
  f.openingBusy = true;  // a change while a movie opens keeps the open's flag
  f.display.now = {1024, 768, 60};
  f.full.displayChanged(1280, 1024, 1024, 768);
  EXPECT_TRUE(f.openingBusy);
  EXPECT_EQ(f.window(), "0,0 1024x768");
  EXPECT_EQ(f.full.preFullscreenMode(), "M1024x768x60Hz");
  EXPECT_EQ(FakeScreen::text(f.full.restoreBounds()), "80,75 400x300");
  f.full.leave();
  EXPECT_TRUE(f.display.applied.empty());  // never switched back to a mode not its own
}

TEST(FullScreenTest, EscRaisesTheMainWindowFirstThenLeaves) {
  const struct {
    bool autoHide;
    const char* firstStep;  // the log of the first Esc in full screen
    bool leavesAtFirst;
  } rows[] = {
      {true, "raise main|focus video", false},  // kept behind: raised first
      {false, "", true},                        // already in front: leaves at once
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.autoHide);
    Rig r;
    r.settings.AutoHideMainWindow = row.autoHide;
    ASSERT_TRUE(r.full.enter(true));
    r.screen.log.clear();
    const EscapeStep first = r.full.escape(true);
    if (row.leavesAtFirst) {
      EXPECT_EQ(first, EscapeStep::LeftFullScreen);
    } else {
      EXPECT_EQ(first, EscapeStep::RaisedMainWindow);
      std::string log;
      for (const std::string& l : r.screen.log) log += (log.empty() ? "" : "|") + l;
      EXPECT_EQ(log, row.firstStep);
      EXPECT_TRUE(r.full.active());
      EXPECT_TRUE(r.full.mainWindowRaised());
      EXPECT_EQ(r.full.escape(true), EscapeStep::LeftFullScreen);
    }
    EXPECT_FALSE(r.full.active());
    EXPECT_FALSE(r.full.mainWindowRaised());
    EXPECT_EQ(r.window(), "100,100 400x300");
    // In a window Esc only focuses the video; with no video window, nothing.
    r.screen.log.clear();
    EXPECT_EQ(r.full.escape(true), EscapeStep::FocusedVideo);
    EXPECT_EQ(r.full.escape(false), EscapeStep::Nothing);
    EXPECT_EQ(r.screen.log, std::vector<std::string>{"focus video"});
    // Entering again starts with the main window behind once more.
    ASSERT_TRUE(r.full.enter(true));
    EXPECT_EQ(r.full.mainWindowRaised(), !row.autoHide);
  }
  // A display change lays full screen out anew, the main window behind again.
  Rig d;
  d.settings.AutoHideMainWindow = true;
  d.full.enter(true);
  d.full.escape(true);
  ASSERT_TRUE(d.full.mainWindowRaised());
  d.display.now = {1024, 768, 60};
  d.full.displayChanged(1280, 1024, 1024, 768);
  EXPECT_FALSE(d.full.mainWindowRaised());
  EXPECT_EQ(d.full.escape(true), EscapeStep::RaisedMainWindow);
  // Busy: the second Esc cannot leave and says so.
  Rig b;
  b.settings.AutoHideMainWindow = true;
  b.full.enter(true);
  b.full.escape(true);
  b.busy = true;
  EXPECT_EQ(b.full.escape(true), EscapeStep::Nothing);
  EXPECT_TRUE(b.full.active());
}

TEST(FullScreenTest, SendWindowToCentresOnTheMonitorAndKeepsFullScreen) {
  Rig r;
  r.screen.extraMonitors = {{1280, 0, 2560, 1024}};
  EXPECT_TRUE(r.full.sendToMonitor(2));
  EXPECT_EQ(r.window(), "1720,362 400x300");
  EXPECT_FALSE(r.full.active());
  EXPECT_FALSE(r.full.sendToMonitor(3));  // no such monitor
  EXPECT_FALSE(r.full.sendToMonitor(0));
  EXPECT_EQ(r.window(), "1720,362 400x300");

  // In full screen: back to a window, centred there, full screen again.
  ASSERT_TRUE(r.full.enter(true));
  r.screen.log.clear();
  EXPECT_TRUE(r.full.sendToMonitor(1));
  EXPECT_TRUE(r.full.active());
  EXPECT_EQ(FakeScreen::text(r.full.restoreBounds()), "440,362 400x300");
  ASSERT_GE(r.screen.log.size(), 3u);
  EXPECT_EQ(r.screen.log[0], "window 1720,362 400x300");
  EXPECT_EQ(r.screen.log[1], "layout");
  EXPECT_EQ(r.screen.log[2], "bounds 440,362 400x300");
  r.busy = true;
  EXPECT_FALSE(r.full.sendToMonitor(2));
  r.busy = false;
  r.openingBusy = true;
  EXPECT_FALSE(r.full.sendToMonitor(2));
  EXPECT_TRUE(r.full.active());
}

TEST(FullScreenTest, DisplayChangeMovesTheOtherWindowsByTheirScreenFraction) {
  Rig r;
  r.screen.others = {{640, 512, 915, 628},     // main window, mid-screen
                     {1100, 900, 1380, 1200},  // playlist near the corner
                     {0, 0, 300, 100}};        // at the origin: stays
  r.display.now = {640, 480, 60};
  r.full.displayChanged(1280, 1024, 640, 480);
  ASSERT_EQ(r.screen.others.size(), 3u);
  EXPECT_EQ(FakeScreen::text(r.screen.others[0]), "320,240 275x116");
  // Kept inside the new work area: 640 - 280 and 480 - 300.
  EXPECT_EQ(FakeScreen::text(r.screen.others[1]), "360,180 280x300");
  EXPECT_EQ(FakeScreen::text(r.screen.others[2]), "0,0 300x100");
  // Only windows that moved are asked to.
  size_t moves = 0;
  for (const std::string& l : r.screen.log) moves += l.rfind("move ", 0) == 0;
  EXPECT_EQ(moves, 2u);
  // The same size again moves nothing.
  r.screen.log.clear();
  r.full.displayChanged(640, 480, 640, 480);
  for (const std::string& l : r.screen.log) EXPECT_NE(l.rfind("move ", 0), 0u) << l;
}

}  // namespace
}  // namespace video
