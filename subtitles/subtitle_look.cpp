#include "subtitles/subtitle_look.h"

#include <algorithm>
#include <cmath>

namespace subtitles {

namespace {
constexpr int kZoneMessage = 41, kSizeMessage = 42;
}

int roundToFive(int v) {
  return v / 5 * 5 + (v % 5 > 2 ? 5 : 0);
}

int fontDialogPoints(int screenWidthPx, int subtitleSize) {
  return int(std::nearbyint(double(screenWidthPx) * subtitleSize * 28.0 / 102400.0));
}

int subtitleSizeForPoints(double points, int screenWidthPx) {
  const double size = std::nearbyint(points * 102400.0 / (std::max(screenWidthPx, 1) * 28.0));
  return int(std::clamp(size, 10.0, 1000.0));
}

int movedZone(int zone, bool up) {
  if (up) return zone < 50 ? zone + 1 : zone;
  return zone > 0 ? zone - 1 : zone;
}

int resizedSubtitle(int size, bool larger) {
  return larger ? std::min(1000, roundToFive(size + 5)) : std::max(10, roundToFive(size - 5));
}

std::string zoneMessage(const texts::InterfaceTexts& texts, int zone) {
  return texts.Messages[kZoneMessage] + ": " + std::to_string(zone) + "%";
}

std::string sizeMessage(const texts::InterfaceTexts& texts, int size) {
  return texts.Messages[kSizeMessage] + ": " + std::to_string(size) + "%";
}

}  // namespace subtitles
