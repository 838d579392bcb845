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

int32_t roundEvenQuotient(int64_t numerator, int64_t denominator) {
  if (denominator <= 0) return 0;
  // Floor division, so the remainder is in [0, denominator) for either sign.
  int64_t q = numerator / denominator;
  int64_t r = numerator % denominator;
  if (r < 0) {
    --q;
    r += denominator;
  }
  const int64_t rest = denominator - r;  // r compared with half the denominator, without overflow
  if (r > rest || (r == rest && q % 2 != 0)) ++q;
  return saturate(q);
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
  // With a native size the shape is the integer ratio A : B, taken exactly
  // (x * to / from); only a product beyond 64 bits falls back to floating point.
  auto scale = [](int64_t x, int64_t to, int64_t from) -> int64_t {
    int64_t product = 0;
    if (__builtin_mul_overflow(x, to, &product)) return roundEven(Real(x) / from * to);
    return roundEvenQuotient(product, from);
  };
  auto widthFor = [&](int64_t h) -> int64_t {
    return c.valid ? scale(h, c.A, c.B) : roundEven(Real(h) * ratio);
  };
  auto heightFor = [&](int64_t w) -> int64_t {
    return c.valid ? scale(w, c.B, c.A) : roundEven(Real(w) / ratio);
  };
  // The percent terms in exact decimal: Round(x * P * 0.02) is Round(x * P / 50),
  // Round(x * P * (-0.01)) is Round(-x * P / 100), Round(x * offset * 0.01) is
  // Round(x * offset / 100). A half pixel goes to the even neighbour.
  auto panGrowth = [&](int64_t x) -> int64_t { return roundEvenQuotient(x * P, 50); };
  auto panShift = [&](int64_t x) -> int64_t { return roundEvenQuotient(-x * P, 100); };
  auto percentOf = [](int64_t x, int64_t percent) -> int64_t {
    return roundEvenQuotient(x * percent, 100);
  };
  // Pan-scan at -50 or a 1-pixel area would give an empty picture: keep 1 pixel.
  auto atLeastOne = [](int64_t v) { return std::max<int64_t>(v, 1); };

  int64_t W = 0, H = 0, left = 0, top = 0;
  if (keepAspectRatio) {
    if (Real(Wa) / Ha > ratio) {  // the area is wider than the picture
      H = atLeastOne(Ha + panGrowth(Ha));
      W = atLeastOne(widthFor(H));
      left = (Wa - W) / 2 + percentOf(W, offsetX);
      top = panShift(Ha) - percentOf(H, offsetY);
    } else {
      W = atLeastOne(Wa + panGrowth(Wa));
      H = atLeastOne(heightFor(W));
      left = panShift(Wa) + percentOf(W, offsetX);
      top = (Ha - H) / 2 - percentOf(H, offsetY);
    }
  } else {
    W = atLeastOne(Wa + panGrowth(Wa));
    H = atLeastOne(Ha + panGrowth(Ha));
    left = panShift(Wa) + percentOf(W, offsetX);
    top = panShift(Ha) - percentOf(H, offsetY);
  }
  return {saturate(left), saturate(top), saturate(W), saturate(H)};
}

int AutomaticPanScanAmount(int monitorWidth, int monitorHeight, double ratio) {
  if (monitorWidth <= 0 || monitorHeight <= 0 || !std::isfinite(ratio) || ratio <= 0) return 0;
  const Real r = ratio;
  if (Real(monitorWidth) / monitorHeight >= r) return 0;
  const int64_t H0 = roundEven(monitorWidth / r);  // picture height at full width
  if (H0 < 1) return 0;
  // (((Mh - H0) / 3 + H0) / H0 - 1) / 0.02 is exactly 50 (Mh - H0) / (3 H0).
  const int p = roundEvenQuotient(50 * (monitorHeight - H0), 3 * H0);
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
