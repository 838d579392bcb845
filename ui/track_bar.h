#pragma once
// TVirtualTrackBar: a slider thumb drawn over a window background. The thumb
// image is centred on the thumb position; moving it copies the clean
// background back under the old thumb. The four owners differ only in the
// geometry and value rules, given as a TrackBarGeometry. Interface thread only.
#include "ui/skin_widget.h"

#include <functional>

namespace ui {

struct TrackBarGeometry {
  bool vertical;  // the thumb travels along y
  int minimum, maximum, start;
  int travelFrom, travelTo;  // thumb centre range along the axis
  int cross;                 // thumb centre on the other axis
  QRect hitArea;             // inclusive
  std::function<int(int thumb)> valueFromThumb;
  std::function<int(int value)> thumbFromValue;
  int snapCentre = 0;  // with snapRange > 0: thumbs within snapRange of it snap there
  int snapRange = 0;
};

// Equalizer band at column x: -100..100, travel y 48..144, snapping to 0 near y 96.
TrackBarGeometry equalizerBandGeometry(int x);
// Colour-control row at y with its own range: travel x 105..235, start at the midpoint.
TrackBarGeometry colourRowGeometry(int y, int minimum, int maximum);
// Aspect-ratio dialog: 50..300 (hundredths), start 133, travel x 26..276.
TrackBarGeometry aspectRatioGeometry();
// Pan-scan dialog: -50..100, start 0, travel x 27..222.
TrackBarGeometry panScanGeometry();

class TVirtualTrackBar : public SkinWidget {
 public:
  TVirtualTrackBar(SkinWindow& owner, TrackBarGeometry geometry);

  bool press(int x, int y) override;
  bool release(int x, int y) override;
  void move(int x, int y, bool leftHeld) override;
  void paint() override;

  int value() const { return value_; }
  int thumb() const { return thumb_; }
  // Limits the value to the range and places the thumb by the inverse rule.
  void setValue(int value);

  std::function<void(int value)> onChange;  // the user moved the thumb

 private:
  void follow(int along);
  QRect thumbRect(int thumb) const;
  TrackBarGeometry g_;
  QImage image_;
  int value_;
  int thumb_;
  int drawnThumb_ = -1;
};

}  // namespace ui
