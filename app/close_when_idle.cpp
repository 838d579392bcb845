#include "app/close_when_idle.h"

#include <QCloseEvent>

namespace app {

CloseWhenIdle::CloseWhenIdle(QWidget& window, const playback::PlayerState& state,
                             std::function<void()> closing)
    : QObject(&window), window_(&window), state_(state), closing_(std::move(closing)) {
  retry_.setInterval(kRetryMs);
  connect(&retry_, &QTimer::timeout, this, [this] {
    if (state_.Busy || state_.OpeningBusy) return;
    retry_.stop();
    if (window_) window_->close();
  });
  window.installEventFilter(this);
}

bool CloseWhenIdle::eventFilter(QObject* watched, QEvent* event) {
  if (watched != window_ || event->type() != QEvent::Close) return false;
  if (state_.Busy || state_.OpeningBusy) {
    event->ignore();
    retry_.start();
    return true;
  }
  retry_.stop();
  if (closing_) closing_();
  return false;
}

}  // namespace app
