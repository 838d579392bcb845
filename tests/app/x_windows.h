#pragma once
// Finding the player's windows on an X display for the whole-program tests:
// the main and video windows share the player's title, and their window roles
// (WM_WINDOW_ROLE) tell them apart.
#include <QProcess>
#include <QString>
#include <QStringList>

namespace app {

inline QString xOutput(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  p.waitForFinished(30000);
  return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// The text of an X property of window, without its name ("" when unset).
inline QString xProperty(const QString& window, const QString& property) {
  const QString line = xOutput("xprop", {"-id", window, property});
  const int equals = line.indexOf(" = ");
  return equals < 0 ? QString() : line.mid(equals + 3);
}

// The first window (shown ones only with onlyVisible) whose title starts with
// "Tarvelino" and whose role is `role` ("TarvelinoMainWindow",
// "TarvelinoVideoWindow"); empty when there is none.
inline QString playerWindow(const QString& role, bool onlyVisible = false) {
  QStringList args{"search"};
  if (onlyVisible) args << "--onlyvisible";
  args << "--name"
       << "^Tarvelino";
  for (const QString& id : xOutput("xdotool", args).split('\n', Qt::SkipEmptyParts))
    if (xProperty(id, "WM_WINDOW_ROLE") == '"' + role + '"') return id;
  return {};
}

}  // namespace app
