#include "ui/virtual_label.h"

#include "ui/skin_window.h"

#include <QFontMetrics>
#include <QPainter>

namespace ui {

TVirtualLabel::TVirtualLabel(SkinWindow& owner, int x, int y, int pixelSize, int maxWidth,
                             const QString& hint, const QString& text, QColor color, bool clickable,
                             LabelAnchor anchor)
    : SkinWidget(owner, QRect(x, y, 1, 1), hint),
      font_("MS Sans Serif"),
      color_(color),
      x_(x),
      y_(y),
      maxWidth_(maxWidth),
      clickable_(clickable),
      anchor_(anchor) {
  font_.setPixelSize(pixelSize);
  text_ = QStringLiteral("\x01");  // differs from any real text, so the first set draws
  setText(text);
}

QRect TVirtualLabel::textBox() const {
  const QFontMetrics metrics(font_);
  const int width = scrolling_ ? maxWidth_ : textWidth_;
  const int left = anchor_ == LabelAnchor::Centre ? x_ - textWidth_ / 2 : x_;
  return QRect(left, y_, std::max(width, 1), metrics.height());
}

void TVirtualLabel::eraseBox(const QRect& box) {
  // The clean face under the label goes back into the working background.
  QPainter painter(&owner_.background());
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(box.topLeft(), owner_.face(), box);
  painter.end();
  owner_.restoreFromBackground(box);
}

void TVirtualLabel::setText(const QString& text) {
  if (text == text_) return;
  eraseBox(rect_.adjusted(0, 0, 10, 0));
  text_ = text;
  const QFontMetrics metrics(font_);
  textWidth_ = metrics.horizontalAdvance(text_);
  scrolling_ = maxWidth_ > 0 && textWidth_ > maxWidth_;
  offset_ = -1;
  if (scrolling_) {
    const QString band = text_ + QString(10, QLatin1Char(' '));
    strip_ = QImage(metrics.horizontalAdvance(band), metrics.height(),
                    QImage::Format_ARGB32_Premultiplied);
    strip_.fill(Qt::transparent);
    QPainter painter(&strip_);
    painter.setFont(font_);
    painter.setPen(color_);
    painter.drawText(QRect(0, 0, strip_.width(), strip_.height()), Qt::AlignLeft | Qt::AlignTop,
                     band);
  } else {
    strip_ = QImage();
  }
  rect_ = textBox();
  paint();
}

void TVirtualLabel::paint() {
  const QRect box = textBox();
  {
    QPainter painter(&owner_.background());
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(box.topLeft(), owner_.face(), box);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (scrolling_) {
      // The visible window of the band starts at the offset; past the band's
      // end a second copy continues from its start.
      const int start = std::max(offset_, 0);
      const int first = std::min(strip_.width() - start, box.width());
      painter.drawImage(box.topLeft(), strip_, QRect(start, 0, first, strip_.height()));
      if (first < box.width())
        painter.drawImage(QPoint(box.left() + first, box.top()), strip_,
                          QRect(0, 0, box.width() - first, strip_.height()));
    } else {
      painter.setFont(font_);
      painter.setPen(color_);
      painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, text_);
    }
  }
  owner_.restoreFromBackground(box);
}

bool TVirtualLabel::scrollStep() {
  if (!scrolling_ || dragging()) return false;
  bool turned = false;
  if (offset_ < 0) {
    offset_ = 0;
  } else {
    offset_ += 10;
    if (offset_ >= strip_.width()) {
      offset_ %= strip_.width();
      turned = true;
    }
  }
  paint();
  return turned;
}

bool TVirtualLabel::press(int x, int y) {
  if (!contains(x, y)) return false;
  pressed_ = true;
  clearOwnerHint();
  capture();
  if (scrolling_) {
    lastX_ = x;
    if (offset_ < 0) offset_ = 0;
  } else if (clickable_) {
    owner_.setPointer(PointerShape::HandPress);
  }
  return true;
}

bool TVirtualLabel::release(int x, int y) {
  if (!pressed_) return false;
  pressed_ = false;
  return contains(x, y);
}

void TVirtualLabel::move(int x, int y, bool leftHeld) {
  if (leftHeld && dragging()) {
    const int w = strip_.width();
    offset_ = ((offset_ + lastX_ - x) % w + w) % w;
    lastX_ = x;
    paint();
    return;
  }
  if (otherCaptured()) return;
  if (!leftHeld) pressed_ = false;
  const bool inside = contains(x, y);
  if (inside && !hover_) {
    showOwnHint();
    if (clickable_) owner_.setPointer(PointerShape::HandPoint);
  } else if (!inside && hover_) {
    clearOwnerHint();
    if (clickable_) owner_.setPointer(PointerShape::Default);
  }
  hover_ = inside;
}

}  // namespace ui
