#include "ui/videowindow/resize_grips.h"

#include <QMouseEvent>
#include <QWindow>

namespace ui {

namespace {

// One grip: a press hands the resize from its edges to the window system.
class Grip : public QWidget {
 public:
  Grip(QWidget* parent, Qt::Edges edges, Qt::CursorShape cursor) : QWidget(parent), edges_(edges) {
    setCursor(cursor);
    setAttribute(Qt::WA_NoSystemBackground);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    if (QWindow* w = window()->windowHandle()) w->startSystemResize(edges_);
  }

 private:
  Qt::Edges edges_;
};

// Edge code order: left, right, top, top-left, top-right, bottom,
// bottom-left, bottom-right.
struct GripKind {
  Qt::Edges edges;
  Qt::CursorShape cursor;
};
const GripKind kGrips[8] = {
    {Qt::LeftEdge, Qt::SizeHorCursor},
    {Qt::RightEdge, Qt::SizeHorCursor},
    {Qt::TopEdge, Qt::SizeVerCursor},
    {Qt::TopEdge | Qt::LeftEdge, Qt::SizeFDiagCursor},
    {Qt::TopEdge | Qt::RightEdge, Qt::SizeBDiagCursor},
    {Qt::BottomEdge, Qt::SizeVerCursor},
    {Qt::BottomEdge | Qt::LeftEdge, Qt::SizeBDiagCursor},
    {Qt::BottomEdge | Qt::RightEdge, Qt::SizeFDiagCursor},
};

}  // namespace

ResizeGrips::ResizeGrips(QWidget* window) : QObject(window), window_(window) {
  for (int i = 0; i < 8; ++i) grips_[i] = new Grip(window, kGrips[i].edges, kGrips[i].cursor);
  place();
}

void ResizeGrips::place() {
  // The 317 x 245 design: edges 5 thick, corners 10 x 10; each grip keeps its
  // distance to the edges it is attached to.
  const int w = window_->width(), h = window_->height();
  grips_[0]->setGeometry(0, 10, 5, h - 20);
  grips_[1]->setGeometry(w - 5, 10, 5, h - 20);
  grips_[2]->setGeometry(10, 0, w - 20, 5);
  grips_[3]->setGeometry(0, 0, 10, 10);
  grips_[4]->setGeometry(w - 10, 0, 10, 10);
  grips_[5]->setGeometry(10, h - 5, w - 22, 5);
  grips_[6]->setGeometry(0, h - 10, 10, 10);
  grips_[7]->setGeometry(w - 10, h - 10, 10, 10);
}

void ResizeGrips::setVisible(bool on) {
  for (QWidget* g : grips_) g->setVisible(on);
}

}  // namespace ui
