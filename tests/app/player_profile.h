#pragma once
// A profile of its own for a whole-program test: the configuration file with
// the given lines, and the environment that points the player at it. The
// registration files, the instance socket and temporary files stay under dir,
// so a test never touches the user's files or another test's player.
#include <QByteArray>
#include <QDir>
#include <QProcessEnvironment>
#include <QString>
#include <fstream>
#include <string>

namespace app {

// configurationLines: CR LF terminated "Name=value" lines of [Configuration].
// Without a display the player runs offscreen.
inline QProcessEnvironment playerProfile(const QString& dir,
                                         const std::string& configurationLines) {
  QDir().mkpath(dir + "/config/Tarvelino");
  std::ofstream((dir + "/config/Tarvelino/Tarvelino.ini").toStdString(), std::ios::binary)
      << "[Configuration]\r\n"
      << configurationLines;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_CONFIG_HOME", dir + "/config");
  env.insert("XDG_DATA_HOME", dir + "/data");
  env.insert("XDG_RUNTIME_DIR", dir);
  env.insert("TMPDIR", dir);
  env.insert("QT_QPA_PLATFORM", qgetenv("DISPLAY").isEmpty() ? "offscreen" : "xcb");
  return env;
}

}  // namespace app
