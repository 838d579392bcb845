// Draws every skin image of the player into a folder as PNG files.
// Usage: tarvelino_skin_generator <output folder>
// One dark look for all windows: charcoal faces, a green accent for active
// glyphs and filled tracks, light pill faces under the dark-green captions of
// text buttons so those captions stay readable.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <functional>
#include <string>

#include "tools/skin_palette.h"
#include "tools/skin_playlist.h"
QImage configurationFace();  // skin_configuration.cpp
// tools/skin_keys.cpp
void drawKeySkins(const std::function<void(const QImage&, const char*)>& save);

namespace {

const QColor kFaceBottom(0x17, 0x1b, 0x20);
const QColor kGlyph(0xd4, 0xdc, 0xe0);
const QColor kAccentDark(0x1e, 0x7a, 0x3c);
const QColor kDisabledGlyph(0x55, 0x5d, 0x66);

QString outputFolder;
int failures = 0;

void save(const QImage& image, const char* name) {
  const QString path = outputFolder + "/" + name + ".png";
  if (!image.save(path, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    ++failures;
  }
}

QImage blank(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  return image;
}

// A glyph is drawn into a square of side s at the origin.
using Glyph = std::function<void(QPainter&, qreal s)>;

QPainterPath triangleRight(qreal x, qreal y, qreal w, qreal h) {
  QPainterPath p;
  p.moveTo(x, y);
  p.lineTo(x + w, y + h / 2);
  p.lineTo(x, y + h);
  p.closeSubpath();
  return p;
}

QPainterPath triangleLeft(qreal x, qreal y, qreal w, qreal h) {
  QPainterPath p;
  p.moveTo(x + w, y);
  p.lineTo(x, y + h / 2);
  p.lineTo(x + w, y + h);
  p.closeSubpath();
  return p;
}

void fillGlyph(QPainter& p, const QPainterPath& path) {
  p.fillPath(path, p.pen().color());
}

const Glyph kPlay = [](QPainter& p, qreal s) {
  fillGlyph(p, triangleRight(s * 0.32, s * 0.22, s * 0.46, s * 0.56));
};
const Glyph kPause = [](QPainter& p, qreal s) {
  p.fillRect(QRectF(s * 0.28, s * 0.24, s * 0.15, s * 0.52), p.pen().color());
  p.fillRect(QRectF(s * 0.57, s * 0.24, s * 0.15, s * 0.52), p.pen().color());
};
const Glyph kStop = [](QPainter& p, qreal s) {
  p.fillRect(QRectF(s * 0.28, s * 0.28, s * 0.44, s * 0.44), p.pen().color());
};
const Glyph kRewind = [](QPainter& p, qreal s) {
  fillGlyph(p, triangleLeft(s * 0.12, s * 0.22, s * 0.38, s * 0.56));
  fillGlyph(p, triangleLeft(s * 0.50, s * 0.22, s * 0.38, s * 0.56));
};
const Glyph kForward = [](QPainter& p, qreal s) {
  fillGlyph(p, triangleRight(s * 0.12, s * 0.22, s * 0.38, s * 0.56));
  fillGlyph(p, triangleRight(s * 0.50, s * 0.22, s * 0.38, s * 0.56));
};
const Glyph kPrior = [](QPainter& p, qreal s) {
  p.fillRect(QRectF(s * 0.2, s * 0.22, s * 0.16, s * 0.56), p.pen().color());
  fillGlyph(p, triangleLeft(s * 0.36, s * 0.22, s * 0.44, s * 0.56));
};
const Glyph kNext = [](QPainter& p, qreal s) {
  fillGlyph(p, triangleRight(s * 0.2, s * 0.22, s * 0.44, s * 0.56));
  p.fillRect(QRectF(s * 0.64, s * 0.22, s * 0.16, s * 0.56), p.pen().color());
};
const Glyph kEject = [](QPainter& p, qreal s) {
  QPainterPath t;
  t.moveTo(s * 0.5, s * 0.18);
  t.lineTo(s * 0.84, s * 0.56);
  t.lineTo(s * 0.16, s * 0.56);
  t.closeSubpath();
  fillGlyph(p, t);
  p.fillRect(QRectF(s * 0.16, s * 0.68, s * 0.68, s * 0.16), p.pen().color());
};
const Glyph kSubtitle = [](QPainter& p, qreal s) {
  p.fillRect(QRectF(s * 0.16, s * 0.34, s * 0.68, s * 0.14), p.pen().color());
  p.fillRect(QRectF(s * 0.26, s * 0.60, s * 0.48, s * 0.14), p.pen().color());
};
const Glyph kList = [](QPainter& p, qreal s) {
  for (int i = 0; i < 3; ++i)
    p.fillRect(QRectF(s * 0.18, s * (0.2 + 0.24 * i), s * 0.64, s * 0.13), p.pen().color());
};
const Glyph kGear = [](QPainter& p, qreal s) {
  p.setBrush(p.pen().color());
  p.drawEllipse(QPointF(s * 0.5, s * 0.5), s * 0.3, s * 0.3);
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 4; ++i) {
    p.save();
    p.translate(s * 0.5, s * 0.5);
    p.rotate(45.0 * i);
    p.fillRect(QRectF(-s * 0.08, -s * 0.42, s * 0.16, s * 0.84), p.pen().color());
    p.restore();
  }
  p.setCompositionMode(QPainter::CompositionMode_Clear);
  p.setBrush(Qt::black);
  p.drawEllipse(QPointF(s * 0.5, s * 0.5), s * 0.12, s * 0.12);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.setBrush(Qt::NoBrush);
};
const Glyph kInfo = [](QPainter& p, qreal s) {
  p.fillRect(QRectF(s * 0.42, s * 0.16, s * 0.16, s * 0.14), p.pen().color());
  p.fillRect(QRectF(s * 0.42, s * 0.38, s * 0.16, s * 0.46), p.pen().color());
};
const Glyph kClose = [](QPainter& p, qreal s) {
  QPen pen(p.pen().color(), s * 0.16, Qt::SolidLine, Qt::FlatCap);
  p.save();
  p.setPen(pen);
  p.drawLine(QPointF(s * 0.22, s * 0.22), QPointF(s * 0.78, s * 0.78));
  p.drawLine(QPointF(s * 0.78, s * 0.22), QPointF(s * 0.22, s * 0.78));
  p.restore();
};
const Glyph kMinimize = [](QPainter& p, qreal s) {
  p.fillRect(QRectF(s * 0.2, s * 0.62, s * 0.6, s * 0.18), p.pen().color());
};
const Glyph kPlus = [](QPainter& p, qreal s) {
  p.fillRect(QRectF(s * 0.2, s * 0.41, s * 0.6, s * 0.18), p.pen().color());
  p.fillRect(QRectF(s * 0.41, s * 0.2, s * 0.18, s * 0.6), p.pen().color());
};
const Glyph kMinus = [](QPainter& p, qreal s) {
  p.fillRect(QRectF(s * 0.2, s * 0.41, s * 0.6, s * 0.18), p.pen().color());
};
const Glyph kFolder = [](QPainter& p, qreal s) {
  p.fillRect(QRectF(s * 0.14, s * 0.3, s * 0.3, s * 0.14), p.pen().color());
  p.fillRect(QRectF(s * 0.14, s * 0.4, s * 0.72, s * 0.36), p.pen().color());
};
const Glyph kDisk = [](QPainter& p, qreal s) {
  p.fillRect(QRectF(s * 0.18, s * 0.18, s * 0.64, s * 0.64), p.pen().color());
  p.setCompositionMode(QPainter::CompositionMode_Clear);
  p.fillRect(QRectF(s * 0.32, s * 0.2, s * 0.36, s * 0.2), Qt::black);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
};

// An image button strip: four square-ish bands (normal, pressed, disabled, hover).
QImage buttonStrip(int w, int bandHeight, const Glyph& glyph) {
  QImage image = blank(w, bandHeight * 4);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const struct {
    QColor top, bottom, glyph, rim;
    qreal shift;
  } looks[4] = {
      {QColor(0x3a, 0x42, 0x4c), QColor(0x24, 0x29, 0x30), kGlyph, QColor(0x50, 0x5a, 0x66), 0},
      {QColor(0x12, 0x2a, 0x1a), QColor(0x1a, 0x3c, 0x26), kAccent, kAccentDark, 0.6},
      {QColor(0x24, 0x28, 0x2e), QColor(0x1e, 0x22, 0x27), kDisabledGlyph, QColor(0x2c, 0x32, 0x38),
       0},
      {QColor(0x44, 0x52, 0x5c), QColor(0x2a, 0x34, 0x3a), kAccent, kAccent, 0},
  };
  for (int band = 0; band < 4; ++band) {
    const auto& look = looks[band];
    const QRectF box(0.5, band * bandHeight + 0.5, w - 1.0, bandHeight - 1.0);
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0, look.top);
    g.setColorAt(1, look.bottom);
    p.setPen(QPen(look.rim, 1));
    p.setBrush(g);
    const qreal radius = std::min(w, bandHeight) * 0.28;
    p.drawRoundedRect(box, radius, radius);
    const qreal side = std::min(w, bandHeight);
    p.save();
    p.translate((w - side) / 2.0 + look.shift,
                band * bandHeight + (bandHeight - side) / 2.0 + look.shift);
    p.setPen(look.glyph);
    p.setBrush(Qt::NoBrush);
    glyph(p, side);
    p.restore();
  }
  return image;
}

// Light pill faces of the text buttons; the player draws the caption itself.
QImage textButtonStrip(int w) {
  QImage image = blank(w, 80);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor faces[4][3] = {
      {QColor(0xd8, 0xe0, 0xda), QColor(0xb4, 0xc0, 0xb8), QColor(0x6c, 0x78, 0x70)},
      {QColor(0xa6, 0xb6, 0xaa), QColor(0xc4, 0xd0, 0xc8), QColor(0x1e, 0x7a, 0x3c)},
      {QColor(0x9a, 0xa0, 0x9c), QColor(0x8c, 0x92, 0x8e), QColor(0x60, 0x66, 0x62)},
      {QColor(0xe8, 0xf6, 0xec), QColor(0xc6, 0xe4, 0xd0), kAccent},
  };
  for (int band = 0; band < 4; ++band) {
    const QRectF box(0.5, band * 20 + 0.5, w - 1.0, 19.0);
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0, faces[band][0]);
    g.setColorAt(1, faces[band][1]);
    p.setPen(QPen(faces[band][2], 1));
    p.setBrush(g);
    p.drawRoundedRect(box, 6, 6);
  }
  return image;
}

// Horizontal strip of equal cells, each drawn by cell(painter, rect, index).
QImage cells(int w, int h, int count, const std::function<void(QPainter&, QRectF, int)>& cell) {
  QImage image = blank(w, h);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal cw = qreal(w) / count;
  for (int i = 0; i < count; ++i) cell(p, QRectF(i * cw, 0, cw, h), i);
  return image;
}

void smallFace(QPainter& p, QRectF r, bool pressed, const Glyph& glyph) {
  p.setPen(QPen(pressed ? kAccentDark : kAccent, 1));
  p.setBrush(pressed ? QColor(0x16, 0x36, 0x22) : QColor(0x30, 0x3a, 0x42));
  p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
  const qreal side = std::min(r.width(), r.height());
  p.save();
  p.translate(r.center().x() - side / 2, r.center().y() - side / 2);
  p.setPen(pressed ? kAccent : kGlyph);
  glyph(p, side);
  p.restore();
}

QImage playlistButton(int w, int h, const Glyph& glyph) {
  return cells(w, h, 2, [&](QPainter& p, QRectF r, int i) { smallFace(p, r, i == 1, glyph); });
}

// A skinned window face: gradient, frame and a title band for the caption text.
QImage windowFace(int w, int h, bool titleBand = true) {
  QImage image(w, h, QImage::Format_ARGB32);
  QPainter p(&image);
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, kFaceTop);
  g.setColorAt(1, kFaceBottom);
  p.fillRect(image.rect(), g);
  if (titleBand) p.fillRect(QRect(1, 1, w - 2, 21), kTitleBand);
  p.setPen(kFrame);
  p.drawRect(0, 0, w - 1, h - 1);
  p.setPen(QColor(0x0a, 0x0c, 0x0e));
  p.drawRect(1, 1, w - 3, h - 3);
  return image;
}

void inset(QPainter& p, QRect r, int radius = 4) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0x34, 0x3c, 0x45), 1));
  p.setBrush(kInset);
  p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
  p.restore();
}

// The colour control window: four slider grooves from x 105 to 235 on the
// rows y 38, 63, 88 and 113, and room for the Default button at y 133..153.
QImage colorControlFace() {
  QImage image = windowFace(300, 162);
  QPainter p(&image);
  for (int row : {38, 63, 88, 113}) inset(p, QRect(102, row - 2, 137, 5), 2);
  return image;
}

// The information window: thirteen caption and value rows on an inset panel;
// values end at x = 425, so the face is 436 px wide.
QImage infoFace() {
  QImage image = windowFace(436, 296);
  QPainter p(&image);
  inset(p, QRect(8, 28, 420, 260));
  p.setPen(QColor(0x2a, 0x31, 0x38));
  for (int row = 1; row < 13; ++row) p.drawLine(14, 28 + 4 + row * 19, 421, 28 + 4 + row * 19);
  return image;
}

// The About window: a well for the program's picture on the left and an
// inset panel for the version and the two links.
QImage aboutFace() {
  QImage image = windowFace(320, 200);
  QPainter p(&image);
  inset(p, QRect(12, 34, 84, 84), 8);
  inset(p, QRect(108, 34, 200, 150));
  return image;
}

// The main window: a display panel for the four labels, a transport well, a
// volume well and the seek bar's groove.
QImage mainImage() {
  QImage image = windowFace(460, 152, false);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(kFrame);
  p.setFont(QFont("DejaVu Sans", 7, QFont::Bold));
  p.setPen(QColor(0x7d, 0x88, 0x94));
  p.drawText(QPoint(10, 13), "TARVELINO");
  inset(p, QRect(170, 21, 225, 91), 6);
  p.setPen(QColor(0x1a, 0x2a, 0x1f));
  for (int y = 24; y < 110; y += 3) p.drawLine(173, y, 391, y);  // faint scan lines of the display
  inset(p, QRect(18, 58, 136, 36), 8);                           // transport well
  inset(p, QRect(405, 22, 42, 106), 6);                          // volume well
  inset(p, QRect(21, 131, 415, 17), 5);                          // seek groove
  p.setFont(QFont("DejaVu Sans", 6));
  p.setPen(QColor(0x8a, 0x96, 0xa2));
  // Captions centred under (or over) their buttons.
  const struct {
    int centre, baseline;
    const char* text;
  } captions[] = {{33, 50, "OPEN"},    {90, 50, "SUBTITLE"}, {157, 50, "LIST"},
                  {34, 108, "REWIND"}, {91, 108, "FORWARD"}, {157, 108, "SETUP"}};
  for (const auto& c : captions)
    p.drawText(QRect(c.centre - 30, c.baseline - 9, 60, 10), Qt::AlignHCenter | Qt::AlignBottom,
               c.text);
  return image;
}

// The message window face: a dark title band over a light page so that the
// dark green message text reads well. The bottom two rows and right two
// columns are plain frame, because the window grows by repeating them.
QImage messageImage(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32);
  QPainter p(&image);
  p.fillRect(image.rect(), QColor(0xe4, 0xea, 0xe6));
  p.fillRect(QRect(0, 0, w, 22), kTitleBand);
  p.fillRect(QRect(0, 22, w, 1), kAccentDark);
  p.fillRect(QRect(0, 0, 2, h), kFrame);
  p.fillRect(QRect(w - 2, 0, 2, h), kFrame);
  p.fillRect(QRect(0, h - 2, w, 2), kFrame);
  p.fillRect(QRect(0, 0, w, 1), kFrame);
  return image;
}

QImage trackBarThumb(int w, int h) {
  QImage image = blank(w, h);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, QColor(0xe8, 0xee, 0xea));
  g.setColorAt(1, QColor(0x9c, 0xa8, 0xa0));
  p.setBrush(g);
  p.setPen(QPen(kAccentDark, 1));
  p.drawRoundedRect(QRectF(0.5, 0.5, w - 1.0, h - 1.0), 2, 2);
  return image;
}

// Pointing hand cursors, 32 x 32; the finger tip is the hot spot (see ui/skin_cursors).
QImage handCursor(bool pressed) {
  QImage image = blank(32, 32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath hand;
  const qreal fingerTop = pressed ? 6 : 1;
  hand.addRoundedRect(QRectF(8, fingerTop, 5, 16 - fingerTop + 1), 2.5, 2.5);
  hand.addRoundedRect(QRectF(12.5, 9, 4.5, 9), 2.2, 2.2);
  hand.addRoundedRect(QRectF(16.5, 10, 4.5, 8), 2.2, 2.2);
  hand.addRoundedRect(QRectF(20.5, 11, 4.5, 7), 2.2, 2.2);
  hand.addRoundedRect(QRectF(8, 14, 17, 12), 4, 4);
  QPainterPath thumb;
  thumb.moveTo(9, 21);
  thumb.lineTo(4, 15);
  thumb.lineTo(6.5, 13);
  thumb.lineTo(10, 16);
  hand = hand.united(thumb).simplified();
  p.setPen(QPen(Qt::black, 1.4));
  p.setBrush(pressed ? kAccent : Qt::white);
  p.drawPath(hand);
  return image;
}

QImage appIcon() {
  QImage image = blank(64, 64);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 0, 64);
  g.setColorAt(0, QColor(0x3a, 0x44, 0x4e));
  g.setColorAt(1, QColor(0x14, 0x18, 0x1c));
  p.setBrush(g);
  p.setPen(QPen(kAccent, 2));
  p.drawRoundedRect(QRectF(3, 3, 58, 58), 14, 14);
  p.fillPath(triangleRight(24, 16, 26, 32), kAccent);
  return image;
}

QImage menuIcon(const Glyph& glyph) {
  QImage image = blank(16, 16);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(kAccent);
  glyph(p, 16);
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  outputFolder = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(outputFolder);

  // Main window buttons: width x band height, four bands each.
  save(buttonStrip(12, 12, kEject), "MAINBTNOPENMOVIE");
  save(buttonStrip(12, 12, kSubtitle), "MAINBTNOPENSUBTITLE");
  save(buttonStrip(12, 12, kList), "MAINBTNPLAYLIST");
  save(buttonStrip(12, 12, kGear), "MAINBTNCONFIGURATION");
  save(buttonStrip(12, 12, kInfo), "MAINBTNINFO");
  save(buttonStrip(12, 12, kPrior), "MAINBTNPRIOR");
  save(buttonStrip(12, 12, kNext), "MAINBTNNEXT");
  save(buttonStrip(16, 12, kRewind), "MAINBTNREWIND");
  save(buttonStrip(16, 12, kForward), "MAINBTNFORWARD");
  save(buttonStrip(20, 20, kPlay), "MAINBTNPLAY");
  save(buttonStrip(20, 20, kPause), "MAINBTNPAUSE");
  save(buttonStrip(20, 20, kStop), "MAINBTNSTOP");
  save(buttonStrip(9, 9, kClose), "MAINBTNCLOSE");
  save(buttonStrip(9, 9, kMinimize), "MAINBTNMINIMIZE");
  save(buttonStrip(9, 9, kPlus), "MAINBTNVOLUMEUP");
  save(buttonStrip(9, 9, kMinus), "MAINBTNVOLUMEDOWN");
  save(buttonStrip(14, 12, kFolder), "BTNLOADPRESET");
  save(buttonStrip(12, 12, kDisk), "BTNSAVEPRESET");
  save(buttonStrip(27, 27, kPrior), "RESTOREBTN");

  // Mute flip: left half sound on, right half sound off.
  save(cells(30, 13, 2,
             [](QPainter& p, QRectF r, int i) {
               const QColor c = i == 0 ? kAccent : QColor(0xe0, 0x5a, 0x50);
               QPainterPath speaker;
               speaker.moveTo(r.left() + 2, r.top() + 4.5);
               speaker.lineTo(r.left() + 4.5, r.top() + 4.5);
               speaker.lineTo(r.left() + 8, r.top() + 1.5);
               speaker.lineTo(r.left() + 8, r.top() + 11.5);
               speaker.lineTo(r.left() + 4.5, r.top() + 8.5);
               speaker.lineTo(r.left() + 2, r.top() + 8.5);
               speaker.closeSubpath();
               p.fillPath(speaker, c);
               p.setPen(QPen(c, 1.2));
               if (i == 0) {
                 p.drawArc(QRectF(r.left() + 6, r.top() + 3.5, 5, 6), -60 * 16, 120 * 16);
                 p.drawArc(QRectF(r.left() + 6, r.top() + 1.5, 8, 10), -60 * 16, 120 * 16);
               } else {
                 p.drawLine(QPointF(r.left() + 10, r.top() + 4.5),
                            QPointF(r.left() + 14, r.top() + 8.5));
                 p.drawLine(QPointF(r.left() + 14, r.top() + 4.5),
                            QPointF(r.left() + 10, r.top() + 8.5));
               }
             }),
       "MAINMUTE");

  // Volume: left column the empty track, right column the filled one.
  {
    QImage image(10, 78, QImage::Format_ARGB32);
    QPainter p(&image);
    p.fillRect(QRect(0, 0, 5, 78), QColor(0x1c, 0x22, 0x28));
    QLinearGradient g(0, 0, 0, 78);
    g.setColorAt(0, QColor(0xa8, 0xf0, 0x7a));
    g.setColorAt(1, QColor(0x1e, 0x8a, 0x44));
    p.fillRect(QRect(5, 0, 5, 78), g);
    for (int y = 3; y < 78; y += 4) {  // level ticks
      p.fillRect(QRect(0, y, 5, 1), QColor(0x10, 0x13, 0x16));
      p.fillRect(QRect(5, y, 5, 1), QColor(0x10, 0x40, 0x20));
    }
    save(image, "MAINVOLBAR");
  }

  // Seek bar: top band the empty groove, bottom band the filled part.
  {
    QImage image(407, 18, QImage::Format_ARGB32);
    QPainter p(&image);
    p.fillRect(QRect(0, 0, 407, 9), QColor(0x1c, 0x22, 0x28));
    p.fillRect(QRect(0, 4, 407, 1), QColor(0x2c, 0x34, 0x3c));
    QLinearGradient g(0, 9, 0, 18);
    g.setColorAt(0, QColor(0x8a, 0xf2, 0xa6));
    g.setColorAt(1, QColor(0x1e, 0x8a, 0x44));
    p.fillRect(QRect(0, 9, 407, 9), g);
    save(image, "MAINPROGRESSBAR");
  }

  for (int n = 1; n <= 5; ++n)
    save(textButtonStrip(60 + 20 * n), qPrintable(QString("BUTTONTEXT%1").arg(n)));

  save(playlistButton(24, 12, kPlus), "BTNOPENMOVIE");
  save(playlistButton(24, 12, kDisk), "BTNSAVEPLAYLIST");
  save(playlistButton(24, 12, kSubtitle), "BTNREPLACESUBTITLE");
  save(playlistButton(28, 12, kFolder), "BTNADDFOLDER");
  save(playlistButton(28, 12, kList), "BTNOPENPLAYLIST");
  save(playlistButton(20, 12, kMinus), "BTNREMOVE");
  save(playlistButton(18, 9, kClose), "BTNCLOSE");

  // Toggles: off, on, off with hover, on with hover.
  const auto toggle = [](const char* name) {
    save(cells(52, 15, 4,
               [](QPainter& p, QRectF r, int i) {
                 const bool on = i % 2 == 1, hover = i >= 2;
                 p.setPen(QPen(hover ? kAccent : QColor(0x50, 0x5a, 0x66), 1));
                 p.setBrush(QColor(0x24, 0x29, 0x30));
                 p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
                 p.setPen(Qt::NoPen);
                 p.setBrush(on ? kAccent : QColor(0x44, 0x4c, 0x55));
                 p.drawEllipse(r.center(), 3.5, 3.5);
               }),
         name);
  };
  toggle("BTNSHUFFLE");
  toggle("BTNPREVIOUSSETTINGS");

  // Subtitle list flip: left half shown (arrow up to hide), right half hidden.
  save(cells(24, 8, 2,
             [](QPainter& p, QRectF r, int i) {
               QPainterPath t;
               const qreal cx = r.center().x();
               if (i == 0) {
                 t.moveTo(cx - 4, r.top() + 6.5);
                 t.lineTo(cx + 4, r.top() + 6.5);
                 t.lineTo(cx, r.top() + 1.5);
               } else {
                 t.moveTo(cx - 4, r.top() + 1.5);
                 t.lineTo(cx + 4, r.top() + 1.5);
                 t.lineTo(cx, r.top() + 6.5);
               }
               t.closeSubpath();
               p.fillPath(t, kAccent);
             }),
       "SHOWHIDESUBTITLES");

  // Check box faces: unchecked, unchecked pressed, checked, checked pressed.
  save(cells(52, 13, 4,
             [](QPainter& p, QRectF r, int i) {
               const bool checked = i >= 2, pressed = i % 2 == 1;
               p.setPen(QPen(QColor(0x2a, 0x33, 0x3a), 1));
               p.setBrush(pressed ? QColor(0xc4, 0xd0, 0xc8) : QColor(0xfa, 0xfc, 0xfa));
               p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
               if (checked) {
                 p.setPen(QPen(kAccentDark, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                 QPainterPath tick;
                 tick.moveTo(r.left() + 3, r.top() + 6.5);
                 tick.lineTo(r.left() + 5.5, r.top() + 9.5);
                 tick.lineTo(r.left() + 10, r.top() + 3.5);
                 p.drawPath(tick);
               }
             }),
       "CBPOSITIONS");

  save(trackBarThumb(11, 7), "VERTICALSLIDER");
  save(trackBarThumb(7, 12), "HORIZONTALSLIDER");

  save(mainImage(), "MAINIMAGE");
  save(messageImage(420, 260), "MESSAGE1");
  save(messageImage(300, 130), "MESSAGE2");
  save(windowFace(425, 160), "EQUALIZER");
  save(colorControlFace(), "COLORCONTROL");
  save(windowFace(250, 295), "LOADSAVEPRESET");
  // The aspect-ratio dialog's face; embedded under the name ASPECTRATIO.
  save(windowFace(300, 110), "RATIODIALOG");
  save(windowFace(250, 110), "PANSCAN");
  save(infoFace(), "INFO");
  save(windowFace(480, 380), "KEYBOARD");
  save(aboutFace(), "ABOUT");
  failures += drawPlaylistSkin(outputFolder);
  save(configurationFace(), "CONFIG");
  drawKeySkins(save);

  save(handCursor(false), "CRHANDPOINT");
  save(handCursor(true), "CRHANDPRESS");
  save(appIcon(), "APPICON");
  save(menuIcon(kEject), "MENUOPEN");
  save(menuIcon(kSubtitle), "MENUSUBTITLE");
  save(menuIcon(kPlay), "MENUPLAY");
  save(menuIcon(kList), "MENUPLAYLIST");
  save(menuIcon(kGear), "MENUCONFIGURATION");
  save(menuIcon(kInfo), "MENUABOUT");
  save(menuIcon(kClose), "MENUEXIT");
  return failures == 0 ? 0 : 1;
}
