#include "ui/virtual_toggles.h"

#include "ui/colors.h"
#include "ui/skin_window.h"

#include <QFontMetrics>
#include <QPainter>

namespace ui {
namespace {

constexpr int kCaptionColor = 1466646;   // 0x00BBGGRR green
constexpr int kHoverCaptionColor = 254;  // red

QFont checkboxFont() {
  QFont font("Arial");
  font.setPixelSize(12);
  return font;
}

// Hover and cursor handling shared by the toggles: as the image button, but
// the owner decides whether a hover change repaints.
bool trackHover(SkinWidget& widget, SkinWindow& owner, bool inside, bool& hover, bool& pressed) {
  if (!inside) {
    const bool was = hover;
    if (hover) {
      owner.setHintText(QString());
      hover = false;
      owner.setPointer(PointerShape::Default);
    }
    pressed = false;
    return was;
  }
  const bool was = hover;
  hover = true;
  if (pressed) {
    owner.setPointer(PointerShape::HandPress);
  } else if (owner.captured() == &widget) {
    pressed = true;
    owner.setPointer(PointerShape::HandPress);
    return true;
  } else {
    owner.setPointer(PointerShape::HandPoint);
    owner.setHintText(widget.hint());
  }
  return !was;
}

}  // namespace

TVirtualButton2::TVirtualButton2(SkinWindow& owner, const QRect& rect, std::string_view imageName,
                                 const QString& hint, bool on)
    : SkinWidget(owner, rect, hint), image_(widgetImage(imageName)), on_(on) {}

int TVirtualButton2::quarter() const {
  const bool shown = pressed_ ? !on_ : on_;
  return (shown ? 1 : 0) + (hover_ ? 2 : 0);
}

void TVirtualButton2::paint() {
  const int w = image_.width() / 4;
  drawPart(image_, QRect(quarter() * w, 0, w, image_.height()));
}

bool TVirtualButton2::press(int x, int y) {
  if (!contains(x, y)) return false;
  beginPress();
  owner_.setPointer(PointerShape::HandPress);
  return true;
}

bool TVirtualButton2::release(int x, int y) {
  if (!pressed_ || !contains(x, y)) return false;
  pressed_ = false;
  paint();
  return true;
}

void TVirtualButton2::move(int x, int y, bool) {
  if (otherCaptured()) return;
  if (trackHover(*this, owner_, contains(x, y), hover_, pressed_)) paint();
}

void TVirtualButton2::setOn(bool on) {
  if (on == on_) return;
  on_ = on;
  paint();
}

TVirtualFlip::TVirtualFlip(SkinWindow& owner, const QRect& rect, std::string_view imageName,
                           const QString& hint, bool on, FlipKind kind, const QString& hintOff)
    : SkinWidget(owner, rect, on || kind == FlipKind::Main ? hint : hintOff),
      image_(widgetImage(imageName)),
      on_(on),
      kind_(kind),
      hintOn_(hint),
      hintOff_(hintOff) {}

void TVirtualFlip::paint() {
  if (kind_ == FlipKind::Playlist && !hover_) {
    restoreBackground();
    owner_.invalidate(rect_);
    return;
  }
  const int half = image_.width() / 2;
  drawPart(image_, QRect(on_ ? 0 : half, 0, half, image_.height()));
}

bool TVirtualFlip::press(int x, int y) {
  if (!contains(x, y)) return false;
  beginPress();
  return true;
}

bool TVirtualFlip::release(int x, int y) {
  if (!pressed_ || !contains(x, y)) return false;
  pressed_ = false;
  on_ = !on_;
  if (kind_ == FlipKind::Playlist) hint_ = on_ ? hintOn_ : hintOff_;
  paint();
  return true;
}

void TVirtualFlip::move(int x, int y, bool) {
  if (otherCaptured()) return;
  const bool changed = trackHover(*this, owner_, contains(x, y), hover_, pressed_);
  if (changed && kind_ == FlipKind::Playlist) paint();  // the main kind ignores hover
}

void TVirtualFlip::setOn(bool on) {
  if (on == on_) return;
  on_ = on;
  if (kind_ == FlipKind::Playlist) hint_ = on_ ? hintOn_ : hintOff_;
  paint();
}

TVirtualCheckbox::TVirtualCheckbox(SkinWindow& owner, int x, const QString& caption,
                                   const QString& hint)
    : SkinWidget(owner, QRect(x, 0, 1, 1), hint),
      image_(widgetImage("CBPOSITIONS")),
      caption_(caption) {
  rect_.setRight(x + faceWidth() + captionWidth() + 13);
}

int TVirtualCheckbox::captionWidth() const {
  return QFontMetrics(checkboxFont()).horizontalAdvance(caption_);
}

void TVirtualCheckbox::setVertical(int top, int bottom) {
  rect_.setTop(top);
  rect_.setBottom(bottom);
}

void TVirtualCheckbox::setVisible(bool visible) {
  visible_ = visible;
  if (!visible) {
    restoreBackground();
    owner_.invalidate(rect_);
  }
}

void TVirtualCheckbox::paint() {
  if (!visible_) return;
  restoreBackground();
  QPainter painter(&owner_.backBuffer());
  const int w = faceWidth();
  const int face = (checked_ ? 2 : 0) + (pressed_ ? 1 : 0);
  painter.drawImage(QPoint(rect_.left() + 4, rect_.top() + 5), image_,
                    QRect(face * w, 0, w, image_.height()));
  painter.setFont(checkboxFont());
  painter.setPen(colorFromBgr(hover_ ? kHoverCaptionColor : kCaptionColor));
  const QRect text(rect_.left() + w + 9, rect_.top() + 5, captionWidth() + 4, image_.height());
  painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, caption_);
  owner_.invalidate(rect_);
}

bool TVirtualCheckbox::press(int x, int y) {
  if (!visible_ || !enabled_ || !contains(x, y)) return false;
  beginPress();
  owner_.setPointer(PointerShape::HandPress);
  return true;
}

bool TVirtualCheckbox::release(int x, int y) {
  if (!pressed_ || !contains(x, y)) return false;
  pressed_ = false;
  checked_ = !checked_;
  paint();
  return true;
}

void TVirtualCheckbox::move(int x, int y, bool) {
  if (!visible_ || otherCaptured()) return;
  const bool wasPressed = pressed_;
  if (trackHover(*this, owner_, contains(x, y), hover_, pressed_) || wasPressed != pressed_)
    paint();
}

void TVirtualCheckbox::setChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  paint();
}

}  // namespace ui
