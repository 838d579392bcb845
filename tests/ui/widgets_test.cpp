#include "test_window.h"
#include "ui/colors.h"
#include "ui/sliders.h"
#include "ui/track_bar.h"
#include "ui/virtual_button.h"
#include "ui/virtual_label.h"
#include "ui/virtual_toggles.h"

#include <gtest/gtest.h>

namespace {

using ui::PointerShape;
using uitest::Step;
using uitest::TestWindow;

QRect inclusive(int l, int t, int r, int b) {
  return QRect(QPoint(l, t), QPoint(r, b));
}

struct ButtonCase {
  const char* name;
  bool enabled;
  bool latchedDown;
  std::vector<Step> steps;
  int band;  // of the first button
  int clicks;
  int facePresses;
  PointerShape pointer;
};

class ButtonStateTest : public testing::TestWithParam<ButtonCase> {};

TEST_P(ButtonStateTest, FollowsMouseSequence) {
  const ButtonCase& c = GetParam();
  TestWindow window;
  window.show();
  ui::TVirtualButton first(window, inclusive(10, 10, 29, 29), c.enabled, "MainbtnPlay", "Play");
  ui::TVirtualButton second(window, inclusive(40, 10, 59, 29), true, "MainbtnStop", "Stop");
  first.setLatching(c.latchedDown);
  first.setHeldDown(c.latchedDown);
  window.addSkinWidget(&first);
  window.addSkinWidget(&second);
  uitest::run(window, c.steps);
  EXPECT_EQ(first.band(), c.band);
  EXPECT_EQ(second.band(), 0) << "the other button never highlights";
  EXPECT_EQ(static_cast<int>(window.clicks.size()), c.clicks);
  for (auto* clicked : window.clicks) EXPECT_EQ(clicked, &first);
  EXPECT_EQ(window.facePresses, c.facePresses);
  EXPECT_EQ(window.pointer(), c.pointer);
}

// Moves ending outside the window leave the pointer at (150, 150).
INSTANTIATE_TEST_SUITE_P(
    Sequences, ButtonStateTest,
    testing::Values(
        ButtonCase{"Hover", true, false, {{'m', 15, 15}}, 3, 0, 0, PointerShape::HandPoint},
        ButtonCase{
            "Press", true, false, {{'m', 15, 15}, {'p', 15, 15}}, 1, 0, 0, PointerShape::HandPress},
        ButtonCase{"PressMoveOut",
                   true,
                   false,
                   {{'m', 15, 15}, {'p', 15, 15}, {'m', 150, 150}},
                   0,
                   0,
                   0,
                   PointerShape::Default},
        ButtonCase{"PressOutBack",
                   true,
                   false,
                   {{'m', 15, 15}, {'p', 15, 15}, {'m', 150, 150}, {'m', 20, 20}},
                   1,
                   0,
                   0,
                   PointerShape::HandPress},
        ButtonCase{"Click",
                   true,
                   false,
                   {{'m', 15, 15}, {'p', 15, 15}, {'r', 15, 15}},
                   3,
                   1,
                   0,
                   PointerShape::HandPress},
        ButtonCase{"ReleaseOutside",
                   true,
                   false,
                   {{'m', 15, 15}, {'p', 15, 15}, {'m', 150, 150}, {'r', 150, 150}},
                   0,
                   0,
                   0,
                   PointerShape::Default},
        ButtonCase{"OutBackRelease",
                   true,
                   false,
                   {{'m', 15, 15}, {'p', 15, 15}, {'m', 150, 150}, {'m', 15, 15}, {'r', 15, 15}},
                   3,
                   1,
                   0,
                   PointerShape::HandPress},
        ButtonCase{"OverOtherButtonAndBack",
                   true,
                   false,
                   {{'m', 15, 15}, {'p', 15, 15}, {'m', 45, 15}, {'m', 15, 15}, {'r', 15, 15}},
                   3,
                   1,
                   0,
                   PointerShape::HandPress},
        ButtonCase{"OverOtherButtonRelease",
                   true,
                   false,
                   {{'m', 15, 15}, {'p', 15, 15}, {'m', 45, 15}, {'r', 45, 15}},
                   0,
                   0,
                   0,
                   PointerShape::Default},
        ButtonCase{"DisabledPressDragsWindow",
                   false,
                   false,
                   {{'m', 15, 15}, {'p', 15, 15}, {'r', 15, 15}},
                   2,
                   0,
                   1,
                   PointerShape::Default},
        ButtonCase{"LatchedDownCannotBeClicked",
                   true,
                   true,
                   {{'m', 15, 15}, {'p', 15, 15}, {'r', 15, 15}},
                   1,
                   0,
                   1,
                   PointerShape::Default},
        ButtonCase{"BottomRightEdgeInside",
                   true,
                   false,
                   {{'m', 29, 29}, {'p', 29, 29}, {'r', 29, 29}},
                   3,
                   1,
                   0,
                   PointerShape::HandPress},
        ButtonCase{"JustOutsideEdge",
                   true,
                   false,
                   {{'m', 30, 30}, {'p', 30, 30}, {'r', 30, 30}},
                   0,
                   0,
                   1,
                   PointerShape::Default}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ButtonTest, DisabledLookOnlyWhereTheKindHasOne) {
  TestWindow window;
  const struct {
    ui::ButtonLook look;
    int band;
  } rows[] = {{ui::ButtonLook::Image, 2}, {ui::ButtonLook::ImageNoDisabled, 0}};
  for (const auto& row : rows) {
    ui::TVirtualButton b(window, inclusive(10, 10, 29, 29), false, "MainbtnPlay", "", row.look);
    EXPECT_EQ(b.band(), row.band);
  }
}

TEST(TextButtonTest, StripFollowsCaptionAndWidth) {
  const struct {
    int width, forCaption, forWidth;
  } rows[] = {{0, 1, 1},  {70, 1, 1},  {71, 2, 1},  {80, 2, 1},  {81, 2, 2},
              {90, 2, 2}, {100, 3, 2}, {160, 5, 5}, {200, 5, 5}, {1000, 5, 5}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.width);
    EXPECT_EQ(ui::textStripForCaption(row.width), row.forCaption);
    EXPECT_EQ(ui::textStripForWidth(row.width), row.forWidth);
  }
}

TEST(TextButtonTest, CentredButtonKeepsItsCentre) {
  TestWindow window;
  ui::TVirtualButton ok(window, QRect(100, 50, 80, 20), "OK", "", ui::TextAnchor::Centre);
  EXPECT_EQ(ok.rect().width(), 80);
  EXPECT_EQ(ok.rect().center().x(), QRect(100, 50, 80, 20).center().x());
  ok.setText(QString(40, 'W'));  // far wider than 160 px: the widest strip
  EXPECT_EQ(ok.rect().width(), 160);
  EXPECT_NEAR(ok.rect().center().x(), QRect(100, 50, 80, 20).center().x(), 1);
  ui::TVirtualButton left(window, QRect(10, 50, 80, 20), "OK", "", ui::TextAnchor::Left);
  left.setWidth(130);
  EXPECT_EQ(left.rect().left(), 10);
  EXPECT_EQ(left.rect().width(), 140);
}

TEST(ToggleTest, ToggleFlipAndCheckboxFollowClicks) {
  TestWindow window;
  window.show();
  ui::TVirtualButton2 toggle(window, inclusive(10, 10, 22, 24), "BtnShuffle", "Shuffle", false);
  ui::TVirtualFlip flip(window, inclusive(40, 10, 55, 22), "MainMute", "Mute", true);
  ui::TVirtualCheckbox box(window, 10, "Do not show");
  box.setVertical(60, 88);
  for (ui::SkinWidget* w : std::initializer_list<ui::SkinWidget*>{&toggle, &flip, &box})
    window.addSkinWidget(w);

  uitest::run(window, {{'m', 15, 15}, {'p', 15, 15}});
  EXPECT_EQ(toggle.quarter(), 3) << "pressed shows the opposite state with hover";
  uitest::run(window, {{'r', 15, 15}});
  EXPECT_FALSE(toggle.on()) << "the owner flips the state";
  ASSERT_EQ(window.clicks.size(), 1u);

  const struct {
    std::vector<Step> steps;
    bool flipOn, boxChecked;
  } rows[] = {
      {{{'p', 45, 15}, {'r', 45, 15}}, false, false},
      {{{'p', 45, 15}, {'m', 150, 150}, {'r', 150, 150}}, false, false},
      {{{'p', 45, 15}, {'r', 45, 15}}, true, false},
      {{{'p', 20, 70}, {'r', 20, 70}}, true, true},
      {{{'p', 20, 70}, {'m', 150, 150}, {'r', 150, 150}}, true, true},
      {{{'p', 20, 70}, {'r', 20, 70}}, true, false},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(i);
    uitest::run(window, rows[i].steps);
    EXPECT_EQ(flip.on(), rows[i].flipOn);
    EXPECT_EQ(box.checked(), rows[i].boxChecked);
  }
}

TEST(VolumeControlTest, PressAndDragSetPositionAndLevel) {
  const struct {
    const char* name;
    std::vector<Step> steps;
    bool soundOn;
    int position, level;
  } rows[] = {
      {"BottomIsSilent", {{'p', 14, 104}, {'r', 14, 104}}, true, 0, 0},
      {"TopIsFull", {{'p', 14, 26}, {'r', 14, 26}}, true, 20, 10000},
      {"Middle", {{'p', 14, 65}, {'r', 14, 65}}, true, 10, 5000},
      {"DragAboveWithinReach", {{'p', 14, 104}, {'m', 20, -20}, {'r', 20, -20}}, true, 20, 10000},
      {"DragFarAwayKeepsLast",
       {{'p', 14, 104}, {'m', 14, 80}, {'m', 60, 80}, {'r', 60, 80}},
       true,
       6,
       3000},
      {"MutedSendsZero", {{'p', 14, 26}, {'r', 14, 26}}, false, 20, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TestWindow window;
    window.show();
    ui::TVirtualFlip mute(window, inclusive(100, 100, 115, 112), "MainMute", "Mute", row.soundOn);
    ui::TVolumeControl volume(window, inclusive(12, 26, 17, 104), "MainVolBar");
    volume.setMuteFlip(&mute);
    int lastLevel = -1, changes = 0;
    volume.onVolume = [&](int level) { lastLevel = level; };
    volume.onUserChange = [&] { ++changes; };
    window.addSkinWidget(&volume);
    uitest::run(window, row.steps);
    EXPECT_EQ(volume.position(), row.position);
    EXPECT_EQ(lastLevel, row.level);
    EXPECT_GE(changes, 1);
  }
}

TEST(VolumeControlTest, FlipOnAfterMuteSendsFullVolume) {
  TestWindow window;
  ui::TVirtualFlip mute(window, inclusive(100, 100, 115, 112), "MainMute", "Mute", false);
  ui::TVolumeControl volume(window, inclusive(12, 26, 17, 104), "MainVolBar");
  volume.setMuteFlip(&mute);
  volume.setPosition(20);
  EXPECT_EQ(volume.volumeLevel(), 0);
  mute.setOn(true);
  EXPECT_EQ(volume.volumeLevel(), 10000);
  volume.setPosition(25);
  EXPECT_EQ(volume.position(), 20);
}

TEST(SeekBarTest, PressAndDragSeek) {
  // Bar from x 25 to 432 inclusive (408 px), maximum 1000.
  const struct {
    const char* name;
    std::vector<Step> steps;
    int position, filled;
  } rows[] = {
      {"LeftEdge", {{'p', 25, 140}, {'r', 25, 140}}, 0, 0},
      {"RightEdgeMaxPlusRounding", {{'p', 432, 140}, {'r', 432, 140}}, 999, 407},
      {"Middle", {{'p', 229, 140}, {'r', 229, 140}}, 500, 204},
      {"DragPastRightWithinReach", {{'p', 229, 140}, {'m', 450, 140}, {'r', 450, 140}}, 1043, 408},
      {"DragLeftOfBarNotBelowZero", {{'p', 229, 140}, {'m', 15, 140}, {'r', 15, 140}}, 0, 0},
      {"DragFarBelowKeepsLast",
       {{'p', 229, 140}, {'m', 100, 140}, {'m', 100, 190}, {'r', 100, 190}},
       184,
       75},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TestWindow window(QSize(460, 200));
    window.show();
    ui::TVirtualProgressBar bar(window, inclusive(25, 135, 432, 144), "MainProgressBar", true);
    bar.setMaximum(1000);
    int seeks = 0, lastSeek = -1;
    bar.onSeek = [&](int p, bool) {
      ++seeks;
      lastSeek = p;
    };
    window.addSkinWidget(&bar);
    uitest::run(window, row.steps);
    EXPECT_EQ(bar.position(), row.position);
    EXPECT_EQ(lastSeek, row.position);
    EXPECT_EQ(bar.filledWidth(), row.filled);
    EXPECT_FALSE(bar.pressed());
  }
}

TEST(SeekBarTest, SetPositionLimitsAndIgnoresWhileDisabled) {
  TestWindow window(QSize(460, 200));
  ui::TVirtualProgressBar bar(window, inclusive(25, 135, 432, 144), "MainProgressBar", true);
  bar.setMaximum(0);
  EXPECT_EQ(bar.maximum(), 1);
  bar.setMaximum(1000);
  const struct {
    bool enabled;
    int set, position, filled;
  } rows[] = {{true, 500, 500, 204},
              {true, 5000, 1000, 408},
              {true, -5, 0, 0},
              {false, 700, 0, 0},
              {true, 1000, 1000, 408}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.set);
    bar.setEnabled(row.enabled);
    bar.setPosition(row.set);
    EXPECT_EQ(bar.position(), row.position);
    EXPECT_EQ(bar.filledWidth(), row.filled);
  }
}

TEST(TrackBarTest, ValuesFollowThumbByOwnerRules) {
  const struct {
    const char* name;
    ui::TrackBarGeometry geometry;
    Step press;
    bool taken;
    int value;
  } rows[] = {
      {"EqualizerTop", ui::equalizerBandGeometry(127), {'p', 127, 48}, true, -100},
      {"EqualizerBottom", ui::equalizerBandGeometry(127), {'p', 127, 149}, true, 100},
      {"EqualizerTwoBelowCentreSnaps", ui::equalizerBandGeometry(127), {'p', 127, 98}, true, 0},
      {"EqualizerFourBelowCentre", ui::equalizerBandGeometry(127), {'p', 127, 100}, true, 8},
      {"EqualizerOutsideColumn", ui::equalizerBandGeometry(127), {'p', 140, 98}, false, 0},
      {"ColourLeft", ui::colourRowGeometry(38, 0, 10000), {'p', 100, 40}, true, 0},
      {"ColourMiddle", ui::colourRowGeometry(38, 0, 10000), {'p', 170, 40}, true, 5000},
      {"ColourRight", ui::colourRowGeometry(38, -180, 180), {'p', 240, 40}, true, 180},
      {"AspectEnds", ui::aspectRatioGeometry(), {'p', 281, 50}, true, 300},
      {"AspectStart", ui::aspectRatioGeometry(), {'p', 26, 50}, true, 50},
      {"PanScanLeft", ui::panScanGeometry(), {'p', 22, 50}, true, -50},
      {"PanScanRight", ui::panScanGeometry(), {'p', 222, 50}, true, 100},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TestWindow window;
    ui::TVirtualTrackBar bar(window, row.geometry);
    const int start = bar.value();
    EXPECT_EQ(bar.press(row.press.x, row.press.y), row.taken);
    EXPECT_EQ(bar.value(), row.taken ? row.value : start);
    bar.setValue(bar.value());
    EXPECT_EQ(bar.value(), row.taken ? row.value : start) << "the inverse rule round-trips";
  }
}

TEST(ColourTest, ValuesAreBlueGreenRed) {
  const struct {
    int value;
    int r, g, b;
  } rows[] = {{0x208B20, 0x20, 0x8B, 0x20}, {254, 254, 0, 0},   {0xFF0000, 0, 0, 255},
              {1466646, 22, 97, 22},        {65280, 0, 255, 0}, {8421504, 128, 128, 128}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.value);
    EXPECT_EQ(ui::colorFromBgr(row.value), QColor(row.r, row.g, row.b));
    EXPECT_EQ(ui::bgrFromColor(QColor(row.r, row.g, row.b)), row.value);
  }
}

TEST(LabelTest, LongTextsScrollAndCanBeDragged) {
  TestWindow window(QSize(460, 200));
  window.show();
  ui::TVirtualLabel label(window, 20, 20, 15, 211, "hint", "No movie", Qt::green, false);
  window.addSkinWidget(&label);
  EXPECT_FALSE(label.scrolling());
  EXPECT_FALSE(label.scrollStep());
  label.setText(QString("A long movie name that cannot fit in two hundred pixels.avi"));
  ASSERT_TRUE(label.scrolling());
  EXPECT_EQ(label.offset(), -1);
  const int w = label.stripWidth();
  EXPECT_FALSE(label.scrollStep());
  EXPECT_EQ(label.offset(), 0);
  EXPECT_FALSE(label.scrollStep());
  EXPECT_EQ(label.offset(), 10);
  int steps = 0;
  while (!label.scrollStep() && steps < 1000) ++steps;
  EXPECT_LT(label.offset(), 10) << "a full turn wraps the band";
  const int before = label.offset();
  uitest::run(window, {{'p', 100, 25}, {'m', 90, 25}});
  EXPECT_EQ(label.offset(), (before + 10) % w);
  EXPECT_FALSE(label.scrollStep()) << "a dragged band stands still";
  EXPECT_EQ(label.offset(), (before + 10) % w);
  uitest::run(window, {{'m', 130, 25}, {'r', 130, 25}});
  EXPECT_EQ(label.offset(), ((before - 30) % w + w) % w);
  label.setText("Short.avi");
  EXPECT_FALSE(label.scrolling());
}

}  // namespace

namespace {

TEST(HintTest, StaysLongerForLongerHints) {
  const struct {
    int characters, ms;
  } rows[] = {{0, 939}, {1, 1000}, {4, 1184}, {20, 2163}, {29, 2714}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.characters);
    EXPECT_EQ(ui::hintDurationMs(row.characters), row.ms);
  }
}

}  // namespace
