#include "ui/videowindow/osd_layer.h"

#include <QFontMetrics>
#include <cmath>

#include "playback/osd_fit.h"

namespace ui {

namespace {

QColor colorFromBgr(int bgr) {
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

int roundEven(double x) {
  return int(std::nearbyint(x));
}

}  // namespace

int paintOsdLayer(QPainter& painter, playback::Osd& osd, const settings::Settings& settings,
                  const OsdGeometry& g) {
  if (osd.empty()) osd.shownText.clear();
  if (osd.empty() && osd.clock().empty()) return 0;
  const double dpi = g.dpi > 0 ? g.dpi : 96;
  // Point size from the monitor width and OsdSize percent; the outline width
  // q grows with the font, r is its diagonal step.
  const int points = std::max(1, roundEven(g.monitorWidthPx * 0.0216 * settings.OsdSize / dpi));
  QFont font("Arial");
  font.setBold(true);
  font.setPixelSize(std::max(1, roundEven(points * dpi / 72.0)));
  const int q = roundEven(points * 0.1 * dpi / 96);
  const int r = roundEven(q * 0.707);
  const QFontMetrics metrics(font);
  const int y = roundEven(g.window.height() * 0.1);
  const int baseline = y + metrics.ascent();
  int zoneBottom = 0;

  painter.save();
  painter.setFont(font);
  auto outlined = [&](const QString& text, int x) {
    painter.setPen(Qt::black);
    const QPoint offsets[] = {{-q, 0}, {0, -q}, {0, q}, {q, 0}, {-r, -r}, {-r, r}, {r, -r}, {r, r}};
    if (q > 0)
      for (const QPoint& o : offsets) painter.drawText(x + o.x(), baseline + o.y(), text);
    painter.setPen(colorFromBgr(settings.OsdColor));
    painter.drawText(x, baseline, text);
    zoneBottom = std::max(zoneBottom, y + metrics.height() + q + 1);
  };

  if (!osd.empty()) {
    QString text = QString::fromStdString(osd.message());
    const size_t kept = playback::osdKeptCharacters(
        size_t(text.size()), metrics.horizontalAdvance(text), g.window.width(),
        !osd.clock().empty(), metrics.horizontalAdvance("00:00"));
    text.truncate(int(kept));
    if (!text.isEmpty()) outlined(text, roundEven(g.window.width() * 0.1));
    osd.shownText = osd.message();
  }
  if (!osd.clock().empty()) {
    const QString clock = QString::fromStdString(osd.clock());
    outlined(clock, roundEven(g.window.width() * 0.9) - metrics.horizontalAdvance(clock));
  }
  painter.restore();
  return zoneBottom;
}

}  // namespace ui
