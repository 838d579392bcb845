#pragma once
// The jump-to-time dialog's field and place. Its times are written and read
// by formatJumpTime and parseJumpTime (playback/time_text.h); the field holds
// at most 8 characters. Pure; any thread.
#include <cstdint>
#include <utility>

#include "video/picture_geometry.h"

namespace playback {

inline constexpr int kJumpTextLength = 8;
// The caret goes after this many characters when the field is (re)filled.
inline constexpr int kJumpCaretPosition = 4;

// Whether a typed character may enter the field: the digits and ":".
// (Backspace edits, Enter confirms and Esc closes; every other key is ignored.)
bool jumpCharacterAccepted(char c);

// Where the jump dialog goes (screen pixels; Right and Bottom exclusive).
struct JumpPlacement {
  int width = 0, height = 0;  // the dialog's size
  bool FullScreen = false;    // the video window is in full screen
  bool MultiMonitorDesktop = false;
  video::Bounds Monitor;   // the monitor that shows the video window
  video::Bounds WorkArea;  // the work area of that monitor
  video::Bounds VideoWindow;
  int ScreenCentreX = 0;  // the centre of the (primary) screen
};

// The dialog's top-left corner. Full screen: centred on the monitor.
// Otherwise directly below the video window (moved up to stay inside the
// work area), horizontally centred on the video window with several
// monitors, or centred halfway between the screen's and the video window's
// centres on one; always kept inside the work area.
std::pair<int, int> placeJumpDialog(const JumpPlacement& p);

}  // namespace playback
