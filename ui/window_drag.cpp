#include "ui/window_drag.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace ui {
namespace {

std::vector<QPointer<QWidget>>& registry() {
  static std::vector<QPointer<QWidget>> windows;
  return windows;
}

bool& onTop() {
  static bool on = false;
  return on;
}

void applyOnTop(QWidget* window, bool on) {
  if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) return;
  const bool shown = window->isVisible();
  const bool fullScreen = window->isFullScreen();
  const QRect geometry = window->geometry();
  const QString role = window->windowRole();
  window->setWindowFlag(Qt::WindowStaysOnTopHint, on);  // hides a shown window
  if (shown) {
    if (fullScreen) {
      window->showFullScreen();
    } else {
      window->setGeometry(geometry);
      window->show();
    }
  }
  window->setWindowRole(role);  // the new native window does not carry it over
}

// Follows the pointer with the mouse grabbed until the left button is released.
class DragFilter : public QObject {
 public:
  DragFilter(QWidget* window, int edge, QPoint pressGlobal, QSize minimum, DragAdjust adjust,
             std::function<void()> onEnd, bool immediate)
      : QObject(window),
        window_(window),
        edge_(edge),
        press_(pressGlobal),
        start_(window->frameGeometry()),
        minimum_(minimum),
        adjust_(std::move(adjust)),
        onEnd_(std::move(onEnd)) {
    window->installEventFilter(this);
    if (immediate) {
      active_ = this;
      window->grabMouse();
    } else {
      armed_ = this;
    }
  }
  ~DragFilter() override {
    if (active_ == this) active_ = nullptr;
    if (armed_ == this) armed_ = nullptr;
  }
  // The drag that moves its window now, and the one that waits for the
  // pointer to leave the drag distance (at most one of each, never both).
  static DragFilter* active_;
  static DragFilter* armed_;
  void disarm() {
    window_->removeEventFilter(this);
    armed_ = nullptr;
    auto onEnd = std::move(onEnd_);
    deleteLater();
    if (onEnd) onEnd();
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (armed_ == this) return waitForDistance(event);
    if (event->type() == QEvent::MouseMove) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const QPoint delta = mouse->globalPosition().toPoint() - press_;
      QRect proposed =
          edge_ == 0 ? start_.translated(delta) : resizedRect(start_, edge_, delta, minimum_);
      if (adjust_) proposed = adjust_(proposed);
      if (edge_ == 0) {
        window_->move(proposed.topLeft());
      } else {
        proposed.setSize(proposed.size().expandedTo(minimum_));
        window_->setGeometry(proposed);
      }
      return true;
    }
    if (event->type() == QEvent::MouseButtonRelease ||
        (event->type() == QEvent::MouseButtonPress &&
         static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)) {
      finish();
      return true;
    }
    return false;
  }

 private:
  // A press only arms the drag: the window moves once the pointer, with the
  // left button held, is the drag distance away from the press. A release
  // before that (the first click of a double click) ends it unseen, and the
  // window gets the release and the double click as usual.
  bool waitForDistance(QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::MouseMove) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (!(mouse->buttons() & Qt::LeftButton)) {
        disarm();
        return false;
      }
      const QPoint moved = mouse->globalPosition().toPoint() - press_;
      if (moved.manhattanLength() < QApplication::startDragDistance()) return false;
      armed_ = nullptr;
      active_ = this;
      window_->grabMouse();
      return eventFilter(window_, event);
    }
    if (type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonPress ||
        type == QEvent::MouseButtonDblClick || type == QEvent::Hide || type == QEvent::Close)
      disarm();
    return false;
  }
  void finish() {
    window_->releaseMouse();
    window_->removeEventFilter(this);
    active_ = nullptr;
    auto onEnd = std::move(onEnd_);
    deleteLater();
    if (onEnd) onEnd();
  }
  QWidget* window_;
  int edge_;
  QPoint press_;
  QRect start_;
  QSize minimum_;
  DragAdjust adjust_;
  std::function<void()> onEnd_;
};

DragFilter* DragFilter::active_ = nullptr;
DragFilter* DragFilter::armed_ = nullptr;

}  // namespace

void registerPlayerWindow(QWidget* window) {
  auto& list = registry();
  std::erase_if(list, [](const QPointer<QWidget>& p) { return p.isNull(); });
  for (const auto& p : list)
    if (p == window) return;
  list.emplace_back(window);
  if (onTop()) applyOnTop(window, true);
}

void setPlayerWindowsOnTop(bool on) {
  onTop() = on;
  for (QWidget* window : playerWindows()) applyOnTop(window, on);
}

void keepOnTop(QWidget* window) {
  if (!window || !onTop()) return;
  applyOnTop(window, true);
  window->raise();
}

bool playerWindowsOnTop() {
  return onTop();
}

std::vector<QWidget*> playerWindows() {
  std::vector<QWidget*> out;
  for (const auto& p : registry())
    if (p) out.push_back(p);
  return out;
}

SnapRect toSnapRect(const QRect& r) {
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QRect toQRect(const SnapRect& r) {
  return QRect(r.left, r.top, r.width(), r.height());
}

SnapRect screenRectFor(const QWidget* window, bool wholeScreen) {
  QScreen* screen = window ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return {};
  return toSnapRect(wholeScreen ? screen->geometry() : screen->availableGeometry());
}

QRect snapToPlayerWindows(const QWidget* window, const QRect& proposed) {
  std::vector<SnapRect> others;
  for (QWidget* other : playerWindows())
    if (other != window && other->isVisible() && other->isEnabled())
      others.push_back(toSnapRect(other->frameGeometry()));
  const SnapRect snapped =
      SnapWindowPosition(toSnapRect(window->frameGeometry()), toSnapRect(proposed), others,
                         screenRectFor(window, false));
  return toQRect(snapped);
}

void StartWindowDrag(QWidget* window, QPoint pressGlobal, DragAdjust adjust,
                     std::function<void()> onEnd) {
  if (!window || DragFilter::active_) return;
  if (DragFilter::armed_) DragFilter::armed_->disarm();
  if (!adjust) adjust = [window](const QRect& r) { return snapToPlayerWindows(window, r); };
  new DragFilter(window, 0, pressGlobal, {}, std::move(adjust), std::move(onEnd), false);
}

void StartWindowResize(QWidget* window, int edge, QPoint pressGlobal, QSize minimum,
                       DragAdjust adjust) {
  if (!window || DragFilter::active_ || edge < 1 || edge > 8) return;
  if (DragFilter::armed_) DragFilter::armed_->disarm();
  if (!adjust) adjust = [window](const QRect& r) { return snapToPlayerWindows(window, r); };
  new DragFilter(window, edge, pressGlobal, minimum, std::move(adjust), {}, true);
}

bool windowDragActive() {
  return DragFilter::active_ != nullptr;
}

QRect resizedRect(const QRect& start, int edge, QPoint delta, QSize minimum) {
  int left = start.left(), top = start.top();
  int right = start.left() + start.width(), bottom = start.top() + start.height();
  const bool movesLeft = edge == 1 || edge == 4 || edge == 7;
  const bool movesRight = edge == 2 || edge == 5 || edge == 8;
  const bool movesTop = edge == 3 || edge == 4 || edge == 5;
  const bool movesBottom = edge == 6 || edge == 7 || edge == 8;
  if (movesLeft) left = std::min(left + delta.x(), right - minimum.width());
  if (movesRight) right = std::max(right + delta.x(), left + minimum.width());
  if (movesTop) top = std::min(top + delta.y(), bottom - minimum.height());
  if (movesBottom) bottom = std::max(bottom + delta.y(), top + minimum.height());
  return QRect(left, top, right - left, bottom - top);
}

}  // namespace ui
