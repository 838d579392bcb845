// Whole-program test on a real X display: the playlist window shows at start
// with the last playlist of three clips, a double click on the second row
// plays it (the video window's title names it), and the list survives the exit.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <filesystem>
#include <fstream>
#include <functional>

#include "tests/app/h264_clip.h"
#include "tests/app/player_profile.h"
#include "tests/app/x_windows.h"

namespace app {
namespace {

bool waitFor(const std::function<bool()>& condition) {
  for (int i = 0; i < 100; ++i) {
    if (condition()) return true;
    QThread::msleep(100);
  }
  return false;
}

TEST(PlaylistProcessTest, DoubleClickOnTheSecondRowPlaysIt) {
  if (qgetenv("DISPLAY").isEmpty() || xOutput("sh", {"-c", "command -v xdotool"}).isEmpty() ||
      xOutput("sh", {"-c", "command -v xprop"}).isEmpty())
    GTEST_SKIP() << "needs an X display, xdotool and xprop";
  QTemporaryDir dir;
  const QString clip = makeH264Clip(dir.path(), "ball", 160, 120, 400, 870);
  ASSERT_FALSE(clip.isEmpty());
  std::string list;
  for (const char* name : {"one.mp4", "two.mp4", "three.mp4"}) {
    const std::string path = (dir.path() + "/" + name).toStdString();
    std::filesystem::copy_file(clip.toStdString(), path);
    list += path + "\r\nNo subtitle\r\n";
  }
  // Rows of 13 pixels (the smallest font) from y 25 of the window.
  const QProcessEnvironment env = playerProfile(
      dir.path(),
      "FirstRun=0\r\nAutoPlayOnLoad=0\r\nPlayListShow=1\r\nPlaylistFontSize=1\r\n"
      "PlaylistXPosition=20\r\nPlaylistYPosition=20\r\nMainXPosition=500\r\nMainYPosition=500\r\n");
  std::ofstream((dir.path() + "/config/Tarvelino/Tarvelino.mpl").toStdString(), std::ios::binary)
      << list;
  QProcess player;
  player.setProcessEnvironment(env);
  player.start(TARVELINO_EXE, {});
  ASSERT_TRUE(player.waitForStarted());
  QString playlist;
  ASSERT_TRUE(waitFor([&] {
    playlist = playerWindow("TarvelinoPlaylistWindow", true);
    return !playlist.isEmpty();
  })) << "the playlist window did not show";
  xOutput("xdotool", {"mousemove", "--window", playlist, "80", QString::number(25 + 13 + 6)});
  xOutput("xdotool", {"click", "--repeat", "2", "--delay", "60", "1"});
  // The first movie the video window names is the second clip (a clip long
  // enough that the end-of-movie advance cannot pass it on meanwhile).
  QString title;
  EXPECT_TRUE(waitFor([&] {
    const QString video = playerWindow("TarvelinoVideoWindow", true);
    title = video.isEmpty() ? QString() : xOutput("xdotool", {"getwindowname", video});
    return title.contains(".mp4");
  })) << "no clip opened";
  EXPECT_EQ(title.toStdString(), "Tarvelino - 'two.mp4'");
  player.terminate();
  EXPECT_TRUE(player.waitForFinished(20000));
  EXPECT_EQ(player.exitCode(), 0);
  std::ifstream in((dir.path() + "/config/Tarvelino/Tarvelino.mpl").toStdString(),
                   std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
            list);
}

}  // namespace
}  // namespace app
