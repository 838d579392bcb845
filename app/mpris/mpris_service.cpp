#include "app/mpris/mpris_service.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>

#include <unistd.h>

#include "app/mpris/mpris_adaptors.h"

namespace mpris {

namespace {

constexpr const char* kObjectPath = "/org/mpris/MediaPlayer2";
constexpr const char* kServiceName = "org.mpris.MediaPlayer2.tarvelino";
constexpr const char* kPlayerInterface = "org.mpris.MediaPlayer2.Player";
// While Quit waits for Busy and OpeningBusy to clear.
constexpr int kDeferredQuitMs = 100;

QString qt(const std::string& s) {
  return QString::fromStdString(s);
}

}  // namespace

MprisService::MprisService(MprisHooks hooks, QString desktopEntry, QObject* parent)
    : QObject(parent), hooks_(std::move(hooks)), desktopEntry_(std::move(desktopEntry)) {
  new RootAdaptor(*this, this);
  auto* player = new PlayerAdaptor(*this, this);
  connect(this, &MprisService::seeked, player, &PlayerAdaptor::Seeked);
  connect(&poll_, &QTimer::timeout, this, &MprisService::announceChanges);
  deferredQuit_.setInterval(kDeferredQuitMs);
  connect(&deferredQuit_, &QTimer::timeout, this, &MprisService::runDeferredQuit);
}

MprisService::~MprisService() {
  if (!bus_) return;
  bus_->unregisterObject(kObjectPath);
  bus_->unregisterService(serviceName_);
}

bool MprisService::start(QDBusConnection bus, int pollMs) {
  if (bus_ || !bus.isConnected()) return false;
  if (!bus.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors)) return false;
  // A second player (multiple instances allowed) takes an instance name, as
  // the media player interface asks.
  QString name = kServiceName;
  if (!bus.registerService(name)) {
    name += ".instance" + QString::number(::getpid());
    if (!bus.registerService(name)) {
      bus.unregisterObject(kObjectPath);
      return false;
    }
  }
  bus_ = bus;
  serviceName_ = name;
  announced_ = shownNow();
  poll_.start(pollMs);
  return true;
}

MprisService::Shown MprisService::shownNow() const {
  const PlayerFacts f = facts();
  return {playbackStatus(f), metadataOf(f), f.volumePosition, capabilities(f)};
}

QVariantMap MprisService::metadataMap(const Metadata& m) {
  QVariantMap map;
  map.insert("mpris:trackid", QVariant::fromValue(QDBusObjectPath(qt(m.trackId))));
  if (m.trackId == kNoTrack) return map;
  map.insert("mpris:length", qlonglong(m.lengthUs));
  map.insert("xesam:title", qt(m.title));
  map.insert("xesam:url", qt(m.url));
  return map;
}

void MprisService::announceChanges() {
  if (!bus_) return;
  const Shown now = shownNow();
  QVariantMap changed;
  const Shown was = announced_.value_or(Shown{});
  if (now.status != was.status) changed.insert("PlaybackStatus", qt(now.status));
  if (!(now.metadata == was.metadata)) changed.insert("Metadata", metadataMap(now.metadata));
  if (now.volumePosition != was.volumePosition)
    changed.insert("Volume", volumeOf(now.volumePosition));
  if (now.can.canPlay != was.can.canPlay) changed.insert("CanPlay", now.can.canPlay);
  if (now.can.canPause != was.can.canPause) changed.insert("CanPause", now.can.canPause);
  if (now.can.canSeek != was.can.canSeek) changed.insert("CanSeek", now.can.canSeek);
  if (now.can.canGoNext != was.can.canGoNext) changed.insert("CanGoNext", now.can.canGoNext);
  if (now.can.canGoPrevious != was.can.canGoPrevious)
    changed.insert("CanGoPrevious", now.can.canGoPrevious);
  announced_ = now;
  if (changed.isEmpty()) return;
  QDBusMessage signal = QDBusMessage::createSignal(kObjectPath, "org.freedesktop.DBus.Properties",
                                                   "PropertiesChanged");
  signal << QString(kPlayerInterface) << changed << QStringList();
  bus_->send(signal);
}

void MprisService::command(Command c) {
  const PlayerFacts f = facts();
  if (c == Command::PlayPause) c = resolvePlayPause(f);
  switch (admit(c, f)) {
    case Admission::Ignore:
      return;
    case Admission::Defer:
      if (c == Command::Quit) deferredQuit_.start();
      return;
    case Admission::Run:
      break;
  }
  if (c == Command::Quit) {
    if (hooks_.quit) hooks_.quit();
  } else if (c == Command::Raise) {
    if (hooks_.raise) hooks_.raise();
  } else if (hooks_.run) {
    hooks_.run(c);
  }
  announceChanges();
}

void MprisService::runDeferredQuit() {
  if (admit(Command::Quit, facts()) != Admission::Run) return;
  deferredQuit_.stop();
  if (hooks_.quit) hooks_.quit();
}

void MprisService::runSeek(const SeekPlan& plan) {
  if (plan.kind == SeekPlan::Kind::Next) {
    command(Command::Next);
  } else if (plan.kind == SeekPlan::Kind::SeekTo && hooks_.seekTo) {
    hooks_.seekTo(plan.targetMs);
    emit seeked(msToMicroseconds(plan.targetMs));
  }
}

void MprisService::positionMoved(int64_t positionMs) {
  if (bus_) emit seeked(msToMicroseconds(positionMs));
}

void MprisService::seek(qlonglong offsetUs) {
  const PlayerFacts f = facts();
  if (admit(Command::Seek, f) == Admission::Run) runSeek(planSeek(f, offsetUs));
}

void MprisService::setPosition(const QString& trackId, qlonglong positionUs) {
  const PlayerFacts f = facts();
  if (admit(Command::SetPosition, f) == Admission::Run)
    runSeek(planSetPosition(f, trackId.toStdString(), positionUs));
}

void MprisService::setVolume(double volume) {
  if (admit(Command::Volume, facts()) != Admission::Run) return;
  if (hooks_.setVolumePosition) hooks_.setVolumePosition(volumePositionOf(volume));
  announceChanges();
}

}  // namespace mpris
