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
    {MenuCommand::JumpToTime, true},
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
    {MenuCommand::SubtitleFont, true},
    {MenuCommand::DisableSubtitle, true},
    {MenuCommand::DecreaseTime, true},
    {MenuCommand::IncreaseTime, true},
    {MenuCommand::SubtitleUp, true},
    {MenuCommand::SubtitleDown, true},
    {MenuCommand::IncreaseSize, true},
    {MenuCommand::DecreaseSize, true},
    {MenuCommand::Configuration, true},
    {MenuCommand::KeyDefinitions, true},
    {MenuCommand::Playlist, true},
    {MenuCommand::AlwaysOnTop, true},
    {MenuCommand::About, true},
    {MenuCommand::TurnOffAfterPlay, true},
    {MenuCommand::Exit, true},
};
static_assert(std::size(kCommands) == static_cast<size_t>(MenuCommand::Exit) + 1,
              "one row per menu command");

}  // namespace

bool commandBuilt(MenuCommand command) {
  for (const CommandRow& row : kCommands)
    if (row.command == command) return row.built;
  return false;
}

}  // namespace ui
