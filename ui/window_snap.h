#pragma once
// Snapping of window positions to other player windows and to the screen
// edges, and the docking of windows to the main window. Rectangles are in
// desktop pixels with right = left + width and bottom = top + height, so two
// windows side by side have a.right == b.left. Pure functions, any thread.
#include <span>

namespace ui {

struct SnapRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const SnapRect&) const = default;
};

inline constexpr int kSnapDistance = 10;  // edges this close (inclusive) snap together
inline constexpr int kAlignDistance = 7;  // neighbours' parallel edges this close align

// Snaps a proposed rectangle of a window that is moved (proposed size equals
// the current size: the whole rectangle shifts) or resized (only the edge
// concerned moves) against others (the visible, enabled player windows, taken
// last to first) and then against the screen rectangle.
SnapRect SnapWindowPosition(const SnapRect& current, const SnapRect& proposed,
                            std::span<const SnapRect> others, const SnapRect& screen);

// True when the two windows touch edge to edge (exact equality, no overlap test).
bool windowsTouch(const SnapRect& main, const SnapRect& other);

// The main window's own move: shifts the whole proposed rectangle against the
// undocked visible windows (then aligns tops or bottoms, lefts or rights within
// 7 px) and against the screen.
SnapRect snapMainWindowMove(const SnapRect& proposed, std::span<const SnapRect> undocked,
                            const SnapRect& screen);

}  // namespace ui
