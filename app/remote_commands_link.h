#pragma once
// Remote command codes acted on in the running player: while one of the
// player's modal dialogs is open, the dialog keys of remote_commands.h are
// posted to its focused widget (events of this process only, never input
// typed into the desktop); otherwise the code runs its action through the
// same handlers the keys and the menu use. Interface thread only.
#include <QPointer>
#include <QWidget>

#include <functional>

#include "ui/main_window_commands.h"

namespace app {

struct RemoteCommandTargets {
  ui::MainWindowCommands* commands = nullptr;  // the main window's adapter
  QPointer<QWidget> mainWindow;
  QPointer<QWidget> equalizer;     // receives its keys also while hidden
  QPointer<QWidget> colorControl;  // receives its keys also while hidden
  // The playlist's movie list while the playlist window shows, else null.
  std::function<QWidget*()> playlistMovieList;
  // Holds the screen saver off once (the keep-awake timer's tick).
  std::function<void()> holdScreenSaver;
};

// Acts on a code; codes outside 1..73 do nothing.
void runRemoteCommand(int code, const RemoteCommandTargets& targets);

}  // namespace app
