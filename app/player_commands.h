#pragma once
// The commands of the main window that the playback controller does not own
// itself: the file dialogs, the exit command and the picture commands. They are
// set as hooks of the main window's adapter and of the controller.
// Interface thread only.
#include <QPointer>
#include <QWidget>

#include "playback/player.h"
#include "ui/main_window_playback.h"

namespace app {

// owner is the dialogs' parent (the main window); it may be null.
// video is the video window, for the picture commands.
void installPlayerCommands(ui::MainWindowPlayback& adapter, playback::Player& player,
                           settings::Settings& settings, QPointer<QWidget> owner, QWidget& video);

}  // namespace app
