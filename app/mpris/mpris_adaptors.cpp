#include "app/mpris/mpris_adaptors.h"

#include "app/mpris/mpris_service.h"

namespace mpris {

RootAdaptor::RootAdaptor(MprisService& service, QObject* object)
    : QDBusAbstractAdaptor(object), service_(service) {}

QString RootAdaptor::desktopEntry() const {
  return service_.desktopEntry();
}

void RootAdaptor::Quit() {
  service_.command(Command::Quit);
}

void RootAdaptor::Raise() {
  service_.command(Command::Raise);
}

PlayerAdaptor::PlayerAdaptor(MprisService& service, QObject* object)
    : QDBusAbstractAdaptor(object), service_(service) {}

QString PlayerAdaptor::playbackStatus() const {
  return QString::fromStdString(mpris::playbackStatus(service_.facts()));
}

QVariantMap PlayerAdaptor::metadata() const {
  return MprisService::metadataMap(metadataOf(service_.facts()));
}

double PlayerAdaptor::volume() const {
  return volumeOf(service_.facts().volumePosition);
}

void PlayerAdaptor::setVolume(double volume) {
  service_.setVolume(volume);
}

qlonglong PlayerAdaptor::position() const {
  const PlayerFacts f = service_.facts();
  return f.movieOpen ? msToMicroseconds(f.positionMs) : 0;
}

bool PlayerAdaptor::canGoNext() const {
  return capabilities(service_.facts()).canGoNext;
}
bool PlayerAdaptor::canGoPrevious() const {
  return capabilities(service_.facts()).canGoPrevious;
}
bool PlayerAdaptor::canPlay() const {
  return capabilities(service_.facts()).canPlay;
}
bool PlayerAdaptor::canPause() const {
  return capabilities(service_.facts()).canPause;
}
bool PlayerAdaptor::canSeek() const {
  return capabilities(service_.facts()).canSeek;
}

void PlayerAdaptor::Play() {
  service_.command(Command::Play);
}
void PlayerAdaptor::Pause() {
  service_.command(Command::Pause);
}
void PlayerAdaptor::PlayPause() {
  service_.command(Command::PlayPause);
}
void PlayerAdaptor::Stop() {
  service_.command(Command::Stop);
}
void PlayerAdaptor::Next() {
  service_.command(Command::Next);
}
void PlayerAdaptor::Previous() {
  service_.command(Command::Previous);
}
void PlayerAdaptor::Seek(qlonglong offset) {
  service_.seek(offset);
}
void PlayerAdaptor::SetPosition(const QDBusObjectPath& trackId, qlonglong position) {
  service_.setPosition(trackId.path(), position);
}
void PlayerAdaptor::OpenUri(const QString&) {
  // No URI schemes are offered (SupportedUriSchemes is empty): nothing opens.
}

}  // namespace mpris
