// The faces of the jump-to-time dialog, in the look of the other small
// dialogs: charcoal gradient, frame, a title band, and an inset well for the
// time field.
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <functional>

void drawKeySkins(const std::function<void(const QImage&, const char*)>& save) {
  const int w = 260, h = 100;
  QImage image(w, h, QImage::Format_ARGB32);
  QPainter p(&image);
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, QColor(0x2b, 0x31, 0x39));
  g.setColorAt(1, QColor(0x17, 0x1b, 0x20));
  p.fillRect(image.rect(), g);
  p.fillRect(QRect(1, 1, w - 2, 21), QColor(0x22, 0x27, 0x2e));
  p.setPen(QColor(0x3d, 0x46, 0x50));
  p.drawRect(0, 0, w - 1, h - 1);
  p.setPen(QColor(0x0a, 0x0c, 0x0e));
  p.drawRect(1, 1, w - 3, h - 3);
  // The well behind the time field (the field sits at 20, 34, 90 x 22).
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0x34, 0x3c, 0x45), 1));
  p.setBrush(QColor(0x0c, 0x0f, 0x12));
  p.drawRoundedRect(QRectF(17.5, 31.5, 95, 27), 4, 4);
  p.end();
  save(image, "JUMP");
}
