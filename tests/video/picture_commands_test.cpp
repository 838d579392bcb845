#include "video/picture_commands.h"

#include <gtest/gtest.h>

#include "test_texts.h"

namespace video {
namespace {

using testing_support::englishPictureTexts;

PlayerView windowedView() {
  PlayerView v;
  v.GraphActive = true;
  v.WindowShowing = true;
  v.SurfaceWidth = 640;
  v.SurfaceHeight = 480;
  v.MonitorWidth = 1280;
  v.MonitorHeight = 1024;
  v.Destination = {0, 60, 640, 360};
  return v;
}

PlayerView fullScreenView() {
  PlayerView v = windowedView();
  v.FullScreen = true;
  v.SurfaceWidth = 1280;
  v.SurfaceHeight = 1024;
  return v;
}

TEST(RatioCommandTest, SetsRatioModeLabelAndScore) {
  const texts::InterfaceTexts t = englishPictureTexts();
  struct Row {
    RatioItem item;
    double startRatio;
    bool startKeep;
    char sep;
    double ratio;
    bool keep;
    const char* osd;  // nullptr: no message
    int score;
  } rows[] = {
      {RatioItem::Original, 1.78, true, '.', 1.25, true, "Aspect Ratio: original", 5000},
      {RatioItem::Original, 1.25, true, '.', 1.25, true, "Aspect Ratio: original", 0},
      {RatioItem::Ratio16x9, 1.25, true, '.', 1.78, true, "Aspect Ratio: 1.78 (16:9)", 5000},
      {RatioItem::Ratio16x9, 1.78, true, ',', 1.78, true, "Aspect Ratio: 1,78 (16:9)", 0},
      {RatioItem::Ratio16x9, 1.78, false, '.', 1.78, true, "Aspect Ratio: 1.78 (16:9)", 5000},
      {RatioItem::Ratio4x3, 1.78, true, '.', 1.33, true, "Aspect Ratio: 1.33 (4:3)", 5000},
      {RatioItem::Ratio1x1, 1.78, true, '.', 1.0, true, "Aspect Ratio: 1 (1:1)", 5000},
      {RatioItem::Free, 1.78, true, '.', 1.78, false, "Aspect Ratio: free", 5000},
      {RatioItem::Free, 1.78, false, '.', 1.78, false, "Aspect Ratio: free", 0},
      {RatioItem::Custom, 2.0, false, '.', 2.0, true, "Aspect Ratio: 2", 5000},
      {RatioItem::Custom, 2.0, true, '.', 2.0, true, nullptr, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(row.item) << " from " << row.startRatio);
    PictureState p{720, 576, row.startRatio, 0, 0};
    settings::Settings s;
    s.KeepAspectRatio = row.startKeep;
    PlayerView view = windowedView();
    view.DecimalSeparator = row.sep;
    PictureCommandResult r = ratioCommand(row.item, p, s, view, t);
    EXPECT_TRUE(r.acted);
    EXPECT_DOUBLE_EQ(p.PictureRatio, row.ratio);
    EXPECT_EQ(s.KeepAspectRatio, row.keep);
    EXPECT_EQ(r.checkRatioItem, row.item);
    EXPECT_TRUE(r.uncheckMovieMode);
    EXPECT_EQ(r.ScoreDelta, row.score);
    if (row.osd) {
      EXPECT_EQ(r.Osd, row.osd);
      ASSERT_TRUE(r.Destination.has_value());
      EXPECT_EQ(*r.Destination, LayoutPicture(p, s.KeepAspectRatio, 640, 480, 0));
      EXPECT_TRUE(r.resetVideoWindow);
    } else {
      EXPECT_FALSE(r.Osd.has_value());
      EXPECT_FALSE(r.Destination.has_value());
    }
  }
}

// Blocking conditions: the whole command is dropped, or only the layout and
// message are (the values still change).
TEST(RatioCommandTest, MarkedItemFollowsThePicture) {
  const struct {
    double ratio;
    int width, height;
    bool keep;
    RatioItem shown;
  } rows[] = {
      {1.5, 720, 480, true, RatioItem::Original},  {1.78, 720, 480, true, RatioItem::Ratio16x9},
      {1.33, 720, 480, true, RatioItem::Ratio4x3}, {1.0, 720, 480, true, RatioItem::Ratio1x1},
      {1.78, 720, 480, false, RatioItem::Free},    {2.35, 720, 480, true, RatioItem::Custom},
      {1.33, 0, 0, true, RatioItem::Ratio4x3},     {1.6, 0, 0, true, RatioItem::Custom},
  };
  for (const auto& r : rows) {
    PictureState p;
    p.PictureRatio = r.ratio;
    p.VideoWidth = r.width;
    p.VideoHeight = r.height;
    EXPECT_EQ(shownRatioItem(p, r.keep), r.shown) << r.ratio << " " << r.keep;
  }
}

TEST(RatioCommandTest, RespectsBusyFlagsAndMissingWindow) {
  const texts::InterfaceTexts t = englishPictureTexts();
  struct Row {
    const char* name;
    bool graph, showing, busy, openingBusy;
    bool acted, laidOut;
  } rows[] = {{"normal", true, true, false, false, true, true},
              {"opening", true, true, false, true, false, false},
              {"no graph", false, true, false, false, false, false},
              {"busy", true, true, true, false, true, false},
              {"hidden window", true, false, false, false, true, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    PictureState p{1920, 1080, 1.33, 0, 0};
    settings::Settings s;
    PlayerView view = windowedView();
    view.GraphActive = row.graph;
    view.WindowShowing = row.showing;
    view.Busy = row.busy;
    view.OpeningBusy = row.openingBusy;
    PictureCommandResult r = ratioCommand(RatioItem::Original, p, s, view, t);
    EXPECT_EQ(r.acted, row.acted);
    EXPECT_DOUBLE_EQ(p.PictureRatio, row.acted ? 1.78 : 1.33);
    EXPECT_EQ(r.Destination.has_value(), row.laidOut);
    EXPECT_EQ(r.Osd.has_value(), row.laidOut);
  }
}

TEST(RatioCommandTest, OriginalWithoutPictureOrWithExtremePicture) {
  const texts::InterfaceTexts t = englishPictureTexts();
  struct Row {
    int w, h;
    double expected;
  } rows[] = {{0, 0, 1.33}, {1, 400, 0.1}, {4000, 10, 5.0}, {720, 0, 1.33}};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.w << "x" << row.h);
    PictureState p{row.w, row.h, 1.78, 0, 0};
    settings::Settings s;
    PictureCommandResult r = ratioCommand(RatioItem::Original, p, s, windowedView(), t);
    EXPECT_DOUBLE_EQ(p.PictureRatio, row.expected);
    ASSERT_TRUE(r.Destination.has_value());
    EXPECT_GE(r.Destination->Width, 1);
    EXPECT_GE(r.Destination->Height, 1);
  }
}

TEST(PanScanCommandTest, FullScreenStepsStopAtTheLimits) {
  const texts::InterfaceTexts t = englishPictureTexts();
  struct Row {
    bool in;
    int start;
    bool acted;
    int end;
    const char* osd;
  } rows[] = {{true, 0, true, 1, "PanScan 1%"},   {true, 99, true, 100, "PanScan 100%"},
              {true, 100, false, 100, nullptr},   {true, -1, true, 0, "PanScan off"},
              {false, 1, true, 0, "PanScan off"}, {false, -49, true, -50, "PanScan -50%"},
              {false, -50, false, -50, nullptr},  {false, 100, true, 99, "PanScan 99%"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << (row.in ? "in from " : "out from ") << row.start);
    PictureState p{720, 576, 1.78, 0, 0};
    settings::Settings s;
    s.PanScanSize = row.start;
    PlayerView view = fullScreenView();
    PictureCommandResult r =
        row.in ? panInFullScreen(p, s, view, t) : panOutFullScreen(p, s, view, t);
    EXPECT_EQ(r.acted, row.acted);
    EXPECT_EQ(s.PanScanSize, row.end);
    EXPECT_EQ(r.ScoreDelta, row.acted ? 5000 : 0);
    if (row.osd) {
      EXPECT_EQ(r.Osd, row.osd);
      EXPECT_EQ(r.Destination, LayoutPicture(p, true, 1280, 1024, row.end));
    } else {
      EXPECT_FALSE(r.Osd.has_value());
    }
  }
}

TEST(PanScanCommandTest, AutomaticAmountAndMessage) {
  const texts::InterfaceTexts t = englishPictureTexts();
  struct Row {
    double ratio;
    int start;
    bool fullScreen;
    int end;
    const char* osd;
    int score;
  } rows[] = {{1.78, 0, true, 7, "Automatic PanScan (7%)", 5000},
              {1.78, 7, true, 7, "Automatic PanScan (7%)", 0},
              {1.25, 12, true, 0, "Automatic PanScan (0%)", 5000},
              {1.78, 3, false, 3, nullptr, 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.ratio << " from " << row.start);
    PictureState p{720, 576, row.ratio, 0, 0};
    settings::Settings s;
    s.PanScanSize = row.start;
    PictureCommandResult r =
        automaticPanScan(p, s, row.fullScreen ? fullScreenView() : windowedView(), t);
    EXPECT_EQ(s.PanScanSize, row.end);
    EXPECT_EQ(r.ScoreDelta, row.score);
    if (row.osd)
      EXPECT_EQ(r.Osd, row.osd);
    else
      EXPECT_FALSE(r.acted);
  }
}

TEST(WindowPanTest, GrowsAndShrinksKeepingShape) {
  struct Row {
    const char* name;
    bool in;
    Bounds window;
    int surfaceW, surfaceH;
    std::optional<Bounds> expected;
  } rows[] = {
      {"pan in grows by 16", true, {100, 100, 740, 580}, 640, 480, Bounds{92, 94, 748, 586}},
      {"pan in near twice the picture grows by what is left",
       true,
       {0, 0, 1710, 900},
       1706,
       896,
       Bounds{-4, -2, 1714, 902}},
      {"pan in at the screen size stops", true, {0, 0, 1440, 1152}, 1440, 1152, std::nullopt},
      {"pan out shrinks by 16", false, {100, 100, 740, 580}, 640, 480, Bounds{108, 106, 732, 574}},
      {"small window in the corner is pulled into reach",
       false,
       {0, 0, 50, 40},
       46,
       36,
       Bounds{84, 67, 128, 102}},
      {"pan out at the minimum stops", false, {0, 0, 44, 34}, 40, 30, std::nullopt},
      {"pan out far right is pulled back",
       false,
       {1250, 900, 1890, 1380},
       640,
       480,
       Bounds{1152, 906, 1776, 1374}},
      // The new height is an exact half here: 170 x 336 / 320 = 178.5 and
      // 170 x 304 / 320 = 161.5 go to the even neighbours 178 and 162.
      {"pan in with a half-pixel height",
       true,
       {0, 0, 320, 170},
       316,
       166,
       Bounds{-8, -4, 328, 174}},
      {"pan out with a half-pixel height",
       false,
       {0, 0, 320, 170},
       316,
       166,
       Bounds{8, 4, 312, 166}},
  };
  const Bounds workArea{0, 0, 1280, 1024};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    PictureState p{720, 576, 1.78, 0, 0};
    settings::Settings s;
    PlayerView view = windowedView();
    view.SurfaceWidth = row.surfaceW;
    view.SurfaceHeight = row.surfaceH;
    PictureCommandResult r = row.in ? panInWindow(p, s, view, row.window, 1280, 1024)
                                    : panOutWindow(p, s, view, row.window, workArea);
    EXPECT_EQ(r.WindowBounds, row.expected);
    EXPECT_EQ(r.acted, row.expected.has_value());
    if (row.expected) {
      EXPECT_EQ(r.ScoreDelta, 5000);
      EXPECT_TRUE(r.forgetZoomSize);
      const int newW = row.surfaceW + row.expected->width() - row.window.width();
      const int newH = row.surfaceH + row.expected->height() - row.window.height();
      EXPECT_EQ(r.Destination, LayoutPicture(p, true, newW, newH, 0));
    }
  }
}

TEST(WindowPanTest, IgnoredWhileBusyAndSafeWithoutPicture) {
  PictureState none{0, 0, 1.33, 0, 0};
  settings::Settings s;
  PlayerView view = windowedView();
  view.Busy = true;
  EXPECT_FALSE(panInWindow(none, s, view, {0, 0, 640, 480}, 1280, 1024).acted);
  EXPECT_FALSE(panOutWindow(none, s, view, {0, 0, 640, 480}, {0, 0, 1280, 1024}).acted);
  view.Busy = false;
  EXPECT_TRUE(panInWindow(none, s, view, {0, 0, 640, 480}, 1280, 1024).acted);
  EXPECT_FALSE(panInWindow(none, s, view, {0, 0, 0, 0}, 1280, 1024).acted);
}

TEST(MovePictureTest, StepsOffsetsWithinLimitsAndAlwaysShowsMessage) {
  const texts::InterfaceTexts t = englishPictureTexts();
  struct Row {
    PictureMove move;
    int x, y;
    int endX, endY;
    const char* osd;
    std::optional<Rect> rect;
    Rect destination = {0, 60, 640, 360};
    int Sw = 640, Sh = 480;
  } rows[] = {
      {PictureMove::Left, 0, 0, -1, 0, "Horizontal position: -1%", Rect{-6, 60, 640, 360}},
      {PictureMove::Left, -99, 0, -100, 0, "Horizontal position: -100%", Rect{-640, 60, 640, 360}},
      {PictureMove::Left, -100, 0, -100, 0, "Horizontal position: -100%", std::nullopt},
      {PictureMove::Right, 99, 0, 100, 0, "Horizontal position: 100%", Rect{640, 60, 640, 360}},
      {PictureMove::Right, 100, 0, 100, 0, "Horizontal position: 100%", std::nullopt},
      {PictureMove::Up, 0, 0, 0, 1, "Vertical position: 1%", Rect{0, 56, 640, 360}},
      {PictureMove::Up, 0, 100, 0, 100, "Vertical position: 100%", std::nullopt},
      {PictureMove::Down, 0, -99, 0, -100, "Vertical position: -100%", Rect{0, 420, 640, 360}},
      {PictureMove::Down, 0, -100, 0, -100, "Vertical position: -100%", std::nullopt},
      {PictureMove::Center, 5, -3, 0, 0, "Center", Rect{0, 60, 640, 360}},
      {PictureMove::Center, 0, 0, 0, 0, "Center", std::nullopt},
      // Exact halves go to the even neighbour: -102.5 gives -102, 104.5 gives
      // 104, 10.5 gives 10, -52.5 gives -52.
      {PictureMove::Left, -9, 0, -10, 0, "Horizontal position: -10%", Rect{-102, 0, 1025, 768},
       Rect{0, 0, 1025, 768}, 1025, 768},
      {PictureMove::Right, 9, 0, 10, 0, "Horizontal position: 10%", Rect{104, 0, 1045, 768},
       Rect{0, 0, 1045, 768}, 1045, 768},
      {PictureMove::Up, 0, 0, 0, 1, "Vertical position: 1%", Rect{0, -10, 640, 1050},
       Rect{0, 0, 640, 1050}, 640, 1050},
      {PictureMove::Down, 0, -4, 0, -5, "Vertical position: -5%", Rect{0, 52, 640, 1050},
       Rect{0, 0, 640, 1050}, 640, 1050},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(row.move) << " " << row.x << "," << row.y);
    PictureState p{720, 576, 1.78, row.x, row.y};
    PlayerView view = windowedView();
    view.Destination = row.destination;
    view.SurfaceWidth = row.Sw;
    view.SurfaceHeight = row.Sh;
    PictureCommandResult r = movePicture(row.move, p, view, t);
    EXPECT_EQ(p.PictureOffsetX, row.endX);
    EXPECT_EQ(p.PictureOffsetY, row.endY);
    EXPECT_EQ(r.Osd, row.osd);
    EXPECT_EQ(r.Destination, row.rect);
    EXPECT_EQ(r.ScoreDelta, row.rect ? 5000 : 0);
    EXPECT_EQ(r.repaint, row.rect.has_value());
  }
  PictureState p{720, 576, 1.78, 0, 0};
  PlayerView noGraph = windowedView();
  noGraph.GraphActive = false;
  EXPECT_FALSE(movePicture(PictureMove::Left, p, noGraph, t).acted);
  EXPECT_EQ(p.PictureOffsetX, 0);
}

TEST(SettingsChangeScoreTest, AddsAndCapsAt10000) {
  struct Row {
    int start, delta, expected;
  } rows[] = {{0, 5000, 5000},           {5000, 5000, 10000},       {9000, 5000, 10000},
              {-1000000, 5000, -995000}, {2147483000, 5000, 10000}, {10000, 0, 10000}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.start);
    int score = row.start;
    addToSettingsChangeScore(score, row.delta);
    EXPECT_EQ(score, row.expected);
  }
}

}  // namespace
}  // namespace video
