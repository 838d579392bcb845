// Whole-program test on a real X display: Ctrl+P opens the configuration
// dialog, the keyboard reaches the Video page and its OSD colour swatch, a
// colour typed into the colour dialog is applied with Enter, and the
// configuration file holds it at once.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <functional>

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

QString windowNamed(const QString& pattern) {
  return xOutput("xdotool", {"search", "--onlyvisible", "--name", pattern}).section('\n', 0, 0);
}

void keys(const QStringList& names) {
  for (const QString& k : names) {
    xOutput("xdotool", {"key", k});
    QThread::msleep(150);
  }
}

TEST(ConfigurationProcessTest, CtrlPChangesTheOsdColourAndApplyWritesIt) {
  if (qgetenv("DISPLAY").isEmpty() || xOutput("sh", {"-c", "command -v xdotool"}).isEmpty() ||
      xOutput("sh", {"-c", "command -v xprop"}).isEmpty())
    GTEST_SKIP() << "needs an X display, xdotool and xprop";
  QTemporaryDir dir;
  QProcess player;
  player.setProcessEnvironment(playerProfile(dir.path(), "FirstRun=0\r\nOsdColor=65280\r\n"));
  player.start(TARVELINO_EXE, {});
  ASSERT_TRUE(player.waitForStarted());
  ASSERT_TRUE(waitFor([] { return !playerWindow("TarvelinoMainWindow", true).isEmpty(); }))
      << "the main window did not show";
  xOutput("xdotool", {"windowfocus", "--sync", playerWindow("TarvelinoMainWindow", true)});
  keys({"ctrl+p"});
  ASSERT_TRUE(waitFor([] { return !windowNamed("^Configuration - General$").isEmpty(); }))
      << "the configuration dialog did not open";
  // The tree has the focus: Down three times selects "Video"; its list, the
  // two jump fields and the OSD size come before the swatch.
  keys({"Down", "Down", "Down"});
  ASSERT_TRUE(waitFor([] { return !windowNamed("^Configuration - Video$").isEmpty(); }));
  keys({"Tab", "Tab", "Tab", "Tab", "Tab", "space"});
  ASSERT_TRUE(waitFor([] { return !windowNamed("^Select Colou?r$").isEmpty(); }))
      << "the colour dialog did not open";
  // Its colour field has the focus with its text selected.
  xOutput("xdotool", {"type", "--delay", "50", "#ff0000"});
  keys({"Return"});
  ASSERT_TRUE(waitFor([] { return windowNamed("^Select Colou?r$").isEmpty(); }));
  keys({"Return"});  // Apply, then close
  ASSERT_TRUE(waitFor([] { return windowNamed("^Configuration").isEmpty(); }));
  QFile ini(dir.path() + "/config/Tarvelino/Tarvelino.ini");
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  EXPECT_TRUE(ini.readAll().contains("\r\nOsdColor=255\r\n"));  // 0x00BBGGRR red
  player.terminate();
  EXPECT_TRUE(player.waitForFinished(20000));
  EXPECT_EQ(player.exitCode(), 0);
}

}  // namespace
}  // namespace app
