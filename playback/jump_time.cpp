#include "playback/jump_time.h"

#include <algorithm>

namespace playback {

bool jumpCharacterAccepted(char c) {
  return (c >= '0' && c <= '9') || c == ':';
}

std::pair<int, int> placeJumpDialog(const JumpPlacement& p) {
  if (p.FullScreen)
    return {p.Monitor.Left + (p.Monitor.width() - p.width) / 2,
            p.Monitor.Top + (p.Monitor.height() - p.height) / 2};
  const int videoCentreX = p.VideoWindow.Left + p.VideoWindow.width() / 2;
  const int centreX = p.MultiMonitorDesktop ? videoCentreX : (p.ScreenCentreX + videoCentreX) / 2;
  const video::Bounds& a = p.WorkArea;
  // Inside the area; a dialog wider or higher than the area keeps its left or top edge.
  const int x = std::max(a.Left, std::min(centreX - p.width / 2, a.Right - p.width));
  const int y = std::max(a.Top, std::min(p.VideoWindow.Bottom, a.Bottom - p.height));
  return {x, y};
}

}  // namespace playback
