#pragma once
// Resizing the video window with the mouse wheel: 16 pixels of width per
// step, the height following the window's own shape, around the window's
// centre. Pixels of the desktop. Pure functions.
#include <optional>

namespace video {

struct WindowRect {
  int left, top, width, height;
  bool operator==(const WindowRect&) const = default;
};

// Largest window side the player allows, whatever the screen or movie: keeps
// the back buffer small (8192 x 8192 x 4 bytes = 256 MiB at most) and the
// coordinates well inside X11's 16-bit range.
inline constexpr int kMaxWindowSidePx = 8192;

// Largest window size a user resize allows: ten times the screen, capped.
int maxWindowSide(int screenSidePx);

// One wheel step down: the window shrinks, never below a drawing area of 40
// x 30, and stays reachable in the work area (at least a tenth of it visible
// to the left and top, its edges never beyond nine tenths). nullopt when the
// window cannot shrink.
std::optional<WindowRect> wheelShrink(const WindowRect& window, const WindowRect& workArea);

// One wheel step up: grows up to twice the movie's displayed size or the
// screen size, whichever is larger (both capped at kMaxWindowSidePx). Without
// a movie picture (videoWidth or videoHeight 0, aspect 0) the screen size is
// the limit. nullopt when the window cannot grow.
std::optional<WindowRect> wheelGrow(const WindowRect& window, int videoWidth, int videoHeight,
                                    double aspect, int screenWidth, int screenHeight);

}  // namespace video
