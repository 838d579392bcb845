#pragma once
// The player's key table: which command a key press runs, in which window and
// in which state. Every player window (main, video, playlist and its lists,
// equalizer, colour control) turns its key presses into commands here, so a
// key does the same thing whichever of them has the focus. Keys are named by
// their place on a US keyboard; the windows translate their toolkit's events
// (ui/key_press.h). Plain C++; pure functions, safe from any thread.
#include <optional>

namespace playback {

enum class Key {
  None,
  // Letters and the digits of the main block.
  A,
  B,
  C,
  D,
  E,
  F,
  G,
  H,
  I,
  J,
  K,
  L,
  M,
  N,
  O,
  P,
  Q,
  R,
  S,
  T,
  U,
  V,
  W,
  X,
  Y,
  Z,
  D0,
  D1,
  D2,
  D3,
  D4,
  D5,
  D6,
  D7,
  D8,
  D9,
  // The numeric keypad.
  Num0,
  Num1,
  Num2,
  Num3,
  Num4,
  Num5,
  Num6,
  Num7,
  Num8,
  Num9,
  NumMultiply,
  NumPlus,
  NumMinus,
  // Punctuation, by its unshifted character.
  Comma,
  Period,
  BracketLeft,
  BracketRight,
  Slash,
  Minus,
  Equal,
  Backspace,
  Enter,
  Space,
  Escape,
  Home,
  End,
  Delete,
  Left,
  Right,
  Up,
  Down,
  F1,
  F4,
  F6,
  F10,
  F12,
  ContextMenu,  // the context-menu key (code 93)
};

// Modifier bits of a key press; a row names an exact combination.
enum KeyModifier : unsigned {
  kNoModifier = 0,
  kShift = 1,
  kCtrl = 2,
  kAlt = 4,
};

struct KeyPress {
  Key key = Key::None;
  unsigned modifiers = kNoModifier;  // KeyModifier bits
};

enum class KeyCommand {
  // Moves through the movie.
  FastRewind,
  Rewind,
  FastForward,
  Forward,
  GoToStart,
  GoToEnd,
  // Transport. PlayPause stands for Space before the state decides.
  Play,
  Pause,
  PlayPause,
  Stop,
  NextMovie,
  PreviousMovie,
  CloseMovie,
  VolumeUp,
  VolumeDown,
  Mute,
  RepeatCycle,
  TimesFrames,
  QuickInfo,
  // Subtitles; SubtitleTime carries the shift in milliseconds.
  SubtitleTime,
  SubtitlesOnOff,
  SubtitleUp,
  SubtitleDown,
  SubtitleSizeUp,
  SubtitleSizeDown,
  SubtitleFont,
  LoadSubtitle,
  // Picture and window size; WindowSize carries the percentage, AspectRatio
  // the menu item 1..5 (Original, 16:9, 4:3, 1:1, Free).
  FullScreen,
  ZoomCycle,
  MovieMode,
  WindowSize,
  AspectRatio,
  CustomAspectRatio,
  CustomPanScan,
  AutomaticPanScan,
  PanIn,
  PanOut,
  MovePictureLeft,
  MovePictureRight,
  MovePictureUp,
  MovePictureDown,
  CenterPicture,
  // Bookmarks; ActivateBookmark carries the bookmark number 1..9.
  AddBookmark,
  ActivateBookmark,
  ClearBookmarks,
  // Windows and dialogs. Playlist hides the list window when it has the
  // focus (Alt+E, F10); ActivatePlaylist only shows it (Alt+P).
  OpenMovie,
  Configuration,
  JumpToTime,
  KeyDefinitions,
  About,
  MovieInfo,
  Equalizer,
  ColorControl,
  Playlist,
  ActivatePlaylist,
  CaptureFrame,
  AlwaysOnTop,
  PowerOffAfterPlay,
  PreAmplificationUp,
  PreAmplificationDown,
  Clock,
  Minimize,
  ClosePlayer,
  ContextMenu,
  // Focus between the main and the video window (H, F12, Esc). FocusSwitch
  // and Escape stand for the keys before the state decides.
  FocusSwitch,
  Escape,
  RaiseMainWindow,
  ActivateMainWindow,
  FocusMainWindow,
  FocusVideoWindow,
  LeaveFullScreen,
};

struct KeyAction {
  KeyCommand command;
  int value = 0;  // the shift, percentage, item or bookmark number named above
  bool operator==(const KeyAction&) const = default;
};

// The window whose key handler got the press.
enum class KeyWindow { Main, Video, Playlist, PlaylistList, Equalizer, ColorControl };

// What the conditions of the table look at.
struct KeyState {
  bool Busy = false;
  bool OpeningBusy = false;
  bool MovieOpen = false;            // a movie is open (the media graph is active)
  bool PlayDown = false;             // the Play button is down (playing)
  bool PauseDown = false;            // the Pause button is down (paused)
  bool StopEnabled = false;          // the Stop button is enabled
  bool FullScreen = false;           // the video window is in full screen
  bool VideoShowing = false;         // the video window shows
  bool MainRaised = false;           // in full screen: the main window was raised over the video
  bool MainFocused = false;          // the main window has the focus
  bool VideoFocused = false;         // the video window has the focus
  bool PlaylistListFocused = false;  // one of the playlist's two lists has the focus
};

// The row a press matches in the key table or the special-key table, before
// any condition: what the key stands for. nullopt: no row (the key does nothing).
std::optional<KeyAction> keyRow(KeyPress press);

// True for Esc and the four arrows, which go to SpecialKeyExecute.
bool isSpecialKey(Key key);

// The key table (DispatchKey) with its conditions: the command to run now, or
// nullopt when the key does nothing in this state. PlayPause, FocusSwitch and
// Escape come out as the command the state makes of them.
std::optional<KeyAction> DispatchKey(KeyPress press, const KeyState& state);
// The special-key table (SpecialKeyExecute): Esc and the arrows.
std::optional<KeyAction> SpecialKeyExecute(KeyPress press, const KeyState& state);

// A press as the key handler of a window passes it on: the main, video,
// equalizer and colour control windows send Esc and the arrows to the
// special-key table and everything else to the key table; the video window
// closes the player on Alt+F4 in full screen; the playlist and its lists keep
// Esc, the arrows and Enter (which plays the selected entry) for themselves; the main window pops
// its context menu on the context-menu key. An Alt+1..9 bookmark that does not exist is left to the
// bookmark command, which knows the list. The windows' own keys (the equalizer's Up, the colour
// control's Left, ...) never get here.
std::optional<KeyAction> routeKey(KeyWindow window, KeyPress press, const KeyState& state);

}  // namespace playback
