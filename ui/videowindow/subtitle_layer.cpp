#include "ui/videowindow/subtitle_layer.h"

#include <QFontMetrics>
#include <cmath>

#include "subtitles/subtitle_placement.h"

namespace ui {

namespace {

// 0x00BBGGRR as a colour.
QColor colorFromBgr(uint32_t bgr) {
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

}  // namespace

QFont SubtitleLayer::font(int points, double dpi) const {
  QFont f(QString::fromStdString(settings_.SubtitleFontName));
  const auto style = settings::FontStyle(settings_.SubtitleFontStyle);
  f.setBold(style == settings::FontStyle::Bold || style == settings::FontStyle::BoldItalic);
  f.setItalic(style == settings::FontStyle::Italic || style == settings::FontStyle::BoldItalic);
  f.setPixelSize(std::max(1, int(std::lround(points * dpi / 72.0))));
  return f;
}

subtitles::MeasureText SubtitleLayer::measure(double dpi) const {
  return [this, dpi](const std::string& line, int sizePt) {
    return QFontMetrics(font(sizePt, dpi)).horizontalAdvance(QString::fromStdString(line));
  };
}

void SubtitleLayer::layOut(const std::vector<std::string>& lines, int screenWidthPx, double dpi) {
  subtitles::LayoutOptions o;
  o.AutoSplitLine = settings_.AutoSplitLine;
  o.WrapAllText = settings_.WrapAllText;
  o.AutoResizeFont = settings_.AutoResizeFont;
  o.HorizontalDisplayArea = settings_.HorizontalDisplayArea;
  o.SubtitleSize = settings_.SubtitleSize;
  layout_ = subtitles::LayOutSubtitle(lines, o, screenWidthPx, dpi, measure(dpi));
}

void SubtitleLayer::clear() {
  layout_ = {};
}

void SubtitleLayer::paint(QPainter& painter, const QSize& window, double dpi) {
  zoneTop_ = window.height();
  if (layout_.DisplayLines.empty() || window.isEmpty()) return;
  const bool fit = settings_.AutoSplitLine || settings_.AutoResizeFont || settings_.WrapAllText;
  const int size = subtitles::drawingFontSize(
      layout_.DisplayLines, layout_.FontScale, settings_.SubtitleSize,
      settings_.HorizontalDisplayArea, fit, window.width(), dpi, measure(dpi));
  drawnSize_ = size;
  const QFont f = font(size, dpi);
  painter.save();
  if (settings_.UseOutlineFont)
    paintOutlined(painter, f, size, window);
  else
    paintDirect(painter, f, window);
  painter.restore();
}

void SubtitleLayer::paintDirect(QPainter& painter, const QFont& font, const QSize& window) {
  const QFontMetrics m(font);
  const int lineHeight = m.height();  // the height of "H": ascent plus descent
  const auto& lines = layout_.DisplayLines;
  const subtitles::DirectPlacement place = subtitles::placeDirect(
      int(lines.size()), lineHeight, window.height(), settings_.AverageVerticalDisplayZone);
  zoneTop_ = std::min(zoneTop_, place.zoneTop);
  painter.setFont(font);
  painter.setPen(colorFromBgr(settings_.SubtitleFontColor));
  for (size_t i = 0; i < lines.size(); ++i) {
    const QString text = QString::fromStdString(lines[i]);
    const int w = m.horizontalAdvance(text);
    const int x = (window.width() - w) / 2;
    const int top = place.lineTops[i];
    if (!settings_.TransparentBackground) painter.fillRect(x, top, w, lineHeight, Qt::black);
    painter.drawText(x, top + m.ascent(), text);
  }
}

void SubtitleLayer::paintOutlined(QPainter& painter, const QFont& font, int size,
                                  const QSize& window) {
  const QFontMetrics m(font);
  const int lineHeight = m.height();
  int widest = 0;
  for (const std::string& line : layout_.DisplayLines)
    widest = std::max(widest, m.horizontalAdvance(QString::fromStdString(line)));
  const subtitles::OutlinePlacement place =
      subtitles::placeOutline(widest, int(layout_.DisplayLines.size()), lineHeight, window.width(),
                              window.height(), settings_.AverageVerticalDisplayZone);
  renderOutlineBitmap(font, size, place.bitmapWidth, place.bitmapHeight, lineHeight);
  zoneTop_ = std::min(zoneTop_, place.zoneTop);
  painter.drawImage(place.x, place.y, outline_);
}

void SubtitleLayer::renderOutlineBitmap(const QFont& font, int size, int width, int height,
                                        int lineHeight) {
  const uint32_t text = uint32_t(settings_.SubtitleFontColor) & 0xFFFFFF;
  const subtitles::OutlineColors colors = subtitles::outlineColors(text);
  const bool shadow = settings_.SubtitleShadowEffect;
  QString key = QString("%1|%2|%3|%4|%5|")
                    .arg(font.key())
                    .arg(size)
                    .arg(text)
                    .arg(shadow)
                    .arg(QString::number(width) + "x" + QString::number(height));
  for (const std::string& line : layout_.DisplayLines) key += QString::fromStdString(line) + '\n';
  if (key == outlineKey_ && !outline_.isNull()) return;
  outlineKey_ = key;

  QImage bitmap(width, height, QImage::Format_RGB32);
  bitmap.fill(colorFromBgr(colors.key));
  {
    QPainter p(&bitmap);
    // Strokes without smoothing, so no pixel of them blends into the key.
    QFont strokeFont = font;
    strokeFont.setStyleStrategy(QFont::NoAntialias);
    QFont textFont = font;
    textFont.setStyleStrategy(QFont::PreferAntialias);
    const QFontMetrics m(font);
    const auto& lines = layout_.DisplayLines;
    const auto outline = subtitles::outlineOffsets(size);
    const auto shadows = shadow ? subtitles::shadowOffsets(size) : decltype(outline){};
    p.setFont(strokeFont);
    p.setPen(colorFromBgr(colors.outline));
    for (size_t j = 0; j < lines.size(); ++j) {
      const QString s = QString::fromStdString(lines[j]);
      const int x = subtitles::outlineLineX(width, m.horizontalAdvance(s));
      const int baseline = int(j) * lineHeight + 3 + m.ascent();
      for (const subtitles::Offset& o : outline) p.drawText(x + o.dx, baseline + o.dy, s);
      for (const subtitles::Offset& o : shadows) p.drawText(x + o.dx, baseline + o.dy, s);
    }
    p.setFont(textFont);
    p.setPen(colorFromBgr(text));
    for (size_t j = 0; j < lines.size(); ++j) {
      const QString s = QString::fromStdString(lines[j]);
      const int x = subtitles::outlineLineX(width, m.horizontalAdvance(s));
      p.drawText(x, int(j) * lineHeight + 3 + m.ascent(), s);
    }
  }
  // The key colour is copied as transparent.
  outline_ = bitmap.convertToFormat(QImage::Format_ARGB32);
  const QRgb keyPixel = colorFromBgr(colors.key).rgb();
  for (int y = 0; y < outline_.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(outline_.scanLine(y));
    for (int x = 0; x < outline_.width(); ++x)
      if (row[x] == keyPixel) row[x] = 0;
  }
}

}  // namespace ui
