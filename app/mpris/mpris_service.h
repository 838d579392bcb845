#pragma once
// The player on the session bus as an MPRIS 2 media player: the root
// interface org.mpris.MediaPlayer2 and org.mpris.MediaPlayer2.Player at
// /org/mpris/MediaPlayer2, under the name org.mpris.MediaPlayer2.tarvelino
// (with ".instance" + process id when another player already holds it).
// Answers and admissions come from mpris_mapping; the player is reached only
// through the hooks. Changes of status, metadata, volume and capabilities
// are announced with PropertiesChanged. Without a session bus nothing
// happens. Interface thread only.
#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariantMap>

#include <functional>
#include <optional>

#include "app/mpris/mpris_mapping.h"

namespace mpris {

struct MprisHooks {
  std::function<PlayerFacts()> facts;
  // Play, Pause, Stop, Next, Previous (PlayPause arrives resolved).
  std::function<void(Command)> run;
  std::function<void(int64_t ms)> seekTo;
  std::function<void(int volumePosition)> setVolumePosition;
  std::function<void()> raise;
  std::function<void()> quit;
};

class MprisService : public QObject {
  Q_OBJECT
 public:
  // desktopEntry: the desktop file's name without ".desktop".
  MprisService(MprisHooks hooks, QString desktopEntry, QObject* parent = nullptr);
  ~MprisService() override;

  // Registers on the bus; false (and nothing registered) when there is no
  // bus or no name could be had. How often changes are looked for: pollMs.
  bool start(QDBusConnection bus, int pollMs = 200);
  QString serviceName() const { return serviceName_; }

  // For the adaptors.
  PlayerFacts facts() const { return hooks_.facts ? hooks_.facts() : PlayerFacts{}; }
  void command(Command c);
  void seek(qlonglong offsetUs);
  void setPosition(const QString& trackId, qlonglong positionUs);
  void setVolume(double volume);
  QString desktopEntry() const { return desktopEntry_; }
  static QVariantMap metadataMap(const Metadata& m);

  // The player moved the position itself (a key, a menu command, the jump
  // dialog): sends Seeked with the new position.
  void positionMoved(int64_t positionMs);

  // Compares what the Player interface shows with what was last announced
  // and sends PropertiesChanged for the differences (run by the poll timer).
  void announceChanges();

 signals:
  // Sent by the Player adaptor as its Seeked signal.
  void seeked(qlonglong positionUs);

 private:
  struct Shown {
    std::string status;
    Metadata metadata;
    int volumePosition = -1;
    Capabilities can;
  };
  Shown shownNow() const;
  void runSeek(const SeekPlan& plan);
  void runDeferredQuit();

  MprisHooks hooks_;
  QString desktopEntry_;
  QString serviceName_;
  std::optional<QDBusConnection> bus_;
  std::optional<Shown> announced_;
  QTimer poll_;
  QTimer deferredQuit_;
};

}  // namespace mpris
