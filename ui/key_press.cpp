#include "ui/key_press.h"

#include "ui/command_table.h"

namespace ui {

using playback::Key;

playback::KeyPress keyPressOf(int key, Qt::KeyboardModifiers modifiers) {
  playback::KeyPress press;
  if (modifiers & Qt::ShiftModifier) press.modifiers |= playback::kShift;
  if (modifiers & Qt::ControlModifier) press.modifiers |= playback::kCtrl;
  if (modifiers & Qt::AltModifier) press.modifiers |= playback::kAlt;
  const bool keypad = modifiers & Qt::KeypadModifier;
  if (key >= Qt::Key_A && key <= Qt::Key_Z) {
    press.key = Key(int(Key::A) + (key - Qt::Key_A));
  } else if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    press.key = Key(int(keypad ? Key::Num0 : Key::D0) + (key - Qt::Key_0));
  } else {
    switch (key) {
      case Qt::Key_Asterisk:
        press.key = keypad ? Key::NumMultiply : Key::D8;
        if (!keypad) press.modifiers |= playback::kShift;
        break;
      case Qt::Key_Plus:
        press.key = keypad ? Key::NumPlus : Key::Equal;
        if (!keypad) press.modifiers |= playback::kShift;
        break;
      case Qt::Key_Minus:
        press.key = keypad ? Key::NumMinus : Key::Minus;
        break;
      case Qt::Key_Comma:
        press.key = Key::Comma;
        break;
      case Qt::Key_Period:
        press.key = Key::Period;
        break;
      case Qt::Key_BracketLeft:
        press.key = Key::BracketLeft;
        break;
      case Qt::Key_BracketRight:
        press.key = Key::BracketRight;
        break;
      case Qt::Key_Slash:
        press.key = Key::Slash;
        break;
      case Qt::Key_Equal:
        press.key = Key::Equal;
        break;
      case Qt::Key_Backspace:
        press.key = Key::Backspace;
        break;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        press.key = Key::Enter;
        break;
      case Qt::Key_Space:
        press.key = Key::Space;
        break;
      case Qt::Key_Escape:
        press.key = Key::Escape;
        break;
      case Qt::Key_Home:
        press.key = Key::Home;
        break;
      case Qt::Key_End:
        press.key = Key::End;
        break;
      case Qt::Key_Delete:
        press.key = Key::Delete;
        break;
      case Qt::Key_Left:
        press.key = Key::Left;
        break;
      case Qt::Key_Right:
        press.key = Key::Right;
        break;
      case Qt::Key_Up:
        press.key = Key::Up;
        break;
      case Qt::Key_Down:
        press.key = Key::Down;
        break;
      case Qt::Key_F1:
        press.key = Key::F1;
        break;
      case Qt::Key_F4:
        press.key = Key::F4;
        break;
      case Qt::Key_F6:
        press.key = Key::F6;
        break;
      case Qt::Key_F10:
        press.key = Key::F10;
        break;
      case Qt::Key_F12:
        press.key = Key::F12;
        break;
      case Qt::Key_Menu:
        press.key = Key::ContextMenu;
        break;
      default:
        break;
    }
  }
  return press;
}

std::optional<MenuCommand> menuCommandOf(const playback::KeyAction& action) {
  using K = playback::KeyCommand;
  using M = MenuCommand;
  switch (action.command) {
    case K::FastRewind:
      return M::FastRewind;
    case K::Rewind:
      return M::Rewind;
    case K::FastForward:
      return M::FastForward;
    case K::Forward:
      return M::Forward;
    case K::Play:
      return M::Play;
    case K::Pause:
      return M::Pause;
    case K::Stop:
      return M::Stop;
    case K::VolumeUp:
      return M::VolumeUp;
    case K::VolumeDown:
      return M::VolumeDown;
    case K::SubtitleTime:
      // The half-second shifts are menu items; the ten-second ones are keys only.
      if (action.value == -500) return M::DecreaseTime;
      if (action.value == 500) return M::IncreaseTime;
      return std::nullopt;
    case K::SubtitlesOnOff:
      return M::DisableSubtitle;
    case K::SubtitleUp:
      return M::SubtitleUp;
    case K::SubtitleDown:
      return M::SubtitleDown;
    case K::SubtitleSizeUp:
      return M::IncreaseSize;
    case K::SubtitleSizeDown:
      return M::DecreaseSize;
    case K::SubtitleFont:
      return M::SubtitleFont;
    case K::LoadSubtitle:
      return M::LoadSubtitle;
    case K::FullScreen:
      return M::Fullscreen;
    case K::MovieMode:
      return M::MovieMode;
    case K::WindowSize:
      if (action.value == 50) return M::WindowSize50;
      if (action.value == 200) return M::WindowSize200;
      return M::WindowSize100;
    case K::AspectRatio: {
      static const M items[] = {M::AspectOriginal, M::Aspect16x9, M::Aspect4x3, M::Aspect1x1,
                                M::AspectFree};
      if (action.value < 1 || action.value > 5) return std::nullopt;
      return items[action.value - 1];
    }
    case K::CustomAspectRatio:
      return M::AspectCustom;
    case K::CustomPanScan:
      return M::PanCustom;
    case K::AutomaticPanScan:
      return M::PanAutomatic;
    case K::PanIn:
      return M::PanIn;
    case K::PanOut:
      return M::PanOut;
    case K::AddBookmark:
      return M::AddBookmark;
    case K::ClearBookmarks:
      return M::ClearBookmarks;
    case K::OpenMovie:
      return M::OpenMovie;
    case K::Configuration:
      return M::Configuration;
    case K::JumpToTime:
      return M::JumpToTime;
    case K::KeyDefinitions:
      return M::KeyDefinitions;
    case K::About:
      return M::About;
    case K::Equalizer:
      return M::Equalizer;
    case K::ColorControl:
      return M::ColorControl;
    case K::Playlist:
    case K::ActivatePlaylist:
      return M::Playlist;
    case K::CaptureFrame:
      return M::CaptureFrame;
    case K::AlwaysOnTop:
      return M::AlwaysOnTop;
    case K::PowerOffAfterPlay:
      return M::TurnOffAfterPlay;
    case K::ClosePlayer:
      return M::Exit;
    default:
      return std::nullopt;
  }
}

std::optional<MenuCommand> keyCommand(int key, Qt::KeyboardModifiers modifiers) {
  const std::optional<playback::KeyAction> row = playback::keyRow(keyPressOf(key, modifiers));
  return row ? menuCommandOf(*row) : std::nullopt;
}

}  // namespace ui
