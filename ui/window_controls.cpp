#include "ui/window_controls.h"

#include "ui/window_drag.h"

#include <QMouseEvent>
#include <QPainter>

namespace ui {

Qt::CursorShape resizeCursorFor(int edge) {
  switch (edge) {
    case 1:
    case 2:
      return Qt::SizeHorCursor;
    case 3:
    case 6:
      return Qt::SizeVerCursor;
    case 4:
    case 8:
      return Qt::SizeFDiagCursor;
    case 5:
    case 7:
      return Qt::SizeBDiagCursor;
    default:
      return Qt::ArrowCursor;
  }
}

TResizeZone::TResizeZone(QWidget* window, int edge, QSize minimum)
    : QWidget(window), edge_(edge), minimum_(minimum) {
  setCursor(resizeCursorFor(edge));
  setAttribute(Qt::WA_TranslucentBackground);
}

void TResizeZone::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  emit mouseDown(edge_);
  StartWindowResize(window(), edge_, event->globalPosition().toPoint(), minimum_);
}

void TMyCheckBox::enterEvent(QEnterEvent* event) {
  QCheckBox::enterEvent(event);
  emit mouseIn();
  update();
}

void TMyCheckBox::leaveEvent(QEvent* event) {
  QCheckBox::leaveEvent(event);
  emit mouseOut();
  update();
}

void TMyPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  QImage grown(size(), QImage::Format_ARGB32_Premultiplied);
  grown.fill(Qt::transparent);
  if (!picture_.isNull()) {
    QPainter painter(&grown);
    painter.drawImage(0, 0, picture_);
  }
  picture_ = grown;
}

void TMyPanel::copyRect(const QRect& target, const QImage& picture, const QRect& source) {
  if (picture_.isNull()) return;
  QPainter painter(&picture_);
  painter.drawImage(target, picture, source & picture.rect());
  update(target);
}

void TMyPanel::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
  painter.end();
  emit painted();
}

}  // namespace ui
