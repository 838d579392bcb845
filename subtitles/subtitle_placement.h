#pragma once
// Where and how the laid-out subtitle lines are drawn on the video window:
// the font size that fits the width, the line positions of plain drawing,
// the outline bitmap's size and place, its colours and the outline and
// shadow stroke offsets. Pixels of the video window; colours 0x00BBGGRR.
// Pure functions; safe from any thread.
#include <cstdint>
#include <span>
#include <vector>

#include "subtitles/subtitle_layout.h"

namespace subtitles {

struct Offset {
  int dx, dy;
  bool operator==(const Offset&) const = default;
};

// Stroke offsets around the text at font size F: none below 10 points.
std::span<const Offset> outlineOffsets(int fontSize);
// Drop-shadow offsets, drawn after the outline: none below 16 points.
std::span<const Offset> shadowOffsets(int fontSize);

struct OutlineColors {
  uint32_t outline;  // stroke and shadow colour
  uint32_t key;      // bitmap background, copied as transparent
};
// White strokes for the nine dark named colours, black strokes otherwise; the
// key is a shade of the text colour that differs from both text and strokes.
OutlineColors outlineColors(uint32_t textColor);

// Drawing size: the subtitle size for the window width times FontScale; when
// `fitToWidth`, lowered point by point (not below 1) while the widest line is
// wider than HorizontalDisplayArea % of the window width.
int drawingFontSize(const std::vector<std::string>& lines, float fontScale, int subtitleSize,
                    int horizontalDisplayArea, bool fitToWidth, int windowWidthPx, double dpi,
                    const MeasureText& measure);

// Plain drawing: the top row of each line (block centred
// AverageVerticalDisplayZone % above the bottom, never below it) and the new
// SubtitleZoneTop. A block taller than the space above is moved down so that
// its first line stays on the window; lines that then pass the bottom edge
// are cut there.
struct DirectPlacement {
  std::vector<int> lineTops;
  int zoneTop;
};
DirectPlacement placeDirect(int lineCount, int lineHeightPx, int windowHeightPx, int zonePercent);

// Outline drawing: the bitmap (widest line + 9 by lines x line height + 11)
// and where it is copied. Like plain drawing, the bitmap's top never leaves
// the window's top edge.
struct OutlinePlacement {
  int bitmapWidth, bitmapHeight;
  int x, y;     // where the bitmap's top-left corner goes on the window
  int zoneTop;  // the new SubtitleZoneTop
};
OutlinePlacement placeOutline(int widestLinePx, int lineCount, int lineHeightPx, int windowWidthPx,
                              int windowHeightPx, int zonePercent);

// Left edge of a line of `lineWidthPx` in the outline bitmap (text rows are
// at j x line height + 3).
inline int outlineLineX(int bitmapWidth, int lineWidthPx) {
  return (bitmapWidth - lineWidthPx) / 2 - 1;
}

}  // namespace subtitles
