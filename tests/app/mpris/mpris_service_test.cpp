// The MPRIS service over fake player hooks on a private session bus: its
// name (and the instance name of a second player), commands admitted or held
// back by the busy flags, Quit finished once they clear, seeks with their
// Seeked signal, and PropertiesChanged carrying exactly what changed.
// Skipped when dbus-daemon is missing.
#include "app/mpris/mpris_service.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

namespace mpris {
namespace {

// Receives the player's signals on the client connection.
class SignalLog : public QObject {
  Q_OBJECT
 public:
  QList<QVariantMap> changed;
  QList<qlonglong> seeked;
 public slots:
  void propertiesChanged(const QString& interface, const QVariantMap& values, const QStringList&) {
    if (interface == "org.mpris.MediaPlayer2.Player") changed.append(values);
  }
  void seekedTo(qlonglong position) { seeked.append(position); }
};

class MprisServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable("dbus-daemon").isEmpty())
      GTEST_SKIP() << "dbus-daemon is not installed";
    daemon_.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
    ASSERT_TRUE(daemon_.waitForStarted());
    ASSERT_TRUE(daemon_.waitForReadyRead(5000));
    address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    facts_.movieOpen = facts_.playing = true;
    facts_.durationMs = 60000;
    facts_.positionMs = 10000;
    facts_.volumePosition = 10;
    facts_.moviePath = "/m/a.mp4";
    facts_.openSerial = 1;
    facts_.playlistCount = 2;
    facts_.currentIndex = 0;
    MprisHooks h;
    h.facts = [this] { return facts_; };
    h.run = [this](Command c) { ran_.push_back(c); };
    h.seekTo = [this](int64_t ms) { seekedTo_.push_back(ms); };
    h.setVolumePosition = [this](int p) { facts_.volumePosition = p; };
    h.quit = [this] { ++quits_; };
    service_ = std::make_unique<MprisService>(std::move(h), "tarvelino");
    ASSERT_TRUE(service_->start(QDBusConnection::connectToBus(address_, "service"), 20));
  }
  void TearDown() override {
    service_.reset();
    QDBusConnection::disconnectFromBus("service");
    QDBusConnection::disconnectFromBus("client");
    if (daemon_.state() != QProcess::NotRunning) {
      daemon_.kill();
      daemon_.waitForFinished();
    }
  }
  QDBusConnection client() { return QDBusConnection::connectToBus(address_, "client"); }
  // Calls a Player method and waits for its answer (the service answers from
  // this thread's event loop).
  void call(const QString& method, const QVariantList& args = {}) {
    QDBusMessage m =
        QDBusMessage::createMethodCall(service_->serviceName(), "/org/mpris/MediaPlayer2",
                                       "org.mpris.MediaPlayer2.Player", method);
    m.setArguments(args);
    QDBusPendingCall pending = client().asyncCall(m);
    ASSERT_TRUE(QTest::qWaitFor([&] { return pending.isFinished(); }, 5000))
        << method.toStdString();
    ASSERT_FALSE(pending.isError()) << pending.error().message().toStdString();
  }

  QProcess daemon_;
  QString address_;
  PlayerFacts facts_;
  std::vector<Command> ran_;
  std::vector<int64_t> seekedTo_;
  int quits_ = 0;
  std::unique_ptr<MprisService> service_;
};

TEST_F(MprisServiceTest, NoBusNoServiceAndASecondPlayerTakesAnInstanceName) {
  MprisService none({}, "tarvelino");
  EXPECT_FALSE(none.start(QDBusConnection("no such connection")));
  EXPECT_EQ(service_->serviceName(), "org.mpris.MediaPlayer2.tarvelino");
  MprisService second({}, "tarvelino");
  ASSERT_TRUE(second.start(QDBusConnection::connectToBus(address_, "second")));
  EXPECT_EQ(second.serviceName(),
            "org.mpris.MediaPlayer2.tarvelino.instance" + QString::number(::getpid()));
  EXPECT_TRUE(client().interface()->isServiceRegistered(second.serviceName()));
}

TEST_F(MprisServiceTest, CommandsWaitForTheFlagsAndQuitFinishesOnceTheyClear) {
  call("PlayPause");
  call("Next");
  EXPECT_EQ(ran_, (std::vector<Command>{Command::Pause, Command::Next}));
  facts_.openingBusy = true;
  call("Play");
  call("Stop");
  call("Seek", {qlonglong(1000000)});
  EXPECT_EQ(ran_.size(), 2u);
  EXPECT_TRUE(seekedTo_.empty());
  // Quit while an open is under way is kept until the open ends.
  QDBusMessage quit = QDBusMessage::createMethodCall(
      service_->serviceName(), "/org/mpris/MediaPlayer2", "org.mpris.MediaPlayer2", "Quit");
  QDBusPendingCall pending = client().asyncCall(quit);
  ASSERT_TRUE(QTest::qWaitFor([&] { return pending.isFinished(); }, 5000));
  QTest::qWait(150);
  EXPECT_EQ(quits_, 0);
  facts_.openingBusy = false;
  EXPECT_TRUE(QTest::qWaitFor([&] { return quits_ == 1; }, 2000));
  QTest::qWait(250);
  EXPECT_EQ(quits_, 1);  // once
}

TEST_F(MprisServiceTest, SeeksMoveThePlayerAndAreSignalled) {
  SignalLog log;
  ASSERT_TRUE(client().connect(service_->serviceName(), "/org/mpris/MediaPlayer2",
                               "org.mpris.MediaPlayer2.Player", "Seeked", &log,
                               SLOT(seekedTo(qlonglong))));
  call("Seek", {qlonglong(-2500000)});
  call("SetPosition",
       {QVariant::fromValue(QDBusObjectPath("/org/tarvelino/track/1")), qlonglong(30000000)});
  call("SetPosition",
       {QVariant::fromValue(QDBusObjectPath("/org/tarvelino/track/0")), qlonglong(20000000)});
  call("Seek", {qlonglong(55000000)});  // past the end: the next movie
  EXPECT_EQ(seekedTo_, (std::vector<int64_t>{7500, 30000}));
  EXPECT_EQ(ran_, std::vector<Command>{Command::Next});
  EXPECT_TRUE(QTest::qWaitFor([&] { return log.seeked.size() == 2; }, 2000));
  EXPECT_EQ(log.seeked, (QList<qlonglong>{7500000, 30000000}));
}

TEST_F(MprisServiceTest, PropertiesChangedCarriesWhatChanged) {
  SignalLog log;
  ASSERT_TRUE(client().connect(service_->serviceName(), "/org/mpris/MediaPlayer2",
                               "org.freedesktop.DBus.Properties", "PropertiesChanged", &log,
                               SLOT(propertiesChanged(QString, QVariantMap, QStringList))));
  facts_.playing = false;
  facts_.paused = true;
  ASSERT_TRUE(QTest::qWaitFor([&] { return !log.changed.isEmpty(); }, 2000));
  EXPECT_EQ(log.changed.front(), (QVariantMap{{"PlaybackStatus", "Paused"}}));
  log.changed.clear();

  // A volume written from the bus moves the player and is announced.
  QDBusMessage set = QDBusMessage::createMethodCall(
      service_->serviceName(), "/org/mpris/MediaPlayer2", "org.freedesktop.DBus.Properties", "Set");
  set << QString("org.mpris.MediaPlayer2.Player") << QString("Volume")
      << QVariant::fromValue(QDBusVariant(0.25));
  QDBusPendingCall pending = client().asyncCall(set);
  ASSERT_TRUE(QTest::qWaitFor([&] { return pending.isFinished(); }, 5000));
  EXPECT_EQ(facts_.volumePosition, 5);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !log.changed.isEmpty(); }, 2000));
  EXPECT_EQ(log.changed.front(), (QVariantMap{{"Volume", 0.25}}));
  log.changed.clear();

  // A new movie: new metadata; closing it also takes the movie's abilities.
  facts_.openSerial = 2;
  facts_.moviePath = "/m/b c.mkv";
  ASSERT_TRUE(QTest::qWaitFor([&] { return !log.changed.isEmpty(); }, 2000));
  ASSERT_EQ(log.changed.front().keys(), QStringList{"Metadata"});
  const QDBusArgument arg = log.changed.front()["Metadata"].value<QDBusArgument>();
  QVariantMap metadata;
  arg >> metadata;
  EXPECT_EQ(metadata["xesam:title"].toString(), "b c");
  EXPECT_EQ(metadata["xesam:url"].toString(), "file:///m/b%20c.mkv");
  EXPECT_EQ(metadata["mpris:length"].toLongLong(), 60000000);
  EXPECT_EQ(metadata["mpris:trackid"].value<QDBusObjectPath>().path(), "/org/tarvelino/track/2");
  log.changed.clear();
  facts_.movieOpen = facts_.paused = false;
  ASSERT_TRUE(QTest::qWaitFor([&] { return !log.changed.isEmpty(); }, 2000));
  QStringList keys = log.changed.front().keys();
  keys.sort();
  EXPECT_EQ(keys, (QStringList{"CanPause", "CanPlay", "CanSeek", "Metadata", "PlaybackStatus"}));
  EXPECT_EQ(log.changed.front()["PlaybackStatus"].toString(), "Stopped");
}

}  // namespace
}  // namespace mpris

#include "mpris_service_test.moc"
