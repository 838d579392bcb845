#pragma once
// What each remote command code (1..73, sent by `tarvelino --command N`) does:
// most codes stand for a key of the main window's key table or a menu
// command, so that a remote command does exactly what that key or menu item
// does (and nothing while the command is not built); a few go to the keys of
// another window. While a dialog is open, some codes become keys of that
// dialog instead. Only the table: the routing is remote_commands_link.h.
#include <Qt>

#include <optional>

#include "ui/main_window_commands.h"

namespace app {

enum class RemoteTarget {
  Nothing,         // the code does nothing
  Key,             // a key of the main window's key table
  Menu,            // a menu command of the main window
  EqualizerKey,    // a key of the equalizer window, also while it is hidden
  ColorKey,        // a key of the colour control window, also while it is hidden
  PlaylistKey,     // a key of the playlist's movie list, only while that window shows
  Minimize,        // minimise the application, as the main window's minimise button
  TogglePlaylist,  // the playlist window: closed when it shows, shown otherwise
};

struct RemoteAction {
  RemoteTarget target = RemoteTarget::Nothing;
  int key = 0;  // a Qt::Key, for the key targets
  Qt::KeyboardModifiers modifiers;
  ui::MenuCommand command = ui::MenuCommand::OpenMovie;  // for Menu
};

// The action of a code; Nothing for codes outside 1..73.
RemoteAction remoteAction(int code);

struct DialogKey {
  int key = 0;  // a Qt::Key
  Qt::KeyboardModifiers modifiers;
};

// The key an open dialog receives for a code instead of the code's action.
// A file dialog takes 3, 4, 6, 7, 8, 9, 10 as Enter, Backspace, Esc, Up, Down,
// Shift+Tab, Tab; the player's other dialogs take them as Enter, Esc, Esc, Up,
// Down, Left, Right. No value: the code does nothing while the dialog is open.
std::optional<DialogKey> dialogKey(int code, bool fileDialog);

}  // namespace app
