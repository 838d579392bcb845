#pragma once
// Which commands of the player's face are built. A command whose window or
// function does not exist yet is shown disabled (its menu item, and its button
// on the main window, drawn in the disabled look) and its keys do nothing, so
// that no click or key is a silent no-op. Building a command means handling it
// in the main program's menu hook and turning its entry in command_table.cpp
// to true: the menu item, the button and the keys then follow.
#include "playback/key_table.h"
#include "ui/main_window_commands.h"

#include <optional>

namespace ui {

// True when the command does something today.
bool commandBuilt(MenuCommand command);

// The menu command that a command of the key table runs, for the commands
// that have a menu item: the key goes to the menu command, so it does what the
// item does and nothing while the command is not built. nullopt for commands
// without a menu item. (Defined with the key translation, ui/key_press.cpp.)
std::optional<MenuCommand> menuCommandOf(const playback::KeyAction& action);

// The menu command that a key stands for in the key table, before the table's
// conditions (the keypad digits other than Num 0 move the picture and are no
// window sizes). nullopt for every other key.
std::optional<MenuCommand> keyCommand(int key, Qt::KeyboardModifiers modifiers);

}  // namespace ui
