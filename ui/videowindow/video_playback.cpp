#include "ui/videowindow/video_playback.h"

#include <QCoreApplication>
#include <QThread>
#include <QTime>

namespace ui {

VideoPlayback::VideoPlayback(playback::Player& player, settings::Settings& settings,
                             const std::string& programName, QObject* parent)
    : QObject(parent),
      player_(player),
      window_(std::make_unique<TfrmVideoWindow>(player.engine(), settings, player.osd(),
                                                player.state().Picture, programName)),
      keepAwake_(platform::desktopInhibitBackend(programName)) {
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
