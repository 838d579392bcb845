#include "app/remote_commands.h"

#include <iterator>

namespace app {

namespace {

using C = ui::MenuCommand;
using T = RemoteTarget;

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kAlt = Qt::AltModifier;
constexpr Qt::KeyboardModifiers kNum = Qt::KeypadModifier;

constexpr RemoteAction key(int k, Qt::KeyboardModifiers m = kNone) {
  return {T::Key, k, m, C::OpenMovie};
}
constexpr RemoteAction menu(C command) {
  return {T::Menu, 0, kNone, command};
}
constexpr RemoteAction to(T target, int k = 0, Qt::KeyboardModifiers m = kNone) {
  return {target, k, m, C::OpenMovie};
}

// Row i is code i + 1.
constexpr RemoteAction kActions[] = {
    key(Qt::Key_O, kCtrl),                     // 1 open movies
    key(Qt::Key_L, kCtrl),                     // 2 load subtitle
    key(Qt::Key_X),                            // 3 play
    key(Qt::Key_C),                            // 4 pause
    key(Qt::Key_Space),                        // 5 play/pause
    key(Qt::Key_V),                            // 6 stop
    key(Qt::Key_Z),                            // 7 previous movie
    key(Qt::Key_B),                            // 8 next movie
    key(Qt::Key_Comma),                        // 9 rewind
    key(Qt::Key_Period),                       // 10 forward
    key(Qt::Key_Comma, kCtrl),                 // 11 fast rewind
    key(Qt::Key_Period, kCtrl),                // 12 fast forward
    key(Qt::Key_R),                            // 13 repeat mode
    key(Qt::Key_Up),                           // 14 volume up
    key(Qt::Key_Down),                         // 15 volume down
    to(T::EqualizerKey, Qt::Key_Up),           // 16 pre-amplification up
    to(T::EqualizerKey, Qt::Key_Down),         // 17 pre-amplification down
    key(Qt::Key_F),                            // 18 full screen
    key(Qt::Key_Up, kCtrl),                    // 19 subtitle size up
    key(Qt::Key_Down, kCtrl),                  // 20 subtitle size down
    key(Qt::Key_Up, kShift),                   // 21 subtitle up
    key(Qt::Key_Down, kShift),                 // 22 subtitle down
    key(Qt::Key_Plus, kNum),                   // 23 pan in
    key(Qt::Key_Minus, kNum),                  // 24 pan out
    key(Qt::Key_0, kNum),                      // 25 window size 100 %
    key(Qt::Key_Asterisk, kNum),               // 26 automatic pan-scan
    key(Qt::Key_8, kNum),                      // 27 picture up
    key(Qt::Key_2, kNum),                      // 28 picture down
    key(Qt::Key_6, kNum),                      // 29 picture right
    key(Qt::Key_4, kNum),                      // 30 picture left
    key(Qt::Key_5, kNum),                      // 31 picture centred
    to(T::Minimize),                           // 32
    key(Qt::Key_M, kAlt),                      // 33 mute
    menu(C::AspectOriginal),                   // 34
    menu(C::Aspect16x9),                       // 35
    menu(C::Aspect4x3),                        // 36
    menu(C::Aspect1x1),                        // 37
    menu(C::AspectFree),                       // 38
    key(Qt::Key_M),                            // 39 movie mode
    to(T::ColorKey, Qt::Key_Right),            // 40 brightness up
    to(T::ColorKey, Qt::Key_Left),             // 41 brightness down
    key(Qt::Key_I, kAlt),                      // 42 add bookmark
    key(Qt::Key_C, kAlt),                      // 43 capture frame
    key(Qt::Key_1, kAlt),                      // 44 bookmark 1
    key(Qt::Key_2, kAlt),                      // 45
    key(Qt::Key_3, kAlt),                      // 46
    key(Qt::Key_4, kAlt),                      // 47
    key(Qt::Key_5, kAlt),                      // 48
    key(Qt::Key_6, kAlt),                      // 49
    key(Qt::Key_7, kAlt),                      // 50
    key(Qt::Key_8, kAlt),                      // 51
    key(Qt::Key_9, kAlt),                      // 52 bookmark 9
    key(Qt::Key_Home),                         // 53 go to start
    key(Qt::Key_End),                          // 54 go to end
    to(T::TogglePlaylist),                     // 55
    key(Qt::Key_H),                            // 56 focus between main and video window
    key(Qt::Key_Period, kAlt),                 // 57 subtitle time +0.5 s
    key(Qt::Key_Comma, kAlt),                  // 58 subtitle time -0.5 s
    menu(C::DisableSubtitle),                  // 59 subtitles on/off
    key(Qt::Key_T, kCtrl),                     // 60 power-off after playback
    key(Qt::Key_T),                            // 61 always on top
    key(Qt::Key_Q),                            // 62 quick time/frame information
    menu(C::WindowSize50),                     // 63
    menu(C::WindowSize200),                    // 64
    to(T::PlaylistKey, Qt::Key_Up),            // 65 selection up
    to(T::PlaylistKey, Qt::Key_Down),          // 66 selection down
    to(T::PlaylistKey, Qt::Key_Return),        // 67 play the selected entry
    to(T::PlaylistKey, Qt::Key_Up, kAlt),      // 68 move it up
    to(T::PlaylistKey, Qt::Key_Down, kAlt),    // 69 move it down
    to(T::PlaylistKey, Qt::Key_Delete, kAlt),  // 70 remove it
    menu(C::DynamicAmplification),             // 71
    key(Qt::Key_Return),                       // 72 zoom cycle
    key(Qt::Key_Slash),                        // 73 times or frames
};
static_assert(std::size(kActions) == 73, "one row per code 1..73");

}  // namespace

RemoteAction remoteAction(int code) {
  if (code < 1 || code > static_cast<int>(std::size(kActions))) return {};
  return kActions[code - 1];
}

std::optional<DialogKey> dialogKey(int code, bool fileDialog) {
  switch (code) {
    case 3:
      return DialogKey{Qt::Key_Return, kNone};
    case 4:
      return DialogKey{fileDialog ? Qt::Key_Backspace : Qt::Key_Escape, kNone};
    case 6:
      return DialogKey{Qt::Key_Escape, kNone};
    case 7:
      return DialogKey{Qt::Key_Up, kNone};
    case 8:
      return DialogKey{Qt::Key_Down, kNone};
    case 9:
      return fileDialog ? DialogKey{Qt::Key_Backtab, kShift} : DialogKey{Qt::Key_Left, kNone};
    case 10:
      return DialogKey{fileDialog ? Qt::Key_Tab : Qt::Key_Right, kNone};
    default:
      return std::nullopt;
  }
}

}  // namespace app
