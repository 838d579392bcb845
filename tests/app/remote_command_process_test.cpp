// Whole-program test of the remote commands: `tarvelino --command N` started
// beside a playing player reaches it over the single-instance socket and does
// what the code's key does.
#include <gtest/gtest.h>

#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <filesystem>
#include <fstream>

#include "app/instance_channel.h"
#include "tests/app/h264_clip.h"
#include "tests/app/player_profile.h"

namespace app {
namespace {

constexpr int kPauseCode = 4;  // the C key
constexpr int kPlayCode = 3;   // the X key

// True once the instance at the socket answers that it runs (it then takes
// commands); the answer is read without sending anything.
bool answersRunning(const QString& socketName) {
  QLocalSocket socket;
  socket.connectToServer(socketName);
  if (!socket.waitForConnected(1000)) return false;
  char state = 0;
  return socket.waitForReadyRead(1000) && socket.getChar(&state) && state == 'R';
}

TEST(RemoteCommandProcessTest, PauseCodeHoldsTheMovieAndPlayCodePlaysItToItsEnd) {
  QTemporaryDir dir;
  // 6 s at 20 frames a second; the player closes by itself at its end.
  const QString clip = makeH264Clip(dir.path(), "smpte", 160, 120, 120, 258);
  ASSERT_FALSE(clip.isEmpty());
  const QProcessEnvironment env = playerProfile(dir.path(), "FirstRun=0\r\n");
  qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());
  const QString socketName = instanceSocketName("Tarvelino");
  qunsetenv("XDG_RUNTIME_DIR");
  auto command = [&](int code) {
    QProcess sender;
    sender.setProcessEnvironment(env);
    sender.start(TARVELINO_EXE, {"--command", QString::number(code)});
    return sender.waitForFinished(10000) && sender.exitCode() == 0;
  };

  QProcess player;
  player.setProcessEnvironment(env);
  player.start(TARVELINO_EXE, {clip});
  ASSERT_TRUE(player.waitForStarted());
  bool running = false;
  for (int i = 0; i < 200 && !running; ++i) {
    running = answersRunning(socketName);
    if (!running) QThread::msleep(50);
  }
  ASSERT_TRUE(running) << "the player never took commands";
  // A pause that lands while the movie is still opening is ignored, as the
  // key would be; a pause while paused changes nothing. So it is sent a few
  // times over the first two seconds.
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(command(kPauseCode));
    QThread::msleep(400);
  }
  EXPECT_FALSE(player.waitForFinished(8000)) << "the paused movie played to its end";
  ASSERT_TRUE(command(kPlayCode));
  EXPECT_TRUE(player.waitForFinished(30000)) << "the play code did not play the movie on";
  EXPECT_EQ(player.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(player.exitCode(), 0);
  if (player.state() != QProcess::NotRunning) {
    player.terminate();
    player.waitForFinished(10000);
  }
}

// With no player running a remote command reaches nobody: the sender ends at
// once instead of staying on as a player without a movie.
TEST(RemoteCommandProcessTest, CommandWithoutARunningPlayerEndsAtOnce) {
  QTemporaryDir dir;
  QProcess sender;
  sender.setProcessEnvironment(playerProfile(dir.path(), "FirstRun=0\r\n"));
  sender.start(TARVELINO_EXE, {"--command", QString::number(kPlayCode)});
  const bool ended = sender.waitForFinished(10000);
  if (!ended) {
    sender.kill();
    sender.waitForFinished();
  }
  EXPECT_TRUE(ended) << "the sender became a player";
  // It wrote no configuration of its own either.
  EXPECT_FALSE(
      std::filesystem::exists((dir.path() + "/config/Tarvelino/Tarvelino.mpl").toStdString()));
}

}  // namespace
}  // namespace app
