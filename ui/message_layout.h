#pragma once
// How the message window sizes itself to its text: it wraps the text narrower
// until the block is no wider than twice its height, then sizes its picture to
// fit, never narrower than its widest word while the skin is wide enough for
// it. The text block's height is the painter's, line spacing included. Pure
// given a font; interface thread (uses font metrics).
#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

namespace ui {

// Wraps text to lines no wider than widthPx where possible. Lines break only
// at blanks, never at "\", "/" or "-" and never before a " !" or " ?"; a word
// wider than the width is broken after a path separator ("/" or "\", which
// stays at the end of the line) where one fits, else between characters. CR LF and LF end lines;
// empty lines are dropped (a doubled line end counts once).
QStringList wrapMessageText(const QString& text, const QFont& font, int widthPx);

struct MessageLayout {
  QStringList lines;                  // the label's lines
  int wrapWidth = 0;                  // the wrapping width finally used
  QSize label;                        // the text block's size
  QSize picture;                      // the window's size
  QRect labelRect;                    // where the text block goes
  QRect okRect;                       // the OK button's design rectangle (80 x 20, centred)
  int checkTop = 0, checkBottom = 0;  // the check box's vertical span, inclusive
};

// picture: the skin's size; checkBox: the box's hit width (face quarter +
// caption + 39) and height, or 0 x 0 without it; maxHeight: the tallest the
// window may grow (the work area). A text taller than the skin grows the window
// instead of being clipped, and the window is at least as wide as the box.
MessageLayout layoutMessage(const QString& text, const QFont& font, QSize picture, QSize checkBox,
                            int maxHeight);

// Rebuilds the skin picture at a new size: the top-left part is kept, the
// bottom two rows and right two columns move to the new edges, and any extra
// height or width repeats the last inner row or column.
QImage resizeMessagePicture(const QImage& picture, QSize size);

}  // namespace ui
