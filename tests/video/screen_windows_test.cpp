// The "Send window to" submenu, centring on a monitor and whether the main
// window lies on the full-screen monitor alone.
#include "video/screen_windows.h"

#include <gtest/gtest.h>

namespace video {
namespace {

const Bounds kLeft{0, 0, 1280, 1024};
const Bounds kRight{1280, 0, 3200, 1080};

TEST(ScreenWindowsTest, MonitorMenuShowsOnlyWithSeveralMonitorsAndAVideoWindow) {
  const struct {
    std::vector<Bounds> monitors;
    int videoMonitor;
    bool showing;
    bool visible;
    std::string items;  // name:caption:enabled, joined by "|"
  } rows[] = {
      {{kLeft}, 0, true, false, ""},
      {{kLeft, kRight}, 0, false, false, ""},
      {{kLeft, kRight}, 0, true, true, "Monitor1:Monitor 1:0|Monitor2:Monitor 2:1"},
      {{kLeft, kRight}, 1, true, true, "Monitor1:Monitor 1:1|Monitor2:Monitor 2:0"},
      {{kLeft, kRight}, -1, true, true, "Monitor1:Monitor 1:1|Monitor2:Monitor 2:1"},
      {std::vector<Bounds>(12, kLeft), 11, true, true,
       "Monitor1:Monitor 1:1|Monitor2:Monitor 2:1|Monitor3:Monitor 3:1|Monitor4:Monitor 4:1|"
       "Monitor5:Monitor 5:1|Monitor6:Monitor 6:1|Monitor7:Monitor 7:1|Monitor8:Monitor 8:1|"
       "Monitor9:Monitor 9:1"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.items);
    const MonitorMenu menu = monitorMenu(row.monitors, row.videoMonitor, row.showing, "Monitor");
    EXPECT_EQ(menu.Visible, row.visible);
    std::string items;
    for (const MonitorItem& i : menu.Items)
      items +=
          (items.empty() ? "" : "|") + i.Name + ":" + i.Caption + ":" + (i.Enabled ? "1" : "0");
    EXPECT_EQ(items, row.items);
    for (const MonitorItem& i : menu.Items) EXPECT_GE(monitorNumberOf(i.Name), 1);
  }
  EXPECT_EQ(monitorNumberOf("Monitor9"), 9);
  EXPECT_EQ(monitorNumberOf("Monitor0"), 0);
  EXPECT_EQ(monitorNumberOf(""), 0);
}

TEST(ScreenWindowsTest, CentresOnTheMonitorKeepingTheSize) {
  EXPECT_EQ(centreOnMonitor({10, 10, 411, 311}, kRight), (Bounds{2040, 390, 2441, 691}));
  EXPECT_EQ(centreOnMonitor({-50, 900, 350, 1200}, kLeft), (Bounds{440, 362, 840, 662}));
  // Larger than the monitor: centred all the same, sticking out on both sides.
  EXPECT_EQ(centreOnMonitor({0, 0, 2000, 1200}, kLeft), (Bounds{-360, -88, 1640, 1112}));
}

TEST(ScreenWindowsTest, MainWindowLiesOnlyOnTheFullScreenMonitor) {
  const std::vector<Bounds> two{kLeft, kRight};
  const struct {
    Bounds main;
    const std::vector<Bounds>* monitors;
    bool only;
  } rows[] = {
      {{100, 100, 400, 200}, &two, true},
      {{1200, 100, 1500, 200}, &two, false},  // across the edge
      {{1279, 100, 1580, 200}, &two, false},  // one pixel on the left monitor
      {{1280, 100, 1580, 200}, &two, false},  // only on the other monitor
      {{-400, 100, -100, 200}, &two, false},  // on no monitor
      {{1000, 900, 1300, 1100}, &two, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.main.Left);
    EXPECT_EQ(liesOnlyOn(row.main, kLeft, *row.monitors), row.only);
  }
  EXPECT_TRUE(liesOnlyOn({1000, 900, 1300, 1100}, kLeft, {kLeft}));
}

}  // namespace
}  // namespace video
