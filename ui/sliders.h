#pragma once
// The volume control and the seek bar of the main window. Both report their
// effects through callbacks set by the owner. Interface thread only.
#include "ui/skin_widget.h"

#include <functional>

namespace ui {

class TVirtualFlip;

// Vertical volume control with 21 positions (0 to 20). MAINVOLBAR holds two
// columns of 5 px: left the empty track, right the filled one.
class TVolumeControl : public SkinWidget {
 public:
  TVolumeControl(SkinWindow& owner, const QRect& rect, std::string_view imageName);

  bool press(int x, int y) override;
  bool release(int x, int y) override;
  void move(int x, int y, bool leftHeld) override;
  void paint() override;

  int position() const { return position_; }
  // Limits p to 0..20, applies the volume and paints.
  void setPosition(int p);
  // The mute flip: while it is off, the applied volume is 0.
  void setMuteFlip(const TVirtualFlip* flip) { mute_ = flip; }
  // The engine volume (0..10000) for the current position and mute state.
  int volumeLevel() const;
  // position = round((bottom - y) / 3.9), limited to 0..20.
  static int positionFromY(int bottom, int y);

  std::function<void(int level)> onVolume;  // engine volume 0..10000
  std::function<void()> onUserChange;       // the user moved the slider

 private:
  void follow(int y);
  QImage image_;
  int position_ = 0;
  const TVirtualFlip* mute_ = nullptr;
};

// Seek bar: position from minimum (0) to maximum (100 at creation). The image
// holds two bands of 9 px, top the empty groove, bottom the filled part; the
// image is one pixel narrower than the rectangle, the last column is left to
// the background.
class TVirtualProgressBar : public SkinWidget {
 public:
  TVirtualProgressBar(SkinWindow& owner, const QRect& rect, std::string_view imageName,
                      bool enabled);

  bool press(int x, int y) override;
  bool release(int x, int y) override;
  void move(int x, int y, bool leftHeld) override;
  void paint() override;

  int position() const { return position_; }
  int maximum() const { return maximum_; }
  int minimum() const { return minimum_; }
  int filledWidth() const { return filled_; }
  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }
  // Only when enabled and p differs: limits p, recomputes the filled width
  // round(width x p / (max - min + 1)) and repaints when that width changes.
  void setPosition(int p);
  // maximum = max(m, minimum + 1); the position is limited to it.
  void setMaximum(int m);

  // The user asks for this position; dragging for moves of the pressed bar.
  std::function<void(int position, bool dragging)> onSeek;
  std::function<void(int change)> onUserChange;  // |change| of position, for the change score

 private:
  void follow(int x, bool dragging);
  QImage image_;
  bool enabled_;
  int position_ = 0;
  int minimum_ = 0;
  int maximum_ = 100;
  int filled_ = 0;
};

}  // namespace ui
