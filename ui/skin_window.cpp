#include "ui/skin_window.h"

#include "ui/colors.h"
#include "ui/skin_cursors.h"
#include "ui/skin_widget.h"
#include "ui/window_drag.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <cmath>

namespace ui {
namespace {

constexpr int kHintTextColor = 65280;  // 0x00BBGGRR: green

void styleHintsOnce() {
  static bool done = false;
  if (done) return;
  done = true;
  // Only the application's own tool tips: black with green text.
  QPalette palette = QToolTip::palette();
  palette.setColor(QPalette::ToolTipBase, Qt::black);
  palette.setColor(QPalette::ToolTipText, colorFromBgr(kHintTextColor));
  QToolTip::setPalette(palette);
}

}  // namespace

int hintDurationMs(int characters) {
  return static_cast<int>(std::lrint(61.225 * characters + 938.776));
}

SkinWindow::SkinWindow(QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags | Qt::FramelessWindowHint) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::black);
  setPalette(p);
  styleHintsOnce();
}

SkinWindow::~SkinWindow() = default;

void SkinWindow::setFace(const QImage& image) {
  face_ = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  background_ = face_;
  backBuffer_ = face_;
  setFixedSize(face_.size());
  update();
}

void SkinWindow::replaceFace(const QImage& image) {
  face_ = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  background_ = face_;
  backBuffer_ = face_;
  update();
}

void SkinWindow::restoreFromBackground(const QRect& rect) {
  QPainter painter(&backBuffer_);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(rect.topLeft(), background_, rect);
  update(rect);
}

void SkinWindow::setHintText(const QString& text) {
  hintText_ = text;
  if (text.isEmpty()) QToolTip::hideText();
}

void SkinWindow::setPointer(PointerShape shape) {
  if (shape == pointer_) return;
  pointer_ = shape;
  switch (shape) {
    case PointerShape::Default:
      unsetCursor();
      break;
    case PointerShape::HandPoint:
      setCursor(handPointCursor());
      break;
    case PointerShape::HandPress:
      setCursor(handPressCursor());
      break;
  }
}

void SkinWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(event->rect().topLeft(), backBuffer_, event->rect());
}

void SkinWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  const QPoint p = event->position().toPoint();
  for (SkinWidget* widget : widgets_)
    if (widget->press(p.x(), p.y())) return;
  facePressed(event);
}

void SkinWindow::facePressed(QMouseEvent* event) {
  StartWindowDrag(this, event->globalPosition().toPoint());
}

void SkinWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  captured_ = nullptr;
  const QPoint p = event->position().toPoint();
  SkinWidget* clicked = nullptr;
  // Every widget hears the release so a held one always lets go; the first
  // that reports a click runs its command.
  for (SkinWidget* widget : widgets_)
    if (widget->release(p.x(), p.y()) && !clicked) clicked = widget;
  setHintText(QString());
  if (clicked) widgetClicked(clicked);
}

void SkinWindow::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const bool left = event->buttons() & Qt::LeftButton;
  for (SkinWidget* widget : widgets_) widget->move(p.x(), p.y(), left);
}

void SkinWindow::leaveEvent(QEvent* event) {
  if (!captured_)
    for (SkinWidget* widget : widgets_) widget->leave();
  setPointer(PointerShape::Default);
  setHintText(QString());
  QWidget::leaveEvent(event);
}

bool SkinWindow::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    if (hintText_.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(help->globalPos(), hintText_, this, {}, hintDurationMs(hintText_.size()));
    return true;
  }
  if (event->type() == QEvent::WindowDeactivate) setPointer(PointerShape::Default);
  return QWidget::event(event);
}

void SkinWindow::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (closedByEnterOrEscape_ &&
      (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape))
    close();
  else
    QWidget::keyPressEvent(event);
}

}  // namespace ui
