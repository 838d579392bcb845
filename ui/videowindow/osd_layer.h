#pragma once
// The on-screen message layer of the video window: the message at the top
// left and the clock at the top right, bold "Arial" with a black outline, in
// OsdColor. Interface thread only.
#include <QPainter>

#include "settings/settings.h"
#include "playback/osd.h"

namespace ui {

struct OsdGeometry {
  QSize window;        // the drawing area (the monitor in full screen)
  int monitorWidthPx;  // width of the monitor that shows the window
  double dpi;          // pixels per inch of the screen
};

// PaintOsd: draws the message (cut to the room it has) and the clock, sets
// osd.shownText, and returns OsdZoneBottom, the row below the lowest text
// drawn (0 when nothing was drawn).
int paintOsdLayer(QPainter& painter, playback::Osd& osd, const settings::Settings& settings,
                  const OsdGeometry& geometry);

}  // namespace ui
