#pragma once
// Two-state skin widgets: the toggle button, the flip and the check box.
// Interface thread only.
#include "ui/skin_widget.h"

namespace ui {

// Toggle button: four vertical quarters, left to right: off, on, off with
// hover, on with hover. While pressed it previews the opposite state. A click
// reports true; the owner flips the state with setOn.
class TVirtualButton2 : public SkinWidget {
 public:
  TVirtualButton2(SkinWindow& owner, const QRect& rect, std::string_view imageName,
                  const QString& hint, bool on = false);
  bool press(int x, int y) override;
  bool release(int x, int y) override;
  void move(int x, int y, bool leftHeld) override;
  void paint() override;
  bool on() const { return on_; }
  void setOn(bool on);
  int quarter() const;  // the quarter shown now

 private:
  QImage image_;
  bool on_;
};

// Flip: two vertical halves, left for on, right for off. The main window's
// kind (mute; on means sound) flips itself on a click; the playlist kind also
// switches its hint between hintOn and hintOff and shows nothing unless hovered.
enum class FlipKind { Main, Playlist };

class TVirtualFlip : public SkinWidget {
 public:
  TVirtualFlip(SkinWindow& owner, const QRect& rect, std::string_view imageName,
               const QString& hint, bool on = true, FlipKind kind = FlipKind::Main,
               const QString& hintOff = {});
  bool press(int x, int y) override;
  bool release(int x, int y) override;
  void move(int x, int y, bool leftHeld) override;
  void paint() override;
  bool on() const { return on_; }
  void setOn(bool on);

 private:
  QImage image_;
  bool on_;
  FlipKind kind_;
  QString hintOn_;
  QString hintOff_;
};

// Check box with a caption (the message window's "Do not show ..." box). The
// face is one of four quarters of CBPOSITIONS: unchecked, unchecked pressed,
// checked, checked pressed, drawn at (x + 4, top + 5); the caption follows at
// x + quarter width + 9, green, red while hovered. The hit box runs from x to
// x + quarter width + caption width + 13.
class TVirtualCheckbox : public SkinWidget {
 public:
  TVirtualCheckbox(SkinWindow& owner, int x, const QString& caption, const QString& hint = {});
  // Places the box vertically (top and bottom inclusive).
  void setVertical(int top, int bottom);
  bool press(int x, int y) override;
  bool release(int x, int y) override;
  void move(int x, int y, bool leftHeld) override;
  void paint() override;
  bool checked() const { return checked_; }
  void setChecked(bool checked);
  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }
  bool visible() const { return visible_; }
  void setVisible(bool visible);
  // The width of the caption in the check box font (Arial, 12 px).
  int captionWidth() const;
  int faceWidth() const { return image_.width() / 4; }

 private:
  QImage image_;
  QString caption_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
};

}  // namespace ui
