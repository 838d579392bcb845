// The colour control window offscreen: sliders taken by the mouse, the
// numbers, the Default button, the keys and the wheel, each with what it
// stores in the settings and adds to the change count.
#include "video/window/color_control_window.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <numeric>

#include "texts/interface_texts.h"

namespace {

using colorwindow::TfrmColorControl;
using video::ColorRow;

class ColorControlWindowTest : public testing::Test {
 protected:
  ColorControlWindowTest() {
    window_ = std::make_unique<TfrmColorControl>(settings_);
    window_->hooks().showOsd = [this](const std::string& text) { osd_.push_back(text); };
    window_->hooks().settingsChanged = [this](int delta) { score_ += delta; };
    window_->hooks().keyPressed = [this](int key, Qt::KeyboardModifiers) {
      if (key != Qt::Key_Control) keys_.push_back(key);  // the test's own modifier press
    };
    window_->show();
  }
  void click(QPoint at) {
    QTest::mousePress(window_.get(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(window_.get(), Qt::LeftButton, {}, at);
  }
  settings::Settings settings_;
  std::unique_ptr<TfrmColorControl> window_;
  std::vector<std::string> osd_;
  std::vector<int> keys_;
  int score_ = 0;
};

TEST_F(ColorControlWindowTest, SlidersStoreTheirValuesAndShowTheirNumbers) {
  const struct {
    ColorRow row;
    const char* number;
    int thumb;
  } start[] = {{ColorRow::Brightness, "7.5", 115},
               {ColorRow::Contrast, "50", 170},
               {ColorRow::Hue, "0", 170},
               {ColorRow::Saturation, "50", 170}};
  for (const auto& s : start) {
    EXPECT_EQ(window_->numberText(s.row).toStdString(), s.number);
    EXPECT_EQ(window_->thumbCentre(s.row).x(), s.thumb);
  }
  settings_.HueControl = 90;
  settings_.ContrastControl = 10100;
  window_->applySettings();
  EXPECT_EQ(window_->slider(ColorRow::Hue), 90);
  EXPECT_EQ(window_->numberText(ColorRow::Contrast).toStdString(), "50");  // 101 div 2
  // A language change redraws the face; the values and their numbers stay.
  texts::LoadBuiltInTexts(true);
  EXPECT_EQ(window_->slider(ColorRow::Hue), 90);
  EXPECT_EQ(window_->numberText(ColorRow::Hue).toStdString(), "90");
  EXPECT_EQ(window_->windowTitle().toStdString(), "Color Control");

  const struct {
    ColorRow row;
    int x;
    int slider, setting;
    const char* number;
  } clicks[] = {
      {ColorRow::Hue, 170, 0, 0, "0"},  // Round(65 / 130 x 360) - 180
      {ColorRow::Brightness, 235, 1000, 10000, "100"},
      {ColorRow::Brightness, 300, 1000, 10000, "100"},  // past the grab area: not taken
      {ColorRow::Brightness, 100, 0, 0, "0"},           // grab area edge, clamped to 105
      {ColorRow::Brightness, 106, 8, 80, "0.8"},
      {ColorRow::Contrast, 141, 55, 5500, "27"},
      {ColorRow::Saturation, 200, 146, 14600, "73"},
  };
  for (const auto& c : clicks) {
    SCOPED_TRACE(c.x);
    click(QPoint(c.x, video::colorRowRule(c.row).rowY));
    EXPECT_EQ(window_->slider(c.row), c.slider);
    EXPECT_EQ(window_->numberText(c.row).toStdString(), c.number);
  }
  EXPECT_EQ(settings_.HueControl, 0);
  EXPECT_EQ(settings_.BrightnessControl, 80);
  EXPECT_EQ(settings_.ContrastControl, 5500);
  EXPECT_EQ(settings_.SaturationControl, 14600);
  EXPECT_EQ(score_, 6 * 5000);  // one per taken press; the miss counts nothing

  // A taken slider follows every move, each adding again.
  score_ = 0;
  QTest::mousePress(window_.get(), Qt::LeftButton, {}, QPoint(105, 38));
  for (int x : {120, 140, 160}) {
    QMouseEvent move(QEvent::MouseMove, QPointF(x, 40), window_->mapToGlobal(QPointF(x, 40)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(window_.get(), &move);
  }
  QTest::mouseRelease(window_.get(), Qt::LeftButton, {}, QPoint(160, 40));
  EXPECT_EQ(window_->slider(ColorRow::Brightness), 423);  // Round(55 / 130 x 1000)
  EXPECT_EQ(settings_.BrightnessControl, 4230);
  EXPECT_EQ(score_, 4 * 5000);
}

TEST_F(ColorControlWindowTest, DefaultKeysAndWheel) {
  settings_.BrightnessControl = 20;
  settings_.HueControl = -40;
  window_->applySettings();
  click(QPoint(150, 143));
  EXPECT_EQ(settings_.BrightnessControl, 750);
  EXPECT_EQ(settings_.ContrastControl, 10000);
  EXPECT_EQ(settings_.HueControl, 0);
  EXPECT_EQ(settings_.SaturationControl, 10000);
  EXPECT_EQ(window_->numberText(ColorRow::Brightness).toStdString(), "7.5");
  click(QPoint(150, 143));  // already the defaults: still a change
  EXPECT_EQ(score_, 10000);

  score_ = 0;
  const struct {
    int key;
    int brightness;
    const char* osd;
  } keys[] = {{Qt::Key_Left, 70, "Brightness: 7"},
              {Qt::Key_Left, 60, "Brightness: 6"},
              {Qt::Key_Right, 70, "Brightness: 7"}};
  for (const auto& k : keys) {
    QTest::keyClick(window_.get(), Qt::Key(k.key));
    EXPECT_EQ(window_->slider(ColorRow::Brightness), k.brightness);
    EXPECT_EQ(osd_.back(), k.osd);
  }
  EXPECT_EQ(score_, 3 * 5000);
  settings_.BrightnessControl = 9950;
  window_->applySettings();
  QTest::keyClick(window_.get(), Qt::Key_Right);
  EXPECT_EQ(settings_.BrightnessControl, 10000);
  EXPECT_EQ(osd_.back(), "Brightness: 100");

  // The wheel steps the brightness too, without counting a change.
  score_ = 0;
  QWheelEvent down(QPointF(50, 50), window_->mapToGlobal(QPointF(50, 50)), QPoint(),
                   QPoint(0, -120), Qt::NoButton, {}, Qt::NoScrollPhase, false);
  QApplication::sendEvent(window_.get(), &down);
  EXPECT_EQ(window_->slider(ColorRow::Brightness), 990);
  EXPECT_EQ(osd_.back(), "Brightness: 99");
  EXPECT_EQ(score_, 0);

  // Other keys go to the player; Esc and Ctrl+C only hide the window.
  QTest::keyClick(window_.get(), Qt::Key_X);
  QTest::keyClick(window_.get(), Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(keys_, (std::vector<int>{Qt::Key_X, Qt::Key_Left}));
  QTest::keyClick(window_.get(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_FALSE(window_->isVisible());
  window_->show();
  QTest::keyClick(window_.get(), Qt::Key_Escape);
  EXPECT_FALSE(window_->isVisible());
  window_->show();
  click(QPoint(window_->width() - 10, 11));  // close button
  EXPECT_FALSE(window_->isVisible());
}

}  // namespace
