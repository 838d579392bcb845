// Wheel resizing of the video window: step sizes, limits and reachability.
#include <gtest/gtest.h>

#include "video/wheel_resize.h"

namespace video {
namespace {

constexpr WindowRect kWorkArea{0, 0, 1280, 1024};

std::string text(const std::optional<WindowRect>& r) {
  if (!r) return "none";
  return std::to_string(r->left) + "," + std::to_string(r->top) + " " + std::to_string(r->width) +
         "x" + std::to_string(r->height);
}

TEST(WheelResizeTest, ShrinksSixteenPixelsDownToFortyByThirty) {
  const struct {
    WindowRect window;
    const char* expect;
  } rows[] = {
      {{100, 100, 317, 245}, "108,106 301x233"},
      {{100, 100, 50, 38}, "105,104 40x30"},          // stops at a 40 x 30 drawing area
      {{105, 104, 40, 30}, "none"},                   // the smallest size
      {{100, 100, 41, 100}, "100,101 40x98"},         // one pixel left to take
      {{0, 0, 200, 20}, "none"},                      // the height would drop below 30
      {{1200, 1000, 317, 245}, "1152,921 301x233"},   // pulled back from the right and bottom
      {{-500, -400, 317, 245}, "-173,-131 301x233"},  // pulled back from the left and top
      {{0, 0, 0, 0}, "none"},
  };
  for (const auto& r : rows) EXPECT_EQ(text(wheelShrink(r.window, kWorkArea)), r.expect);
}

TEST(WheelResizeTest, GrowsUpToTwiceTheMovieOrTheScreen) {
  const struct {
    WindowRect window;
    int videoW, videoH;
    double aspect;
    const char* expect;
  } rows[] = {
      {{100, 100, 320, 240}, 320, 240, 4.0 / 3, "92,94 336x252"},
      {{100, 100, 320, 240}, 0, 0, 0, "92,94 336x252"},           // no movie: the screen limits
      {{0, 0, 1280, 960}, 320, 240, 4.0 / 3, "none"},             // as wide as the screen
      {{0, 0, 1710, 962}, 720, 576, 16.0 / 9, "-3,-2 1717x966"},  // twice the displayed width
      {{0, 0, 8184, 6138}, 8000, 6000, 4.0 / 3, "-4,-3 8192x6144"},
      {{-4, -3, 8192, 6144}, 8000, 6000, 4.0 / 3, "none"},  // never past the cap
      {{0, 0, 0, 0}, 320, 240, 4.0 / 3, "none"},
  };
  for (const auto& r : rows)
    EXPECT_EQ(text(wheelGrow(r.window, r.videoW, r.videoH, r.aspect, 1280, 1024)), r.expect);
}

TEST(WheelResizeTest, UserResizeLimitIsCapped) {
  EXPECT_EQ(maxWindowSide(640), 6400);
  EXPECT_EQ(maxWindowSide(1280), kMaxWindowSidePx);
  EXPECT_EQ(maxWindowSide(0), kMaxWindowSidePx);
}

}  // namespace
}  // namespace video
