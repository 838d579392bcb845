#include "app/main_window_link.h"

#include <QFileDialog>
#include <QGuiApplication>

#include <algorithm>
#include <climits>

#include "app/texts/composed_texts.h"
#include "subtitles/subtitle_search.h"

namespace app {

namespace {

ui::TransportState transportOf(const playback::MainDisplay& d, bool movieOpen) {
  using playback::ButtonLook;
  if (!movieOpen && !d.StopEnabled) return ui::TransportState::NoMovie;
  if (d.Play == ButtonLook::Busy || d.Pause == ButtonLook::Busy) return ui::TransportState::Opening;
  if (d.Pause == ButtonLook::Down) return ui::TransportState::Paused;
  if (d.Play == ButtonLook::Down) return ui::TransportState::Playing;
  return movieOpen ? ui::TransportState::Paused : ui::TransportState::NoMovie;
}

int clampToInt(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, 0, INT_MAX));
}

QString qt(const std::string& s) {
  return QString::fromStdString(s);
}

}  // namespace

MainWindowLink::MainWindowLink(playback::Player& player, settings::Settings& settings)
    : player_(player), settings_(settings) {
  // The display changes at most once per 20 ms update; checking its revision
  // is a single comparison when nothing changed.
  refreshTimer_.setInterval(20);
  connect(&refreshTimer_, &QTimer::timeout, this, &MainWindowLink::refresh);
}

void MainWindowLink::attach(ui::TfrmMain* window) {
  window_ = window;
  shownRevision_ = ~uint64_t(0);
  refresh();
  refreshTimer_.start();
}

void MainWindowLink::refresh() {
  if (!window_) return;
  const playback::MainDisplay& d = player_.controller().display();
  if (d.revision == shownRevision_) return;
  shownRevision_ = d.revision;
  window_->showTransport(transportOf(d, controller().movieOpen()));
  window_->setButtonEnabled(ui::MainButton::Rewind, d.RewindEnabled);
  window_->setButtonEnabled(ui::MainButton::Forward, d.ForwardEnabled);
  window_->setButtonEnabled(ui::MainButton::Stop, d.StopEnabled);
  window_->setSeekEnabled(d.SeekEnabled);
  window_->setSeekMaximum(clampToInt(d.SeekMaxMs));
  window_->setSeekPosition(clampToInt(d.SeekPositionMs));
  window_->setTimesText(d.MovieTimes);
  window_->setShowingFrames(settings_.ShowFrames);
  if (!d.MovieLabel.empty()) window_->setMovieName(d.MovieLabel);
  if (!d.SubtitleLabel.empty()) window_->setSubtitleName(d.SubtitleLabel);
  if (!d.RepeatLabel.empty()) window_->setRepeatText(d.RepeatLabel);
  window_->setVolumePosition(settings_.AudioVolume);
  window_->setMuted(settings_.Mute);
  if (!d.Title.empty()) QGuiApplication::setApplicationDisplayName(qt(d.Title));
}

void MainWindowLink::openMovieDialog() {
  const texts::InterfaceTexts& t = texts::currentTexts();
  QStringList files = QFileDialog::getOpenFileNames(
      window_, qt(t.Hints[4]), QString(),
      qt(texts::toQtFilter(texts::movieOpenFilter(t, settings_.ExtensionList))));
  std::vector<std::string> chosen;
  for (const QString& f : files) chosen.push_back(f.toStdString());
  if (!chosen.empty()) controller().OpenChosenFiles(chosen);
}

void MainWindowLink::openSubtitleDialog() {
  if (!subtitles::canOpenSubtitle(player_.state().OpeningBusy, controller().movieOpen())) return;
  const texts::InterfaceTexts& t = texts::currentTexts();
  QString file = QFileDialog::getOpenFileName(window_, qt(t.Hints[10]), QString(),
                                              qt(texts::toQtFilter(texts::subtitleOpenFilter(t))));
  if (file.isEmpty()) return;
  auto result = subtitles::attachSubtitle(player_.subtitles(), file.toStdString(), false, settings_,
                                          t, player_.state().MovieFrameRate);
  if (!result.message.empty() && player_.controller().hooks().showMessage)
    player_.controller().hooks().showMessage(result.message);
  if (result.ok) controller().subtitleAttached(result.label);
}

void MainWindowLink::play() {
  controller().Play();
}
void MainWindowLink::pause() {
  controller().Pause();
}
void MainWindowLink::stop() {
  controller().Stop();
}
void MainWindowLink::rewind() {
  controller().Rewind();
}
void MainWindowLink::forward() {
  controller().Forward();
}
void MainWindowLink::previousMovie() {
  controller().Previous();
}
void MainWindowLink::nextMovie() {
  controller().Next();
}
void MainWindowLink::volumeUp() {
  controller().VolumeUp();
}
void MainWindowLink::volumeDown() {
  controller().VolumeDown();
}

bool MainWindowLink::closePlayer() {
  if (close_) close_();
  return true;
}

void MainWindowLink::setVolume(int level) {
  // The volume control moves in 20 steps of 500.
  settings_.AudioVolume = std::clamp((level + 250) / 500, 0, 20);
  player_.engine().putVolume(settings_.Mute ? 0 : settings_.AudioVolume * 500);
}

void MainWindowLink::setMute(bool muted) {
  if (muted != settings_.Mute) controller().MuteToggle();
}

void MainWindowLink::seek(int position, bool dragging) {
  controller().SeekToMs(position, dragging);
}

void MainWindowLink::settingsChanged(int delta) {
  if (controller().movieOpen()) playback::addSettingsChange(player_.state(), delta);
}

void MainWindowLink::switchTimesFrames() {
  controller().MovieTimesLabelClick();
}
void MainWindowLink::cycleRepeat() {
  controller().RepeatClick();
}

void MainWindowLink::menuCommand(ui::MenuCommand command) {
  using C = ui::MenuCommand;
  switch (command) {
    case C::OpenMovie:
      openMovieDialog();
      break;
    case C::LoadSubtitle:
      openSubtitleDialog();
      break;
    case C::Play:
      play();
      break;
    case C::Stop:
      stop();
      break;
    case C::Pause:
      pause();
      break;
    case C::Rewind:
      rewind();
      break;
    case C::Forward:
      forward();
      break;
    case C::FastRewind:
      controller().FastRewind();
      break;
    case C::FastForward:
      controller().FastForward();
      break;
    case C::VolumeUp:
      volumeUp();
      break;
    case C::VolumeDown:
      volumeDown();
      break;
    case C::Exit:
      closePlayer();
      break;
    default:
      break;  // commands of windows and dialogs that are not built yet
  }
}

void MainWindowLink::keyPressed(int key, Qt::KeyboardModifiers modifiers) {
  const bool ctrl = modifiers & Qt::ControlModifier;
  switch (key) {
    case Qt::Key_Space:
      controller().playing() ? pause() : play();
      break;
    case Qt::Key_X:
      play();
      break;
    case Qt::Key_C:
      if (!ctrl) pause();
      break;
    case Qt::Key_V:
      stop();
      break;
    case Qt::Key_Z:
      previousMovie();
      break;
    case Qt::Key_B:
      nextMovie();
      break;
    case Qt::Key_R:
      cycleRepeat();
      break;
    case Qt::Key_Left:
      ctrl ? controller().FastRewind() : rewind();
      break;
    case Qt::Key_Right:
      ctrl ? controller().FastForward() : forward();
      break;
    case Qt::Key_Up:
      volumeUp();
      break;
    case Qt::Key_Down:
      volumeDown();
      break;
    case Qt::Key_Home:
      controller().GoToStart();
      break;
    case Qt::Key_End:
      controller().GoToEnd();
      break;
    case Qt::Key_Slash:
      switchTimesFrames();
      break;
    case Qt::Key_O:
      if (ctrl) openMovieDialog();
      break;
    case Qt::Key_L:
      if (ctrl) openSubtitleDialog();
      break;
    default:
      break;
  }
}

void MainWindowLink::filesDropped(const std::vector<std::string>& paths) {
  controller().OpenFileList(paths, 0);
}

bool MainWindowLink::videoFullScreen() const {
  return video_ && video_->isFullScreen();
}

}  // namespace app
