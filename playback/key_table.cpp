#include "playback/key_table.h"

#include <iterator>

namespace playback {

namespace {

using C = KeyCommand;

constexpr int kAny = -1;  // the row takes the key with any modifiers

// When a row's command may run.
enum class Guard {
  Always,
  NotBusy,
  // Transport, moves, next/previous and closing the movie: an open runs
  // asynchronously, so these wait for it as they wait for a command.
  NotBusyOrOpening,
  NotOpening,
  MovieOpen,
  StartOrEnd,  // as NotBusyOrOpening, and not while a playlist list has the focus (it takes
               // Home/End)
  StopKey,     // as NotBusyOrOpening, and only while the Stop button is enabled
  PlayKey,     // as NotBusyOrOpening, and only while the Play button is not down
  PauseKey,    // not while opening, and only while the Pause button is not down
};

struct Row {
  Key key;
  int modifiers;  // exact KeyModifier bits, or kAny
  KeyAction action;
  Guard guard;
};

constexpr Row kKeyTable[] = {
    {Key::Backspace, kCtrl, {C::FastRewind}, Guard::NotBusyOrOpening},
    {Key::Comma, kCtrl, {C::FastRewind}, Guard::NotBusyOrOpening},
    {Key::Backspace, kNoModifier, {C::Rewind}, Guard::NotBusyOrOpening},
    {Key::Comma, kNoModifier, {C::Rewind}, Guard::NotBusyOrOpening},
    {Key::Backspace, kAlt, {C::SubtitleTime, -500}, Guard::Always},
    {Key::Comma, kAlt, {C::SubtitleTime, -500}, Guard::Always},
    {Key::Period, kCtrl, {C::FastForward}, Guard::NotBusyOrOpening},
    {Key::Period, kNoModifier, {C::Forward}, Guard::NotBusyOrOpening},
    {Key::Period, kAlt, {C::SubtitleTime, 500}, Guard::Always},
    {Key::BracketLeft, kNoModifier, {C::SubtitleTime, -500}, Guard::Always},
    {Key::BracketRight, kNoModifier, {C::SubtitleTime, 500}, Guard::Always},
    {Key::Enter, kAlt, {C::FullScreen}, Guard::Always},
    {Key::Enter, kNoModifier, {C::ZoomCycle}, Guard::Always},
    {Key::Space, kNoModifier, {C::PlayPause}, Guard::NotOpening},
    {Key::End, kNoModifier, {C::GoToEnd}, Guard::StartOrEnd},
    {Key::Home, kNoModifier, {C::GoToStart}, Guard::StartOrEnd},
    {Key::D0, kAny, {C::WindowSize, 100}, Guard::Always},
    {Key::Num0, kAny, {C::WindowSize, 100}, Guard::Always},
    {Key::D1, kAlt, {C::ActivateBookmark, 1}, Guard::NotBusy},
    {Key::D2, kAlt, {C::ActivateBookmark, 2}, Guard::NotBusy},
    {Key::D3, kAlt, {C::ActivateBookmark, 3}, Guard::NotBusy},
    {Key::D4, kAlt, {C::ActivateBookmark, 4}, Guard::NotBusy},
    {Key::D5, kAlt, {C::ActivateBookmark, 5}, Guard::NotBusy},
    {Key::D6, kAlt, {C::ActivateBookmark, 6}, Guard::NotBusy},
    {Key::D7, kAlt, {C::ActivateBookmark, 7}, Guard::NotBusy},
    {Key::D8, kAlt, {C::ActivateBookmark, 8}, Guard::NotBusy},
    {Key::D9, kAlt, {C::ActivateBookmark, 9}, Guard::NotBusy},
    {Key::D1, kCtrl, {C::AspectRatio, 1}, Guard::NotBusy},
    {Key::D2, kCtrl, {C::AspectRatio, 2}, Guard::NotBusy},
    {Key::D3, kCtrl, {C::AspectRatio, 3}, Guard::NotBusy},
    {Key::D4, kCtrl, {C::AspectRatio, 4}, Guard::NotBusy},
    {Key::D5, kCtrl, {C::AspectRatio, 5}, Guard::NotBusy},
    {Key::D1, kNoModifier, {C::WindowSize, 50}, Guard::NotBusy},
    {Key::D2, kNoModifier, {C::WindowSize, 100}, Guard::NotBusy},
    {Key::D3, kNoModifier, {C::WindowSize, 200}, Guard::NotBusy},
    {Key::D8, kShift, {C::AutomaticPanScan}, Guard::NotBusy},
    {Key::A, kNoModifier, {C::CustomAspectRatio}, Guard::Always},
    {Key::B, kNoModifier, {C::NextMovie}, Guard::NotBusyOrOpening},
    {Key::C, kAlt, {C::CaptureFrame}, Guard::Always},
    {Key::C, kCtrl, {C::ColorControl}, Guard::Always},
    {Key::C, kShift, {C::ClearBookmarks}, Guard::Always},
    {Key::C, kNoModifier, {C::Pause}, Guard::PauseKey},
    {Key::E, kNoModifier, {C::Equalizer}, Guard::Always},
    {Key::E, kAlt, {C::Playlist}, Guard::Always},
    {Key::F, kNoModifier, {C::FullScreen}, Guard::Always},
    {Key::F, kCtrl, {C::SubtitleFont}, Guard::Always},
    {Key::G, kAlt, {C::Equalizer}, Guard::Always},
    {Key::G, kShift, {C::MovePictureLeft}, Guard::MovieOpen},
    {Key::J, kShift, {C::MovePictureRight}, Guard::MovieOpen},
    {Key::J, kCtrl, {C::JumpToTime}, Guard::Always},
    {Key::H, kShift, {C::CenterPicture}, Guard::MovieOpen},
    {Key::F12, kShift, {C::CenterPicture}, Guard::MovieOpen},
    {Key::H, kNoModifier, {C::FocusSwitch}, Guard::Always},
    {Key::F12, kNoModifier, {C::FocusSwitch}, Guard::Always},
    {Key::I, kNoModifier, {C::Clock}, Guard::Always},
    {Key::I, kAlt, {C::AddBookmark}, Guard::Always},
    {Key::L, kCtrl, {C::LoadSubtitle}, Guard::Always},
    {Key::M, kNoModifier, {C::MovieMode}, Guard::Always},
    {Key::M, kAlt, {C::Mute}, Guard::Always},
    {Key::M, kCtrl, {C::Minimize}, Guard::Always},
    {Key::N, kShift, {C::MovePictureDown}, Guard::MovieOpen},
    {Key::Y, kShift, {C::MovePictureUp}, Guard::MovieOpen},
    {Key::O, kCtrl, {C::OpenMovie}, Guard::Always},
    {Key::P, kCtrl, {C::Configuration}, Guard::Always},
    {Key::P, kNoModifier, {C::CustomPanScan}, Guard::Always},
    {Key::P, kAlt, {C::ActivatePlaylist}, Guard::Always},
    {Key::Q, kNoModifier, {C::QuickInfo}, Guard::Always},
    {Key::R, kNoModifier, {C::RepeatCycle}, Guard::Always},
    {Key::S, kNoModifier, {C::SubtitlesOnOff}, Guard::Always},
    {Key::T, kNoModifier, {C::AlwaysOnTop}, Guard::Always},
    {Key::T, kCtrl, {C::PowerOffAfterPlay}, Guard::Always},
    {Key::V, kNoModifier, {C::Stop}, Guard::StopKey},
    {Key::X, kNoModifier, {C::Play}, Guard::PlayKey},
    {Key::X, kAlt, {C::ClosePlayer}, Guard::Always},
    {Key::Z, kNoModifier, {C::PreviousMovie}, Guard::NotBusyOrOpening},
    {Key::Num2, kNoModifier, {C::MovePictureDown}, Guard::MovieOpen},
    {Key::Num4, kNoModifier, {C::MovePictureLeft}, Guard::MovieOpen},
    {Key::Num5, kNoModifier, {C::CenterPicture}, Guard::MovieOpen},
    {Key::Num6, kNoModifier, {C::MovePictureRight}, Guard::MovieOpen},
    {Key::Num8, kNoModifier, {C::MovePictureUp}, Guard::MovieOpen},
    {Key::NumMultiply, kNoModifier, {C::AutomaticPanScan}, Guard::Always},
    {Key::NumPlus, kNoModifier, {C::PanIn}, Guard::Always},
    {Key::Equal, kShift, {C::PanIn}, Guard::Always},
    {Key::NumMinus, kNoModifier, {C::PanOut}, Guard::Always},
    {Key::Minus, kNoModifier, {C::PanOut}, Guard::Always},
    {Key::F1, kNoModifier, {C::KeyDefinitions}, Guard::Always},
    {Key::F1, kCtrl, {C::About}, Guard::Always},
    {Key::F4, kCtrl, {C::CloseMovie}, Guard::NotBusyOrOpening},
    {Key::F6, kNoModifier, {C::MovieInfo}, Guard::Always},
    // Taken with any modifiers, so that F10 never opens a window menu.
    {Key::F10, kAny, {C::Playlist}, Guard::Always},
    {Key::Slash, kNoModifier, {C::TimesFrames}, Guard::Always},
};

constexpr Row kSpecialTable[] = {
    {Key::Escape, kNoModifier, {C::Escape}, Guard::Always},
    {Key::Left, kCtrl, {C::FastRewind}, Guard::NotBusyOrOpening},
    {Key::Left, kNoModifier, {C::Rewind}, Guard::NotBusyOrOpening},
    {Key::Left, kAlt, {C::SubtitleTime, -500}, Guard::Always},
    {Key::Left, kShift | kAlt, {C::SubtitleTime, -10000}, Guard::Always},
    {Key::Right, kCtrl, {C::FastForward}, Guard::NotBusyOrOpening},
    {Key::Right, kNoModifier, {C::Forward}, Guard::NotBusyOrOpening},
    {Key::Right, kAlt, {C::SubtitleTime, 500}, Guard::Always},
    {Key::Right, kShift | kAlt, {C::SubtitleTime, 10000}, Guard::Always},
    {Key::Up, kNoModifier, {C::VolumeUp}, Guard::Always},
    {Key::Up, kCtrl, {C::SubtitleSizeUp}, Guard::Always},
    {Key::Up, kShift, {C::SubtitleUp}, Guard::Always},
    {Key::Up, kAlt, {C::PreAmplificationUp}, Guard::Always},
    {Key::Down, kNoModifier, {C::VolumeDown}, Guard::Always},
    {Key::Down, kCtrl, {C::SubtitleSizeDown}, Guard::Always},
    {Key::Down, kShift, {C::SubtitleDown}, Guard::Always},
    {Key::Down, kAlt, {C::PreAmplificationDown}, Guard::Always},
};

template <size_t N>
const Row* findRow(const Row (&table)[N], KeyPress press) {
  const unsigned held = press.modifiers & (kShift | kCtrl | kAlt);
  for (const Row& row : table)
    if (row.key == press.key && (row.modifiers == kAny || unsigned(row.modifiers) == held))
      return &row;
  return nullptr;
}

bool allowed(const Row& row, const KeyState& s) {
  const bool idle = !s.Busy && !s.OpeningBusy;
  switch (row.guard) {
    case Guard::Always:
      return true;
    case Guard::NotBusy:
      return !s.Busy;
    case Guard::NotBusyOrOpening:
      return idle;
    case Guard::NotOpening:
      return !s.OpeningBusy;
    case Guard::MovieOpen:
      return s.MovieOpen;
    case Guard::StartOrEnd:
      return idle && !s.PlaylistListFocused;
    case Guard::StopKey:
      return idle && s.StopEnabled;
    case Guard::PlayKey:
      return idle && !s.PlayDown;
    case Guard::PauseKey:
      return !s.OpeningBusy && !s.PauseDown;
  }
  return false;
}

// The commands whose meaning depends on the state.
std::optional<KeyAction> resolve(KeyAction action, const KeyState& s) {
  switch (action.command) {
    case C::PlayPause:
      if (s.MovieOpen && s.PlayDown && !s.PauseDown) return KeyAction{C::Pause};
      if (!s.PlayDown) return KeyAction{C::Play};
      return std::nullopt;
    case C::FocusSwitch:
      if (s.FullScreen) return KeyAction{s.MainRaised ? C::ActivateMainWindow : C::RaiseMainWindow};
      if (!s.VideoShowing) return KeyAction{C::FocusMainWindow};
      if (s.VideoFocused) return KeyAction{C::FocusMainWindow};
      if (s.MainFocused) return KeyAction{C::FocusVideoWindow};
      return std::nullopt;
    case C::Escape:
      if (s.FullScreen) return KeyAction{s.MainRaised ? C::LeaveFullScreen : C::RaiseMainWindow};
      if (s.VideoShowing) return KeyAction{C::FocusVideoWindow};
      return std::nullopt;
    default:
      return action;
  }
}

template <size_t N>
std::optional<KeyAction> lookUp(const Row (&table)[N], KeyPress press, const KeyState& state) {
  const Row* row = findRow(table, press);
  if (!row || !allowed(*row, state)) return std::nullopt;
  return resolve(row->action, state);
}

}  // namespace

bool isSpecialKey(Key key) {
  return key == Key::Escape || key == Key::Left || key == Key::Right || key == Key::Up ||
         key == Key::Down;
}

std::optional<KeyAction> keyRow(KeyPress press) {
  const Row* row =
      isSpecialKey(press.key) ? findRow(kSpecialTable, press) : findRow(kKeyTable, press);
  if (!row) return std::nullopt;
  return row->action;
}

std::optional<KeyAction> DispatchKey(KeyPress press, const KeyState& state) {
  return lookUp(kKeyTable, press, state);
}

std::optional<KeyAction> SpecialKeyExecute(KeyPress press, const KeyState& state) {
  return lookUp(kSpecialTable, press, state);
}

std::optional<KeyAction> routeKey(KeyWindow window, KeyPress press, const KeyState& state) {
  if (window == KeyWindow::Main && press.key == Key::ContextMenu) return KeyAction{C::ContextMenu};
  if (window == KeyWindow::Video && press.key == Key::F4 && press.modifiers == kAlt &&
      state.FullScreen)
    return KeyAction{C::ClosePlayer};
  // Enter in the playlist plays the selected entry there; it is not also the
  // zoom cycle (or, with Alt, full screen).
  const bool playlist = window == KeyWindow::Playlist || window == KeyWindow::PlaylistList;
  if (playlist && press.key == Key::Enter) return std::nullopt;
  if (isSpecialKey(press.key)) {
    // The playlist's lists move their selection with the arrows, and the
    // playlist window closes itself on Esc.
    if (playlist) return std::nullopt;
    return SpecialKeyExecute(press, state);
  }
  return DispatchKey(press, state);
}

}  // namespace playback
