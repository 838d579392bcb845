#pragma once
// Three small window controls used by the skinned windows. Interface thread only.
#include <QCheckBox>
#include <QWidget>

namespace ui {

// An invisible control along an edge or corner of a borderless window. It
// shows the resize arrows for its edge and, on a left press, sizes its window
// from that edge (application-driven, with snapping and the given minimum).
// Edge codes: left 1, right 2, top 3, top-left 4, top-right 5, bottom 6,
// bottom-left 7, bottom-right 8.
class TResizeZone : public QWidget {
  Q_OBJECT
 public:
  TResizeZone(QWidget* window, int edge, QSize minimum);
  int edge() const { return edge_; }

 signals:
  void mouseDown(int edge);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  int edge_;
  QSize minimum_;
};

// The cursor for a resize edge code.
Qt::CursorShape resizeCursorFor(int edge);

// A standard check box that also reports the pointer entering and leaving it.
class TMyCheckBox : public QCheckBox {
  Q_OBJECT
 public:
  using QCheckBox::QCheckBox;

 signals:
  void mouseIn();
  void mouseOut();

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
};

// A panel that reports its painting (after its own) and can copy a rectangle
// of another picture onto itself (text buttons on configuration pages).
class TMyPanel : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;
  // Copies source rectangle of picture to target in the panel's own picture.
  void copyRect(const QRect& target, const QImage& picture, const QRect& source);
  const QImage& picture() const { return picture_; }

 signals:
  void painted();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QImage picture_;
};

}  // namespace ui
