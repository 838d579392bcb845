// The video window paints the picture where the geometry puts it, black bars
// around it, and the on-screen message over it.
#include <gtest/gtest.h>
#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QTest>

#include "tests/playback/fake_engine.h"
#include "ui/videowindow/video_window.h"

namespace ui {
namespace {

// An engine whose newest picture is a plain blue field.
class BlueEngine : public playback::testing::FakeEngine {
 public:
  uint64_t frameSerial() const override { return 1; }
  bool drawNewestFrame(const playback::FrameTarget& t) override {
    for (int y = 0; y < t.heightPx; ++y)
      for (int x = 0; x < t.widthPx; ++x) {
        uint8_t* p = t.pixels + y * t.strideBytes + x * 4;
        p[0] = 255, p[1] = 0, p[2] = 0, p[3] = 255;
      }
    return true;
  }
};

QApplication& app() {
  static int argc = 1;
  static char name[] = "videowindow_test";
  static char* argv[] = {name, nullptr};
  // Never destroyed: Qt's own globals are gone by the time statics end.
  static QApplication* a = new QApplication(argc, argv);
  return *a;
}

class VideoWindowTest : public ::testing::Test {
 protected:
  VideoWindowTest() { app(); }
  BlueEngine engine_;
  settings::Settings settings_;
  playback::Osd osd_;
  video::PictureState picture_;
};

TEST_F(VideoWindowTest, CentresThePictureBetweenBlackBars) {
  const struct {
    int winW, winH, videoW, videoH;
    QRect expect;
  } rows[] = {
      {400, 300, 320, 240, QRect(0, 0, 400, 300)},   // same shape fills the window
      {400, 200, 320, 240, QRect(67, 0, 266, 200)},  // bars left and right
      {400, 400, 640, 360, QRect(0, 87, 400, 225)},  // bars above and below
      {400, 300, 0, 0, QRect()},                     // no picture: all black
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.winW * 10000 + r.winH);
    picture_.VideoWidth = r.videoW;
    picture_.VideoHeight = r.videoH;
    picture_.PictureRatio = r.videoH ? double(r.videoW) / r.videoH : 1.33;
    TfrmVideoWindow w(engine_, settings_, osd_, picture_, "Tarvelino");
    w.resize(r.winW, r.winH);
    const QRect pic = w.pictureRect();
    EXPECT_LE(std::abs(pic.left() - r.expect.left()), 1) << pic.left();
    EXPECT_LE(std::abs(pic.top() - r.expect.top()), 1) << pic.top();
    EXPECT_LE(std::abs(pic.width() - r.expect.width()), 2) << pic.width();
    EXPECT_LE(std::abs(pic.height() - r.expect.height()), 2) << pic.height();
    const QImage img = w.grab().toImage();
    EXPECT_EQ(img.pixelColor(r.winW / 2, r.winH / 2) == QColor(0, 0, 255), !pic.isEmpty());
    if (pic.left() > 2) {
      EXPECT_EQ(img.pixelColor(1, r.winH / 2), QColor(Qt::black));
    }
    if (pic.top() > 2) {
      EXPECT_EQ(img.pixelColor(r.winW / 2, 1), QColor(Qt::black));
    }
  }
}

// Counts pixels of the message colour (green by default) in the top third.
int greenPixels(const QImage& img) {
  int n = 0;
  for (int y = 0; y < img.height() / 3; ++y)
    for (int x = 0; x < img.width(); ++x) n += img.pixelColor(x, y) == QColor(0, 255, 0);
  return n;
}

TEST_F(VideoWindowTest, PaintsTheMessageOnlyWhileTheDisplayIsOn) {
  TfrmVideoWindow w(engine_, settings_, osd_, picture_, "Tarvelino");
  w.resize(480, 270);
  const struct {
    bool osdDisplay;
    const char* text;
    bool visible;
  } rows[] = {{true, "Pause", true},
              {false, "Pause", false},
              {true, "", false},
              {true, "Volume: 50%", true}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text);
    settings_.OSDDisplay = r.osdDisplay;
    osd_.show(r.text, settings_.OSDDisplay, 0);
    const QImage img = w.grab().toImage();
    EXPECT_EQ(greenPixels(img) > 10, r.visible);
    EXPECT_EQ(osd_.shownText, r.visible ? r.text : "");
  }
}

// An engine whose newest picture is a plain field of the colour its serial
// names; it counts the pixels it is asked to convert.
class SerialEngine : public playback::testing::FakeEngine {
 public:
  uint64_t serial = 1;
  int64_t convertedPx = 0;
  uint64_t frameSerial() const override { return serial; }
  bool drawNewestFrame(const playback::FrameTarget& t) override {
    const int right = t.clipWidth < 0 ? t.widthPx : std::min(t.widthPx, t.clipLeft + t.clipWidth);
    const int bottom =
        t.clipHeight < 0 ? t.heightPx : std::min(t.heightPx, t.clipTop + t.clipHeight);
    const QColor c = serial == 1 ? QColor(0, 0, 255) : QColor(255, 0, 0);
    for (int y = t.clipTop; y < bottom; ++y)
      for (int x = t.clipLeft; x < right; ++x) {
        uint8_t* p = t.pixels + y * t.strideBytes + x * 4;
        p[0] = c.blue(), p[1] = c.green(), p[2] = c.red(), p[3] = 255;
        ++convertedPx;
      }
    return true;
  }
};

// What the window shows: its back buffer as the screen has it.
QImage shown(QWidget& w) {
  return w.screen()->grabWindow(w.winId()).toImage();
}

// On screen the picture goes straight into the back buffer: a new picture
// converts the picture rectangle once, a message band converts only the
// band and keeps the picture under it, and a grab (another painter) shows
// the same.
TEST_F(VideoWindowTest, PaintsPicturesIntoTheBackBufferOnlyWhereRepainted) {
  SerialEngine engine;
  picture_.VideoWidth = 320;
  picture_.VideoHeight = 240;
  picture_.PictureRatio = 320.0 / 240;
  settings_.OSDDisplay = true;
  TfrmVideoWindow w(engine, settings_, osd_, picture_, "Tarvelino");
  w.resize(400, 300);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  QTRY_COMPARE(w.paintedFrames(), 1u);
  const QRect pic = w.pictureRect();
  const QPoint middle = pic.center();
  EXPECT_EQ(shown(w).pixelColor(middle), QColor(0, 0, 255));
  const struct {
    const char* name;
    uint64_t serial;
    bool message;
    uint64_t painted;
    QColor middle;
    int64_t maxConvertedPx;  // pixels converted by this repaint
  } rows[] = {
      {"new picture", 2, false, 2, QColor(255, 0, 0), int64_t(pic.width()) * pic.height()},
      {"message band", 2, true, 2, QColor(255, 0, 0), int64_t(pic.width()) * (pic.height() / 2)},
      {"same picture again", 2, false, 2, QColor(255, 0, 0), int64_t(pic.width()) * pic.height()},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    engine.serial = r.serial;
    engine.convertedPx = 0;
    if (r.message) {
      osd_.show("Pause", true, 0);
      w.repaintOsd();
    } else {
      osd_.clear();
      w.repaintVideo();
    }
    QTRY_VERIFY(engine.convertedPx > 0);
    EXPECT_LE(engine.convertedPx, r.maxConvertedPx);
    EXPECT_EQ(w.paintedFrames(), r.painted);
    const QImage img = shown(w);
    EXPECT_EQ(img.pixelColor(middle), r.middle);
    EXPECT_EQ(greenPixels(img) > 10, r.message);
    EXPECT_EQ(w.grab().toImage().pixelColor(middle), r.middle);
  }
}

}  // namespace
}  // namespace ui

namespace ui {
namespace {

// Full screen given by the owner covers exactly its monitor rectangle, a
// double click asks the owner, and hiding in full screen asks it to leave.
TEST_F(VideoWindowTest, OwnerPlacesFullScreenAndGetsTheRequests) {
  TfrmVideoWindow window(engine_, settings_, osd_, picture_, "Tarvelino");
  window.setFullScreenByOwner(true);
  window.setGeometry(100, 100, 400, 300);
  window.show();
  int toggles = 0, leaves = 0, changes = 0;
  QObject::connect(&window, &TfrmVideoWindow::fullScreenToggleRequested, [&] { ++toggles; });
  QObject::connect(&window, &TfrmVideoWindow::leaveFullScreenRequested, [&] { ++leaves; });
  QObject::connect(&window, &TfrmVideoWindow::fullScreenChanged, [&](bool) { ++changes; });
  QTest::mouseDClick(&window, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(toggles, 1);
  EXPECT_FALSE(window.isFullScreen());  // the owner decides
  window.showFullScreenOn(QRect(0, 0, 800, 600));
  EXPECT_TRUE(window.isFullScreen());
  EXPECT_EQ(window.geometry(), QRect(0, 0, 800, 600));
  window.showFullScreenOn(QRect(0, 0, 640, 480));  // a new mode: same state, new size
  EXPECT_EQ(window.geometry(), QRect(0, 0, 640, 480));
  int w = 0, h = 0;
  window.windowSize(w, h);  // the windowed size is remembered for the movie's record
  EXPECT_EQ(QSize(w, h), QSize(400, 300));
  window.hideSurface();
  EXPECT_EQ(leaves, 1);
  EXPECT_EQ(changes, 2);
  window.show();
  window.showWindowedAt(QRect(50, 60, 320, 240));
  EXPECT_FALSE(window.isFullScreen());
  EXPECT_EQ(window.geometry(), QRect(50, 60, 320, 240));
}

}  // namespace
}  // namespace ui
