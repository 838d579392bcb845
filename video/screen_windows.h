#pragma once
// Where the player's windows go around full screen: which monitors the
// "Send window to" submenu offers, where the video window lands on one, and
// whether the main window lies on the full-screen monitor alone (it is then
// kept disabled behind the video). Desktop pixels; Bounds have exclusive Right
// and Bottom. Pure functions; safe from any thread.
#include <string>
#include <vector>

#include "video/picture_geometry.h"

namespace video {

// The submenu shows at most this many monitors: an item's number is the last
// character of its name.
inline constexpr int kMonitorItemsMax = 9;

struct MonitorItem {
  std::string Name;     // "Monitor" + N, N from 1
  std::string Caption;  // the "Monitor" interface text + " " + N
  bool Enabled = true;  // false for the monitor that holds the video window
};
struct MonitorMenu {
  bool Visible = false;  // only while the video window shows on a desktop of several monitors
  std::vector<MonitorItem> Items;
};
// monitors in the system's order; videoMonitor the index of the one holding
// the video window (-1 when none does).
MonitorMenu monitorMenu(const std::vector<Bounds>& monitors, int videoMonitor, bool videoShowing,
                        const std::string& monitorText);

// The monitor number (1..9) an item name ends in; 0 when it ends otherwise.
int monitorNumberOf(const std::string& itemName);

// The window's bounds centred on monitor, its size kept: Left = monitor left
// + monitor width div 2 - window width div 2, and likewise Top.
Bounds centreOnMonitor(const Bounds& window, const Bounds& monitor);

// True when window overlaps monitor and no other monitor of monitors.
bool liesOnlyOn(const Bounds& window, const Bounds& monitor, const std::vector<Bounds>& monitors);

}  // namespace video
