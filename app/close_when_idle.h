#pragma once
// Holds a close of the main window (its close button, Alt+X, "Exit", Alt+F4
// in full screen, a quit signal, the session's end) while a command or a
// movie open is under way (Busy or OpeningBusy), and closes the window once
// both flags are clear: the half-done state is never recorded, and the
// player's files are still written. Interface thread only.
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

#include "playback/player_state.h"

namespace app {

class CloseWhenIdle : public QObject {
  Q_OBJECT
 public:
  // closing runs once, when the window really closes (before it hides).
  // The state and the window must outlive the filter, or the window may go first.
  CloseWhenIdle(QWidget& window, const playback::PlayerState& state, std::function<void()> closing);

  // How often a held close looks at the flags again.
  static constexpr int kRetryMs = 50;
  bool waiting() const { return retry_.isActive(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> window_;
  const playback::PlayerState& state_;
  std::function<void()> closing_;
  QTimer retry_;
};

}  // namespace app
