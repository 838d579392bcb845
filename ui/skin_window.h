#pragma once
// The base of every skinned window: a borderless window whose face is a skin
// image. It keeps the working background (the skin plus any label texts drawn
// on it) and a back buffer (background plus the widgets' current faces),
// paints itself from the back buffer, and routes mouse events to its skin
// widgets. Interface thread only.
#include <QImage>
#include <QString>
#include <QWidget>

#include <vector>

namespace ui {

class SkinWidget;

enum class PointerShape { Default, HandPoint, HandPress };

// How long a hint stays: round(61.225 x characters + 938.776) ms.
int hintDurationMs(int characters);

class SkinWindow : public QWidget {
  Q_OBJECT
 public:
  explicit SkinWindow(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
  ~SkinWindow() override;

  // Makes image the window's face and fixes the window size to it.
  void setFace(const QImage& image);
  const QImage& face() const { return face_; }
  // Makes image the face of a resizable window: the working background and
  // the back buffer become image, the window's size limits stay as they are.
  void replaceFace(const QImage& image);

  // The working background and the back buffer, both the size of the face.
  QImage& background() { return background_; }
  QImage& backBuffer() { return backBuffer_; }
  // Copies rect from the working background into the back buffer and repaints it.
  void restoreFromBackground(const QRect& rect);
  // Schedules a repaint of rect from the back buffer.
  void invalidate(const QRect& rect) { update(rect); }

  // The one widget that holds the left button; others ignore moves meanwhile.
  SkinWidget* captured() const { return captured_; }
  void setCaptured(SkinWidget* widget) { captured_ = widget; }

  // The window's hint text; an empty text also hides a shown hint.
  void setHintText(const QString& text);
  const QString& hintText() const { return hintText_; }
  void setPointer(PointerShape shape);
  PointerShape pointer() const { return pointer_; }

  // Widgets in the order presses are offered to them. Not owned.
  void addSkinWidget(SkinWidget* widget) { widgets_.push_back(widget); }
  const std::vector<SkinWidget*>& skinWidgets() const { return widgets_; }

  // Small windows (information, About) close on Enter and Escape.
  void setClosedByEnterOrEscape(bool on) { closedByEnterOrEscape_ = on; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

  // A left press no widget took: by default the user drags the window.
  virtual void facePressed(QMouseEvent* event);
  // A release that completed a click on widget.
  virtual void widgetClicked(SkinWidget* widget) { (void)widget; }

 private:
  QImage face_;
  QImage background_;
  QImage backBuffer_;
  SkinWidget* captured_ = nullptr;
  QString hintText_;
  PointerShape pointer_ = PointerShape::Default;
  std::vector<SkinWidget*> widgets_;
  bool closedByEnterOrEscape_ = false;
};

}  // namespace ui
