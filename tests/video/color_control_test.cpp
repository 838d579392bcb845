#include <gtest/gtest.h>

#include "video/color_control.h"

namespace {

using video::ColorRow;

TEST(ColorControlTest, NumbersAreExactDecimals) {
  struct Row {
    ColorRow row;
    int slider;
    const char* text;
  };
  const Row rows[] = {
      {ColorRow::Brightness, 75, "7.5"},
      {ColorRow::Brightness, 70, "7"},
      {ColorRow::Brightness, 3, "0.3"},
      {ColorRow::Brightness, 0, "0"},
      {ColorRow::Brightness, 1000, "100"},
      {ColorRow::Brightness, 999, "99.9"},
      {ColorRow::Contrast, 101, "50"},
      {ColorRow::Contrast, 200, "100"},
      {ColorRow::Saturation, 1, "0"},
      {ColorRow::Hue, -180, "-180"},
      {ColorRow::Hue, 0, "0"},
  };
  for (const Row& r : rows) EXPECT_EQ(video::colorNumberText(r.row, r.slider), r.text) << r.slider;
}

TEST(ColorControlTest, SlidersMapToSettingsAndBack) {
  struct Row {
    ColorRow row;
    int slider, setting, sliderBack;
  };
  const Row rows[] = {
      {ColorRow::Brightness, 75, 750, 75},   {ColorRow::Brightness, 1200, 10000, 1000},
      {ColorRow::Contrast, 101, 10100, 101}, {ColorRow::Contrast, -5, 0, 0},
      {ColorRow::Hue, -181, -180, -180},     {ColorRow::Saturation, 200, 20000, 200},
  };
  for (const Row& r : rows) {
    settings::Settings s;
    video::storeColorSlider(s, r.row, r.slider);
    const int stored = r.row == ColorRow::Brightness ? s.BrightnessControl
                       : r.row == ColorRow::Contrast ? s.ContrastControl
                       : r.row == ColorRow::Hue      ? s.HueControl
                                                     : s.SaturationControl;
    EXPECT_EQ(stored, r.setting) << r.slider;
    EXPECT_EQ(video::colorSliderFromSettings(s, r.row), r.sliderBack) << r.slider;
  }
  settings::Settings s;
  s.BrightnessControl = 3;
  s.HueControl = 99;
  EXPECT_FALSE(video::storeColorSlider(s, ColorRow::Hue, 99));
  video::setDefaultColors(s);
  EXPECT_EQ(s.BrightnessControl, 750);
  EXPECT_EQ(s.ContrastControl, 10000);
  EXPECT_EQ(s.HueControl, 0);
  EXPECT_EQ(s.SaturationControl, 10000);
}

TEST(ColorControlTest, BrightnessKeysStepByTens) {
  const int rows[][3] = {{75, 70, 90}, {70, 60, 80}, {995, 990, 1000}, {5, 0, 10},
                         {15, 10, 30}, {0, 0, 10},   {1000, 990, 1000}};
  for (auto [slider, left, right] : rows) {
    EXPECT_EQ(video::brightnessStep(slider, false), left) << slider;
    EXPECT_EQ(video::brightnessStep(slider, true), right) << slider;
  }
}

TEST(ColorControlTest, PlacementFollowsTheVideoWindow) {
  video::ColorPlacement p;
  p.width = 300;
  p.height = 160;
  p.monitor = {0, 0, 1280, 1024};
  p.workArea = {0, 0, 1280, 1000};
  p.video = {100, 100, 640, 360};
  p.main = {900, 700, 460, 152};
  struct Row {
    bool full, showing;
    int left, top;
  };
  const Row rows[] = {
      {true, true, 490, 648},    // centred across, three quarters down the free height
      {false, true, 270, 460},   // centred under the video window
      {false, false, 735, 564},  // halfway between screen centre and main window centre
  };
  for (const Row& r : rows) {
    p.videoFullScreen = r.full;
    p.videoShowing = r.showing;
    const video::PlaceRect got = video::placeColorControl(p);
    EXPECT_EQ(got.left, r.left) << r.full << r.showing;
    EXPECT_EQ(got.top, r.top) << r.full << r.showing;
  }
  // Under a video window at the bottom of the screen it stays in the work area.
  p.videoFullScreen = false;
  p.videoShowing = true;
  p.video = {1100, 800, 400, 200};
  const video::PlaceRect clamped = video::placeColorControl(p);
  EXPECT_EQ(clamped.left, 980);
  EXPECT_EQ(clamped.top, 840);
}

}  // namespace
