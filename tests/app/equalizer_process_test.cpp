// The whole player with the equalizer window shown at start: on a first run
// (the association question pending) a movie given on the command line still
// opens, plays to its end and closes the player, and the window's state and
// sliders are written back.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <fstream>
#include <iterator>

#include "tests/app/h264_clip.h"

namespace app {
namespace {

TEST(EqualizerProcessTest, FirstRunWithTheEqualizerShownPlaysToTheEndAndKeepsItsState) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString clip = makeH264Clip(dir.path(), "smpte", 160, 120, 60, 130);  // 3 s
  ASSERT_FALSE(clip.isEmpty());
  const QString config = dir.path() + "/config/Tarvelino/Tarvelino.ini";
  ASSERT_TRUE(QDir().mkpath(dir.path() + "/config/Tarvelino"));
  // FirstRun is left at its default: the question comes once the movie is open.
  std::ofstream(config.toStdString(), std::ios::binary)
      << "[Configuration]\r\nEqualizerShow=1\r\nEqualizerSettings=-20,5,0,0,0,0,0,0,0,0,-35\r\n";
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_CONFIG_HOME", dir.path() + "/config");
  env.insert("XDG_DATA_HOME", dir.path() + "/data");
  env.insert("XDG_RUNTIME_DIR", dir.path());
  env.insert("TMPDIR", dir.path());
  env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + dir.path() + "/no-bus");
  env.insert("QT_QPA_PLATFORM", "offscreen");
  QProcess player;
  player.setProcessEnvironment(env);
  player.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  player.start(TARVELINO_EXE, {clip});
  ASSERT_TRUE(player.waitForStarted());
  const bool ended = player.waitForFinished(60000);
  if (!ended) {
    player.kill();
    player.waitForFinished();
  }
  ASSERT_TRUE(ended) << "the player did not close at the movie's end";
  EXPECT_EQ(player.exitCode(), 0);
  std::ifstream in(config.toStdString(), std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(in)), {});
  EXPECT_NE(written.find("\r\nEqualizerShow=1\r\n"), std::string::npos) << written;
  EXPECT_NE(written.find("\r\nEqualizerSettings=-20,5,0,0,0,0,0,0,0,0,-35\r\n"), std::string::npos)
      << written;
}

}  // namespace
}  // namespace app
