#pragma once
// The picture's destination rectangle inside the video surface: native size,
// display aspect ratio, keep-ratio switch, pan-scan and picture offsets.
// Pure functions, no state of their own; safe from any thread.
#include <cstdint>
#include <string>

namespace video {

// The per-movie picture values. KeepAspectRatio and PanScanSize are settings
// (settings::Settings) and are passed separately.
struct PictureState {
  int VideoWidth = 0;          // native picture size in pixels; 0 x 0 before a movie
  int VideoHeight = 0;         // opens and for an audio-only file
  double PictureRatio = 1.33;  // display aspect ratio, width / height
  int PictureOffsetX = 0;      // percent of the picture's width, -100..100, + moves right
  int PictureOffsetY = 0;      // percent of the picture's height, -100..100, + moves up
};

// A picture rectangle in pixels relative to the surface's top-left corner.
struct Rect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool operator==(const Rect&) const = default;
};

// Window bounds in the Windows manner: Right and Bottom are exclusive,
// so the width is Right - Left.
struct Bounds {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int width() const { return Right - Left; }
  int height() const { return Bottom - Top; }
  bool operator==(const Bounds&) const = default;
};

inline constexpr double kNoMovieRatio = 1.33;
inline constexpr int kPanScanMin = -50;
inline constexpr int kPanScanMax = 100;
inline constexpr int kOffsetMin = -100;
inline constexpr int kOffsetMax = 100;

// Round to nearest with halves to even, saturated to the int32 range; NaN gives 0.
int32_t roundEven(long double x);

// numerator / denominator rounded to nearest with halves to even, computed
// exactly in integers and saturated to the int32 range; 0 for a denominator of
// 0 or less. The layout's percent terms (x * 0.01, x * 0.02) and its ratios of
// pixel counts go through this, so a value that is exactly k + 0.5 is a tie
// and not a hair above or below it as a binary 0.01 would make it.
int32_t roundEvenQuotient(int64_t numerator, int64_t denominator);

// The ratio the layout works with: PictureRatio when it is a positive finite
// number, otherwise the no-movie ratio 1.33 (guards a zero or corrupt ratio).
double usableRatio(double pictureRatio);

// The corrected size: the native pixel count reshaped to PictureRatio.
// s = sqrt(ratio * VideoHeight / VideoWidth), A = Round(VideoWidth * s),
// B = Round(VideoHeight / s); exactA/exactB are the unrounded values.
// Without a native size (either side 0 or less) A and B are 0 and valid is false.
struct CorrectedSize {
  int A = 0;
  int B = 0;
  long double exactA = 0;
  long double exactB = 0;
  bool valid = false;  // both sides at least 1 pixel
};
CorrectedSize correctedSize(int videoWidth, int videoHeight, double pictureRatio);

// The destination rectangle for an area of areaWidth x areaHeight pixels
// (the surface's client size with panScan 0 in a window; the monitor with
// PanScanSize in full screen). Pan-scan is limited to -50..100 and the offsets
// to -100..100. An empty area gives an empty rectangle at (0, 0); otherwise the
// picture is at least 1 x 1 pixel. Without a native size the picture keeps
// PictureRatio itself. Larger than the area only by pan-scan or offsets.
Rect LayoutPicture(const PictureState& picture, bool keepAspectRatio, int areaWidth, int areaHeight,
                   int panScan);

// Pan-scan percent that cuts a third of the black bars away when a picture of
// ratio r fills a monitor's width: 0..50, and 0 for results of 2 or less, for a
// monitor at least as wide as the picture, and for an empty monitor.
int AutomaticPanScanAmount(int monitorWidth, int monitorHeight, double ratio);

// The movie's own ratio, Round(VideoWidth * 100 / VideoHeight) / 100, limited
// to 0.10..5.00 like a remembered ratio; 1.33 without a native size.
double nativeRatio(int videoWidth, int videoHeight);

// A ratio as the shortest decimal number ("1.78", "1", "0.5") with the given
// decimal separator.
std::string formatRatio(double ratio, char decimalSeparator = '.');

}  // namespace video
