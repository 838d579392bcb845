#include "ui/message_layout.h"

#include <QFontMetrics>

#include <algorithm>

namespace ui {
namespace {

// Words of one line: split at blanks, but a blank before "!" or "?" belongs to
// the word before it (spaced punctuation stays on its line).
QStringList wordsOf(const QString& line) {
  QStringList words;
  QString current;
  for (int i = 0; i < line.size(); ++i) {
    const QChar c = line[i];
    const bool keep = c == ' ' && i + 1 < line.size() && (line[i + 1] == '!' || line[i + 1] == '?');
    if (c == ' ' && !keep) {
      if (!current.isEmpty()) words << current;
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.isEmpty()) words << current;
  return words;
}

bool isPathSeparator(QChar c) {
  return c == '/' || c == '\\';
}

// The longest start of word no wider than widthPx, at least one character:
// ending just after a path separator when one such start exists, so that a
// long path breaks between its folders before it breaks inside a name.
int pieceLength(const QString& word, const QFontMetrics& metrics, int widthPx) {
  int fits = 1;
  while (fits < word.size() && metrics.horizontalAdvance(word.left(fits + 1)) <= widthPx) ++fits;
  for (int n = fits; n > 1; --n)
    if (isPathSeparator(word[n - 1]) && n < word.size()) return n;
  return fits;
}

// The widest word of the text, in pixels: the narrowest wrapping width that
// keeps every word whole.
int widestWord(const QString& text, const QFontMetrics& metrics) {
  QString normalized = text;
  normalized.replace('\r', '\n');
  int widest = 0;
  for (const QString& paragraph : normalized.split('\n'))
    for (const QString& word : wordsOf(paragraph))
      widest = std::max(widest, metrics.horizontalAdvance(word));
  return widest;
}

}  // namespace

QStringList wrapMessageText(const QString& text, const QFont& font, int widthPx) {
  const QFontMetrics metrics(font);
  QString normalized = text;
  normalized.replace("\r\n", "\n").replace('\r', '\n');
  QStringList out;
  for (const QString& paragraph : normalized.split('\n')) {
    QString line;
    for (QString word : wordsOf(paragraph)) {
      const QString joined = line.isEmpty() ? word : line + ' ' + word;
      if (metrics.horizontalAdvance(joined) <= widthPx) {
        line = joined;
        continue;
      }
      if (!line.isEmpty()) out << line;
      line.clear();
      // A word wider than the whole width is cut after a path separator
      // where it can be, else between characters.
      while (metrics.horizontalAdvance(word) > widthPx && word.size() > 1) {
        const int n = pieceLength(word, metrics, widthPx);
        out << word.left(n);
        word = word.mid(n);
      }
      line = word;
    }
    if (!line.isEmpty()) out << line;
  }
  if (out.isEmpty()) out << QString();
  return out;
}

MessageLayout layoutMessage(const QString& text, const QFont& font, QSize picture, QSize checkBox,
                            int maxHeight) {
  const QFontMetrics metrics(font);
  const bool withBox = checkBox.width() > 0;
  const int W = picture.width(), H = picture.height();
  const int tallest = H - (withBox ? 94 : 89);
  const int narrowest = withBox ? std::max(200, checkBox.width()) : 200;
  MessageLayout layout;
  const auto measure = [&](int width) {
    layout.wrapWidth = width;
    layout.lines = wrapMessageText(text, font, width);
    int w = 0;
    for (const QString& line : layout.lines) w = std::max(w, metrics.horizontalAdvance(line));
    // The height the painter gives the lines: the text layout's own line
    // spacing, which may exceed the font's pixel height by a fraction per line.
    const QRect block =
        metrics.boundingRect(QRect(0, 0, std::max(w, 1) + 4, 1 << 20),
                             Qt::AlignHCenter | Qt::AlignTop, layout.lines.join('\n'));
    layout.label =
        QSize(w, layout.lines.join(QString()).isEmpty() ? metrics.height() : block.height());
  };
  // Narrowing never goes below the widest word (up to the whole width): a
  // word is only cut when it is wider than the window can be.
  const int keepWhole = std::min(widestWord(text, metrics), W - 20);
  int width = W - 20;
  for (;;) {
    measure(width);
    // Stop when the block is tall enough, narrow enough, or at most twice as
    // wide as high (compared by multiplying, so an empty text cannot divide by
    // zero); the wrapping then widens again by one step.
    if (layout.label.height() > tallest || width < narrowest ||
        layout.label.width() <= 2 * layout.label.height()) {
      width = std::min(width + 10, W - 20);
      break;
    }
    if (width - 10 < keepWhole) break;  // narrower would cut a word
    width -= 10;
  }
  measure(width);

  const int lw = layout.label.width(), lh = layout.label.height();
  const int boxH = checkBox.height();
  int A = std::max(lh + 20, (lw + 20) / 3) + (withBox ? boxH + 75 : 62);
  A = std::min(std::max(A, 0), std::max(maxHeight, 100));
  // The check box (from x 13) must fit as well, or its caption would be cut.
  const int B =
      std::max({std::min(lw + 40, W), 200, std::min(withBox ? checkBox.width() + 13 : 0, W)});
  layout.picture = QSize(B, A);
  const int top = withBox ? (A - lh - boxH - 75) / 2 + 25 : (A - lh - 62) / 2 + 25;
  layout.labelRect = QRect((B - lw) / 2, std::max(top, 25), lw, lh);
  const int okTop = withBox ? A - boxH - 46 : A - 33;
  layout.okRect = QRect(QPoint((B - 80) / 2, okTop), QPoint((B - 80) / 2 + 79, okTop + 20));
  layout.checkTop = A - boxH - 21;
  layout.checkBottom = A - 13;
  return layout;
}

QImage resizeMessagePicture(const QImage& picture, QSize size) {
  const int W = picture.width(), H = picture.height();
  const int B = size.width(), A = size.height();
  QImage out(size, picture.format());
  if (W < 4 || H < 4) {
    out.fill(Qt::black);
    return out;
  }
  for (int y = 0; y < A; ++y) {
    // Inner rows repeat the last inner row; the last two rows are the picture's own.
    const int sy = y >= A - 2 ? H - (A - y) : std::min(y, H - 3);
    for (int x = 0; x < B; ++x) {
      const int sx = x >= B - 2 ? W - (B - x) : std::min(x, W - 3);
      out.setPixel(x, y, picture.pixel(sx, sy));
    }
  }
  return out;
}

}  // namespace ui
