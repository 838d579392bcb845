// The custom aspect ratio and pan-scan dialogs driven by keys, the wheel,
// the track and their buttons.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include "ui/picture_dialog_windows.h"

namespace ui {
namespace {

void wheel(QWidget& w, int delta) {
  QWheelEvent e(QPointF(10, 10), w.mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, delta),
                Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&w, &e);
}

TEST(CustomRatioWindowTest, KeysWheelAndTrackChangeTheRatio) {
  video::PictureState picture;
  picture.VideoWidth = 720;
  picture.VideoHeight = 576;
  picture.PictureRatio = 1.78;
  std::vector<std::string> applied;
  TfrmAspectRatio window(picture, texts::builtInTexts(),
                         [&](const std::string& label) { applied.push_back(label); });
  EXPECT_EQ(window.size(), QSize(300, 110));
  window.show();
  EXPECT_EQ(window.thumbLeft(), 178 - 50 + 26);
  const struct {
    int key;
    double ratio;
    const char* label;
  } rows[] = {
      {Qt::Key_Right, 1.79, "1.79"}, {Qt::Key_Up, 1.80, "1.8"}, {Qt::Key_Down, 1.79, "1.79"},
      {Qt::Key_3, 3.00, "3"},        {Qt::Key_0, 0.50, "0.5"},  {Qt::Key_Left, 0.50, nullptr},
      {Qt::Key_1, 1.00, "1"},
  };
  for (const auto& r : rows) {
    applied.clear();
    QTest::keyClick(&window, Qt::Key(r.key));
    EXPECT_DOUBLE_EQ(picture.PictureRatio, r.ratio) << r.key;
    if (r.label)
      EXPECT_EQ(applied, std::vector<std::string>{r.label}) << r.key;
    else
      EXPECT_TRUE(applied.empty()) << r.key;
  }
  wheel(window, 120);
  EXPECT_DOUBLE_EQ(picture.PictureRatio, 1.01);
  EXPECT_EQ(window.thumbLeft(), 101 - 50 + 26);
  // A press on the track puts the thumb's middle under the pointer.
  QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(26 + 3 + 150, 40));
  EXPECT_DOUBLE_EQ(picture.PictureRatio, 2.00);
  // Esc puts the opening ratio back and closes; nothing to save.
  QSignalSpy closed(&window, &SliderDialog::closed);
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_EQ(closed.count(), 1);
  EXPECT_DOUBLE_EQ(picture.PictureRatio, 1.78);
  EXPECT_EQ(window.closeScoreDelta(), 0);
}

TEST(CustomRatioWindowTest, AcceptKeysKeepTheRatio) {
  for (int key : {Qt::Key_Return, Qt::Key_A}) {
    video::PictureState picture;
    picture.PictureRatio = 1.33;
    TfrmAspectRatio window(picture, texts::builtInTexts(), nullptr);
    QSignalSpy closed(&window, &SliderDialog::closed);
    window.show();
    QTest::keyClick(&window, Qt::Key_Right);
    QTest::keyClick(&window, Qt::Key(key));
    EXPECT_EQ(closed.count(), 1);
    EXPECT_DOUBLE_EQ(picture.PictureRatio, 1.34);
    EXPECT_EQ(window.closeScoreDelta(), 5000);
  }
}

TEST(PanScanWindowTest, KeysAndButtonsSetPanScan) {
  settings::Settings settings;
  settings.PanScanSize = 10;
  std::vector<int> applied;
  TfrmPanScan window(settings, texts::builtInTexts(), [&](int p) { applied.push_back(p); });
  EXPECT_EQ(window.size(), QSize(250, 110));
  window.show();
  EXPECT_EQ(window.thumbLeft(), 27 + 78);  // Round(60 / 150 x 195) + 27
  QTest::keyClick(&window, Qt::Key_Right);
  QTest::keyClick(&window, Qt::Key_0);  // off, and the dialog stays open
  QTest::keyClick(&window, Qt::Key_2);  // no meaning here
  wheel(window, -120);
  EXPECT_EQ(applied, (std::vector<int>{11, 0, -1}));
  EXPECT_EQ(settings.PanScanSize, -1);
  EXPECT_TRUE(window.isVisible());
  QSignalSpy closed(&window, &SliderDialog::closed);
  QTest::keyClick(&window, Qt::Key_P);
  EXPECT_EQ(closed.count(), 1);
  EXPECT_EQ(window.closeScoreDelta(), 5000);
  // Cancel with the mouse: the opening value comes back.
  settings.PanScanSize = 20;
  TfrmPanScan second(settings, texts::builtInTexts(), nullptr);
  second.show();
  QTest::keyClick(&second, Qt::Key_Left);
  QTest::mouseClick(&second, Qt::LeftButton, {}, QPoint(250 - 100 + 10, 82 + 10));
  EXPECT_EQ(settings.PanScanSize, 20);
  EXPECT_FALSE(second.isVisible());
}

}  // namespace
}  // namespace ui
