// Window sizes, the zoom cycle, movie mode and keeping windows on a screen.
#include <gtest/gtest.h>

#include <string>

#include "video/window_sizes.h"

namespace video {
namespace {

std::string text(const Bounds& b) {
  return std::to_string(b.Left) + "," + std::to_string(b.Top) + " " + std::to_string(b.width()) +
         "x" + std::to_string(b.height());
}
std::string text(const std::optional<Bounds>& b) {
  return b ? text(*b) : "none";
}
std::string text(const Rect& r) {
  return std::to_string(r.Left) + "," + std::to_string(r.Top) + " " + std::to_string(r.Width) +
         "x" + std::to_string(r.Height);
}

Bounds at(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

constexpr Bounds kScreen{0, 0, 1280, 1024};

TEST(WindowSizeTest, SizesFromTheCorrectedPictureAboutTheCentre) {
  const struct {
    int videoW, videoH;
    double ratio;
    int percent;
    Bounds window;
    const char* expect;
  } rows[] = {
      {720, 576, 1.78, 100, at(100, 100, 400, 300), "-129,9 859x483"},
      {720, 576, 1.78, 200, at(100, 100, 400, 300), "-559,-232 1718x965"},
      {720, 576, 1.78, 50, at(100, 100, 400, 300), "85,129 430x241"},
      {720, 576, 1.78, 100, at(10, 10, 859, 483), "none"},                  // already that size
      {320, 240, 1.33, 100, at(1200, 1000, 100, 100), "1090,921 320x240"},  // pulled back
      {320, 240, 1.33, 100, at(-900, -900, 100, 100), "-192,-138 320x240"},
      {0, 0, 1.33, 100, at(0, 0, 100, 100), "none"},                  // no picture: no size
      {720, 576, 0.0, 100, at(0, 0, 100, 100), "-321,-229 743x558"},  // ratio 0 uses 1.33
      {8, 6, 1.33, 50, at(0, 0, 100, 100), "88,72 40x30"},  // never below 40 x 30, kept reachable
      {30000, 20000, 1.5, 200, at(0, 0, 100, 100), "-4046,-4046 8192x8192"},  // capped
  };
  for (const auto& r : rows) {
    PictureState p;
    p.VideoWidth = r.videoW;
    p.VideoHeight = r.videoH;
    p.PictureRatio = r.ratio;
    EXPECT_EQ(text(windowSizeBounds(p, r.percent, r.window, kScreen)), r.expect)
        << r.videoW << "x" << r.videoH << " " << r.percent << "%";
  }
}

TEST(WindowSizeTest, PercentInFullScreenBecomesPanScan) {
  const struct {
    int percent, panScan;
  } rows[] = {{100, 0}, {200, 100}, {50, -25}, {0, 0}, {150, 50}, {500, 100}};
  for (const auto& r : rows) EXPECT_EQ(panScanForWindowSize(r.percent), r.panScan) << r.percent;
}

TEST(ZoomCycleTest, DoublesWhileItFitsThenGoesFullScreen) {
  const Bounds monitor = kScreen;
  // 400 x 300 doubles to 800 x 600 about its centre and remembers 400 x 300.
  ZoomStep first = zoomCycle(at(300, 200, 400, 300), monitor, std::nullopt);
  EXPECT_FALSE(first.toFullScreen);
  EXPECT_EQ(text(first.doubled), "100,50 800x600");
  EXPECT_EQ(text(first.zoomSaved), "300,200 400x300");
  // 800 x 600 would become 1600 > 1152: full screen, returning to 400 x 300.
  ZoomStep second = zoomCycle(first.doubled, monitor, first.zoomSaved);
  EXPECT_TRUE(second.toFullScreen);
  EXPECT_EQ(text(second.restore), "300,200 400x300");
  // Without a saved size the current bounds stay the restore rectangle.
  EXPECT_FALSE(zoomCycle(at(0, 0, 700, 500), monitor, std::nullopt).restore);
  // Exactly nine tenths still doubles (576 x 460 -> 1152 x 920 fits 1152 x 921.6).
  EXPECT_FALSE(zoomCycle(at(0, 0, 576, 460), monitor, std::nullopt).toFullScreen);
  // A saved size of nothing is no restore rectangle; an empty monitor never doubles.
  EXPECT_FALSE(zoomCycle(at(0, 0, 900, 900), monitor, Bounds{}).restore);
  EXPECT_TRUE(zoomCycle(at(0, 0, 100, 100), Bounds{}, std::nullopt).toFullScreen);
}

TEST(MovieModeTest, LayoutPerTargetAndSubtitle) {
  const struct {
    int videoW, videoH;
    double ratio;
    bool keep;
    int Tw, Th;
    bool subtitle;
    int textH, points;
    bool outline;
    int pan, offsetY, zone;  // zone -1: untouched
    const char* rect;
  } rows[] = {
      // 1280 x 1024, 720 x 576 at 1.78, no subtitle: (-90, 102, 1459, 820), pan 7.
      {720, 576, 1.78, true, 1280, 1024, false, 0, 0, false, 7, 0, -1, "-90,102 1459x820"},
      // A subtitle two lines high keeps room under the picture.
      {720, 576, 1.78, true, 1280, 1024, true, 60, 20, false, 7, 7, 8, "-90,45 1459x820"},
      {720, 576, 1.78, true, 1280, 1024, true, 60, 27, true, 7, 8, 8, "-90,36 1459x820"},
      // Very tall subtitles: the picture never shrinks below full width.
      {720, 576, 1.78, true, 1280, 1024, true, 200, 20, false, 0, 21, 15, "0,1 1280x720"},
      // A 4:3 picture on a 4:3 screen fills the height.
      {640, 480, 1.33, true, 1024, 768, false, 0, 0, false, 0, 0, -1, "2,0 1020x768"},
      // "Free" fills the target whatever the ratio.
      {720, 576, 2.35, false, 1280, 1024, true, 60, 20, false, 0, 0, 0, "0,0 1280x1024"},
      // No native size: the ratio alone shapes the picture.
      {0, 0, 1.78, true, 1280, 1024, false, 0, 0, false, 7, 0, -1, "-90,102 1459x820"},
  };
  for (const auto& r : rows) {
    MovieModeInput in;
    in.Picture.VideoWidth = r.videoW;
    in.Picture.VideoHeight = r.videoH;
    in.Picture.PictureRatio = r.ratio;
    in.KeepAspectRatio = r.keep;
    in.TargetWidth = r.Tw;
    in.TargetHeight = r.Th;
    in.SubtitleShown = r.subtitle;
    in.TextHeight = r.textH;
    in.FontPoints = r.points;
    in.UseOutlineFont = r.outline;
    const MovieModeLayout out = movieModeLayout(in);
    SCOPED_TRACE(std::string(r.rect));
    EXPECT_TRUE(out.valid);
    EXPECT_EQ(out.PanScanSize, r.pan);
    EXPECT_EQ(out.PictureOffsetX, 0);
    EXPECT_EQ(out.PictureOffsetY, r.offsetY);
    EXPECT_EQ(out.AverageVerticalDisplayZone.value_or(-1), r.zone);
    EXPECT_EQ(text(out.Destination), r.rect);
  }
  MovieModeInput empty;  // a 0 x 0 target divides by nothing
  EXPECT_FALSE(movieModeLayout(empty).valid);
  EXPECT_EQ(movieModeFontSize(100, 1280), 35);
}

TEST(ScreenPlacementTest, RestoreBoundsStayOnAnExistingMonitor) {
  const std::vector<Bounds> monitors{at(0, 0, 1280, 1024)};
  const Bounds fallback = monitors[0];
  const struct {
    Bounds window;
    const char* expect;
  } rows[] = {
      {at(100, 100, 640, 480), "100,100 640x480"},        // on the monitor
      {at(1250, 100, 640, 480), "320,272 640x480"},       // only 30 px visible: brought back
      {at(2000, 0, 640, 480), "320,272 640x480"},         // on a monitor that went away
      {at(2000, 0, 3000, 2000), "0,0 1280x1024"},         // larger than the monitor: shrunk
      {at(-1000, -10, 1041, 480), "-1000,-10 1041x480"},  // 41 px still visible
  };
  for (const auto& r : rows) EXPECT_EQ(text(keepOnScreens(r.window, monitors, fallback)), r.expect);
}

TEST(ScreenPlacementTest, X11LimitsAndScreenFractions) {
  EXPECT_EQ(text(limitToX11(at(32000, -40000, 10000, 10))), "24575,-32768 8192x30");
  EXPECT_EQ(text(limitToX11(at(5, 5, 0, 0))), "5,5 40x30");
  const Bounds work = at(0, 0, 800, 570);
  // Halving the screen keeps the fraction; the client area stays in the work area.
  EXPECT_EQ(keepScreenFraction({640, 512}, 100, 100, 1280, 1024, 640, 480, work),
            (Point2{320, 240}));
  EXPECT_EQ(keepScreenFraction({1200, 1000}, 300, 200, 1280, 1024, 800, 600, work),
            (Point2{500, 370}));
  EXPECT_EQ(keepScreenFraction({-50, 10}, 10, 10, 0, 0, 800, 600, work), (Point2{0, 10}));
}

}  // namespace
}  // namespace video
