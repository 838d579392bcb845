#pragma once
// The key commands that belong to no other link, and the three dialogs they
// open: the focus moves between the main and the video window (H, F12, Esc),
// the clock (I), minimising (Ctrl+M), the context-menu key, the movie
// information window (F6), the ten-second subtitle shifts (Shift+Alt+Left and
// Right), closing the player from the full-screen video (Alt+F4); the jump
// dialog (Ctrl+J, "Jump to time"), the subtitle font dialog (Ctrl+F, "Font")
// and the key definitions window (F1). It also tells the key table what only
// the windows know, and keeps the aspect ratio marks on the picture's state.
// Interface thread only.
#include <QObject>
#include <QPointer>

#include "app/screen_commands_link.h"
#include "playback/key_table.h"
#include "playback/player.h"
#include "ui/main_window.h"
#include "ui/main_window_playback.h"
#include "ui/videowindow/video_playback.h"

namespace app {

class KeysLink : public QObject {
  Q_OBJECT
 public:
  // All references must outlive the link; the main window may go first.
  // Wraps the adapter's keyAction, keyState and menuCommand hooks.
  KeysLink(ui::MainWindowPlayback& adapter, playback::Player& player, settings::Settings& settings,
           QPointer<ui::TfrmMain> main, ui::VideoPlayback& video, ScreenCommandsLink& screen);

  // Runs a command of the key table that is this link's; false otherwise.
  bool run(const playback::KeyAction& action);
  // The jump dialog, the subtitle font dialog, the key definitions window.
  void jumpToTime();
  void chooseSubtitleFont();
  void keyDefinitions();
  // In full screen: the main window was raised over the video by H or Esc.
  bool mainRaised() const;
  // Checks the aspect ratio item that the picture shows now.
  void markRatioItem();

 private:
  void fillKeyState(playback::KeyState& s) const;
  void raiseMainWindow();
  void activateMainWindow();
  void focusMainWindow();
  void focusVideoWindow();
  void leaveFullScreen();
  void popUpContextMenu();

  ui::MainWindowPlayback& adapter_;
  playback::Player& player_;
  settings::Settings& settings_;
  QPointer<ui::TfrmMain> main_;
  ui::VideoPlayback& video_;
  ScreenCommandsLink& screen_;
};

}  // namespace app
