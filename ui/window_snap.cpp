#include "ui/window_snap.h"

#include <cstdlib>

namespace ui {
namespace {

bool near(int a, int b, int distance) {
  return std::abs(a - b) <= distance;
}

// Two ranges overlap when an end of either lies within the other, ends included.
bool overlap(int a1, int a2, int b1, int b2) {
  return (a1 >= b1 && a1 <= b2) || (a2 >= b1 && a2 <= b2) || (b1 >= a1 && b1 <= a2) ||
         (b2 >= a1 && b2 <= a2);
}

// Moves one edge to a target: shifting the whole rectangle when moving,
// otherwise moving only that edge.
void setLeft(SnapRect& r, int v, bool moving) {
  if (moving) r.right += v - r.left;
  r.left = v;
}
void setRight(SnapRect& r, int v, bool moving) {
  if (moving) r.left += v - r.right;
  r.right = v;
}
void setTop(SnapRect& r, int v, bool moving) {
  if (moving) r.bottom += v - r.top;
  r.top = v;
}
void setBottom(SnapRect& r, int v, bool moving) {
  if (moving) r.top += v - r.bottom;
  r.bottom = v;
}

void alignVertical(SnapRect& r, const SnapRect& o, bool moving, bool topsFirst) {
  if (topsFirst) {
    if (near(r.top, o.top, kAlignDistance))
      setTop(r, o.top, moving);
    else if (near(r.bottom, o.bottom, kAlignDistance))
      setBottom(r, o.bottom, moving);
    return;
  }
  if (near(r.bottom, o.bottom, kAlignDistance)) setBottom(r, o.bottom, moving);
  if (near(r.top, o.top, kAlignDistance)) setTop(r, o.top, moving);
}

void alignHorizontal(SnapRect& r, const SnapRect& o, bool moving, bool leftsFirst) {
  if (leftsFirst) {
    if (near(r.left, o.left, kAlignDistance))
      setLeft(r, o.left, moving);
    else if (near(r.right, o.right, kAlignDistance))
      setRight(r, o.right, moving);
    return;
  }
  if (near(r.right, o.right, kAlignDistance)) setRight(r, o.right, moving);
  if (near(r.left, o.left, kAlignDistance)) setLeft(r, o.left, moving);
}

// Snaps each edge of r that comes near the facing edge of another window o
// (while the two overlap along it), then aligns the sides across that edge;
// alignFirst goes on to alignVertical and alignHorizontal as their ...First.
void snapToWindow(SnapRect& r, const SnapRect& o, bool moving, bool alignFirst) {
  if (near(r.left, o.right, kSnapDistance) && overlap(r.top, r.bottom, o.top, o.bottom)) {
    setLeft(r, o.right, moving);
    alignVertical(r, o, moving, alignFirst);
  }
  if (near(r.right, o.left, kSnapDistance) && overlap(r.top, r.bottom, o.top, o.bottom)) {
    setRight(r, o.left, moving);
    alignVertical(r, o, moving, alignFirst);
  }
  if (near(r.top, o.bottom, kSnapDistance) && overlap(r.left, r.right, o.left, o.right)) {
    setTop(r, o.bottom, moving);
    alignHorizontal(r, o, moving, alignFirst);
  }
  if (near(r.bottom, o.top, kSnapDistance) && overlap(r.left, r.right, o.left, o.right)) {
    setBottom(r, o.top, moving);
    alignHorizontal(r, o, moving, alignFirst);
  }
}

void snapToScreen(SnapRect& r, const SnapRect& s, bool moving) {
  if (near(r.left, s.left, kSnapDistance)) setLeft(r, s.left, moving);
  if (near(r.right, s.right, kSnapDistance)) setRight(r, s.right, moving);
  if (near(r.top, s.top, kSnapDistance)) setTop(r, s.top, moving);
  if (near(r.bottom, s.bottom, kSnapDistance)) setBottom(r, s.bottom, moving);
}

}  // namespace

SnapRect SnapWindowPosition(const SnapRect& current, const SnapRect& proposed,
                            std::span<const SnapRect> others, const SnapRect& screen) {
  const bool moving = proposed.width() == current.width() && proposed.height() == current.height();
  SnapRect r = proposed;
  for (auto it = others.rbegin(); it != others.rend(); ++it) {
    const SnapRect& o = *it;
    snapToWindow(r, o, moving, false);
  }
  snapToScreen(r, screen, moving);
  return r;
}

bool windowsTouch(const SnapRect& main, const SnapRect& other) {
  return main.right == other.left || other.right == main.left || main.bottom == other.top ||
         other.bottom == main.top;
}

SnapRect snapMainWindowMove(const SnapRect& proposed, std::span<const SnapRect> undocked,
                            const SnapRect& screen) {
  SnapRect r = proposed;
  for (const SnapRect& o : undocked) {
    snapToWindow(r, o, true, true);
  }
  snapToScreen(r, screen, true);
  return r;
}

}  // namespace ui
