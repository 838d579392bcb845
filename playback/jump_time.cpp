#include "playback/jump_time.h"

#include <algorithm>
#include <cstdio>

namespace playback {

std::string jumpTimeText(int64_t seconds) {
  if (seconds < 0) seconds = 0;
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02d:%02d", static_cast<long long>(seconds / 3600),
                static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
  return text;
}

std::optional<int64_t> parseJumpTime(std::string_view text) {
  if (text.size() != kJumpTextLength) return std::nullopt;
  auto digit = [&text](size_t i, char highest) { return text[i] >= '0' && text[i] <= highest; };
  if (!digit(0, '9') || !digit(1, '9') || text[2] != ':' || !digit(3, '5') || !digit(4, '9') ||
      text[5] != ':' || !digit(6, '5') || !digit(7, '9'))
    return std::nullopt;
  auto number = [&text](size_t i) { return (text[i] - '0') * 10 + (text[i + 1] - '0'); };
  return int64_t(number(0)) * 3600 + number(3) * 60 + number(6);
}

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
