#include "ui/videowindow/video_playback.h"

#include <QCoreApplication>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QTime>

namespace ui {

static void paintPlainSubtitle(QPainter& p, const QRect& area,
                               const std::vector<std::string>& lines,
                               const settings::Settings& settings);

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
  h.automaticPanScan = [this](const video::PictureState& picture) {
    const QScreen* screen = window_->screen();
    if (!screen || picture.VideoHeight <= 0) return 0;
    const QRect monitor = screen->geometry();
    return video::AutomaticPanScanAmount(monitor.width(), monitor.height(), picture.PictureRatio);
  };
  h.showSubtitle = [this](int entry) {
    const auto& entries = player_.subtitles().entries();
    subtitleLines_ = entry >= 0 && entry < int(entries.size()) ? entries[entry].Lines
                                                               : std::vector<std::string>{};
  };
  h.clearSubtitle = [this] { subtitleLines_.clear(); };
  window_->setSubtitlePainter([this, &settings](QPainter& p, const QRect& area, const QRect&) {
    paintPlainSubtitle(p, area, subtitleLines_, settings);
  });
}

// White lines with a black outline in the subtitle font, their block's bottom
// AverageVerticalDisplayZone percent above the window's bottom.
static void paintPlainSubtitle(QPainter& p, const QRect& area,
                               const std::vector<std::string>& lines,
                               const settings::Settings& settings) {
  if (lines.empty() || area.height() <= 0) return;
  QFont font(QString::fromStdString(settings.SubtitleFontName));
  font.setBold(settings.SubtitleFontStyle == 1 || settings.SubtitleFontStyle == 2);
  font.setItalic(settings.SubtitleFontStyle == 2 || settings.SubtitleFontStyle == 3);
  font.setPixelSize(std::max(8, area.height() * settings.SubtitleSize / 1500));
  p.setFont(font);
  const QFontMetrics m(font);
  const int lineHeight = m.height();
  int y = area.bottom() - area.height() * settings.AverageVerticalDisplayZone / 100 -
          lineHeight * int(lines.size());
  const QColor color(settings.SubtitleFontColor & 0xFF, (settings.SubtitleFontColor >> 8) & 0xFF,
                     (settings.SubtitleFontColor >> 16) & 0xFF);
  for (const std::string& line : lines) {
    const QString text = QString::fromStdString(line);
    const QRect box(area.left(), y, area.width(), lineHeight);
    p.setPen(Qt::black);
    for (const QPoint& o : {QPoint(-2, 0), QPoint(2, 0), QPoint(0, -2), QPoint(0, 2)})
      p.drawText(box.translated(o), Qt::AlignHCenter | Qt::AlignTop, text);
    p.setPen(color);
    p.drawText(box, Qt::AlignHCenter | Qt::AlignTop, text);
    y += lineHeight;
  }
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
