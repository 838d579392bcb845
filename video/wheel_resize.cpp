#include "video/wheel_resize.h"

#include <algorithm>
#include <cmath>

namespace video {

namespace {

int roundEven(double x) {
  return int(std::nearbyint(x));
}

int floorHalf(int v) {
  return int(std::floor(v / 2.0));
}

int ceilHalf(int v) {
  return int(std::ceil(v / 2.0));
}

// Builds a rectangle from its four edges.
WindowRect edges(int left, int top, int right, int bottom) {
  return {left, top, right - left, bottom - top};
}

}  // namespace

int maxWindowSide(int screenSidePx) {
  if (screenSidePx <= 0) return kMaxWindowSidePx;
  return std::min(10 * screenSidePx, kMaxWindowSidePx);
}

std::optional<WindowRect> wheelShrink(const WindowRect& w, const WindowRect& r) {
  if (w.width <= 0 || w.height <= 0) return std::nullopt;
  if (!(w.height > 30 || w.width > 40)) return std::nullopt;
  const int b = std::max(std::min(w.width - 40, 16), 0);
  if (b < 1) return std::nullopt;
  const int dh = w.height - roundEven(double(w.height) / w.width * (w.width - b));
  if (!(w.height - dh > 29)) return std::nullopt;
  WindowRect n = edges(w.left + floorHalf(b), w.top + floorHalf(dh), w.left + w.width - ceilHalf(b),
                       w.top + w.height - ceilHalf(dh));
  // Keep the window reachable inside the work area.
  const int maxLeft = r.left + r.width * 9 / 10, maxTop = r.top + r.height * 9 / 10;
  const int minRight = r.left + r.width / 10, minBottom = r.top + r.height / 10;
  if (n.left > maxLeft) n.left = maxLeft;
  if (n.top > maxTop) n.top = maxTop;
  if (n.left + n.width < minRight) n.left = minRight - n.width;
  if (n.top + n.height < minBottom) n.top = minBottom - n.height;
  return n;
}

std::optional<WindowRect> wheelGrow(const WindowRect& w, int videoWidth, int videoHeight,
                                    double aspect, int screenWidth, int screenHeight) {
  if (w.width <= 0 || w.height <= 0) return std::nullopt;
  int maxW = screenWidth, maxH = screenHeight;
  if (videoWidth > 0 && videoHeight > 0 && aspect > 0) {
    const double s = std::sqrt(videoHeight * aspect / videoWidth);
    maxW = std::max(roundEven(std::min(2.0 * videoWidth * s, 1e9)), screenWidth);
    maxH = std::max(roundEven(std::min(2.0 * videoHeight / s, 1e9)), screenHeight);
  }
  maxW = std::min(maxW, kMaxWindowSidePx);
  maxH = std::min(maxH, kMaxWindowSidePx);
  if (!(w.height < maxH || w.width < maxW)) return std::nullopt;
  const int c = std::max(std::min(maxW - w.width, 16), 0);
  if (c < 1) return std::nullopt;
  const int dh = roundEven(double(w.height) / w.width * (w.width + c)) - w.height;
  if (!(w.height + dh < maxH)) return std::nullopt;
  return edges(w.left - floorHalf(c), w.top - floorHalf(dh), w.left + w.width + ceilHalf(c),
               w.top + w.height + ceilHalf(dh));
}

}  // namespace video
