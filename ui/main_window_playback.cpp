#include "ui/main_window_playback.h"

#include "texts/interface_texts.h"
#include "ui/command_table.h"
#include "ui/key_press.h"

#include <algorithm>
#include <climits>

namespace ui {
namespace {

// Indices into InterfaceTexts::Messages.
constexpr int kDisplayTime = 63, kDisplayFrames = 64;

bool held(playback::ButtonLook look) {
  return look != playback::ButtonLook::Up;
}

int clampToInt(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, 0, INT_MAX));
}

}  // namespace

MainWindowPlayback::MainWindowPlayback(playback::PlaybackController& controller,
                                       playback::Engine& engine, playback::PlayerState& state,
                                       settings::Settings& settings)
    : controller_(controller), engine_(engine), state_(state), settings_(settings) {
  poll_.setInterval(20);
  connect(&poll_, &QTimer::timeout, this, &MainWindowPlayback::refresh);
}

void MainWindowPlayback::attach(TfrmMain* window) {
  window_ = window;
  shownRevision_ = ~uint64_t{0};
  refresh();
  poll_.start();
}

void MainWindowPlayback::refresh() {
  if (!window_) return;
  const playback::MainDisplay& d = controller_.display();
  // Volume and mute also change by keys; follow them without echoing back.
  if (window_->volumePosition() != settings_.AudioVolume)
    window_->setVolumePosition(settings_.AudioVolume);
  if (window_->muted() != settings_.Mute) window_->setMuted(settings_.Mute);
  if (d.revision == shownRevision_) {
    window_->setSeekPosition(clampToInt(d.SeekPositionMs));
    return;
  }
  shownRevision_ = d.revision;
  if (!d.MovieLabel.empty()) window_->setMovieName(d.MovieLabel);
  if (!d.SubtitleLabel.empty()) window_->setSubtitleName(d.SubtitleLabel);
  if (!d.RepeatLabel.empty()) window_->setRepeatText(d.RepeatLabel);
  if (!d.Title.empty() && d.Title != shownTitle_) {
    // The player's title (ProgramName, or the movie's name beside it) is the
    // main window's title.
    shownTitle_ = d.Title;
    window_->setWindowTitle(QString::fromStdString(d.Title));
    if (hooks_.titleChanged) hooks_.titleChanged(d.Title);
  }
  window_->setTimesText(d.MovieTimes);
  window_->setShowingFrames(settings_.ShowFrames);
  window_->setSeekEnabled(true);  // so the maximum and position below take
  window_->setSeekMaximum(clampToInt(d.SeekMaxMs));
  window_->setSeekPosition(clampToInt(d.SeekPositionMs));
  window_->setSeekEnabled(d.SeekEnabled);
  window_->setButtonEnabled(MainButton::Rewind, d.RewindEnabled);
  window_->setButtonEnabled(MainButton::Forward, d.ForwardEnabled);
  window_->setButtonEnabled(MainButton::Stop, d.StopEnabled);
  window_->setButtonEnabled(MainButton::Pause, d.StopEnabled);
  window_->setButtonHeldDown(MainButton::Play, held(d.Play));
  window_->setButtonHeldDown(MainButton::Pause, held(d.Pause));
}

void MainWindowPlayback::openMovieDialog() {
  if (auto& open = controller_.hooks().openMoviesDialog) act(open);
}
void MainWindowPlayback::openSubtitleDialog() {
  if (hooks_.openSubtitleDialog) act(hooks_.openSubtitleDialog);
}
void MainWindowPlayback::play() {
  act([this] { controller_.Play(); });
}
void MainWindowPlayback::pause() {
  act([this] { controller_.Pause(); });
}
void MainWindowPlayback::stop() {
  act([this] { controller_.Stop(); });
}
void MainWindowPlayback::rewind() {
  act([this] { controller_.Rewind(); });
}
void MainWindowPlayback::forward() {
  act([this] { controller_.Forward(); });
}
void MainWindowPlayback::previousMovie() {
  act([this] { controller_.Previous(); });
}
void MainWindowPlayback::nextMovie() {
  act([this] { controller_.Next(); });
}
void MainWindowPlayback::togglePlaylist() {
  if (hooks_.togglePlaylist) hooks_.togglePlaylist();
}
void MainWindowPlayback::configuration() {
  if (hooks_.configuration) hooks_.configuration();
}
void MainWindowPlayback::movieInfo() {
  if (hooks_.movieInfo) hooks_.movieInfo();
}
void MainWindowPlayback::volumeUp() {
  act([this] { controller_.VolumeUp(); });
}
void MainWindowPlayback::volumeDown() {
  act([this] { controller_.VolumeDown(); });
}
bool MainWindowPlayback::closePlayer() {
  return hooks_.closePlayer && hooks_.closePlayer();
}
bool MainWindowPlayback::minimize() {
  return hooks_.minimize && hooks_.minimize();
}

void MainWindowPlayback::setVolume(int level) {
  engine_.putVolume(std::clamp(level, 0, 10000));
}

void MainWindowPlayback::setMute(bool muted) {
  // The window already flipped the setting; the controller's toggle flips it
  // back to the requested state and shows the on-screen message.
  settings_.Mute = !muted;
  controller_.MuteToggle();
}

void MainWindowPlayback::seek(int position, bool dragging) {
  controller_.SeekToMs(position, dragging);
}

void MainWindowPlayback::settingsChanged(int delta) {
  if (controller_.movieOpen()) playback::addSettingsChange(state_, delta);
}

void MainWindowPlayback::switchTimesFrames() {
  act([this] { controller_.MovieTimesLabelClick(); });
}
void MainWindowPlayback::cycleRepeat() {
  act([this] { controller_.RepeatClick(); });
}

void MainWindowPlayback::menuCommand(MenuCommand command) {
  if (!commandBuilt(command)) return;  // shown disabled; nothing to run yet
  switch (command) {
    case MenuCommand::Play:
      play();
      return;
    case MenuCommand::Stop:
      stop();
      return;
    case MenuCommand::Pause:
      pause();
      return;
    case MenuCommand::Rewind:
      rewind();
      return;
    case MenuCommand::Forward:
      forward();
      return;
    case MenuCommand::FastRewind:
      act([this] { controller_.FastRewind(); });
      return;
    case MenuCommand::FastForward:
      act([this] { controller_.FastForward(); });
      return;
    case MenuCommand::VolumeUp:
      volumeUp();
      return;
    case MenuCommand::VolumeDown:
      volumeDown();
      return;
    case MenuCommand::OpenMovie:
      openMovieDialog();
      return;
    default:
      break;
  }
  if (hooks_.menuCommand) act([&] { hooks_.menuCommand(command); });
}

void MainWindowPlayback::contextMenuOpening() {
  if (hooks_.contextMenuOpening) hooks_.contextMenuOpening();
}

void MainWindowPlayback::keyPressed(int key, Qt::KeyboardModifiers modifiers) {
  keyPressedIn(playback::KeyWindow::Main, key, modifiers);
}

playback::KeyState MainWindowPlayback::keyState() const {
  playback::KeyState s;
  s.Busy = state_.Busy;
  s.OpeningBusy = state_.OpeningBusy;
  s.MovieOpen = controller_.movieOpen();
  const playback::MainDisplay& d = controller_.display();
  s.PlayDown = held(d.Play);
  s.PauseDown = held(d.Pause);
  s.StopEnabled = d.StopEnabled;
  s.FullScreen = videoFullScreen();
  if (hooks_.keyState) hooks_.keyState(s);
  return s;
}

void MainWindowPlayback::keyPressedIn(playback::KeyWindow window, int key,
                                      Qt::KeyboardModifiers modifiers) {
  // No row, or a row whose condition fails: the key does nothing (Alt+C is
  // never the C of pause, Ctrl+Shift+Left is nothing).
  const std::optional<playback::KeyAction> action =
      playback::routeKey(window, keyPressOf(key, modifiers), keyState());
  if (!action) return;
  // A command with a menu item runs as that item does, or not at all while it
  // is not built (its item shows disabled).
  if (const std::optional<MenuCommand> command = menuCommandOf(*action)) {
    menuCommand(*command);
    return;
  }
  if (controllerKey(*action)) {
    refresh();
    return;
  }
  if (hooks_.keyAction && hooks_.keyAction(*action)) {
    refresh();
    return;
  }
  if (hooks_.keyPressed) act([&] { hooks_.keyPressed(key, modifiers); });
}

bool MainWindowPlayback::controllerKey(const playback::KeyAction& action) {
  using K = playback::KeyCommand;
  switch (action.command) {
    case K::GoToStart:
      controller_.GoToStart();
      return true;
    case K::GoToEnd:
      controller_.GoToEnd();
      return true;
    case K::NextMovie:
      controller_.Next();
      return true;
    case K::PreviousMovie:
      controller_.Previous();
      return true;
    case K::Mute:
      controller_.MuteToggle();
      return true;
    case K::CloseMovie:
      controller_.CloseMovieCommand();
      return true;
    case K::RepeatCycle:
      // The key confirms the new mode with the repeat label's text.
      controller_.RepeatClick();
      controller_.ShowOsd(controller_.display().RepeatLabel);
      return true;
    case K::TimesFrames:
      controller_.MovieTimesLabelClick();
      controller_.ShowOsd(
          texts::currentTexts().Messages[settings_.ShowFrames ? kDisplayFrames : kDisplayTime]);
      return true;
    case K::QuickInfo:
      controller_.QuickTimeInfo();
      return true;
    default:
      return false;
  }
}

bool MainWindowPlayback::wheel(int steps) {
  const bool taken = hooks_.wheel && hooks_.wheel(steps);
  refresh();
  return taken;
}

void MainWindowPlayback::filesDropped(const std::vector<std::string>& paths) {
  act([&] { controller_.OpenFileList(paths, 0); });
}

bool MainWindowPlayback::videoFullScreen() const {
  return hooks_.videoFullScreen && hooks_.videoFullScreen();
}

void MainWindowPlayback::mainWindowMoved() {
  if (hooks_.mainWindowMoved) hooks_.mainWindowMoved();
}

}  // namespace ui
