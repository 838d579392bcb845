#pragma once
// What the main window asks of the rest of the player. The playback
// controller's adapter implements it (tests use a recording fake); every
// function has a harmless default so a partial adapter works. All calls come
// on the interface thread, after the mouse handler that caused them returned
// (commands are queued, so a command may open dialogs or close windows safely),
// except setVolume, seek and settingsChanged, which follow a dragged slider live.
#include <Qt>

#include <string>
#include <vector>

namespace ui {

// Context menu commands, in menu order.
enum class MenuCommand {
  OpenMovie,
  LoadSubtitle,
  RecentFile1,
  RecentFile2,
  RecentFile3,
  RecentFile4,
  RecentFile5,
  ClearHistory,
  Play,
  Stop,
  Pause,
  Rewind,
  Forward,
  FastRewind,
  FastForward,
  JumpToTime,
  AddBookmark,
  ClearBookmarks,
  Fullscreen,
  ColorControl,
  MovieMode,
  AspectOriginal,
  Aspect16x9,
  Aspect4x3,
  Aspect1x1,
  AspectFree,
  AspectCustom,
  PanIn,
  PanOut,
  PanAutomatic,
  PanCustom,
  WindowSize50,
  WindowSize100,
  WindowSize200,
  CaptureFrame,
  VolumeUp,
  VolumeDown,
  Equalizer,
  DynamicAmplification,
  SubtitleFont,
  DisableSubtitle,
  DecreaseTime,
  IncreaseTime,
  SubtitleUp,
  SubtitleDown,
  IncreaseSize,
  DecreaseSize,
  Configuration,
  KeyDefinitions,
  Playlist,
  AlwaysOnTop,
  About,
  TurnOffAfterPlay,
  Exit,
};

class MainWindowCommands {
 public:
  virtual ~MainWindowCommands() = default;

  // Buttons of the face.
  virtual void openMovieDialog() {}
  virtual void openSubtitleDialog() {}
  virtual void play() {}
  virtual void pause() {}
  virtual void stop() {}
  virtual void rewind() {}
  virtual void forward() {}
  virtual void previousMovie() {}
  virtual void nextMovie() {}
  virtual void togglePlaylist() {}
  virtual void configuration() {}
  virtual void movieInfo() {}
  virtual void volumeUp() {}
  virtual void volumeDown() {}
  // Return false to let the main window close / minimise itself.
  virtual bool closePlayer() { return false; }
  virtual bool minimize() { return false; }

  // Live slider effects. level: engine volume 0..10000 (0 while muted).
  virtual void setVolume(int level) { (void)level; }
  // The mute flip changed; muted means no sound.
  virtual void setMute(bool muted) { (void)muted; }
  // A seek to a seek-bar position (0..maximum; may exceed it by one rounding
  // step); dragging while the user moves the pressed bar (a fast, key-frame seek).
  virtual void seek(int position, bool dragging) {
    (void)position;
    (void)dragging;
  }
  // A user change of a remembered value: add delta to SettingsChangeScore
  // (capped by the owner) while a movie is open.
  virtual void settingsChanged(int delta) { (void)delta; }

  // Labels.
  virtual void switchTimesFrames() {}
  virtual void cycleRepeat() {}

  // Everything else.
  virtual void menuCommand(MenuCommand command) { (void)command; }
  virtual void contextMenuOpening() {}  // refresh recent files, bookmarks, monitors
  virtual void keyPressed(int key, Qt::KeyboardModifiers modifiers) {
    (void)key;
    (void)modifiers;
  }
  // Wheel steps (positive away from the user); return false to get one volume
  // step per wheel step.
  virtual bool wheel(int steps) {
    (void)steps;
    return false;
  }
  virtual void filesDropped(const std::vector<std::string>& paths) { (void)paths; }
  // Whether the video window is in full screen (the main window then snaps to
  // the whole screen instead of the work area).
  virtual bool videoFullScreen() const { return false; }
  // The main window finished a user move.
  virtual void mainWindowMoved() {}
};

}  // namespace ui
