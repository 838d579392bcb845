#pragma once
// Moving and sizing borderless windows by the application itself. On X11 the
// window manager's move and size loops report no proposed positions, so the
// player follows the pointer itself (with the mouse grabbed) and passes every
// proposed rectangle through a snapping rule before applying it. No desktop
// setting is changed. Interface thread only.
#include "ui/window_snap.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>
#include <vector>

class QWidget;

namespace ui {

// Turns a proposed frame rectangle into the one applied.
using DragAdjust = std::function<QRect(const QRect& proposed)>;

// The player's top-level windows that others snap to (video, playlist,
// equalizer, main window ...). Windows unregister on destruction automatically.
void registerPlayerWindow(QWidget* window);
std::vector<QWidget*> playerWindows();

// "Always on Top": keeps every registered player window above the windows of
// other programs (Qt::WindowStaysOnTopHint), or returns them to the ordinary
// stacking. Windows registered later follow the same state. A shown window is
// shown again where it was (changing the hint re-creates its native window).
void setPlayerWindowsOnTop(bool on);
bool playerWindowsOnTop();
// While "Always on Top" is on: gives window the on-top hint again when it
// lost it, and raises it. Nothing while it is off.
void keepOnTop(QWidget* window);

// The screen rectangle a window snaps to: the work area of its screen, or the
// whole screen when wholeScreen is set.
SnapRect screenRectFor(const QWidget* window, bool wholeScreen);
SnapRect toSnapRect(const QRect& r);
QRect toQRect(const SnapRect& r);

// The snapping rule for a window of the player: against the other visible,
// enabled player windows and the work area.
QRect snapToPlayerWindows(const QWidget* window, const QRect& proposed);

// Starts dragging window by its face from the press at pressGlobal; the drag
// ends on the left-button release. The window moves only once the pointer has
// left the press by QApplication::startDragDistance() with the button held, so
// a click or a double click on the face stays a click. adjust defaults to
// snapToPlayerWindows. onEnd runs once when the drag ends, moved or not.
void StartWindowDrag(QWidget* window, QPoint pressGlobal, DragAdjust adjust = {},
                     std::function<void()> onEnd = {});

// Starts sizing window from an edge (codes: left 1, right 2, top 3, top-left 4,
// top-right 5, bottom 6, bottom-left 7, bottom-right 8), never below minimum.
void StartWindowResize(QWidget* window, int edge, QPoint pressGlobal, QSize minimum,
                       DragAdjust adjust = {});

// True while a drag or resize started by the functions above moves its window
// (not while a drag waits for the drag distance).
bool windowDragActive();

// The rectangle a resize from edge gives for a pointer moved by delta, never
// smaller than minimum (the opposite edge stays). Pure.
QRect resizedRect(const QRect& start, int edge, QPoint delta, QSize minimum);

}  // namespace ui
