#pragma once
// The colour control window's four sliders and what they mean: the slider
// ranges, the numbers shown, the settings they are kept in, the Default
// values, the brightness keys and where the window appears. Plain C++.
#include <array>
#include <string>

#include "settings/settings.h"

namespace video {

enum class ColorRow { Brightness = 0, Contrast = 1, Hue = 2, Saturation = 3 };
inline constexpr int kColorRows = 4;

struct ColorRowRule {
  int minimum, maximum, defaultValue;
  int settingPerStep;  // the setting is slider x settingPerStep
  int rowY;            // slider row in window pixels
};

// Brightness 0..1000 (x10), contrast 0..200 (x100), hue -180..180 (x1),
// saturation 0..200 (x100); rows at y 38, 63, 88 and 113.
const ColorRowRule& colorRowRule(ColorRow row);

// The slider value of a setting (divided and clamped to the row's range).
int colorSliderFromSettings(const settings::Settings& s, ColorRow row);
// Stores a slider value (clamped) into its setting; true when it changed.
bool storeColorSlider(settings::Settings& s, ColorRow row, int slider);

// The number beside a row: brightness as slider / 10 in decimal with one
// place, the ".0" dropped ("7.5" at 75, "7" at 70, "0.3" at 3), made from
// integers so no binary fraction shows; contrast and saturation slider div
// 2; hue the slider itself.
std::string colorNumberText(ColorRow row, int slider);

// The Default button: brightness 75, contrast 100, hue 0, saturation 100.
void setDefaultColors(settings::Settings& s);

// The brightness keys: Left gives max(Round(slider / 10) x 10 - 10, 0),
// Right min(Round(slider / 10) x 10 + 10, 1000); halves round to even.
int brightnessStep(int slider, bool right);

struct PlaceRect {
  int left = 0, top = 0, width = 0, height = 0;
};

// Where the window goes when shown (its top-left), before clamping into the
// work area: in full screen centred across the monitor at three quarters of
// the free height; beside a shown video window centred under it; else centred
// halfway between the monitor's centre and the main window's centre.
struct ColorPlacement {
  int width = 0, height = 0;  // the colour control window
  bool videoFullScreen = false, videoShowing = false;
  PlaceRect video, monitor, workArea, main;
};
PlaceRect placeColorControl(const ColorPlacement& p);

}  // namespace video
