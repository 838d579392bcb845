#include "ui/sliders.h"

#include "ui/skin_window.h"
#include "ui/virtual_toggles.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ui {

TVolumeControl::TVolumeControl(SkinWindow& owner, const QRect& rect, std::string_view imageName)
    : SkinWidget(owner, rect, QString()), image_(widgetImage(imageName)) {}

int TVolumeControl::positionFromY(int bottom, int y) {
  return std::clamp(static_cast<int>(std::lrint((bottom - y) / 3.9)), 0, 20);
}

int TVolumeControl::volumeLevel() const {
  if (mute_ && !mute_->on()) return 0;
  return position_ * 500;
}

void TVolumeControl::follow(int y) {
  position_ = positionFromY(rect_.bottom(), y);
  if (onVolume) onVolume(volumeLevel());
  paint();
  if (onUserChange) onUserChange();
}

bool TVolumeControl::press(int x, int y) {
  if (!contains(x, y)) return false;
  pressed_ = hover_ = true;
  follow(y);
  capture();
  return true;
}

bool TVolumeControl::release(int x, int y) {
  if (!pressed_) return false;
  pressed_ = false;
  return contains(x, y);
}

void TVolumeControl::move(int x, int y, bool leftHeld) {
  if (otherCaptured()) return;
  if (leftHeld && pressed_) {
    const QRect area = rect_.adjusted(-10, -50, 10, 50);
    if (!area.contains(x, y)) {
      if (hover_) owner_.setPointer(PointerShape::Default);
      hover_ = false;  // the position stays
      return;
    }
    hover_ = true;
    owner_.setPointer(PointerShape::HandPoint);
    follow(y);
    return;
  }
  pressed_ = false;
  if (contains(x, y)) {
    if (!hover_) owner_.setPointer(PointerShape::HandPoint);
    hover_ = true;
  } else if (hover_) {
    hover_ = false;
    owner_.setPointer(PointerShape::Default);
  }
}

void TVolumeControl::setPosition(int p) {
  position_ = std::clamp(p, 0, 20);
  if (onVolume) onVolume(volumeLevel());
  paint();
}

void TVolumeControl::paint() {
  // Heights come from the image, so a rectangle taller than it reads nothing outside.
  const int height = std::min(rect_.height() - 1, image_.height());
  const int filled = static_cast<int>(std::lrint(position_ / 20.0 * height));
  restoreBackground();
  QPainter painter(&owner_.backBuffer());
  const int column = image_.width() / 2;
  painter.drawImage(rect_.topLeft(), image_, QRect(0, 0, column, height - filled));
  painter.drawImage(QPoint(rect_.left(), rect_.top() + height - filled), image_,
                    QRect(column, height - filled, column, filled));
  owner_.invalidate(rect_);
}

TVirtualProgressBar::TVirtualProgressBar(SkinWindow& owner, const QRect& rect,
                                         std::string_view imageName, bool enabled)
    : SkinWidget(owner, rect, QString()), image_(widgetImage(imageName)), enabled_(enabled) {}

void TVirtualProgressBar::setPosition(int p) {
  if (!enabled_ || p == position_) return;
  position_ = std::clamp(p, minimum_, maximum_);
  const int width = static_cast<int>(
      std::lrint(static_cast<double>(rect_.width()) * position_ / (maximum_ - minimum_ + 1)));
  if (width == filled_) return;
  filled_ = width;
  paint();
}

void TVirtualProgressBar::setMaximum(int m) {
  maximum_ = std::max(m, minimum_ + 1);
  position_ = std::min(position_, maximum_);
  filled_ = static_cast<int>(
      std::lrint(static_cast<double>(rect_.width()) * position_ / (maximum_ - minimum_ + 1)));
  paint();
}

void TVirtualProgressBar::follow(int x, bool dragging) {
  const int old = position_;
  position_ = static_cast<int>(
      std::lrint(static_cast<double>(x - rect_.left()) / rect_.width() * (maximum_ - minimum_ + 1) +
                 minimum_));
  position_ = std::max(position_, 0);
  filled_ = std::clamp(x - rect_.left(), 0, rect_.width());
  paint();
  if (onSeek) onSeek(position_, dragging);
  if (onUserChange) onUserChange(std::abs(position_ - old));
}

bool TVirtualProgressBar::press(int x, int y) {
  if (!enabled_ || !contains(x, y)) return false;
  pressed_ = hover_ = true;
  follow(x, false);
  capture();
  return true;
}

bool TVirtualProgressBar::release(int x, int y) {
  if (!pressed_) return false;
  pressed_ = false;
  return contains(x, y);
}

void TVirtualProgressBar::move(int x, int y, bool leftHeld) {
  if (otherCaptured()) return;
  if (leftHeld && pressed_) {
    const QRect area = rect_.adjusted(-11, -10, 20, 10);
    if (!area.contains(x, y)) {
      if (hover_) owner_.setPointer(PointerShape::Default);
      hover_ = false;
      return;
    }
    hover_ = true;
    owner_.setPointer(PointerShape::HandPress);
    follow(x, true);
    return;
  }
  pressed_ = false;
  const bool inside = enabled_ && contains(x, y);
  if (inside != hover_) owner_.setPointer(inside ? PointerShape::HandPoint : PointerShape::Default);
  hover_ = inside;
}

void TVirtualProgressBar::paint() {
  const int band = image_.height() / 2;
  const int filled = std::min(filled_, image_.width());
  restoreBackground();
  QPainter painter(&owner_.backBuffer());
  painter.drawImage(rect_.topLeft(), image_, QRect(0, band, filled, band));
  painter.drawImage(QPoint(rect_.left() + filled, rect_.top()), image_,
                    QRect(filled, 0, image_.width() - filled, band));
  owner_.invalidate(rect_);
}

}  // namespace ui
