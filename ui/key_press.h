#pragma once
// The toolkit's key events as presses of the player's key table: a Qt key
// code and its modifiers become a key named by its place on a US keyboard.
// Keypad keys are told apart by the keypad modifier; a shifted character that
// Qt reports as its own key ("*" of Shift+8, "+" of Shift+"=") becomes the
// unshifted key with Shift. Pure; any thread.
#include <Qt>

#include "playback/key_table.h"

namespace ui {

playback::KeyPress keyPressOf(int key, Qt::KeyboardModifiers modifiers);

}  // namespace ui
