#include "video/screen_windows.h"

#include <algorithm>

namespace video {

namespace {

bool overlaps(const Bounds& a, const Bounds& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

}  // namespace

MonitorMenu monitorMenu(const std::vector<Bounds>& monitors, int videoMonitor, bool videoShowing,
                        const std::string& monitorText) {
  MonitorMenu menu;
  menu.Visible = videoShowing && monitors.size() > 1;
  if (!menu.Visible) return menu;
  const int count = std::min<int>(static_cast<int>(monitors.size()), kMonitorItemsMax);
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i + 1);
    menu.Items.push_back({"Monitor" + n, monitorText + " " + n, i != videoMonitor});
  }
  return menu;
}

int monitorNumberOf(const std::string& itemName) {
  if (itemName.empty()) return 0;
  const char last = itemName.back();
  return last >= '1' && last <= '9' ? last - '0' : 0;
}

Bounds centreOnMonitor(const Bounds& window, const Bounds& monitor) {
  const int w = window.width(), h = window.height();
  const int left = monitor.Left + monitor.width() / 2 - w / 2;
  const int top = monitor.Top + monitor.height() / 2 - h / 2;
  return {left, top, left + w, top + h};
}

bool liesOnlyOn(const Bounds& window, const Bounds& monitor, const std::vector<Bounds>& monitors) {
  if (!overlaps(window, monitor)) return false;
  return std::none_of(monitors.begin(), monitors.end(),
                      [&](const Bounds& m) { return !(m == monitor) && overlaps(window, m); });
}

}  // namespace video
