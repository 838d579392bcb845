#pragma once
// Power-off after playback as commands of the main window's adapter: the
// checkable "Turn off computer after play" item (Ctrl+T), the countdown that
// the end of the last movie starts, its window, and the cancel paths (the
// window's Cancel, close button, Enter and Esc; unticking the option; opening
// a movie). The countdown runs on its own 100 ms timer on the monotonic clock,
// never inside the 20 ms update. Interface thread only.
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "playback/player.h"
#include "playback/power_off.h"
#include "ui/main_window.h"
#include "ui/main_window_playback.h"
#include "ui/shutdown_window.h"

namespace app {

// What the link needs of the rest of the program.
struct PowerOffEnvironment {
  // The video window and whether it is in full screen now.
  QPointer<QWidget> videoWindow;
  std::function<bool()> videoFullScreen;
  // The main window's closing steps (saving everything) and the end of the
  // program after them.
  std::function<void()> closingSteps;
  std::function<void()> endProgram;
  // The message window (default: none).
  std::function<void(const std::string& text)> showMessage;
  // Monotonic milliseconds (default: the steady clock).
  std::function<int64_t()> nowMs;
};

class PowerOffLink : public QObject {
  Q_OBJECT
 public:
  // All references must outlive the link; the windows may go first. Wraps the
  // adapter's menuCommand and contextMenuOpening hooks and the controller's
  // powerOffArmed, startPowerOff and movieOpened hooks.
  PowerOffLink(ui::MainWindowPlayback& adapter, playback::Player& player,
               QPointer<ui::TfrmMain> window, std::unique_ptr<playback::PowerOffService> service,
               PowerOffEnvironment environment);
  ~PowerOffLink() override;

  // TogglePowerOff: flips the option, marks the menu item and shows the message.
  void toggle();
  const playback::PowerOffCountdown& countdown() const { return countdown_; }
  ui::TfrmShutDown* countdownWindow() const { return countdownWindow_; }
  // One step of the countdown, as its timer runs it.
  void step();

 private:
  void setInert(bool inert);
  void showCountdown(int seconds);
  void hideCountdown();
  void markMenu();

  ui::MainWindowPlayback& adapter_;
  playback::Player& player_;
  QPointer<ui::TfrmMain> window_;
  std::unique_ptr<playback::PowerOffService> service_;
  PowerOffEnvironment env_;
  playback::PowerOffCountdown countdown_;
  QTimer timer_;
  QPointer<ui::TfrmShutDown> countdownWindow_;
  std::vector<QPointer<QWidget>> disabled_;  // what setInert(true) disabled
};

}  // namespace app
