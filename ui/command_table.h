#pragma once
// Which commands of the player's face are built. A command whose window or
// function does not exist yet is shown disabled (its menu item, and its button
// on the main window, drawn in the disabled look) and its keys do nothing, so
// that no click or key is a silent no-op. Building a command means handling it
// in the main program's menu hook and turning its entry in command_table.cpp
// to true: the menu item, the button and the keys then follow.
#include "ui/main_window_commands.h"

#include <optional>

namespace ui {

// True when the command does something today.
bool commandBuilt(MenuCommand command);

// The menu command that a key of the key table runs, for the menu commands
// whose keys no other handler takes: the key goes to the command when it is
// built and does nothing otherwise. Keypad digits are other keys (they move
// the picture), except Num 0. nullopt for every other key.
std::optional<MenuCommand> keyCommand(int key, Qt::KeyboardModifiers modifiers);

}  // namespace ui
