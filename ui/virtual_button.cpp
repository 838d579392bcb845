#include "ui/virtual_button.h"

#include "ui/colors.h"
#include "ui/skin_window.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ui {
namespace {

constexpr int kCaptionColor = 1466646;          // 0x00BBGGRR: a dark green
constexpr int kDisabledCaptionColor = 8421504;  // grey

int ceilDiv20(int value) {
  return static_cast<int>(std::ceil(value / 20.0));
}

}  // namespace

int textStripForCaption(int captionWidthPx) {
  return std::clamp(ceilDiv20(captionWidthPx - 70) + 1, 1, 5);
}

int textStripForWidth(int widthPx) {
  return std::clamp(ceilDiv20(widthPx - 80) + 1, 1, 5);
}

QFont textButtonFont() {
  QFont font("MS Sans Serif");
  font.setBold(true);
  font.setPixelSize(12);
  return font;
}

TVirtualButton::TVirtualButton(SkinWindow& owner, const QRect& rect, bool enabled,
                               std::string_view imageName, const QString& hint, ButtonLook look)
    : SkinWidget(owner, rect, hint),
      image_(widgetImage(imageName)),
      look_(look),
      enabled_(enabled) {}

TVirtualButton::TVirtualButton(SkinWindow& owner, const QRect& design, const QString& caption,
                               const QString& hint, TextAnchor anchor, bool disabledLook)
    : SkinWidget(owner, design, hint),
      look_(disabledLook ? ButtonLook::Image : ButtonLook::ImageNoDisabled),
      enabled_(true),
      textButton_(true),
      anchor_(anchor),
      caption_(caption) {
  renderCaption(textStripForCaption(QFontMetrics(textButtonFont()).horizontalAdvance(caption)));
}

void TVirtualButton::renderCaption(int strip) {
  strip_ = strip;
  image_ = widgetImage("BUTTONTEXT" + std::to_string(strip));
  QPainter painter(&image_);
  painter.setFont(textButtonFont());
  const QFontMetrics metrics(painter.font());
  const int x =
      static_cast<int>(std::lrint((image_.width() - metrics.horizontalAdvance(caption_)) / 2.0));
  const int bandHeight = image_.height() / 4;
  for (int band = 0; band < 4; ++band) {
    // Bands 0 and 3 in green, band 1 one pixel lower (pressed), band 2 grey.
    const int y = band * bandHeight + (bandHeight - metrics.height()) / 2 + (band == 1 ? 1 : 0);
    painter.setPen(colorFromBgr(band == 2 ? kDisabledCaptionColor : kCaptionColor));
    painter.drawText(QRect(x, y, image_.width(), metrics.height()), Qt::AlignLeft | Qt::AlignTop,
                     caption_);
  }
  const int oldWidth = rect_.width();
  const int width = image_.width();
  if (anchor_ == TextAnchor::Centre) rect_.moveLeft(rect_.left() - (width - oldWidth) / 2);
  rect_.setWidth(width);
  rect_.setHeight(bandHeight);
}

int TVirtualButton::band() const {
  if (latching_ && heldDown_) return 1;
  if (!enabled_ && look_ == ButtonLook::Image) return 2;
  if (!hover_) return 0;
  if (pressed_) return 1;
  return 3;
}

void TVirtualButton::paint() {
  if (look_ == ButtonLook::Playlist) {
    const int half = image_.width() / 2;
    if (pressed_ && hover_)
      drawPart(image_, QRect(half, 0, half, image_.height()));
    else if (hover_)
      drawPart(image_, QRect(0, 0, half, image_.height()));
    else
      restoreBackground();
    owner_.invalidate(rect_);
    return;
  }
  const int bandHeight = image_.height() / 4;
  drawPart(image_, QRect(0, band() * bandHeight, image_.width(), bandHeight));
}

bool TVirtualButton::press(int x, int y) {
  if (!contains(x, y) || blocked()) return false;
  beginPress();
  owner_.setPointer(PointerShape::HandPress);
  return true;
}

bool TVirtualButton::release(int x, int y) {
  if (!enabled_ || !pressed_ || !contains(x, y)) return false;
  pressed_ = false;
  paint();
  return true;
}

void TVirtualButton::move(int x, int y, bool leftHeld) {
  (void)leftHeld;
  if (otherCaptured()) return;
  if (!contains(x, y)) {
    if (hover_) {
      clearOwnerHint();
      hover_ = false;
      pressed_ = false;
      paint();
      owner_.setPointer(PointerShape::Default);
    }
    pressed_ = false;
    return;
  }
  const bool wasHover = hover_;
  hover_ = true;
  if (blocked()) {
    showOwnHint();
  } else if (pressed_) {
    owner_.setPointer(PointerShape::HandPress);
  } else if (owner_.captured() == this) {
    // The pointer came back while the button is still held.
    pressed_ = true;
    owner_.setPointer(PointerShape::HandPress);
    paint();
  } else {
    owner_.setPointer(PointerShape::HandPoint);
    showOwnHint();
    if (!wasHover) paint();
  }
}

void TVirtualButton::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (!enabled && hover_) owner_.setPointer(PointerShape::Default);
  if (!enabled) pressed_ = false;
  paint();
}

void TVirtualButton::setHeldDown(bool held) {
  heldDown_ = held;
  if (held && latching_ && hover_) owner_.setPointer(PointerShape::Default);
  paint();
}

void TVirtualButton::setText(const QString& caption) {
  if (!textButton_ || caption == caption_) return;
  caption_ = caption;
  const QRect old = rect_;
  renderCaption(textStripForCaption(QFontMetrics(textButtonFont()).horizontalAdvance(caption)));
  if (!rect_.contains(old)) owner_.restoreFromBackground(old);
  paint();
}

void TVirtualButton::setWidth(int widthPx) {
  if (!textButton_) return;
  const int strip = textStripForWidth(widthPx);
  if (strip * 20 + 60 == rect_.width()) return;
  const QRect old = rect_;
  const TextAnchor anchor = anchor_;
  anchor_ = TextAnchor::Left;  // a set width grows to the right
  renderCaption(strip);
  anchor_ = anchor;
  if (!rect_.contains(old)) owner_.restoreFromBackground(old);
  paint();
}

}  // namespace ui
