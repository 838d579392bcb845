#pragma once
// A bare skinned window for driving skin widgets with real mouse events.
#include "ui/skin_window.h"

#include <QMouseEvent>
#include <QTest>

#include <string>
#include <vector>

namespace uitest {

class TestWindow : public ui::SkinWindow {
 public:
  explicit TestWindow(QSize size = QSize(300, 200)) {
    QImage face(size, QImage::Format_ARGB32_Premultiplied);
    face.fill(QColor(30, 30, 30));
    setFace(face);
  }
  std::vector<ui::SkinWidget*> clicks;
  int facePresses = 0;

 protected:
  void widgetClicked(ui::SkinWidget* widget) override { clicks.push_back(widget); }
  void facePressed(QMouseEvent*) override { ++facePresses; }
};

// One mouse step: 'm' move, 'p' left press, 'r' left release.
struct Step {
  char kind;
  int x, y;
};

inline void run(QWidget& window, const std::vector<Step>& steps) {
  for (const Step& s : steps) {
    const QPoint p(s.x, s.y);
    if (s.kind == 'm') QTest::mouseMove(&window, p);
    if (s.kind == 'p') QTest::mousePress(&window, Qt::LeftButton, {}, p);
    if (s.kind == 'r') QTest::mouseRelease(&window, Qt::LeftButton, {}, p);
  }
}

}  // namespace uitest
