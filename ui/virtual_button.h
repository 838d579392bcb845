#pragma once
// TVirtualButton: the skin push button in its kinds.
// Image button: a strip of four equal horizontal bands, top to bottom: normal,
// pressed (also held down), disabled, hover. Text button: the same bands of 20
// px taken from BUTTONTEXTn (80 + 20(n-1) px wide) with the caption drawn in.
// Playlist button: two vertical halves, hover then pressed; nothing is drawn in
// the normal state. Interface thread only.
#include "ui/skin_widget.h"

#include <QFont>

namespace ui {

enum class ButtonLook {
  Image,            // bands 0..3, disabled look shown
  ImageNoDisabled,  // bands 0, 1 and 3 only
  Playlist,         // halves: hover, pressed; enabled only blocks input
};

enum class TextAnchor { Left, Centre };

// BUTTONTEXTn for a caption w px wide: n = ceil((w - 70) / 20) + 1, in 1..5.
int textStripForCaption(int captionWidthPx);
// BUTTONTEXTn for a wanted button width: n = ceil((w - 80) / 20) + 1, in 1..5.
int textStripForWidth(int widthPx);
// The caption font of text buttons: "MS Sans Serif", bold, 12 px (9 points at 96 dpi).
QFont textButtonFont();

class TVirtualButton : public SkinWidget {
 public:
  // Image button. rect is inclusive; the image's band 0 is drawn at its top-left.
  TVirtualButton(SkinWindow& owner, const QRect& rect, bool enabled, std::string_view imageName,
                 const QString& hint, ButtonLook look = ButtonLook::Image);
  // Text button laid out on the design rectangle: the width becomes the
  // strip's width, anchored left or kept centred on the design rectangle.
  TVirtualButton(SkinWindow& owner, const QRect& design, const QString& caption,
                 const QString& hint, TextAnchor anchor, bool disabledLook = false);

  bool press(int x, int y) override;
  bool release(int x, int y) override;
  void move(int x, int y, bool leftHeld) override;
  void paint() override;

  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  bool heldDown() const { return heldDown_; }
  void setHeldDown(bool held);
  void setLatching(bool latching) { latching_ = latching; }
  // Text buttons: re-renders the caption and resizes (erasing a shrunk area).
  void setText(const QString& caption);
  // Text buttons: width n x 20 + 60 with n from textStripForWidth; grows to the right.
  void setWidth(int widthPx);
  const QString& caption() const { return caption_; }
  // The band shown now (0 normal, 1 pressed, 2 disabled, 3 hover); -1 none.
  int band() const;

 private:
  void renderCaption(int strip);
  bool blocked() const { return !enabled_ || (latching_ && heldDown_); }

  QImage image_;
  ButtonLook look_;
  bool enabled_;
  bool heldDown_ = false;
  bool latching_ = false;
  bool textButton_ = false;
  TextAnchor anchor_ = TextAnchor::Left;
  QString caption_;
  int strip_ = 0;
};

}  // namespace ui
