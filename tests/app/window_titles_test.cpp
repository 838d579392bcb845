// Whole-program test on a real X display: the main and video windows carry the
// player's title (the program's name, and the movie's name beside it while a
// movie is open), never an internal window name, and every window the player
// shows carries the program's icon.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <filesystem>
#include <fstream>

#include "tests/app/h264_clip.h"
#include "tests/app/player_profile.h"
#include "tests/app/x_windows.h"

namespace app {
namespace {

TEST(WindowTitlesTest, MainAndVideoWindowsShowThePlayersTitleAndIcon) {
  if (qgetenv("DISPLAY").isEmpty() || xOutput("sh", {"-c", "command -v xdotool"}).isEmpty() ||
      xOutput("sh", {"-c", "command -v xprop"}).isEmpty())
    GTEST_SKIP() << "needs an X display, xdotool and xprop";
  QTemporaryDir dir;
  const QString clip = makeH264Clip(dir.path(), "ball", 320, 240, 100, 215);
  ASSERT_FALSE(clip.isEmpty());
  const QProcessEnvironment env = playerProfile(dir.path(), "FirstRun=0\r\nAutoPlayOnLoad=0\r\n");
  const struct {
    const char* name;
    QStringList args;
    QString title;  // as the desktop shows it
    bool video;     // the video window shows too
  } rows[] = {
      {"NoMovie", {}, "\"Tarvelino\"", false},
      {"MovieOpen", {clip}, "\"Tarvelino - 'clip.mp4'\"", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    QProcess player;
    player.setProcessEnvironment(env);
    player.start(TARVELINO_EXE, row.args);
    ASSERT_TRUE(player.waitForStarted());
    QString main, video, title;
    for (int i = 0; i < 150 && (title != row.title || (row.video && video.isEmpty())); ++i) {
      QThread::msleep(100);
      if (main.isEmpty()) main = playerWindow("TarvelinoMainWindow", true);
      if (row.video && video.isEmpty()) video = playerWindow("TarvelinoVideoWindow", true);
      if (!main.isEmpty()) title = xProperty(main, "_NET_WM_NAME");
    }
    ASSERT_FALSE(main.isEmpty()) << "no main window on the display";
    EXPECT_EQ(title.toStdString(), row.title.toStdString());
    EXPECT_FALSE(xProperty(main, "_NET_WM_ICON").isEmpty()) << "the main window has no icon";
    if (row.video) {
      ASSERT_FALSE(video.isEmpty()) << "no video window on the display";
      EXPECT_EQ(xProperty(video, "_NET_WM_NAME").toStdString(), row.title.toStdString());
      EXPECT_FALSE(xProperty(video, "_NET_WM_ICON").isEmpty()) << "the video window has no icon";
    }
    player.terminate();
    EXPECT_TRUE(player.waitForFinished(20000));
  }
}

}  // namespace
}  // namespace app
