// The playlist window is composed from ten frame pieces (a left column that
// carries the button faces, a top bar, edges and corners, the divider between
// the two lists) and the profiles editor from one face. The playlist buttons
// draw nothing in their normal state, so their idle glyphs are part of the
// pieces: piece 1 holds the five upper buttons, piece 3 the subtitle flip (shown)
// and the add-subtitle button, piece 4 the flip (hidden), piece 6 the close cross.
#include "tools/skin_playlist.h"
#include "tools/skin_palette.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <functional>

namespace {

const QColor kColumnBottom(0x1d, 0x22, 0x28);
const QColor kEdgeDark(0x0a, 0x0c, 0x0e);
const QColor kGlyph(0xa8, 0xb4, 0xbc);

using Draw = std::function<void(QPainter&)>;

QImage piece(int w, int h, const Draw& draw) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(kFaceTop);
  QPainter p(&image);
  draw(p);
  return image;
}

// The column face: a vertical gradient that a 1-pixel filler can continue.
void column(QPainter& p, int w, int h) {
  p.fillRect(0, 0, w, h, kFaceTop);
  p.fillRect(0, 0, 1, h, kFrame);
  p.fillRect(w - 2, 0, 1, h, kEdgeDark);
  p.fillRect(w - 1, 0, 1, h, kColumnBottom);
}

// The idle face of a small button: a faint rim and the glyph (x, y, w, h is
// the button's image cell in piece coordinates).
void idleButton(QPainter& p, QRectF r, const std::function<void(QPainter&, QRectF)>& glyph) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0x44, 0x4e, 0x58), 1));
  p.setBrush(QColor(0x26, 0x2c, 0x33));
  p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
  p.setPen(kGlyph);
  glyph(p, r);
  p.restore();
}

void plus(QPainter& p, QRectF r) {
  const QPointF c = r.center();
  p.fillRect(QRectF(c.x() - 3, c.y() - 0.75, 6, 1.5), kGlyph);
  p.fillRect(QRectF(c.x() - 0.75, c.y() - 3, 1.5, 6), kGlyph);
}
void minus(QPainter& p, QRectF r) {
  const QPointF c = r.center();
  p.fillRect(QRectF(c.x() - 3, c.y() - 0.75, 6, 1.5), kGlyph);
}
void folderGlyph(QPainter& p, QRectF r) {
  const QPointF c = r.center();
  p.fillRect(QRectF(c.x() - 4.5, c.y() - 3, 4, 1.5), kGlyph);
  p.fillRect(QRectF(c.x() - 4.5, c.y() - 1.5, 9, 4.5), kGlyph);
}
void disk(QPainter& p, QRectF r) {
  const QPointF c = r.center();
  p.fillRect(QRectF(c.x() - 3.5, c.y() - 3.5, 7, 7), kGlyph);
  p.fillRect(QRectF(c.x() - 2, c.y() - 3.5, 4, 2.5), QColor(0x26, 0x2c, 0x33));
}
void lines(QPainter& p, QRectF r) {
  const QPointF c = r.center();
  for (int i = -1; i <= 1; ++i)
    p.fillRect(QRectF(c.x() - 4, c.y() + i * 2.5 - 0.5, 8, 1.2), kGlyph);
}
void caption(QPainter& p, QRectF r) {
  const QPointF c = r.center();
  p.fillRect(QRectF(c.x() - 4, c.y() - 1.5, 5, 1.2), kGlyph);
  p.fillRect(QRectF(c.x() + 2, c.y() - 1.5, 2, 1.2), kGlyph);
  p.fillRect(QRectF(c.x() - 4, c.y() + 1.5, 8, 1.2), kGlyph);
}
void cross(QPainter& p, QRectF r) {
  p.setPen(QPen(kGlyph, 1.4));
  p.drawLine(r.topLeft() + QPointF(2, 2), r.bottomRight() - QPointF(2, 2));
  p.drawLine(QPointF(r.right() - 2, r.top() + 2), QPointF(r.left() + 2, r.bottom() - 2));
}
// A small triangle pointing up (hide the subtitle list) or down (show it).
void arrow(QPainter& p, QRectF r, bool up) {
  QPainterPath t;
  const qreal cx = r.center().x();
  if (up) {
    t.moveTo(cx - 4, r.top() + 6.5);
    t.lineTo(cx + 4, r.top() + 6.5);
    t.lineTo(cx, r.top() + 1.5);
  } else {
    t.moveTo(cx - 4, r.top() + 1.5);
    t.lineTo(cx + 4, r.top() + 1.5);
    t.lineTo(cx, r.top() + 6.5);
  }
  t.closeSubpath();
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.fillPath(t, kGlyph);
  p.restore();
}

// The title band of the top rows (the caption is drawn by the window).
void titleBand(QPainter& p, int x, int w) {
  p.fillRect(x, 0, w, 26, kTitleBand);
  p.fillRect(x, 0, w, 1, kFrame);
  p.fillRect(x, 1, w, 1, kEdgeDark);
  p.fillRect(x, 24, w, 1, kEdgeDark);
  p.fillRect(x, 25, w, 1, QColor(0x30, 0x38, 0x41));
}

QImage profilesEditorFace() {
  const int w = 494, h = 374;
  QImage image(w, h, QImage::Format_ARGB32);
  QPainter p(&image);
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, kFaceTop);
  g.setColorAt(1, QColor(0x17, 0x1b, 0x20));
  p.fillRect(image.rect(), g);
  p.fillRect(QRect(1, 1, w - 2, 21), kTitleBand);
  p.setPen(kFrame);
  p.drawRect(0, 0, w - 1, h - 1);
  p.setPen(kEdgeDark);
  p.drawRect(1, 1, w - 3, h - 3);
  // The well around the list of movie names (the list sits at 2, 24, 490 x 307).
  p.fillRect(QRect(1, 23, w - 2, 309), kInset);
  // A groove above the button row.
  p.fillRect(QRect(8, 336, w - 16, 1), kEdgeDark);
  p.fillRect(QRect(8, 337, w - 16, 1), kFrame);
  return image;
}

}  // namespace

int drawPlaylistSkin(const QString& folder) {
  int failures = 0;
  auto save = [&](const QImage& image, const char* name) {
    const QString path = folder + "/" + name + ".png";
    if (!image.save(path, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      ++failures;
    }
  };
  // piece 1: top of the left column with the title band and the idle faces of
  // add movies (7, 26), add folder (6, 42), remove (8, 58), save (7, 73) and
  // load (6, 90); each face is half the width of its button image.
  save(piece(26, 104,
             [](QPainter& p) {
               column(p, 26, 104);
               titleBand(p, 0, 26);
               p.fillRect(0, 0, 1, 26, kFrame);
               idleButton(p, QRectF(7, 26, 12, 12), plus);
               idleButton(p, QRectF(6, 42, 14, 12), folderGlyph);
               idleButton(p, QRectF(8, 58, 10, 12), minus);
               idleButton(p, QRectF(7, 73, 12, 12), disk);
               idleButton(p, QRectF(6, 90, 14, 12), lines);
             }),
       "PLAYLISTPIECE1");
  save(piece(26, 1, [](QPainter& p) { column(p, 26, 1); }), "PLAYLISTPIECE2");
  // piece 3: the divider piece: the flip arrow "hide" at rows 0..7, the add
  // subtitle face at rows 16..27.
  save(piece(26, 28,
             [](QPainter& p) {
               column(p, 26, 28);
               arrow(p, QRectF(7, 0, 12, 8), true);
               idleButton(p, QRectF(7, 16, 12, 12), caption);
             }),
       "PLAYLISTPIECE3");
  // piece 4: the bottom of the column; the "show" arrow sits in its upper half,
  // which is left out while the subtitle list shows.
  save(piece(26, 16,
             [](QPainter& p) {
               column(p, 26, 16);
               arrow(p, QRectF(7, 0, 12, 8), false);
               p.fillRect(0, 15, 26, 1, kFrame);
               p.fillRect(1, 14, 25, 1, kEdgeDark);
             }),
       "PLAYLISTPIECE4");
  save(piece(1, 26, [](QPainter& p) { titleBand(p, 0, 1); }), "PLAYLISTPIECE5");
  save(piece(14, 26,
             [](QPainter& p) {
               titleBand(p, 0, 14);
               p.fillRect(13, 0, 1, 26, kFrame);
               p.fillRect(12, 1, 1, 24, kEdgeDark);
               p.save();
               p.setRenderHint(QPainter::Antialiasing);
               cross(p, QRectF(0, 7, 10, 10));
               p.restore();
             }),
       "PLAYLISTPIECE6");
  save(piece(8, 1,
             [](QPainter& p) {
               p.fillRect(0, 0, 8, 1, kColumnBottom);
               p.fillRect(0, 0, 1, 1, kEdgeDark);
               p.fillRect(7, 0, 1, 1, kFrame);
             }),
       "PLAYLISTPIECE7");
  save(piece(15, 15,
             [](QPainter& p) {
               p.fillRect(0, 0, 15, 15, kColumnBottom);
               p.fillRect(14, 0, 1, 15, kFrame);
               p.fillRect(0, 14, 15, 1, kFrame);
               p.setPen(QColor(0x50, 0x5a, 0x66));
               for (int i = 0; i < 3; ++i) p.drawLine(12 - 3 * i, 12, 12, 12 - 3 * i);  // grip
             }),
       "PLAYLISTPIECE8");
  save(piece(1, 7,
             [](QPainter& p) {
               p.fillRect(0, 0, 1, 7, kColumnBottom);
               p.fillRect(0, 0, 1, 1, kEdgeDark);
               p.fillRect(0, 6, 1, 1, kFrame);
             }),
       "PLAYLISTPIECE9");
  save(piece(1, 5,
             [](QPainter& p) {
               p.fillRect(0, 0, 1, 5, kColumnBottom);
               p.fillRect(0, 2, 1, 1, QColor(0x44, 0x4e, 0x58));
             }),
       "PLAYLISTPIECE10");
  save(profilesEditorFace(), "PROFILESEDITOR");
  return failures;
}
