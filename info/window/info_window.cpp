#include "info/window/info_window.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <mutex>
#include <thread>

#include "playback/discoverer/media_probe.h"
#include "ui/colors.h"
#include "ui/skin_loader.h"
#include "ui/virtual_button.h"

namespace info {

namespace {

constexpr int kTitleColor = 0x999999;
constexpr int kCaptionColor = 0xC0C0C0;
constexpr int kValueColor = 0x166116 + 0x009900;  // 0x00BBGGRR: a light green
constexpr int kFirstRowTop = 32;
constexpr int kRowHeight = 19;
constexpr int kCaptionLeft = 14;
constexpr int kValueRight = 425;

QFont rowFont() {
  QFont font("Arial");
  font.setPixelSize(12);
  return font;
}

QFont titleFont() {
  QFont font("Verdana");
  font.setPixelSize(12);  // 9 points at 96 pixels per inch
  return font;
}

bool& openFlag() {
  static bool open = false;
  return open;
}

std::array<std::string, 13> valueList(const MovieInfoValues& v) {
  return {v.VideoCompression, v.VideoStreams,    v.Time,         v.Frames,       v.Resolution,
          v.FramesPerSecond,  v.VideoBitrate,    v.BitDepth,     v.AudioStreams, v.AudioCompression,
          v.AudioBitrate,     v.AudioSampleRate, v.AudioChannels};
}

}  // namespace

TfrmInfo::TfrmInfo(const MovieInfoValues& v, const texts::InterfaceTexts& texts, QWidget* parent)
    : SkinWindow(parent, Qt::Dialog) {
  setClosedByEnterOrEscape(true);
  setWindowTitle(QString::fromStdString(texts.Titles[4]));
  QImage face = ui::loadSkinImage("Info");
  const QFontMetrics fm(rowFont());
  const std::array<std::string, 13> list = valueList(v);
  int widestCaption = 0, widestValue = 0;
  for (int i = 0; i < 13; ++i) {
    values_[i] = QString::fromStdString(list[i]);
    widestCaption =
        std::max(widestCaption, fm.horizontalAdvance(QString::fromStdString(texts.Labels[15 + i])));
    widestValue = std::max(widestValue, fm.horizontalAdvance(values_[i]));
  }
  valueWidth_ = std::min(std::clamp(widestValue, 153, 201), 330 - widestCaption);
  valueLeft_ = kValueRight - valueWidth_;
  {
    QPainter p(&face);
    p.setFont(titleFont());
    p.setPen(ui::colorFromBgr(kTitleColor));
    p.drawText(QRect(5, 5, face.width() - 30, 16), Qt::AlignLeft | Qt::AlignTop,
               QString::fromStdString(texts.Titles[4]));
    p.setFont(rowFont());
    for (int i = 0; i < 13; ++i) {
      const int top = kFirstRowTop + i * kRowHeight;
      p.setPen(ui::colorFromBgr(kCaptionColor));
      p.drawText(QRect(kCaptionLeft, top, valueLeft_ - kCaptionLeft - 4, kRowHeight),
                 Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(texts.Labels[15 + i]));
      const QString shown = fm.elidedText(values_[i], Qt::ElideRight, valueWidth_);
      elided_[i] = shown != values_[i];
      p.setPen(ui::colorFromBgr(kValueColor));
      p.drawText(valueRect(i), Qt::AlignLeft | Qt::AlignVCenter, shown);
    }
  }
  setFace(face);
  const int w = face.width();
  close_ = std::make_unique<ui::TVirtualButton>(
      *this, QRect(QPoint(w - 14, 7), QPoint(w - 5, 16)), true, "MainbtnClose",
      QString::fromStdString(texts.Hints[0]), ui::ButtonLook::ImageNoDisabled);
  addSkinWidget(close_.get());
  close_->paint();
}

TfrmInfo::~TfrmInfo() = default;

QRect TfrmInfo::valueRect(int row) const {
  return QRect(valueLeft_, kFirstRowTop + row * kRowHeight, valueWidth_, kRowHeight);
}

QRect TfrmInfo::closeRect() const {
  return close_->rect();
}

void TfrmInfo::showModalOver(QWidget* anchor) {
  QScreen* screen = anchor ? anchor->screen() : QGuiApplication::primaryScreen();
  QRect r(QPoint(), size());
  r.moveCenter(anchor && anchor->isVisible() ? anchor->frameGeometry().center()
                                             : (screen ? screen->geometry().center() : QPoint()));
  if (screen) {
    const QRect area = screen->availableGeometry();
    r.moveLeft(std::clamp(r.left(), area.left(), std::max(area.left(), area.right() - r.width())));
    r.moveTop(std::clamp(r.top(), area.top(), std::max(area.top(), area.bottom() - r.height())));
  }
  move(r.topLeft());
  setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  connect(this, &TfrmInfo::closed, &loop, &QEventLoop::quit);
  show();
  raise();
  activateWindow();
  loop.exec(QEventLoop::DialogExec);
}

void TfrmInfo::widgetClicked(ui::SkinWidget* widget) {
  if (widget == close_.get()) close();
}

void TfrmInfo::mouseMoveEvent(QMouseEvent* event) {
  SkinWindow::mouseMoveEvent(event);
  // A value cut to the column shows its full text as the hint.
  const QPoint p = event->position().toPoint();
  for (int i = 0; i < 13; ++i)
    if (elided_[i] && valueRect(i).contains(p)) setHintText(values_[i]);
}

void TfrmInfo::closeEvent(QCloseEvent* event) {
  SkinWindow::closeEvent(event);
  emit closed();
}

std::optional<MediaInfo> probeWithTimeLimit(const std::string& path, int timeLimitMs) {
  struct Shared {
    std::mutex lock;
    std::optional<MediaInfo> result;
    std::atomic<bool> done{false};
  };
  auto shared = std::make_shared<Shared>();
  // The worker owns its share: when the time is up it is left to finish (or
  // hang on a dead mount) on its own.
  std::thread([shared, path, timeLimitMs] {
    std::optional<MediaInfo> r = discoverer::probeFile(path, std::max(1000, timeLimitMs - 500));
    std::lock_guard<std::mutex> g(shared->lock);
    shared->result = std::move(r);
    shared->done = true;
  }).detach();
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (shared->done) loop.quit();
  });
  QTimer::singleShot(timeLimitMs, &loop, &QEventLoop::quit);
  poll.start(10);
  if (!shared->done) loop.exec(QEventLoop::ExcludeUserInputEvents);
  std::lock_guard<std::mutex> g(shared->lock);
  return shared->done ? shared->result : std::nullopt;
}

bool movieInfoOpen() {
  return openFlag();
}

bool ShowMovieInfo(const MovieInfoRequest& q, const texts::InterfaceTexts& texts) {
  std::error_code ec;
  if (q.openingBusy || !q.movieOpen || q.path.empty() || openFlag() ||
      !std::filesystem::exists(q.path, ec))
    return false;
  openFlag() = true;
  std::optional<MediaInfo> media = probeWithTimeLimit(q.path);
  if (!media) {
    openFlag() = false;
    if (q.showMessage) q.showMessage(texts.Messages[0] + " \"" + q.path + "\"!");
    return false;
  }
  const char separator = QLocale().decimalPoint().at(0).toLatin1();
  QPointer<TfrmInfo> window =
      new TfrmInfo(movieInfoValues(*media, separator ? separator : '.'), texts, q.anchor);
  window->showModalOver(q.anchor);
  delete window.data();
  openFlag() = false;
  return true;
}

}  // namespace info
