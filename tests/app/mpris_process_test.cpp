// The whole player on a private session bus, driven by playerctl as a desktop
// would: status, play-pause, positions, metadata, volume, the announcements
// of changes, and Quit through the bus with its orderly shut-down. Skipped
// when playerctl or dbus-daemon is missing. A player without a bus still runs.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <fstream>
#include <functional>
#include <iterator>

#include "tests/app/h264_clip.h"

namespace app {
namespace {

bool waitFor(const std::function<bool()>& done, int ms) {
  for (int waited = 0; waited < ms; waited += 50) {
    if (done()) return true;
    QThread::msleep(50);
  }
  return done();
}

class MprisProcessTest : public testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable("playerctl").isEmpty() ||
        QStandardPaths::findExecutable("dbus-daemon").isEmpty())
      GTEST_SKIP() << "playerctl or dbus-daemon is not installed";
    ASSERT_TRUE(dir_.isValid());
    // A folder name that the file URL must encode.
    movies_ = dir_.path() + "/my movies";
    ASSERT_TRUE(QDir().mkpath(movies_));
    clip_ = makeH264Clip(movies_, "ball", 160, 120, 200, 440);  // 10 s
    ASSERT_FALSE(clip_.isEmpty());
    ASSERT_TRUE(QDir().mkpath(dir_.path() + "/config/Tarvelino"));
    std::ofstream((dir_.path() + "/config/Tarvelino/Tarvelino.ini").toStdString(), std::ios::binary)
        << "[Configuration]\r\nFirstRun=0\r\nAutoPlayOnLoad=1\r\nAudioVolume=10\r\n";

    bus_.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
    ASSERT_TRUE(bus_.waitForStarted());
    ASSERT_TRUE(waitFor([&] { return bus_.canReadLine() || bus_.waitForReadyRead(50); }, 5000));
    address_ = QString::fromUtf8(bus_.readLine()).trimmed();
    ASSERT_FALSE(address_.isEmpty());

    env_ = QProcessEnvironment::systemEnvironment();
    env_.insert("DBUS_SESSION_BUS_ADDRESS", address_);
    env_.insert("XDG_CONFIG_HOME", dir_.path() + "/config");
    env_.insert("XDG_DATA_HOME", dir_.path() + "/data");
    env_.insert("XDG_RUNTIME_DIR", dir_.path());
    env_.insert("TMPDIR", dir_.path());
    // Under xvfb-run the player opens real X11 windows; otherwise offscreen.
    if (env_.contains("DISPLAY"))
      env_.remove("QT_QPA_PLATFORM");
    else
      env_.insert("QT_QPA_PLATFORM", "offscreen");
  }
  void TearDown() override {
    if (player_.state() != QProcess::NotRunning) {
      player_.kill();
      player_.waitForFinished(5000);
    }
    if (bus_.state() != QProcess::NotRunning) {
      bus_.kill();
      bus_.waitForFinished(5000);
    }
  }

  void startPlayer(const QStringList& args) {
    player_.setProcessEnvironment(env_);
    player_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    player_.start(TARVELINO_EXE, args);
    ASSERT_TRUE(player_.waitForStarted());
  }
  // playerctl's answer, without the line end.
  QString playerctl(const QStringList& args) {
    QProcess p;
    p.setProcessEnvironment(env_);
    p.start("playerctl", QStringList{"-p", "tarvelino"} + args);
    if (!p.waitForFinished(10000)) {
      p.kill();
      p.waitForFinished();
      return "(no answer)";
    }
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
  }
  bool waitForAnswer(const QStringList& args, const QString& answer, int ms = 15000) {
    return waitFor([&] { return playerctl(args) == answer; }, ms);
  }
  double number(const QStringList& args) { return playerctl(args).toDouble(); }
  std::string configText() {
    std::ifstream in((dir_.path() + "/config/Tarvelino/Tarvelino.ini").toStdString(),
                     std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  QTemporaryDir dir_;
  QString movies_, clip_, address_;
  QProcess bus_, player_;
  QProcessEnvironment env_;
};

TEST_F(MprisProcessTest, PlayerctlDrivesThePlayingMovieAndQuitSavesTheSettings) {
  startPlayer({clip_});
  ASSERT_TRUE(waitForAnswer({"status"}, "Playing")) << playerctl({"status"}).toStdString();

  // The metadata names the movie, its file URL and its length.
  EXPECT_EQ(playerctl({"metadata", "xesam:title"}), "clip");
  EXPECT_EQ(playerctl({"metadata", "xesam:url"}),
            QUrl::fromLocalFile(clip_).toString(QUrl::FullyEncoded));
  EXPECT_TRUE(playerctl({"metadata", "xesam:url"}).contains("my%20movies"));
  const double lengthUs = playerctl({"metadata", "mpris:length"}).toDouble();
  EXPECT_NEAR(lengthUs, 10e6, 0.3e6);
  const QString track = playerctl({"metadata", "mpris:trackid"});
  EXPECT_TRUE(track.startsWith("'/org/tarvelino/track/") ||
              track.startsWith("/org/tarvelino/track/"))
      << track.toStdString();

  // Status changes are announced: a follower sees Paused and Playing again.
  QProcess follow;
  follow.setProcessEnvironment(env_);
  follow.start("playerctl", {"-p", "tarvelino", "--follow", "status"});
  ASSERT_TRUE(follow.waitForStarted());
  ASSERT_TRUE(waitFor([&] { return follow.waitForReadyRead(50); }, 5000));  // the first state
  playerctl({"play-pause"});
  EXPECT_TRUE(waitForAnswer({"status"}, "Paused", 5000));
  playerctl({"play-pause"});
  EXPECT_TRUE(waitForAnswer({"status"}, "Playing", 5000));
  QByteArray followed;
  waitFor(
      [&] {
        follow.waitForReadyRead(50);
        followed += follow.readAllStandardOutput();
        return followed.contains("Paused\nPlaying");
      },
      5000);
  follow.kill();
  follow.waitForFinished();
  EXPECT_TRUE(followed.contains("Playing\nPaused\nPlaying")) << followed.toStdString();

  // Positions: absolute (SetPosition with the track id), then relative (Seek).
  playerctl({"pause"});
  ASSERT_TRUE(waitForAnswer({"status"}, "Paused", 5000));
  playerctl({"position", "6"});
  EXPECT_TRUE(waitFor([&] { return std::abs(number({"position"}) - 6.0) < 0.3; }, 5000))
      << playerctl({"position"}).toStdString();
  playerctl({"position", "2-"});
  EXPECT_TRUE(waitFor([&] { return std::abs(number({"position"}) - 4.0) < 0.3; }, 5000))
      << playerctl({"position"}).toStdString();
  playerctl({"position", "60"});  // past the end: nothing moves
  QThread::msleep(300);
  EXPECT_NEAR(number({"position"}), 4.0, 0.3);

  // The volume on 0..1 moves the player's twenty volume steps.
  EXPECT_EQ(playerctl({"volume"}), "0.500000");
  playerctl({"volume", "0.25"});
  EXPECT_TRUE(waitForAnswer({"volume"}, "0.250000", 5000));

  // Quit through the bus: the orderly shut-down writes the configuration.
  QDBusConnection bus = QDBusConnection::connectToBus(address_, "mpris-test");
  ASSERT_TRUE(bus.isConnected());
  {
    QDBusInterface root("org.mpris.MediaPlayer2.tarvelino", "/org/mpris/MediaPlayer2",
                        "org.mpris.MediaPlayer2", bus);
    EXPECT_EQ(root.property("Identity").toString(), "Tarvelino");
    EXPECT_EQ(root.property("DesktopEntry").toString(), "tarvelino");
    EXPECT_TRUE(root.property("CanQuit").toBool());
    root.call("Quit");
  }
  QDBusConnection::disconnectFromBus("mpris-test");
  ASSERT_TRUE(player_.waitForFinished(15000));
  EXPECT_EQ(player_.exitCode(), 0);
  EXPECT_NE(configText().find("AudioVolume=5\r\n"), std::string::npos) << configText();
}

TEST_F(MprisProcessTest, WithoutASessionBusThePlayerRunsAndEndsNormally) {
  env_.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + dir_.path() + "/no-bus-here");
  startPlayer({clip_});
  // It keeps running, and its orderly shut-down still writes the configuration.
  QThread::msleep(3000);
  ASSERT_EQ(player_.state(), QProcess::Running);
  player_.terminate();
  ASSERT_TRUE(player_.waitForFinished(15000));
  EXPECT_EQ(player_.exitCode(), 0);
  EXPECT_NE(configText().find("FirstRun=0"), std::string::npos);
}

}  // namespace
}  // namespace app
