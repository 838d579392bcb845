// Whole-program test on a real X display: the T key turns "Always on Top" on
// and off, and the main and video windows ask the window manager to keep them
// above other windows (_NET_WM_STATE_ABOVE) exactly while it is on.
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

bool above(const QString& role) {
  const QString window = playerWindow(role, true);
  return !window.isEmpty() && xProperty(window, "_NET_WM_STATE").contains("_NET_WM_STATE_ABOVE");
}

TEST(AlwaysOnTopTest, KeyTKeepsThePlayerWindowsAboveOthers) {
  if (qgetenv("DISPLAY").isEmpty() || xOutput("sh", {"-c", "command -v xdotool"}).isEmpty() ||
      xOutput("sh", {"-c", "command -v xprop"}).isEmpty())
    GTEST_SKIP() << "needs an X display, xdotool and xprop";
  QTemporaryDir dir;
  const QString clip = makeH264Clip(dir.path(), "ball", 320, 240, 100, 215);
  ASSERT_FALSE(clip.isEmpty());
  QProcess player;
  player.setProcessEnvironment(playerProfile(dir.path(), "FirstRun=0\r\nAutoPlayOnLoad=0\r\n"));
  player.start(TARVELINO_EXE, {clip});
  ASSERT_TRUE(player.waitForStarted());
  const auto waitFor = [](const std::function<bool()>& condition) {
    for (int i = 0; i < 100; ++i) {
      if (condition()) return true;
      QThread::msleep(100);
    }
    return false;
  };
  ASSERT_TRUE(waitFor([] {
    return !playerWindow("TarvelinoMainWindow", true).isEmpty() &&
           !playerWindow("TarvelinoVideoWindow", true).isEmpty();
  })) << "the player's windows did not show";
  EXPECT_FALSE(above("TarvelinoMainWindow"));
  for (const bool on : {true, false}) {
    SCOPED_TRACE(on);
    // The windows are made anew when the state changes: find them each time.
    const QString main = playerWindow("TarvelinoMainWindow", true);
    xOutput("xdotool", {"windowfocus", "--sync", main});
    xOutput("xdotool", {"key", "t"});  // to the focused window, as typed
    EXPECT_TRUE(waitFor(
        [&] { return above("TarvelinoMainWindow") == on && above("TarvelinoVideoWindow") == on; }));
  }
  player.terminate();
  EXPECT_TRUE(player.waitForFinished(20000));
  EXPECT_EQ(player.exitCode(), 0);
}

}  // namespace
}  // namespace app
