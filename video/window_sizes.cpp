#include "video/window_sizes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace video {

namespace {

using Real = long double;

Bounds sized(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

bool validBounds(const Bounds& b) {
  return b.width() > 0 && b.height() > 0;
}

// Length of the overlap of [a0, a1) and [b0, b1), 0 when apart.
int64_t overlap(int64_t a0, int64_t a1, int64_t b0, int64_t b1) {
  return std::max<int64_t>(0, std::min(a1, b1) - std::max(a0, b0));
}

}  // namespace

Bounds limitToX11(const Bounds& b) {
  const int width = std::clamp(b.width(), kWindowMinWidth, kWindowSideMax);
  const int height = std::clamp(b.height(), kWindowMinHeight, kWindowSideMax);
  const int left = std::clamp(b.Left, kX11CoordinateMin, kX11CoordinateMax - width);
  const int top = std::clamp(b.Top, kX11CoordinateMin, kX11CoordinateMax - height);
  return sized(left, top, width, height);
}

int panScanForWindowSize(int percent) {
  const int p = percent >= 100 ? percent - 100 : -percent / 2;
  return std::clamp(p, kPanScanMin, kPanScanMax);
}

std::optional<Bounds> windowSizeBounds(const PictureState& picture, int percent,
                                       const Bounds& window, const Bounds& screen) {
  // Without a native size (audio only, nothing rendered) there is no size to give.
  if (picture.VideoWidth <= 0 || picture.VideoHeight <= 0 || percent <= 0) return std::nullopt;
  const Real s =
      std::sqrt(Real(picture.VideoHeight) * usableRatio(picture.PictureRatio) / picture.VideoWidth);
  const Real scale = Real(percent) / 100;
  const int W =
      std::clamp(roundEven(scale * picture.VideoWidth * s), kWindowMinWidth, kWindowSideMax);
  const int H =
      std::clamp(roundEven(scale * picture.VideoHeight / s), kWindowMinHeight, kWindowSideMax);
  if (W == window.width() && H == window.height()) return std::nullopt;
  // Keep the centre, then keep a tenth of the screen's size reachable.
  int left = window.Left + (window.width() - W) / 2;
  int top = window.Top + (window.height() - H) / 2;
  const int Sw = screen.width(), Sh = screen.height();
  top = std::max(std::min(top, screen.Top + Sh * 9 / 10), screen.Top + Sh / 10 - H);
  left = std::max(std::min(left, screen.Left + Sw * 9 / 10), screen.Left + Sw / 10 - W);
  return limitToX11(sized(left, top, W, H));
}

ZoomStep zoomCycle(const Bounds& window, const Bounds& monitor,
                   const std::optional<Bounds>& zoomSaved) {
  ZoomStep step;
  step.zoomSaved = zoomSaved;
  const int64_t W = window.width(), H = window.height();
  const bool fits = Real(2 * W) <= Real(0.9) * monitor.width() &&
                    Real(2 * H) <= Real(0.9) * monitor.height() && W > 0 && H > 0;
  if (fits) {
    if (!step.zoomSaved) step.zoomSaved = window;
    step.doubled = limitToX11(
        sized(window.Left - int(W / 2), window.Top - int(H / 2), int(2 * W), int(2 * H)));
    return step;
  }
  step.toFullScreen = true;
  if (zoomSaved && validBounds(*zoomSaved)) step.restore = zoomSaved;
  return step;
}

int movieModeFontSize(int subtitleSize, int screenWidth) {
  return roundEven(Real(subtitleSize) * 28 * screenWidth / 102400);
}

MovieModeLayout movieModeLayout(const MovieModeInput& in) {
  MovieModeLayout out;
  const int Tw = in.TargetWidth, Th = in.TargetHeight;
  if (Tw <= 0 || Th <= 0) return out;
  out.valid = true;
  const Real ratio = usableRatio(in.Picture.PictureRatio);
  const CorrectedSize c =
      correctedSize(in.Picture.VideoWidth, in.Picture.VideoHeight, in.Picture.PictureRatio);
  // Width for a height and back, keeping the corrected shape (the ratio alone
  // without a native size).
  auto widthFor = [&](Real h) { return c.valid ? roundEven(h / c.B * c.A) : roundEven(h * ratio); };
  auto heightFor = [&](Real w) {
    return c.valid ? roundEven(w / c.A * c.B) : roundEven(w / ratio);
  };
  if (in.SubtitleShown) out.AverageVerticalDisplayZone = 0;

  if (!in.KeepAspectRatio) {  // "Free": the picture fills the target
    out.Destination = {0, 0, Tw, Th};
    return out;
  }
  if (Real(roundEven(Real(Tw) * 101 / Th)) / 100 >= ratio) {
    // The target is at least about as wide as the picture: full height.
    const int H = Th;
    const int W = widthFor(H);
    out.Destination = {(Tw - W) / 2, 0, W, H};
    return out;
  }

  // A letterboxed picture: grow it and centre it in what the subtitle leaves.
  const Real H0 = Real(Tw) / ratio;
  const int P = Real(Tw) / Th >= ratio ? 0 : AutomaticPanScanAmount(Tw, Th, double(ratio));
  const int grown = roundEven(H0 * (1 + Real(0.02) * P));
  const int fullWidthHeight = roundEven(H0);
  int Hp = 0, M = 0;
  if (in.SubtitleShown) {
    const int text = 2 * in.TextHeight + (in.UseOutlineFont ? in.FontPoints / 9 : 0);
    Hp = std::max(std::min(grown, Th - text), fullWidthHeight);
    M = (Th - Hp - text) / 2;
  } else {
    Hp = std::max(grown, fullWidthHeight);
    M = (Th - Hp) / 2;
  }
  M = std::max(M, 0);
  int pan = roundEven((Hp - H0) * 100 / (2 * H0));
  if (pan <= 2) pan = 0;
  out.PanScanSize = std::clamp(pan, kPanScanMin, kPanScanMax);
  if (in.SubtitleShown)
    out.AverageVerticalDisplayZone = std::clamp(roundEven(Real(Th - Hp - M) * 50 / Th), 0, 50);
  out.PictureOffsetX = 0;
  const int W = Tw + roundEven(Real(out.PanScanSize) * Real(0.02) * Tw);
  const int H = std::max(heightFor(W), 1);
  out.PictureOffsetY = std::clamp(roundEven(Real(Th - H - 2 * M) * 50 / H), kOffsetMin, kOffsetMax);
  out.Destination = {roundEven(Real(out.PanScanSize) * Real(-0.01) * Tw) +
                         roundEven(Real(out.PictureOffsetX) * Real(0.01) * W),
                     (Th - H) / 2 - roundEven(Real(out.PictureOffsetY) * Real(0.01) * H), W, H};
  return out;
}

Bounds keepOnScreens(const Bounds& window, const std::vector<Bounds>& monitors,
                     const Bounds& fallback) {
  for (const Bounds& m : monitors)
    if (overlap(window.Left, window.Right, m.Left, m.Right) >= kWindowMinWidth &&
        overlap(window.Top, window.Bottom, m.Top, m.Bottom) >= kWindowMinHeight)
      return window;
  if (!validBounds(fallback)) return limitToX11(window);
  const int W = std::clamp(window.width(), kWindowMinWidth, std::max(fallback.width(), 1));
  const int H = std::clamp(window.height(), kWindowMinHeight, std::max(fallback.height(), 1));
  return limitToX11(sized(fallback.Left + (fallback.width() - W) / 2,
                          fallback.Top + (fallback.height() - H) / 2, W, H));
}

Point2 keepScreenFraction(const Point2& topLeft, int clientWidth, int clientHeight, int oldScreenW,
                          int oldScreenH, int newScreenW, int newScreenH, const Bounds& workArea) {
  auto place = [](int pos, int size, int oldScreen, int newScreen, int areaStart, int areaSize) {
    const int scaled = oldScreen > 0 ? roundEven(Real(newScreen) * pos / oldScreen) : pos;
    return std::max(areaStart, std::min(areaStart + areaSize - size, scaled));
  };
  return {place(topLeft.X, clientWidth, oldScreenW, newScreenW, workArea.Left, workArea.width()),
          place(topLeft.Y, clientHeight, oldScreenH, newScreenH, workArea.Top, workArea.height())};
}

}  // namespace video
