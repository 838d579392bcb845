#include <gtest/gtest.h>

#include "playback/engine.h"
#include "tests/playback/controller_fixture.h"

namespace {

using playback::ColorControl;
using playback::VideoBalance;

TEST(VideoBalanceTest, SettingsBecomeFilterProperties) {
  struct Row {
    ColorControl color;
    VideoBalance balance;
  };
  const Row rows[] = {
      {{750, 10000, 0, 10000}, {0, 1, 1, 0}},  // neutral passes the picture untouched
      {{0, 0, -180, 0}, {-0.075, 0, 0, -1}},
      {{10000, 20000, 180, 20000}, {0.925, 2, 2, 1}},
      {{850, 5000, 90, 15000}, {0.01, 0.5, 1.5, 0.5}},  // ten slider steps: 1 % of the luma range
      {{5750, 10000, -45, 10000}, {0.5, 1, 1, -0.25}},
      {{-5, 30000, 500, -1}, {-0.075, 2, 0, 1}},  // out of range: clamped first
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.color.brightness << " " << r.color.contrast << " "
                                    << r.color.hue << " " << r.color.saturation);
    const VideoBalance v = playback::videoBalanceFor(r.color);
    EXPECT_DOUBLE_EQ(v.brightness, r.balance.brightness);
    EXPECT_DOUBLE_EQ(v.contrast, r.balance.contrast);
    EXPECT_DOUBLE_EQ(v.saturation, r.balance.saturation);
    EXPECT_DOUBLE_EQ(v.hue, r.balance.hue);
  }
}

}  // namespace

namespace playback::testing {

TEST_F(ControllerTest, ColorControlsReachTheEngineOnlyWhenTheyChange) {
  for (int i = 0; i < 50; ++i) controller_->GeneralTimerTimer();
  EXPECT_EQ(engine_.colorSets, 1);
  settings_.BrightnessControl = 900;
  for (int i = 0; i < 50; ++i) controller_->GeneralTimerTimer();
  EXPECT_EQ(engine_.colorSets, 2);
  EXPECT_EQ(engine_.color, (ColorControl{900, 10000, 0, 10000}));
}

}  // namespace playback::testing

namespace playback::testing {

TEST_F(ControllerTest, ACommandMessageStopsTheLivePosition) {
  openOne(movie("a.avi"));
  engine_.durationUnits = 120000 * kUnitsPerMs;
  engine_.position = 40000 * kUnitsPerMs;
  controller_->QuickTimeInfo();
  controller_->ShowCommandOsd("Brightness: 7");
  engine_.position = 41000 * kUnitsPerMs;
  controller_->GeneralTimerTimer();
  EXPECT_EQ(osd_.message(), "Brightness: 7");
}

}  // namespace playback::testing
