#pragma once
// Sizes and places of the video window: the fixed window sizes (50 %, 100 %,
// 200 %), the zoom cycle's doubling, the movie-mode layout, and keeping a
// window on an existing screen. Pixels of the desktop; Bounds have exclusive
// Right and Bottom. Pure functions; safe from any thread.
#include <optional>
#include <vector>

#include "video/picture_geometry.h"

namespace video {

// X11 keeps window coordinates in 16 bits; the player keeps every window side
// at most this long (see wheel_resize.h) and its edges inside the range.
inline constexpr int kX11CoordinateMin = -32768;
inline constexpr int kX11CoordinateMax = 32767;
inline constexpr int kWindowSideMax = 8192;
// The video window's smallest drawing area.
inline constexpr int kWindowMinWidth = 40;
inline constexpr int kWindowMinHeight = 30;

// Moves and cuts bounds so that the sides are kMinWindow..kWindowSideMax and
// every edge lies inside X11's coordinate range.
Bounds limitToX11(const Bounds& b);

// The window size command in full screen: the percent becomes a pan-scan
// amount (100 % gives 0, 200 % gives 100, 50 % gives -25).
int panScanForWindowSize(int percent);

// The window size command in a window: the corrected picture size times
// percent / 100, about the window's centre, kept reachable on the screen
// (at least a tenth of the screen's size from its far edges). nullopt when
// nothing changes or there is no picture (0 x 0, audio only).
std::optional<Bounds> windowSizeBounds(const PictureState& picture, int percent,
                                       const Bounds& window, const Bounds& screen);

// The zoom cycle (Enter) in a window: double about the centre while twice the
// size fits in nine tenths of the monitor, else go to full screen.
struct ZoomStep {
  bool toFullScreen = false;
  Bounds doubled;                   // the new bounds when doubling
  std::optional<Bounds> zoomSaved;  // the zoom saved rectangle afterwards (nullopt: none)
  // Full screen only: the restore rectangle to use instead of the current bounds.
  std::optional<Bounds> restore;
};
ZoomStep zoomCycle(const Bounds& window, const Bounds& monitor,
                   const std::optional<Bounds>& zoomSaved);

// The movie-mode layout: the picture enlarged so that the black bars shrink,
// with a shown subtitle moved into the bar under the picture.
struct MovieModeInput {
  PictureState Picture;
  bool KeepAspectRatio = true;
  int TargetWidth = 0;  // the monitor's (or the switched mode's) size
  int TargetHeight = 0;
  bool SubtitleShown = false;  // a subtitle is loaded and enabled
  int TextHeight = 0;          // height of "H" in the subtitle font, pixels
  int FontPoints = 0;          // the subtitle font's size in points
  bool UseOutlineFont = false;
};
struct MovieModeLayout {
  int PanScanSize = 0;
  int PictureOffsetX = 0;
  int PictureOffsetY = 0;
  std::optional<int> AverageVerticalDisplayZone;  // set only when a subtitle is shown
  Rect Destination;                               // on the target, for full screen
  bool valid = false;                             // false for an empty target
};
MovieModeLayout movieModeLayout(const MovieModeInput& in);

// The subtitle font's pixel size for movie mode: Round(SubtitleSize x 28 x
// screen width / 102400).
int movieModeFontSize(int subtitleSize, int screenWidth);

// A window's restore bounds after the monitors changed: kept as they are while
// at least a 40 x 30 piece lies on one monitor; otherwise centred on fallback
// (the monitor that holds the window now), shrunk to fit it.
Bounds keepOnScreens(const Bounds& window, const std::vector<Bounds>& monitors,
                     const Bounds& fallback);

// A window's new top-left corner after the screen size changed from old to
// new: each coordinate keeps its fraction of the screen, clamped so the
// client area stays inside the work area.
struct Point2 {
  int X = 0;
  int Y = 0;
  bool operator==(const Point2&) const = default;
};
Point2 keepScreenFraction(const Point2& topLeft, int clientWidth, int clientHeight, int oldScreenW,
                          int oldScreenH, int newScreenW, int newScreenH, const Bounds& workArea);

}  // namespace video
