#pragma once
// The subtitle layer of the video window: the laid-out lines now on screen
// (DisplayLines, FontScale) and their drawing with QPainter, plain or with an
// outline, shadow and background as the subtitle settings say. The font is
// requested by name (fontconfig substitutes a face when it is missing).
// Interface thread only.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "subtitles/subtitle_layout.h"

namespace ui {

class SubtitleLayer {
 public:
  explicit SubtitleLayer(const settings::Settings& settings) : settings_(settings) {}

  // LayOutSubtitle: lays the entry's lines out for a screen `screenWidthPx`
  // wide at `dpi` pixels per inch.
  void layOut(const std::vector<std::string>& lines, int screenWidthPx, double dpi);
  // Empties DisplayLines.
  void clear();
  const std::vector<std::string>& displayLines() const { return layout_.DisplayLines; }
  float fontScale() const { return layout_.FontScale; }

  // PaintSubtitle on a window of `window` size: nothing without lines.
  // Afterwards zoneTop() is the topmost row touched (the window's height
  // when nothing was drawn).
  void paint(QPainter& painter, const QSize& window, double dpi);
  int zoneTop() const { return zoneTop_; }
  // The font size in points of the last drawing (0 before any).
  int drawnFontSize() const { return drawnSize_; }

  // The subtitle font at `points` for `dpi`, as a pixel size so that drawing
  // and measuring agree on any paint device.
  QFont font(int points, double dpi) const;
  // A text measure for the layout: pixel width of a line at a point size.
  subtitles::MeasureText measure(double dpi) const;

 private:
  void paintDirect(QPainter& painter, const QFont& font, const QSize& window);
  void paintOutlined(QPainter& painter, const QFont& font, int size, const QSize& window);
  void renderOutlineBitmap(const QFont& font, int size, int width, int height, int lineHeight);

  const settings::Settings& settings_;
  subtitles::SubtitleLayout layout_;
  int zoneTop_ = 0;
  int drawnSize_ = 0;
  // The outline bitmap, its key colour made transparent; rebuilt only when
  // what it shows changes (lines, size, colours, shadow).
  QImage outline_;
  QString outlineKey_;
};

}  // namespace ui
