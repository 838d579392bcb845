#include "playback/engine.h"

#include <algorithm>
#include <cmath>

namespace playback {

int volumeLevelCdb(int v) {
  v = std::clamp(v, 0, 10000);
  // ln(10001) * 1085.73 is 10000.0 to within rounding, so full volume is level 0.
  return static_cast<int>(std::nearbyint(std::log(v + 1.0) * 1085.73)) - 10000;
}

VideoBalance videoBalanceFor(const ColorControl& c) {
  VideoBalance v;
  v.brightness = (std::clamp(c.brightness, 0, 10000) - 750) / 10000.0;
  v.contrast = std::clamp(c.contrast, 0, 20000) / 10000.0;
  v.saturation = std::clamp(c.saturation, 0, 20000) / 10000.0;
  v.hue = std::clamp(c.hue, -180, 180) / 180.0;
  return v;
}

}  // namespace playback
