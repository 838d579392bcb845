#pragma once
// The playback state shared across the player: the re-entry flags, the open
// movie, the save counter, and what the main window shows of the transport.
// One PlayerState per process, owned by the Player; interface thread only.
#include <cstdint>
#include <string>

#include "video/picture_geometry.h"

namespace playback {

struct PlayerState {
  // Raised while a command must not be re-entered (a seek step, a resize, a
  // subtitle load, ...); many commands do nothing while it is set.
  bool Busy = false;
  // Raised for the whole of a movie open (and a display-mode change).
  bool OpeningBusy = false;
  // Full path of the movie that is open or being opened; empty when none.
  std::string CurrentMovie;
  // Unsaved changes of the open movie's remembered settings: milliseconds of
  // position change plus 5000 per user change, capped at 10000; -1000000
  // while a movie opens, so nothing is saved then.
  int32_t SettingsChangeScore = 0;
  // Close the player when the list ends (set by a start with files).
  bool AutoClosePlayerOnce = false;
  // Frames per second of the open movie; 25 until known.
  double MovieFrameRate = 25.0;
  // Native size, display ratio and offsets of the open movie's picture.
  video::PictureState Picture;
  // The system-time clock on the message layer (key I).
  bool ClockOn = false;
};

// Adds n to the save counter, keeping it at most 10000. A counter held far
// below zero while a movie opens stays below zero.
inline void addSettingsChange(PlayerState& s, int64_t n) {
  const int64_t sum = int64_t(s.SettingsChangeScore) + n;
  s.SettingsChangeScore = int32_t(sum > 10000 ? 10000 : sum < -1000000 ? -1000000 : sum);
}

enum class ButtonLook { Up, Down, Busy };

// What the main window shows of the playback; the controller writes it and
// bumps revision, the window repaints what changed.
struct MainDisplay {
  std::string MovieTimes = "00:00:00 - 00:00:00 - 00:00:00";  // three-field time display
  std::string MovieTimesHint;                                 // "Click for frames"/"... times"
  std::string MovieLabel;                                     // file name or "No movie"
  std::string SubtitleLabel;                                  // file name or "No subtitle"
  std::string Title;                                          // application title
  std::string RepeatLabel;                                    // "Repeat off/one/all"
  int64_t SeekPositionMs = 0;
  int64_t SeekMaxMs = 0;
  bool SeekEnabled = false;
  bool RewindEnabled = false;
  bool ForwardEnabled = false;
  bool StopEnabled = false;
  ButtonLook Play = ButtonLook::Up;
  ButtonLook Pause = ButtonLook::Up;
  uint64_t revision = 0;
};

}  // namespace playback
