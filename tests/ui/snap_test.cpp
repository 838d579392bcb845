#include "ui/skin_window.h"
#include "ui/window_drag.h"
#include "ui/window_snap.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

using ui::SnapRect;

const SnapRect kScreen{0, 0, 1280, 1000};

SnapRect at(int left, int top, int width = 100, int height = 50) {
  return {left, top, left + width, top + height};
}

struct SnapCase {
  const char* name;
  SnapRect current, proposed;
  std::vector<SnapRect> others;
  SnapRect expected;
};

class SnapWindowPositionTest : public testing::TestWithParam<SnapCase> {};

TEST_P(SnapWindowPositionTest, SnapsToNeighboursAndScreen) {
  const SnapCase& c = GetParam();
  EXPECT_EQ(ui::SnapWindowPosition(c.current, c.proposed, c.others, kScreen), c.expected);
}

const SnapRect kOther{500, 500, 700, 700};

INSTANTIATE_TEST_SUITE_P(
    Positions, SnapWindowPositionTest,
    testing::Values(
        SnapCase{"TenFromScreenLeftSnaps", at(300, 300), at(10, 300), {}, at(0, 300)},
        SnapCase{"ElevenFromScreenLeftStays", at(300, 300), at(11, 300), {}, at(11, 300)},
        SnapCase{"NearScreenRightSnaps", at(300, 300), at(1172, 300), {}, at(1180, 300)},
        SnapCase{"NearScreenTopAndBottom", at(300, 300), at(300, -9), {}, at(300, 0)},
        SnapCase{"NearScreenBottom", at(300, 300), at(300, 945), {}, at(300, 950)},
        SnapCase{"LeftToOthersRight", at(900, 520), at(708, 520), {kOther}, at(700, 520)},
        SnapCase{
            "LeftToOthersRightThenTopsAlign", at(900, 520), at(709, 505), {kOther}, at(700, 500)},
        SnapCase{"LeftThenBottomsAlign", at(900, 520), at(705, 655), {kOther}, at(700, 650)},
        SnapCase{"NoVerticalOverlapNoSnap", at(900, 520), at(705, 760), {kOther}, at(705, 760)},
        SnapCase{"TouchingRangesOverlap", at(900, 520), at(705, 700), {kOther}, at(700, 700)},
        SnapCase{"RightToOthersLeft", at(100, 520), at(392, 560), {kOther}, at(400, 560)},
        SnapCase{
            "BottomToOthersTopThenRightsAlign", at(100, 100), at(595, 445), {kOther}, at(600, 450)},
        SnapCase{
            "TopToOthersBottomThenLeftsAlign", at(100, 100), at(503, 709), {kOther}, at(500, 700)},
        SnapCase{"ElevenFromOtherStays", at(900, 520), at(711, 520), {kOther}, at(711, 520)},
        SnapCase{"ResizeMovesOnlyTheEdge",
                 at(720, 520),
                 SnapRect{706, 520, 820, 570},
                 {kOther},
                 SnapRect{700, 520, 820, 570}},
        SnapCase{"LastWindowFirst",
                 at(900, 520),
                 at(706, 520),
                 {SnapRect{500, 300, 698, 800}, kOther},
                 at(698, 520)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DockingTest, OnlyExactlyTouchingWindowsAreDocked) {
  const SnapRect main = at(100, 100, 460, 152);
  const struct {
    SnapRect other;
    bool docked;
  } rows[] = {{at(560, 100, 200, 300), true}, {at(561, 100, 200, 300), false},
              {at(0, 500, 100, 50), true},    {at(-1, 500, 100, 50), false},
              {at(900, 252), true},           {at(900, 50), true},
              {at(900, 51), false},           {at(200, 120), false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.other.left << "," << row.other.top);
    EXPECT_EQ(ui::windowsTouch(main, row.other), row.docked);
  }
}

TEST(DockingTest, MainWindowMoveShiftsAndAlignsTopsFirst) {
  const struct {
    SnapRect proposed;
    std::vector<SnapRect> undocked;
    SnapRect expected;
  } rows[] = {
      {at(706, 505, 460, 152), {kOther}, at(700, 500, 460, 152)},
      {at(706, 555, 460, 152), {kOther}, at(700, 548, 460, 152)},
      {at(8, 300, 460, 152), {}, at(0, 300, 460, 152)},
      {at(40, 705, 460, 152), {kOther}, at(40, 700, 460, 152)},
      {at(495, 705, 460, 152), {kOther}, at(500, 700, 460, 152)},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(ui::snapMainWindowMove(rows[i].proposed, rows[i].undocked, kScreen),
              rows[i].expected);
  }
}

TEST(ResizeTest, EdgesMoveAndMinimumHolds) {
  const QRect start(100, 100, 400, 300);
  const QSize minimum(250, 200);
  const struct {
    int edge;
    QPoint delta;
    QRect expected;
  } rows[] = {
      {2, {50, 0}, QRect(100, 100, 450, 300)},  {2, {-300, 0}, QRect(100, 100, 250, 300)},
      {1, {-20, 0}, QRect(80, 100, 420, 300)},  {1, {300, 0}, QRect(250, 100, 250, 300)},
      {6, {0, 40}, QRect(100, 100, 400, 340)},  {3, {0, 150}, QRect(100, 200, 400, 200)},
      {8, {10, 20}, QRect(100, 100, 410, 320)}, {4, {-10, -10}, QRect(90, 90, 410, 310)},
      {5, {10, -10}, QRect(100, 90, 410, 310)}, {7, {-10, 10}, QRect(90, 100, 410, 310)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.edge);
    EXPECT_EQ(ui::resizedRect(start, row.edge, row.delta, minimum), row.expected);
  }
}

}  // namespace

namespace {

// A skinned window whose face drags it, with one counted button.
class DragWindow : public ui::SkinWindow {
 public:
  DragWindow() {
    QImage face(QSize(200, 120), QImage::Format_ARGB32_Premultiplied);
    face.fill(QColor(30, 30, 30));
    setFace(face);
  }
  int doubleClicks = 0;

 protected:
  void mouseDoubleClickEvent(QMouseEvent*) override { ++doubleClicks; }
};

TEST(WindowDragTest, MovesOnlyPastTheDragDistanceAndKeepsDoubleClicks) {
  const int d = QApplication::startDragDistance();
  const struct {
    const char* name;
    QPoint pointerMove;
    bool moves;
  } rows[] = {
      {"StillPointer", {0, 0}, false},
      {"JustShort", {d - 1, 0}, false},
      {"ShortDiagonal", {(d - 1) / 2, (d - 1) / 2}, false},
      {"AtTheDistance", {0, -d}, true},
      {"FarAway", {40, 25}, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    DragWindow window;
    window.move(300, 300);
    window.show();
    QCoreApplication::processEvents();
    const QPoint grip(100, 60);
    const QPoint start = window.pos();
    QTest::mousePress(&window, Qt::LeftButton, {}, grip);
    EXPECT_FALSE(ui::windowDragActive()) << "a press alone moves nothing";
    QTest::mouseMove(&window, grip + row.pointerMove);
    EXPECT_EQ(ui::windowDragActive(), row.moves);
    EXPECT_EQ(window.pos(), row.moves ? start + row.pointerMove : start);
    QTest::mouseRelease(&window, Qt::LeftButton, {}, grip + row.pointerMove + start - window.pos());
    QCoreApplication::processEvents();
    EXPECT_FALSE(ui::windowDragActive());
    if (row.moves) continue;
    // The click did not start a move, so a second click makes a double click.
    QTest::mouseDClick(&window, Qt::LeftButton, {}, grip);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.doubleClicks, 1);
    EXPECT_EQ(window.pos(), start);
  }
}

}  // namespace

namespace {

// "Always on Top" reaches every player window, shown or not, and the windows
// registered later; a shown window stays shown where it was.
TEST(PlayerWindowsOnTopTest, EveryPlayerWindowFollowsTheState) {
  QWidget shown, hidden, later;
  shown.setGeometry(120, 110, 200, 100);
  shown.show();
  QCoreApplication::processEvents();
  const QRect where = shown.geometry();
  ui::registerPlayerWindow(&shown);
  ui::registerPlayerWindow(&hidden);
  for (const bool on : {true, false}) {
    SCOPED_TRACE(on);
    ui::setPlayerWindowsOnTop(on);
    EXPECT_EQ(ui::playerWindowsOnTop(), on);
    for (QWidget* w : {&shown, &hidden})
      EXPECT_EQ(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint), on);
    EXPECT_TRUE(shown.isVisible());
    EXPECT_FALSE(hidden.isVisible());
    EXPECT_EQ(shown.geometry(), where);
    if (on) {
      ui::registerPlayerWindow(&later);
      EXPECT_TRUE(later.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }
  }
  EXPECT_FALSE(later.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

}  // namespace
