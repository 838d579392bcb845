#pragma once
// The common part of the skin widgets: light objects without a window of
// their own that know a rectangle in their owner's client coordinates (left,
// top, right and bottom all inclusive), a skin image and a hint, paint into the
// owner's back buffer, and react to the mouse events the owner forwards.
// The owner decides what a click means. Interface thread only.
#include <QImage>
#include <QRect>
#include <QString>

#include <string_view>

namespace ui {

class SkinWindow;

class SkinWidget {
 public:
  SkinWidget(SkinWindow& owner, const QRect& rect, QString hint);
  virtual ~SkinWidget() = default;
  SkinWidget(const SkinWidget&) = delete;
  SkinWidget& operator=(const SkinWidget&) = delete;

  // Left-button press at (x, y) in owner coordinates; true when taken.
  virtual bool press(int x, int y) = 0;
  // Left-button release; true when it completes a click.
  virtual bool release(int x, int y) = 0;
  // Pointer movement over the owner; leftHeld while the left button is down.
  virtual void move(int x, int y, bool leftHeld) = 0;
  // Draws the current state into the owner's back buffer and schedules a repaint.
  virtual void paint() = 0;
  // The pointer left the owner window: hover ends.
  virtual void leave();

  // Points on the right and bottom edges count as inside.
  bool contains(int x, int y) const { return rect_.contains(x, y); }
  const QRect& rect() const { return rect_; }
  // Moves the widget (windows whose layout follows their size); the owner
  // repaints its face afterwards.
  void setRect(const QRect& rect) { rect_ = rect; }
  const QString& hint() const { return hint_; }
  void setHint(const QString& hint) { hint_ = hint; }
  bool hovered() const { return hover_; }
  bool pressed() const { return pressed_; }

 protected:
  bool otherCaptured() const;
  void capture();
  // A press taken: pressed and hovered, the owner's hint cleared, the new state
  // painted and the mouse captured.
  void beginPress();
  // Copies the rectangle back from the owner's working background.
  void restoreBackground() const;
  // Restores the background, then draws source of image at the rectangle's
  // top-left; source is clipped to the image so nothing outside it is read.
  void drawPart(const QImage& image, const QRect& source) const;
  void showOwnHint() const;
  void clearOwnerHint() const;

  SkinWindow& owner_;
  QRect rect_;
  QString hint_;
  bool hover_ = false;
  bool pressed_ = false;
};

// Loads a skin image for a widget; a missing image is a build fault and throws.
QImage widgetImage(std::string_view name);

}  // namespace ui
