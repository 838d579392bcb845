#pragma once
// One whole-program journey on a real X display: the player started with its
// own profile in a temporary folder, its windows found by role, keys typed
// into them with xdotool as a user would, and its files read back afterwards.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <functional>
#include <string>

#include "tests/app/h264_clip.h"
#include "tests/app/player_profile.h"
#include "tests/app/x_windows.h"

namespace app {

inline bool journeyToolsPresent() {
  return !qgetenv("DISPLAY").isEmpty() && !xOutput("sh", {"-c", "command -v xdotool"}).isEmpty() &&
         !xOutput("sh", {"-c", "command -v xprop"}).isEmpty();
}

// Polls condition every 100 ms for up to timeoutMs.
inline bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 15000) {
  for (int waited = 0; waited <= timeoutMs; waited += 100) {
    if (condition()) return true;
    QThread::msleep(100);
  }
  return false;
}

class Journey {
 public:
  explicit Journey(const std::string& configurationLines) {
    env_ = playerProfile(dir_.path(), "FirstRun=0\r\n" + configurationLines);
    // No desktop bus: nothing of the test's session is touched.
    env_.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + dir_.path() + "/no-bus");
  }
  ~Journey() {
    if (player_.state() != QProcess::NotRunning) {
      player_.kill();
      player_.waitForFinished(10000);
    }
  }

  QString folder() const { return dir_.path(); }
  QString configFile(const QString& name) const {
    return dir_.path() + "/config/Tarvelino/" + name;
  }
  QProcessEnvironment& env() { return env_; }

  // A clip of `seconds` at 20 frames a second, 320 x 240, with a tone.
  QString clip(int seconds, const QString& pattern = "smpte") {
    return makeH264Clip(dir_.path(), pattern, 320, 240, seconds * 20, seconds * 44100 / 1024 + 1);
  }

  // The player's standard output goes to path (set before start).
  void outputTo(const QString& path) { output_ = path; }

  void start(const QStringList& args) {
    player_.setProcessEnvironment(env_);
    player_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (!output_.isEmpty()) player_.setStandardOutputFile(output_);
    player_.start(TARVELINO_EXE, args);
    ASSERT_TRUE(player_.waitForStarted());
  }
  // The main window's title once it is `title` (as xprop shows it, quoted).
  bool waitForTitle(const QString& title, int timeoutMs = 15000) {
    return waitUntil([&] { return mainTitle() == title; }, timeoutMs);
  }
  QString mainTitle() const {
    const QString main = playerWindow("TarvelinoMainWindow", true);
    return main.isEmpty() ? QString() : xProperty(main, "_NET_WM_NAME");
  }
  // Types keys (xdotool names, "alt+x") into the window of the role, focused first.
  void type(const QString& role, const QStringList& keys) {
    const QString window = playerWindow(role, true);
    ASSERT_FALSE(window.isEmpty()) << role.toStdString() << " does not show";
    xOutput("xdotool", {"windowfocus", "--sync", window});
    for (const QString& k : keys) xOutput("xdotool", {"key", k});
  }
  // x, y, width, height of the window of the role; empty when it does not show.
  QRect geometry(const QString& role) const {
    const QString window = playerWindow(role, true);
    if (window.isEmpty()) return {};
    // "X=..\nY=..\nWIDTH=..\nHEIGHT=..\n..." from --shell.
    const QStringList lines =
        xOutput("xdotool", {"getwindowgeometry", "--shell", window}).split('\n');
    int v[4] = {0, 0, 0, 0};
    for (const QString& line : lines) {
      const QString key = line.section('=', 0, 0), value = line.section('=', 1);
      if (key == "X") v[0] = value.toInt();
      if (key == "Y") v[1] = value.toInt();
      if (key == "WIDTH") v[2] = value.toInt();
      if (key == "HEIGHT") v[3] = value.toInt();
    }
    return QRect(v[0], v[1], v[2], v[3]);
  }
  // Closes the player with Alt+X in the main window and waits for its end.
  bool closeByKey() {
    type("TarvelinoMainWindow", {"alt+x"});
    return waitForEnd();
  }
  bool waitForEnd(int timeoutMs = 20000) {
    return player_.waitForFinished(timeoutMs) && player_.exitStatus() == QProcess::NormalExit &&
           player_.exitCode() == 0;
  }
  QByteArray read(const QString& path) const {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

 private:
  QTemporaryDir dir_;
  QProcessEnvironment env_;
  QProcess player_;
  QString output_;
};

}  // namespace app
