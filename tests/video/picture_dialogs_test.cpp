#include "video/picture_dialogs.h"

#include <gtest/gtest.h>

namespace video {
namespace {

// A sequence of inputs on the custom ratio dialog, with the ratio, slider and
// label after the last one.
TEST(CustomRatioDialogTest, InputsMoveSliderAndRatio) {
  struct Row {
    const char* name;
    double opening;
    std::vector<DialogInput> inputs;
    double ratio;
    int value;
    const char* lastLabel;  // nullptr: the last input changed nothing
    bool closed;
  } rows[] = {
      {"right", 1.78, {DialogInput::Increase}, 1.79, 179, "1.79", false},
      {"left twice",
       1.78,
       {DialogInput::Decrease, DialogInput::Decrease},
       1.76,
       176,
       "1.76",
       false},
      {"digit 0 is the minimum", 1.78, {DialogInput::Digit0}, 0.5, 50, "0.5", false},
      {"digit 2", 1.78, {DialogInput::Digit2}, 2.0, 200, "2", false},
      {"left at the minimum", 0.5, {DialogInput::Decrease}, 0.5, 50, nullptr, false},
      {"right at the maximum", 3.0, {DialogInput::Increase}, 3.0, 300, nullptr, false},
      {"accept keeps", 1.78, {DialogInput::Digit3, DialogInput::Accept}, 3.0, 300, nullptr, true},
      {"cancel restores",
       1.78,
       {DialogInput::Digit1, DialogInput::Cancel},
       1.78,
       178,
       "1.78",
       true},
      {"cancel restores a ratio off the track",
       3.56,
       {DialogInput::Decrease, DialogInput::Cancel},
       3.56,
       300,
       "3.56",
       true},
      {"a ratio off the track starts at the end",
       3.56,
       {DialogInput::Decrease},
       2.99,
       299,
       "2.99",
       false},
      {"a fine ratio rounds to the slider",
       1.778,
       {DialogInput::Increase},
       1.79,
       179,
       "1.79",
       false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    PictureState p{1920, 1080, row.opening, 0, 0};
    CustomRatioDialog dialog(row.opening);
    DialogStep last;
    for (DialogInput in : row.inputs) last = dialog.input(in, p);
    EXPECT_DOUBLE_EQ(p.PictureRatio, row.ratio);
    EXPECT_EQ(dialog.value(), row.value);
    EXPECT_EQ(dialog.thumbX(), row.value - 50 + 26);
    EXPECT_EQ(last.close, row.closed);
    if (row.lastLabel)
      EXPECT_EQ(last.apply, row.lastLabel);
    else
      EXPECT_FALSE(last.apply.has_value());
    EXPECT_EQ(dialog.closeScoreDelta(p), p.PictureRatio != row.opening ? 5000 : 0);
  }
}

TEST(CustomRatioDialogTest, RestoreButtonUsesTheMovieRatio) {
  struct Row {
    int w, h;
    double start;
    double ratio;
    bool applied;
  } rows[] = {{1920, 1080, 1.33, 1.78, true}, {1920, 1080, 1.775, 1.775, false},
              {1920, 1080, 1.79, 1.78, true}, {0, 0, 2.0, 1.33, true},
              {720, 0, 1.33, 1.33, false},    {3600, 1000, 1.33, 3.6, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.w << "x" << row.h << " from " << row.start);
    PictureState p{row.w, row.h, row.start, 0, 0};
    CustomRatioDialog dialog(row.start, ',');
    DialogStep step = dialog.restoreNative(p);
    EXPECT_DOUBLE_EQ(p.PictureRatio, row.ratio);
    EXPECT_EQ(step.apply.has_value(), row.applied);
    EXPECT_GE(dialog.value(), CustomRatioDialog::kMin);
    EXPECT_LE(dialog.value(), CustomRatioDialog::kMax);
  }
}

TEST(PanScanDialogTest, InputsMoveSliderAndPanScan) {
  struct Row {
    const char* name;
    int opening;
    std::vector<DialogInput> inputs;
    int end;
    bool applied;  // the last input asked for DoPanScan
    bool closed;
    int thumb;
  } rows[] = {
      {"right", 0, {DialogInput::Increase}, 1, true, false, 93},
      {"left at the minimum", -50, {DialogInput::Decrease}, -50, false, false, 27},
      {"right at the maximum", 100, {DialogInput::Increase}, 100, false, false, 222},
      {"zero stays open", 25, {DialogInput::Digit0}, 0, true, false, 92},
      {"other digits do nothing", 25, {DialogInput::Digit2}, 25, false, false, 125},
      {"cancel restores", 10, {DialogInput::Increase, DialogInput::Cancel}, 10, true, true, 105},
      {"accept keeps", 10, {DialogInput::Decrease, DialogInput::Accept}, 9, false, true, 104},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    settings::Settings s;
    s.PanScanSize = row.opening;
    PanScanDialog dialog(row.opening);
    DialogStep last;
    for (DialogInput in : row.inputs) last = dialog.input(in, s);
    EXPECT_EQ(s.PanScanSize, row.end);
    EXPECT_EQ(last.apply.has_value(), row.applied);
    EXPECT_EQ(last.close, row.closed);
    EXPECT_EQ(dialog.thumbX(), row.thumb);
    EXPECT_EQ(dialog.closeScoreDelta(s), row.end != row.opening ? 5000 : 0);
  }
}

TEST(DialogPlacementTest, RatioDialogBelowTheWindowInsideTheWorkArea) {
  struct Row {
    const char* name;
    bool fullScreen, multi;
    Bounds videoWindow;
    Point expected;
  } rows[] = {
      {"full screen centres on the monitor", true, false, {0, 0, 1280, 1024}, {540, 462}},
      {"halfway between screen and window centres", false, false, {100, 100, 500, 400}, {370, 400}},
      {"multi-monitor centres under the window", false, true, {100, 100, 500, 400}, {200, 400}},
      {"window at the bottom is clamped up", false, false, {100, 800, 500, 1000}, {370, 900}},
      {"window far left is clamped right", false, true, {-500, 100, -300, 400}, {0, 400}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RatioDialogPlacement p;
    p.FullScreen = row.fullScreen;
    p.MultiMonitorDesktop = row.multi;
    p.Monitor = {0, 0, 1280, 1024};
    p.WorkArea = {0, 0, 1280, 1000};
    p.VideoWindow = row.videoWindow;
    p.ScreenWidth = 1280;
    p.DialogWidth = 200;
    p.DialogHeight = 100;
    EXPECT_EQ(customRatioDialogPosition(p), row.expected);
  }
  EXPECT_EQ(panScanDialogPosition({1280, 0, 2560, 1024}), (Point{1920, 512}));
}

}  // namespace
}  // namespace video
