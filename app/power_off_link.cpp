#include "app/power_off_link.h"

#include <QAction>
#include <QApplication>

#include "texts/interface_texts.h"

namespace app {

namespace {

// Interface texts by their index in the message table.
constexpr int kUnableToShutdown = 1, kPowerOffOn = 46, kPowerOffOff = 47;

}  // namespace

PowerOffLink::PowerOffLink(ui::MainWindowPlayback& adapter, playback::Player& player,
                           QPointer<ui::TfrmMain> window,
                           std::unique_ptr<playback::PowerOffService> service,
                           PowerOffEnvironment environment)
    : adapter_(adapter),
      player_(player),
      window_(window),
      service_(std::move(service)),
      env_(std::move(environment)),
      countdown_(*service_, [this] {
        playback::PowerOffHooks h;
        h.setInert = [this](bool inert) { setInert(inert); };
        h.showCountdown = [this](int seconds) { showCountdown(seconds); };
        h.hideCountdown = [this] { hideCountdown(); };
        h.saveAll = [this] {
          if (env_.closingSteps) env_.closingSteps();
        };
        h.closeProgram = [this] {
          if (env_.endProgram) env_.endProgram();
        };
        h.showFailure = [this] {
          if (env_.showMessage) env_.showMessage(texts::currentTexts().Messages[kUnableToShutdown]);
        };
        h.nowMs = env_.nowMs;
        return h;
      }()) {
  timer_.setInterval(playback::PowerOffCountdown::kStepMs);
  connect(&timer_, &QTimer::timeout, this, &PowerOffLink::step);

  ui::MainWindowHooks& h = adapter_.hooks();
  auto previousMenu = h.menuCommand;
  h.menuCommand = [this, previousMenu](ui::MenuCommand command) {
    if (command == ui::MenuCommand::TurnOffAfterPlay)
      toggle();
    else if (previousMenu)
      previousMenu(command);
  };
  auto previousOpening = h.contextMenuOpening;
  h.contextMenuOpening = [this, previousOpening] {
    if (previousOpening) previousOpening();
    markMenu();
  };

  playback::PlaybackHooks& c = player_.controller().hooks();
  c.powerOffArmed = [this] { return countdown_.armed(); };
  c.startPowerOff = [this] {
    countdown_.start();
    if (countdown_.running()) timer_.start();
  };
  // A movie opened meanwhile (handed over by a second start, a remote
  // command, the desktop's media keys) means the user is back.
  auto previousOpened = c.movieOpened;
  c.movieOpened = [this, previousOpened](const std::string& path) {
    countdown_.cancel();
    if (previousOpened) previousOpened(path);
  };
}

PowerOffLink::~PowerOffLink() {
  timer_.stop();
  delete countdownWindow_.data();
}

void PowerOffLink::toggle() {
  const bool on = countdown_.toggle();
  markMenu();
  player_.controller().ShowCommandOsd(
      texts::currentTexts().Messages[on ? kPowerOffOn : kPowerOffOff]);
}

void PowerOffLink::markMenu() {
  if (!window_) return;
  if (QAction* item = window_->menuAction(ui::MenuCommand::TurnOffAfterPlay))
    item->setChecked(countdown_.PowerOffAfterPlay());
}

void PowerOffLink::step() {
  countdown_.step();
  if (!countdown_.running()) timer_.stop();
}

void PowerOffLink::setInert(bool inert) {
  if (inert) {
    // Every usable window of the player, the open dialogs included, but not
    // menus and tips, nor the countdown's own window.
    for (QWidget* w : QApplication::topLevelWidgets()) {
      const Qt::WindowType type = w->windowType();
      if (w == countdownWindow_ || !w->isEnabled() || type == Qt::Popup || type == Qt::ToolTip)
        continue;
      w->setEnabled(false);
      disabled_.emplace_back(w);
    }
  } else {
    for (QPointer<QWidget>& w : disabled_)
      if (w) w->setEnabled(true);
    disabled_.clear();
  }
}

void PowerOffLink::showCountdown(int seconds) {
  if (!countdownWindow_) {
    // Without a parent: a disabled owner would disable it too.
    countdownWindow_ = new ui::TfrmShutDown(texts::currentTexts());
    connect(countdownWindow_, &ui::TfrmShutDown::cancelled, this, [this] {
      if (countdownWindow_) countdownWindow_->deleteLater();
      countdownWindow_ = nullptr;
      countdown_.cancel();
      timer_.stop();
    });
    countdownWindow_->setRemainingSeconds(seconds);
    const bool fullScreen = env_.videoFullScreen && env_.videoFullScreen();
    QWidget* centreOn = fullScreen ? env_.videoWindow.data() : window_.data();
    countdownWindow_->showCentred(centreOn, fullScreen);
    return;
  }
  countdownWindow_->setRemainingSeconds(seconds);
}

void PowerOffLink::hideCountdown() {
  timer_.stop();
  if (!countdownWindow_) return;
  ui::TfrmShutDown* w = countdownWindow_;
  countdownWindow_ = nullptr;
  w->closeQuietly();
  w->deleteLater();
}

}  // namespace app
