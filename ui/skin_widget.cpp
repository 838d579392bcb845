#include "ui/skin_widget.h"

#include "ui/skin_loader.h"
#include "ui/skin_window.h"

#include <QPainter>

namespace ui {

SkinWidget::SkinWidget(SkinWindow& owner, const QRect& rect, QString hint)
    : owner_(owner), rect_(rect), hint_(std::move(hint)) {}

void SkinWidget::leave() {
  if (!hover_) return;
  hover_ = false;
  paint();
}

bool SkinWidget::otherCaptured() const {
  return owner_.captured() != nullptr && owner_.captured() != this;
}

void SkinWidget::capture() {
  owner_.setCaptured(this);
}

void SkinWidget::beginPress() {
  pressed_ = hover_ = true;
  clearOwnerHint();
  paint();
  capture();
}

void SkinWidget::restoreBackground() const {
  owner_.restoreFromBackground(rect_);
}

void SkinWidget::drawPart(const QImage& image, const QRect& source) const {
  restoreBackground();
  const QRect clipped = source & image.rect();
  if (clipped.isEmpty()) return;
  QPainter painter(&owner_.backBuffer());
  painter.drawImage(rect_.topLeft() + (clipped.topLeft() - source.topLeft()), image, clipped);
  owner_.invalidate(rect_);
}

void SkinWidget::showOwnHint() const {
  owner_.setHintText(hint_);
}

void SkinWidget::clearOwnerHint() const {
  owner_.setHintText(QString());
}

QImage widgetImage(std::string_view name) {
  return loadSkinImage(name);
}

}  // namespace ui
