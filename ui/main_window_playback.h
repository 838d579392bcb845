#pragma once
// The thin adapter between the main window and the playback controller: the
// window's commands become controller calls, and what the controller shows
// (MainDisplay: labels, seek bar, transport looks) is copied into the window
// whenever its revision changes (checked every 20 ms and after each command).
// Commands the controller does not own go to hooks the main program sets.
// Interface thread only.
#include "playback/controller.h"
#include "playback/engine.h"
#include "playback/key_table.h"
#include "playback/player_state.h"
#include "ui/main_window.h"

#include <QObject>
#include <QTimer>

#include <functional>

namespace ui {

struct MainWindowHooks {
  std::function<void()> openSubtitleDialog;
  std::function<void()> togglePlaylist;
  std::function<void()> configuration;
  std::function<void()> movieInfo;
  std::function<void(MenuCommand)> menuCommand;
  std::function<void()> contextMenuOpening;
  // A key whose command of the key table (playback/key_table.h) neither has a
  // menu item nor is a controller command: first keyAction (true when it ran
  // the command), then keyPressed with the key as pressed.
  std::function<bool(const playback::KeyAction&)> keyAction;
  std::function<void(int key, Qt::KeyboardModifiers)> keyPressed;
  // Completes the state the key table looks at with what only the windows
  // know (video showing, focus, the raised main window, the playlist's focus).
  std::function<void(playback::KeyState&)> keyState;
  std::function<bool(int steps)> wheel;  // true when the video window took it
  std::function<bool()> closePlayer;     // true when handled
  std::function<bool()> minimize;        // true when handled
  std::function<bool()> videoFullScreen;
  std::function<void()> mainWindowMoved;
  // The player's title changed (ProgramName, or ProgramName + " - '" + movie
  // file name + "'" while a movie is open); the main window already carries it.
  std::function<void(const std::string& title)> titleChanged;
};

class MainWindowPlayback : public QObject, public MainWindowCommands {
  Q_OBJECT
 public:
  // All references must outlive the adapter. The open-movie dialog is the
  // controller's hook (hooks().openMoviesDialog).
  MainWindowPlayback(playback::PlaybackController& controller, playback::Engine& engine,
                     playback::PlayerState& state, settings::Settings& settings);

  // The window to keep up to date; starts the 20 ms display check.
  void attach(TfrmMain* window);
  MainWindowHooks& hooks() { return hooks_; }
  // Copies the controller's display into the window when it changed.
  void refresh();

  void openMovieDialog() override;
  void openSubtitleDialog() override;
  void play() override;
  void pause() override;
  void stop() override;
  void rewind() override;
  void forward() override;
  void previousMovie() override;
  void nextMovie() override;
  void togglePlaylist() override;
  void configuration() override;
  void movieInfo() override;
  void volumeUp() override;
  void volumeDown() override;
  bool closePlayer() override;
  bool minimize() override;
  void setVolume(int level) override;
  void setMute(bool muted) override;
  void seek(int position, bool dragging) override;
  void settingsChanged(int delta) override;
  void switchTimesFrames() override;
  void cycleRepeat() override;
  void menuCommand(MenuCommand command) override;
  void contextMenuOpening() override;
  // A key pressed in the main window (or passed on by the equalizer and
  // colour control windows, which answer the same keys).
  void keyPressed(int key, Qt::KeyboardModifiers modifiers) override;
  // A key pressed in the given window: the key table decides what it runs.
  void keyPressedIn(playback::KeyWindow window, int key, Qt::KeyboardModifiers modifiers);
  // The state the key table's conditions look at now.
  playback::KeyState keyState() const;
  bool wheel(int steps) override;
  void filesDropped(const std::vector<std::string>& paths) override;
  bool videoFullScreen() const override;
  void mainWindowMoved() override;

 private:
  // Runs a key command of the controller; false when it is not one.
  bool controllerKey(const playback::KeyAction& action);

  template <typename F>
  void act(F&& f) {
    f();
    refresh();
  }

  playback::PlaybackController& controller_;
  playback::Engine& engine_;
  playback::PlayerState& state_;
  settings::Settings& settings_;
  MainWindowHooks hooks_;
  TfrmMain* window_ = nullptr;
  QTimer poll_;
  uint64_t shownRevision_ = ~uint64_t{0};
  std::string shownTitle_;
};

}  // namespace ui
