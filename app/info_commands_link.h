#pragma once
// The commands of the information and About windows, as hooks of the main
// window's adapter kept apart from the other commands: the info button, the
// keys F6 (information window), Q (quick position information) and Ctrl+F1
// (About window), and the About menu item. Interface thread only.
#include <QPointer>
#include <QWidget>

#include "playback/player.h"
#include "ui/main_window_playback.h"

namespace app {

// Wraps the adapter's movieInfo, keyPressed and menuCommand hooks; the keys
// and commands it does not serve go on to the previous hooks.
void installInfoCommands(ui::MainWindowPlayback& adapter, playback::Player& player,
                         QPointer<QWidget> mainWindow);

}  // namespace app
