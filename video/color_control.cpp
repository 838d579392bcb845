#include "video/color_control.h"

#include <algorithm>
#include <cmath>

namespace video {

namespace {

// The setting a row is kept in (const or not, as the settings are).
template <typename S>
auto& settingOf(S& s, ColorRow row) {
  switch (row) {
    case ColorRow::Brightness:
      return s.BrightnessControl;
    case ColorRow::Contrast:
      return s.ContrastControl;
    case ColorRow::Hue:
      return s.HueControl;
    case ColorRow::Saturation:
      break;
  }
  return s.SaturationControl;
}

}  // namespace

const ColorRowRule& colorRowRule(ColorRow row) {
  static const std::array<ColorRowRule, kColorRows> rules = {{
      {0, 1000, 75, 10, 38},
      {0, 200, 100, 100, 63},
      {-180, 180, 0, 1, 88},
      {0, 200, 100, 100, 113},
  }};
  return rules[size_t(row)];
}

int colorSliderFromSettings(const settings::Settings& s, ColorRow row) {
  const ColorRowRule& r = colorRowRule(row);
  const int value = settingOf(s, row);
  return std::clamp(value / r.settingPerStep, r.minimum, r.maximum);
}

bool storeColorSlider(settings::Settings& s, ColorRow row, int slider) {
  const ColorRowRule& r = colorRowRule(row);
  const int value = std::clamp(slider, r.minimum, r.maximum) * r.settingPerStep;
  int& setting = settingOf(s, row);
  if (setting == value) return false;
  setting = value;
  return true;
}

std::string colorNumberText(ColorRow row, int slider) {
  switch (row) {
    case ColorRow::Brightness: {
      const int whole = slider / 10, tenth = std::abs(slider % 10);
      std::string text = (slider < 0 && whole == 0 ? "-" : "") + std::to_string(whole);
      if (tenth) text += "." + std::to_string(tenth);
      return text;
    }
    case ColorRow::Contrast:
    case ColorRow::Saturation:
      return std::to_string(slider / 2);
    case ColorRow::Hue:
      break;
  }
  return std::to_string(slider);
}

void setDefaultColors(settings::Settings& s) {
  for (int i = 0; i < kColorRows; ++i)
    storeColorSlider(s, ColorRow(i), colorRowRule(ColorRow(i)).defaultValue);
}

int brightnessStep(int slider, bool right) {
  const int tens = int(std::nearbyint(slider / 10.0)) * 10;
  return right ? std::min(tens + 10, 1000) : std::max(tens - 10, 0);
}

PlaceRect placeColorControl(const ColorPlacement& p) {
  PlaceRect r{0, 0, p.width, p.height};
  if (p.videoFullScreen) {
    r.left = p.monitor.left + (p.monitor.width - p.width) / 2;
    r.top = p.monitor.top + (p.monitor.height - p.height) * 3 / 4;
  } else if (p.videoShowing) {
    r.left = p.video.left + (p.video.width - p.width) / 2;
    r.top = p.video.top + p.video.height;
  } else {
    const int cx = (p.monitor.left + p.monitor.width / 2 + p.main.left + p.main.width / 2) / 2;
    const int cy = (p.monitor.top + p.monitor.height / 2 + p.main.top + p.main.height / 2) / 2;
    r.left = cx - p.width / 2;
    r.top = cy - p.height / 2;
  }
  const PlaceRect& a = p.workArea;
  r.left = std::clamp(r.left, a.left, std::max(a.left, a.left + a.width - r.width));
  r.top = std::clamp(r.top, a.top, std::max(a.top, a.top + a.height - r.height));
  return r;
}

}  // namespace video
