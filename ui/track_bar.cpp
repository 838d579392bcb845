#include "ui/track_bar.h"

#include "ui/skin_window.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ui {
namespace {

int roundInt(double v) {
  return static_cast<int>(std::lrint(v));
}

}  // namespace

TrackBarGeometry equalizerBandGeometry(int x) {
  return {true,
          -100,
          100,
          0,
          48,
          144,
          x,
          QRect(QPoint(x - 10, 43), QPoint(x + 5, 149)),
          [](int y) { return roundInt((y - 48) / 96.0 * 200) - 100; },
          [](int v) { return roundInt((v + 100) / 200.0 * 96) + 48; },
          96,
          3};
}

TrackBarGeometry colourRowGeometry(int y, int minimum, int maximum) {
  const double span = maximum - minimum;
  return {false,
          minimum,
          maximum,
          minimum + (maximum - minimum) / 2,
          105,
          235,
          y,
          QRect(QPoint(100, y - 5), QPoint(240, y + 10)),
          [minimum, span](int x) { return minimum + roundInt((x - 105) / 130.0 * span); },
          [minimum, span](int v) { return roundInt((v - minimum) / span * 130) + 105; }};
}

TrackBarGeometry aspectRatioGeometry() {
  return {false,
          50,
          300,
          133,
          26,
          276,
          50,
          QRect(QPoint(21, 43), QPoint(281, 58)),
          [](int x) { return x - 26 + 50; },
          [](int v) { return v - 50 + 26; }};
}

TrackBarGeometry panScanGeometry() {
  return {false,
          -50,
          100,
          0,
          27,
          222,
          50,
          QRect(QPoint(22, 43), QPoint(227, 58)),
          [](int x) { return roundInt((x - 27) / 195.0 * 150) - 50; },
          [](int v) { return roundInt((v + 50) / 150.0 * 195) + 27; }};
}

TVirtualTrackBar::TVirtualTrackBar(SkinWindow& owner, TrackBarGeometry geometry)
    : SkinWidget(owner, geometry.hitArea, QString()),
      g_(std::move(geometry)),
      image_(widgetImage(g_.vertical ? "VERTICALSLIDER" : "HORIZONTALSLIDER")),
      value_(g_.start),
      thumb_(g_.thumbFromValue(g_.start)) {}

QRect TVirtualTrackBar::thumbRect(int thumb) const {
  const QPoint centre = g_.vertical ? QPoint(g_.cross, thumb) : QPoint(thumb, g_.cross);
  return QRect(centre.x() - image_.width() / 2, centre.y() - image_.height() / 2, image_.width(),
               image_.height());
}

void TVirtualTrackBar::paint() {
  if (drawnThumb_ >= 0) owner_.restoreFromBackground(thumbRect(drawnThumb_));
  const QRect r = thumbRect(thumb_);
  QPainter painter(&owner_.backBuffer());
  painter.drawImage(r.topLeft(), image_);
  drawnThumb_ = thumb_;
  owner_.invalidate(r);
}

void TVirtualTrackBar::setValue(int value) {
  value_ = std::clamp(value, g_.minimum, g_.maximum);
  thumb_ = std::clamp(g_.thumbFromValue(value_), g_.travelFrom, g_.travelTo);
  paint();
}

void TVirtualTrackBar::follow(int along) {
  thumb_ = std::clamp(along, g_.travelFrom, g_.travelTo);
  if (g_.snapRange > 0 && std::abs(thumb_ - g_.snapCentre) <= g_.snapRange) thumb_ = g_.snapCentre;
  value_ = std::clamp(g_.valueFromThumb(thumb_), g_.minimum, g_.maximum);
  paint();
  if (onChange) onChange(value_);
}

bool TVirtualTrackBar::press(int x, int y) {
  if (!contains(x, y)) return false;
  pressed_ = true;
  follow(g_.vertical ? y : x);
  capture();
  return true;
}

bool TVirtualTrackBar::release(int x, int y) {
  (void)x;
  (void)y;
  const bool was = pressed_;
  pressed_ = false;
  return was;
}

void TVirtualTrackBar::move(int x, int y, bool leftHeld) {
  if (otherCaptured()) return;
  if (leftHeld && pressed_) follow(g_.vertical ? y : x);
}

}  // namespace ui
