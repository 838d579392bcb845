#pragma once
// TVirtualLabel: a text drawn on the owner's working background (so repaints
// keep it) and on its back buffer. The main window's kind has a maximum width:
// a wider text scrolls as an endless band (the text plus ten blanks) that the
// owner's scroll timer advances and the user can drag sideways. The equalizer
// and colour-control kinds centre the text on, or start it at, a fixed point.
// Interface thread only.
#include "ui/skin_widget.h"

#include <QColor>
#include <QFont>

namespace ui {

enum class LabelAnchor { Start, Centre };

class TVirtualLabel : public SkinWidget {
 public:
  // (x, y) is the text's top-left (Start) or the centre of its top edge (Centre).
  // maxWidth 0 means unlimited. clickable labels show the hand cursors.
  TVirtualLabel(SkinWindow& owner, int x, int y, int pixelSize, int maxWidth, const QString& hint,
                const QString& text, QColor color, bool clickable,
                LabelAnchor anchor = LabelAnchor::Start);

  bool press(int x, int y) override;
  bool release(int x, int y) override;
  void move(int x, int y, bool leftHeld) override;
  void paint() override;

  const QString& text() const { return text_; }
  // Only on a real change: erases the old text, measures, decides scrolling,
  // restarts at offset -1 and repaints.
  void setText(const QString& text);
  bool scrolling() const { return scrolling_; }
  bool dragging() const { return pressed_ && scrolling_; }
  int offset() const { return offset_; }
  int stripWidth() const { return strip_.width(); }
  int textWidth() const { return textWidth_; }
  // Advances the band by 10 px (an offset of -1 restarts at 0). Returns true
  // when the band completed a full turn. Does nothing while dragged.
  bool scrollStep();

 private:
  QRect textBox() const;
  void eraseBox(const QRect& box);
  QFont font_;
  QColor color_;
  QString text_;
  int x_, y_;
  int maxWidth_;
  bool clickable_;
  LabelAnchor anchor_;
  bool scrolling_ = false;
  int textWidth_ = 0;
  int offset_ = -1;
  int lastX_ = 0;
  QImage strip_;
};

}  // namespace ui
