// TfrmMain: dragging by the face, snapping and carrying docked windows along.
#include "ui/main_window.h"

#include "ui/window_drag.h"

#include <QMouseEvent>

namespace ui {

void TfrmMain::facePressed(QMouseEvent* event) {
  beginMove();
  StartWindowDrag(
      this, event->globalPosition().toPoint(), [this](const QRect& r) { return adjustMove(r); },
      [this] { endMove(); });
}

void TfrmMain::beginMove() {
  moving_ = true;
  docks_.clear();
  const SnapRect self = toSnapRect(frameGeometry());
  for (QWidget* other : playerWindows()) {
    if (other == this) continue;
    const QRect geometry = other->frameGeometry();
    docks_.push_back({other, other->isVisible() && windowsTouch(self, toSnapRect(geometry)),
                      geometry.topLeft() - frameGeometry().topLeft()});
  }
}

QRect TfrmMain::adjustMove(const QRect& proposed) {
  if (!moving_) return proposed;
  std::vector<SnapRect> undocked;
  for (const Dock& dock : docks_)
    if (dock.window && !dock.docked && dock.window->isVisible())
      undocked.push_back(toSnapRect(dock.window->frameGeometry()));
  const SnapRect snapped = snapMainWindowMove(toSnapRect(proposed), undocked,
                                              screenRectFor(this, commands_.videoFullScreen()));
  const QRect result = toQRect(snapped);
  for (const Dock& dock : docks_)
    if (dock.window && dock.docked && dock.window->isVisible())
      dock.window->move(result.topLeft() + dock.offset);
  return result;
}

void TfrmMain::endMove() {
  moving_ = false;
  docks_.clear();
  settings_.MainXPosition = x();
  settings_.MainYPosition = y();
  commands_.mainWindowMoved();
}

void TfrmMain::moveEvent(QMoveEvent* event) {
  SkinWindow::moveEvent(event);
  settings_.MainXPosition = x();
  settings_.MainYPosition = y();
}

}  // namespace ui
