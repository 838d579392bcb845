// The configuration dialog's face: 494 x 374, a title band, a frame around
// the content panel at (2, 24) of (width - 4) x (height - 55) that the dialog
// fills itself, and the bottom strip for the Apply, Default and Close buttons.
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

QImage configurationFace() {
  const int w = 494, h = 374;
  QImage image(w, h, QImage::Format_ARGB32);
  QPainter p(&image);
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, QColor(0x2b, 0x31, 0x39));
  g.setColorAt(1, QColor(0x17, 0x1b, 0x20));
  p.fillRect(image.rect(), g);
  p.fillRect(QRect(1, 1, w - 2, 21), QColor(0x22, 0x27, 0x2e));
  // The panel's place, framed so its light grey sits in a dark well.
  p.fillRect(QRect(2, 24, w - 4, h - 55), QColor(0xe0, 0xe0, 0xe0));
  p.setPen(QColor(0x0c, 0x0f, 0x12));
  p.drawRect(1, 23, w - 3, h - 53);
  // A thin accent line above the button strip.
  p.setPen(QColor(0x1e, 0x7a, 0x3c));
  p.drawLine(8, h - 30, w - 9, h - 30);
  p.setPen(QColor(0x3d, 0x46, 0x50));
  p.drawRect(0, 0, w - 1, h - 1);
  p.setPen(QColor(0x0a, 0x0c, 0x0e));
  p.drawRect(1, 1, w - 3, h - 3);
  return image;
}
