#include "video/picture_geometry.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace video {

namespace {

using Real = long double;  // intermediate values carry extended precision

int32_t saturate(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace

int32_t roundEven(long double x) {
  if (std::isnan(x)) return 0;
  if (x >= Real(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  if (x <= Real(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  Real whole = std::floor(x);
  Real fraction = x - whole;
  auto n = static_cast<int64_t>(whole);
  if (fraction > Real(0.5) || (fraction == Real(0.5) && (n % 2 != 0))) ++n;
  return saturate(n);
}

double usableRatio(double pictureRatio) {
  return (std::isfinite(pictureRatio) && pictureRatio > 0) ? pictureRatio : kNoMovieRatio;
}

CorrectedSize correctedSize(int videoWidth, int videoHeight, double pictureRatio) {
  CorrectedSize c;
  if (videoWidth <= 0 || videoHeight <= 0) return c;
  Real s = std::sqrt(Real(usableRatio(pictureRatio)) * videoHeight / videoWidth);
  c.exactA = videoWidth * s;
  c.exactB = videoHeight / s;
  c.A = roundEven(c.exactA);
  c.B = roundEven(c.exactB);
  // A tiny picture with an extreme ratio can round one side to 0; the layout
  // then falls back to the ratio itself.
  c.valid = c.A >= 1 && c.B >= 1;
  return c;
}

Rect LayoutPicture(const PictureState& picture, bool keepAspectRatio, int areaWidth, int areaHeight,
                   int panScan) {
  if (areaWidth <= 0 || areaHeight <= 0) return {};
  const int64_t Wa = areaWidth;
  const int64_t Ha = areaHeight;
  const int64_t P = std::clamp(panScan, kPanScanMin, kPanScanMax);
  const int64_t offsetX = std::clamp(picture.PictureOffsetX, kOffsetMin, kOffsetMax);
  const int64_t offsetY = std::clamp(picture.PictureOffsetY, kOffsetMin, kOffsetMax);
  const Real ratio = usableRatio(picture.PictureRatio);
  const CorrectedSize c = correctedSize(picture.VideoWidth, picture.VideoHeight, ratio);

  // Width for a given height and back, keeping the picture's shape.
  auto widthFor = [&](int64_t h) -> int64_t {
    return c.valid ? roundEven(Real(h) / c.B * c.A) : roundEven(Real(h) * ratio);
  };
  auto heightFor = [&](int64_t w) -> int64_t {
    return c.valid ? roundEven(Real(w) / c.A * c.B) : roundEven(Real(w) / ratio);
  };
  // Pan-scan at -50 or a 1-pixel area would give an empty picture: keep 1 pixel.
  auto atLeastOne = [](int64_t v) { return std::max<int64_t>(v, 1); };

  int64_t W = 0, H = 0, left = 0, top = 0;
  if (keepAspectRatio) {
    if (Real(Wa) / Ha > ratio) {  // the area is wider than the picture
      H = atLeastOne(Ha + roundEven(Real(Ha * P) * Real(0.02)));
      W = atLeastOne(widthFor(H));
      left = (Wa - W) / 2 + roundEven(Real(W * offsetX) * Real(0.01));
      top = roundEven(Real(Ha * P) * Real(-0.01)) - roundEven(Real(H * offsetY) * Real(0.01));
    } else {
      W = atLeastOne(Wa + roundEven(Real(Wa * P) * Real(0.02)));
      H = atLeastOne(heightFor(W));
      left = roundEven(Real(Wa * P) * Real(-0.01)) + roundEven(Real(W * offsetX) * Real(0.01));
      top = (Ha - H) / 2 - roundEven(Real(H * offsetY) * Real(0.01));
    }
  } else {
    W = atLeastOne(Wa + roundEven(Real(Wa * P) * Real(0.02)));
    H = atLeastOne(Ha + roundEven(Real(Ha * P) * Real(0.02)));
    left = roundEven(Real(Wa * P) * Real(-0.01)) + roundEven(Real(W * offsetX) * Real(0.01));
    top = roundEven(Real(Ha * P) * Real(-0.01)) - roundEven(Real(H * offsetY) * Real(0.01));
  }
  return {saturate(left), saturate(top), saturate(W), saturate(H)};
}

int AutomaticPanScanAmount(int monitorWidth, int monitorHeight, double ratio) {
  if (monitorWidth <= 0 || monitorHeight <= 0 || !std::isfinite(ratio) || ratio <= 0) return 0;
  const Real r = ratio;
  if (Real(monitorWidth) / monitorHeight >= r) return 0;
  const int64_t H0 = roundEven(monitorWidth / r);  // picture height at full width
  if (H0 < 1) return 0;
  const int p = roundEven(((Real(monitorHeight - H0) / 3 + H0) / H0 - 1) / Real(0.02));
  const int clamped = std::clamp(p, 0, 50);
  return clamped <= 2 ? 0 : clamped;
}

double nativeRatio(int videoWidth, int videoHeight) {
  if (videoWidth <= 0 || videoHeight <= 0) return kNoMovieRatio;
  const double r = roundEven(Real(videoWidth) * 100 / videoHeight) / 100.0;
  return std::clamp(r, 0.10, 5.00);
}

std::string formatRatio(double ratio, char decimalSeparator) {
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, ratio);
  if (ec != std::errc()) return {};
  std::string text(buffer, end);
  std::replace(text.begin(), text.end(), '.', decimalSeparator);
  return text;
}

}  // namespace video
