// The video window is moved by dragging its face and switches to full screen
// on a double click; a click must never turn into a move that swallows the
// second click.
#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>

#include "tests/playback/fake_engine.h"
#include "ui/videowindow/video_window.h"
#include "ui/window_drag.h"

namespace ui {
namespace {

QApplication& app() {
  static int argc = 1;
  static char name[] = "videowindow_mouse_test";
  static char* argv[] = {name, nullptr};
  static QApplication* a = new QApplication(argc, argv);
  return *a;
}

class VideoWindowMouseTest : public ::testing::Test {
 protected:
  VideoWindowMouseTest() {
    window_.setGeometry(200, 150, 320, 240);
    window_.show();
    QCoreApplication::processEvents();
  }
  QApplication& app_ = app();  // first: the window below needs it
  playback::testing::FakeEngine engine_;
  settings::Settings settings_;
  playback::Osd osd_;
  video::PictureState picture_;
  TfrmVideoWindow window_{engine_, settings_, osd_, picture_, "Tarvelino"};
};

TEST_F(VideoWindowMouseTest, DragMovesTheWindowPastTheDragDistanceOnly) {
  const int d = QApplication::startDragDistance();
  const struct {
    QPoint move;
    bool moves;
  } rows[] = {{{1, 1}, false}, {{d - 1, 0}, false}, {{d + 20, 5}, true}, {{-30, -40}, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.move.x() * 1000 + row.move.y());
    const QPoint start = window_.pos();
    const QPoint grip(160, 120);
    QTest::mousePress(&window_, Qt::LeftButton, {}, grip);
    QTest::mouseMove(&window_, grip + row.move);
    EXPECT_EQ(window_.pos(), row.moves ? start + row.move : start);
    QTest::mouseRelease(&window_, Qt::LeftButton, {}, grip + row.move + start - window_.pos());
    QCoreApplication::processEvents();
    EXPECT_FALSE(windowDragActive());
    EXPECT_FALSE(window_.isFullScreen());
  }
}

TEST_F(VideoWindowMouseTest, DoubleClickSwitchesFullScreenBothWays) {
  for (const bool expectFull : {true, false}) {
    SCOPED_TRACE(expectFull);
    QTest::mouseDClick(&window_, Qt::LeftButton, {}, QPoint(100, 100));
    QCoreApplication::processEvents();
    EXPECT_EQ(window_.isFullScreen(), expectFull);
    EXPECT_FALSE(windowDragActive());
  }
}

}  // namespace
}  // namespace ui
