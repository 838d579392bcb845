#include "ui/videowindow/video_playback.h"

#include <QCoreApplication>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QTime>

namespace ui {

VideoPlayback::VideoPlayback(playback::Player& player, settings::Settings& settings,
                             const std::string& programName, QObject* parent)
    : QObject(parent),
      player_(player),
      settings_(settings),
      window_(std::make_unique<TfrmVideoWindow>(player.engine(), settings, player.osd(),
                                                player.state().Picture, programName)),
      keepAwake_(platform::desktopInhibitBackend(programName)),
      subtitleLayer_(settings) {
  generalTimer_.setInterval(20);
  generalTimer_.setTimerType(Qt::PreciseTimer);
  connect(&generalTimer_, &QTimer::timeout, this,
          [this] { player_.controller().GeneralTimerTimer(); });
  resetTimer_.setInterval(10000);
  connect(&resetTimer_, &QTimer::timeout, this, [this] { player_.controller().ResetTimerTimer(); });

  // While a movie loads, the interface keeps painting (user input waits).
  player_.engine().setWaitPump(
      [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 15); });

  playback::PlaybackController& c = player_.controller();
  c.setSurface(window_.get());
  playback::PlaybackHooks& h = c.hooks();
  h.setResetTimer = [this](bool on) { on ? resetTimer_.start() : resetTimer_.stop(); };
  h.keepAwake = [this](bool on) { keepAwake_.setPlaying(on); };
  h.pokeScreenSaver = [this] { keepAwake_.poke(); };
  h.setCursorAutoHide = [this](bool on) { window_->setCursorAutoHide(on); };
  h.setFullScreen = [this](bool on) { window_->setFullScreen(on); };
  h.wait = [](int ms) { QThread::msleep(ms); };
  h.clockText = [] { return QTime::currentTime().toString("hh:mm").toStdString(); };
  h.automaticPanScan = [this](const video::PictureState& picture) {
    const QScreen* screen = window_->screen();
    if (!screen || picture.VideoHeight <= 0) return 0;
    const QRect monitor = screen->geometry();
    return video::AutomaticPanScanAmount(monitor.width(), monitor.height(), picture.PictureRatio);
  };
  h.showSubtitle = [this](int entry) { layOutEntry(entry); };
  h.clearSubtitle = [this] { subtitleLayer_.clear(); };
  window_->setSubtitlePainter([this](QPainter& p, const QRect& area, const QRect&) {
    const double dpi = window_->logicalDpiY() > 0 ? window_->logicalDpiY() : 96;
    subtitleLayer_.paint(p, area.size(), dpi);
  });
  connect(window_.get(), &TfrmVideoWindow::wheelTurned, this, &VideoPlayback::onWheel);
}

void VideoPlayback::layOutEntry(int entry) {
  shownEntry_ = entry;
  const auto& entries = player_.subtitles().entries();
  if (entry < 0 || entry >= int(entries.size())) {
    subtitleLayer_.clear();
    return;
  }
  // Lines are laid out for the screen's width; drawing scales them to the window.
  const QScreen* screen = window_->screen();
  const int screenWidth = screen ? screen->geometry().width() : window_->width();
  const double dpi = window_->logicalDpiY() > 0 ? window_->logicalDpiY() : 96;
  subtitleLayer_.layOut(entries[entry].Lines, screenWidth, dpi);
}

// In full screen the wheel sets the volume; in a window it resizes the
// window, unless a command or an opening is under way.
void VideoPlayback::onWheel(bool up) {
  playback::PlaybackController& c = player_.controller();
  if (window_->isFullScreen()) {
    up ? c.VolumeUp() : c.VolumeDown();
    return;
  }
  playback::PlayerState& state = player_.state();
  if (state.Busy || state.OpeningBusy) return;
  state.Busy = true;
  const bool resized = window_->wheelResize(up, state.Picture.PictureRatio);
  state.Busy = false;
  if (resized && !state.CurrentMovie.empty()) playback::addSettingsChange(state, 5000);
}

VideoPlayback::~VideoPlayback() {
  stop();
  player_.controller().setSurface(nullptr);
  player_.engine().setWaitPump(nullptr);
}

void VideoPlayback::start() {
  generalTimer_.start();
}

void VideoPlayback::stop() {
  generalTimer_.stop();
  resetTimer_.stop();
  keepAwake_.setPlaying(false);
}

}  // namespace ui
