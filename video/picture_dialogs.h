#pragma once
// The logic of the custom aspect ratio dialog and the custom pan-scan dialog:
// slider values and thumb positions, keys, restore and cancel, and what
// closing adds to SettingsChangeScore. The skinned windows map their input to
// these calls and act on the returned steps. Interface thread only.
#include <optional>
#include <string>

#include "settings/settings.h"
#include "video/picture_geometry.h"

namespace video {

// Dialog input after the window has translated its keys, wheel and buttons.
enum class DialogInput {
  Decrease,  // Left, Down, wheel down
  Increase,  // Right, Up, wheel up
  Digit0,
  Digit1,
  Digit2,
  Digit3,
  Accept,  // Enter, OK, close button; "A"/"a" (ratio) or "P"/"p" (pan-scan)
  Cancel,  // Esc, Cancel
};

struct DialogStep {
  // Ratio dialog: call SetAspectRatio with this label. Pan-scan dialog: call
  // DoPanScan(explicit); the text is the pan-scan value.
  std::optional<std::string> apply;
  bool close = false;
};

// Custom ratio dialog: a slider of 50..300 for ratios 0.50..3.00.
class CustomRatioDialog {
 public:
  static constexpr int kMin = 50;
  static constexpr int kMax = 300;

  // Opens on the current ratio; a ratio outside the track puts the thumb at
  // the nearer end, but cancelling restores the ratio exactly.
  CustomRatioDialog(double pictureRatio, char decimalSeparator = '.');

  int value() const { return value_; }
  double openingRatio() const { return opening_; }
  // Thumb's left edge in pixels: (value - 50) + 26.
  int thumbX() const { return value_ - kMin + 26; }

  // Moves the slider to v (limited to the track); sets PictureRatio = v / 100
  // when that changes Round(PictureRatio * 100).
  DialogStep setValue(int v, PictureState& picture);
  DialogStep input(DialogInput in, PictureState& picture);
  // The restore button: the movie's own ratio when it differs by 0.01 or more.
  DialogStep restoreNative(PictureState& picture);
  // SettingsChangeScore gain when the dialog closes.
  int closeScoreDelta(const PictureState& picture) const;

 private:
  DialogStep applyRatio(double ratio, PictureState& picture);
  double opening_;
  int value_;
  char separator_;
};

// Custom pan-scan dialog: a slider of -50..100 percent.
class PanScanDialog {
 public:
  static constexpr int kMin = -50;
  static constexpr int kMax = 100;

  explicit PanScanDialog(int panScanSize);

  int value() const { return value_; }
  int openingValue() const { return opening_; }
  // Thumb's left edge in pixels: Round((value + 50) / 150 * 195) + 27.
  int thumbX() const;

  // Moves the slider to v (limited to the track) and sets PanScanSize when it changes.
  DialogStep setValue(int v, settings::Settings& settings);
  DialogStep input(DialogInput in, settings::Settings& settings);
  int closeScoreDelta(const settings::Settings& settings) const;

 private:
  int opening_;
  int value_;
};

// Where the custom ratio dialog opens (top-left corner, screen pixels).
struct RatioDialogPlacement {
  bool FullScreen = false;
  bool MultiMonitorDesktop = false;
  Bounds Monitor;       // the monitor holding the video window
  Bounds WorkArea;      // work area used for clamping
  Bounds VideoWindow;   // outer bounds of the video window
  int ScreenWidth = 0;  // primary screen width
  int DialogWidth = 0;
  int DialogHeight = 0;
};
struct Point {
  int X = 0;
  int Y = 0;
  bool operator==(const Point&) const = default;
};
Point customRatioDialogPosition(const RatioDialogPlacement& p);
// The pan-scan dialog's top-left corner sits at the monitor's centre.
Point panScanDialogPosition(const Bounds& monitor);

}  // namespace video
