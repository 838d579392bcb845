#include "ui/command_table.h"

namespace ui {
namespace {

struct CommandRow {
  MenuCommand command;
  bool built;
};

// Every menu command in menu order. Commands that other windows will carry
// (the playlist, equalizer, color control and configuration windows, the
// dialogs) and functions not yet built stay false until they exist.
constexpr CommandRow kCommands[] = {
    {MenuCommand::OpenMovie, true},
    {MenuCommand::LoadSubtitle, true},
    {MenuCommand::RecentFile1, true},
    {MenuCommand::RecentFile2, true},
    {MenuCommand::RecentFile3, true},
    {MenuCommand::RecentFile4, true},
    {MenuCommand::RecentFile5, true},
    {MenuCommand::ClearHistory, true},
    {MenuCommand::Play, true},
    {MenuCommand::Stop, true},
    {MenuCommand::Pause, true},
    {MenuCommand::Rewind, true},
    {MenuCommand::Forward, true},
    {MenuCommand::FastRewind, true},
    {MenuCommand::FastForward, true},
    {MenuCommand::JumpToTime, false},  // jump dialog
    {MenuCommand::AddBookmark, true},
    {MenuCommand::ClearBookmarks, true},
    {MenuCommand::Fullscreen, true},
    {MenuCommand::ColorControl, true},
    {MenuCommand::MovieMode, true},
    {MenuCommand::AspectOriginal, true},
    {MenuCommand::Aspect16x9, true},
    {MenuCommand::Aspect4x3, true},
    {MenuCommand::Aspect1x1, true},
    {MenuCommand::AspectFree, true},
    {MenuCommand::AspectCustom, true},
    {MenuCommand::PanIn, true},
    {MenuCommand::PanOut, true},
    {MenuCommand::PanAutomatic, true},
    {MenuCommand::PanCustom, true},
    {MenuCommand::WindowSize50, true},
    {MenuCommand::WindowSize100, true},
    {MenuCommand::WindowSize200, true},
    {MenuCommand::CaptureFrame, true},
    {MenuCommand::VolumeUp, true},
    {MenuCommand::VolumeDown, true},
    {MenuCommand::Equalizer, true},
    {MenuCommand::DynamicAmplification, true},
    {MenuCommand::SubtitleFont, false},  // font dialog
    {MenuCommand::DisableSubtitle, true},
    {MenuCommand::DecreaseTime, true},
    {MenuCommand::IncreaseTime, true},
    {MenuCommand::SubtitleUp, true},
    {MenuCommand::SubtitleDown, true},
    {MenuCommand::IncreaseSize, true},
    {MenuCommand::DecreaseSize, true},
    {MenuCommand::Configuration, true},
    {MenuCommand::KeyDefinitions, false},  // key definitions window
    {MenuCommand::Playlist, true},
    {MenuCommand::AlwaysOnTop, true},
    {MenuCommand::About, true},
    {MenuCommand::TurnOffAfterPlay, true},
    {MenuCommand::Exit, true},
};
static_assert(std::size(kCommands) == static_cast<size_t>(MenuCommand::Exit) + 1,
              "one row per menu command");

constexpr int kShift = Qt::ShiftModifier, kCtrl = Qt::ControlModifier, kAlt = Qt::AltModifier,
              kNum = Qt::KeypadModifier;
constexpr int kAny = -1;  // the key counts with any modifiers

struct KeyRow {
  int key;
  int modifiers;  // exactly these of Shift, Ctrl, Alt and keypad, or kAny
  MenuCommand command;
};

constexpr KeyRow kKeys[] = {
    {Qt::Key_J, kCtrl, MenuCommand::JumpToTime},
    {Qt::Key_I, kAlt, MenuCommand::AddBookmark},
    {Qt::Key_C, kShift, MenuCommand::ClearBookmarks},
    {Qt::Key_F, 0, MenuCommand::Fullscreen},
    {Qt::Key_Return, kAlt, MenuCommand::Fullscreen},
    {Qt::Key_Enter, kAlt | kNum, MenuCommand::Fullscreen},
    {Qt::Key_C, kCtrl, MenuCommand::ColorControl},
    {Qt::Key_M, 0, MenuCommand::MovieMode},
    {Qt::Key_A, 0, MenuCommand::AspectCustom},
    {Qt::Key_P, 0, MenuCommand::PanCustom},
    {Qt::Key_0, kAny, MenuCommand::WindowSize100},
    {Qt::Key_1, 0, MenuCommand::WindowSize50},
    {Qt::Key_2, 0, MenuCommand::WindowSize100},
    {Qt::Key_3, 0, MenuCommand::WindowSize200},
    {Qt::Key_C, kAlt, MenuCommand::CaptureFrame},
    {Qt::Key_E, 0, MenuCommand::Equalizer},
    {Qt::Key_G, kAlt, MenuCommand::Equalizer},
    {Qt::Key_F, kCtrl, MenuCommand::SubtitleFont},
    {Qt::Key_S, 0, MenuCommand::DisableSubtitle},
    {Qt::Key_Left, kAlt, MenuCommand::DecreaseTime},
    {Qt::Key_Comma, kAlt, MenuCommand::DecreaseTime},
    {Qt::Key_Backspace, kAlt, MenuCommand::DecreaseTime},
    {Qt::Key_BracketLeft, 0, MenuCommand::DecreaseTime},
    {Qt::Key_Right, kAlt, MenuCommand::IncreaseTime},
    {Qt::Key_Period, kAlt, MenuCommand::IncreaseTime},
    {Qt::Key_BracketRight, 0, MenuCommand::IncreaseTime},
    {Qt::Key_Up, kShift, MenuCommand::SubtitleUp},
    {Qt::Key_Down, kShift, MenuCommand::SubtitleDown},
    {Qt::Key_Up, kCtrl, MenuCommand::IncreaseSize},
    {Qt::Key_Down, kCtrl, MenuCommand::DecreaseSize},
    {Qt::Key_P, kCtrl, MenuCommand::Configuration},
    {Qt::Key_F1, 0, MenuCommand::KeyDefinitions},
    {Qt::Key_F10, kAny, MenuCommand::Playlist},
    {Qt::Key_E, kAlt, MenuCommand::Playlist},
    {Qt::Key_P, kAlt, MenuCommand::Playlist},
    {Qt::Key_T, 0, MenuCommand::AlwaysOnTop},
    {Qt::Key_T, kCtrl, MenuCommand::TurnOffAfterPlay},
};

}  // namespace

bool commandBuilt(MenuCommand command) {
  for (const CommandRow& row : kCommands)
    if (row.command == command) return row.built;
  return false;
}

std::optional<MenuCommand> keyCommand(int key, Qt::KeyboardModifiers modifiers) {
  const int held = static_cast<int>(
      modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier));
  for (const KeyRow& row : kKeys)
    if (row.key == key && (row.modifiers == kAny || row.modifiers == held)) return row.command;
  return std::nullopt;
}

}  // namespace ui
