#include "subtitles/subtitle_placement.h"

#include <algorithm>
#include <cmath>

namespace subtitles {

namespace {

// Outline strokes for 10-15, 16-42 (the first offset is drawn twice) and 43+ points.
constexpr Offset kOutlineSmall[] = {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}};
constexpr Offset kOutlineMedium[] = {{-2, -2}, {-2, -2}, {-2, 0}, {-2, -1}, {-2, 2},
                                     {-1, -2}, {0, -2},  {1, -2}, {2, -2},  {2, -1},
                                     {2, 0},   {2, 1},   {2, 2}};
constexpr Offset kOutlineLarge[] = {
    {-3, -3}, {-3, -1}, {-3, 0}, {-3, 2}, {-3, 3}, {-2, -3}, {-1, -3}, {-1, 3}, {0, -3}, {1, -3},
    {1, -2},  {2, -3},  {3, -3}, {3, -2}, {3, -1}, {3, 0},   {3, 1},   {3, 2},  {3, 3}};

// Shadows for 16-25, 26-43, 44-54 and 55+ points.
constexpr Offset kShadow16[] = {{2, 2}, {2, 3}, {3, 2}, {3, 3}};
constexpr Offset kShadow26[] = {{2, 2}, {2, 4}, {4, 2}, {4, 4}};
constexpr Offset kShadow44[] = {{3, 3}, {3, 5}, {7, 3}, {7, 5}};
constexpr Offset kShadow55[] = {{2, 3}, {2, 7}, {8, 3}, {8, 7}};

constexpr uint32_t kDarkNamed[] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000,
                                   0x800080, 0x808000, 0x808080, 0xFF0000};

uint32_t bgr(uint32_t r, uint32_t g, uint32_t b) {
  return r | (g << 8) | (b << 16);
}

int roundEven(double x) {
  return int(std::nearbyint(x));
}

}  // namespace

std::span<const Offset> outlineOffsets(int fontSize) {
  if (fontSize < 10) return {};
  if (fontSize <= 15) return kOutlineSmall;
  if (fontSize <= 42) return kOutlineMedium;
  return kOutlineLarge;
}

std::span<const Offset> shadowOffsets(int fontSize) {
  if (fontSize < 16) return {};
  if (fontSize <= 25) return kShadow16;
  if (fontSize <= 43) return kShadow26;
  if (fontSize <= 54) return kShadow44;
  return kShadow55;
}

OutlineColors outlineColors(uint32_t textColor) {
  const uint32_t t = textColor & 0xFFFFFF;
  const uint32_t r = t & 0xFF, g = (t >> 8) & 0xFF, b = (t >> 16) & 0xFF;
  OutlineColors c;
  if (std::find(std::begin(kDarkNamed), std::end(kDarkNamed), t) != std::end(kDarkNamed)) {
    c.outline = 0xFFFFFF;
    c.key = bgr(192 + r / 4, 192 + g / 4, 192 + b / 4);
    if (c.key == t || c.key == c.outline) c.key = bgr(254, 254, 254);
  } else {
    c.outline = 0x000000;
    c.key = bgr(r / 4, g / 4, b / 4);
    if (c.key == t || c.key == c.outline) c.key = bgr(1, 1, 1);
    // Text of (1, 1, 1) would vanish into that key: take the next shade.
    if (c.key == t) c.key = bgr(2, 2, 2);
  }
  return c;
}

int drawingFontSize(const std::vector<std::string>& lines, float fontScale, int subtitleSize,
                    int horizontalDisplayArea, bool fitToWidth, int windowWidthPx, double dpi,
                    const MeasureText& measure) {
  int size = subtitleFontSize(windowWidthPx, subtitleSize, dpi, fontScale);
  if (!fitToWidth || lines.empty()) return size;
  size_t widest = 0;
  int widestPx = -1;
  for (size_t i = 0; i < lines.size(); ++i) {
    const int w = lines[i].empty() ? 0 : measure(lines[i], size);
    if (w > widestPx) widestPx = w, widest = i;
  }
  const int limit = roundEven(horizontalDisplayArea * 0.01 * windowWidthPx);
  while (size > 1 && widestPx > limit) {
    --size;
    widestPx = measure(lines[widest], size);
  }
  return size;
}

DirectPlacement placeDirect(int lineCount, int lineHeightPx, int windowHeightPx, int zonePercent) {
  DirectPlacement p;
  const int block = lineCount * lineHeightPx;
  const int offset = std::max(roundEven(zonePercent * 0.01 * windowHeightPx) - block / 2, 0);
  const int top = std::max(windowHeightPx - block - offset, 0);
  for (int i = 0; i < lineCount; ++i) p.lineTops.push_back(top + i * lineHeightPx);
  p.zoneTop = top - 1;
  return p;
}

OutlinePlacement placeOutline(int widestLinePx, int lineCount, int lineHeightPx, int windowWidthPx,
                              int windowHeightPx, int zonePercent) {
  OutlinePlacement p;
  p.bitmapWidth = widestLinePx + 9;
  p.bitmapHeight = lineCount * lineHeightPx + 11;
  int top = std::min(
      windowHeightPx - p.bitmapHeight + 5,
      windowHeightPx - roundEven(zonePercent * 0.01 * windowHeightPx) - p.bitmapHeight / 2 + 2);
  top = std::max(top, -2);  // the bitmap is copied at top + 2
  p.zoneTop = top + 1;
  p.x = (windowWidthPx - p.bitmapWidth) / 2 + 2;
  p.y = top + 2;
  return p;
}

}  // namespace subtitles
