#pragma once
// The picture commands of the menu and keys (aspect ratio, pan in and out,
// automatic pan-scan, picture position) applied to the video window: the
// geometry module decides, this code carries the result to the screen.
// Interface thread only.
#include <QWidget>

#include <optional>

#include "playback/player.h"
#include "ui/main_window_commands.h"
#include "video/picture_commands.h"

namespace app {

class PictureCommandsLink {
 public:
  // All references must outlive the link.
  PictureCommandsLink(playback::Player& player, settings::Settings& settings, QWidget& video);

  // True when the menu command is a picture command (it then ran).
  bool menuCommand(ui::MenuCommand command);
  // True when the key is a picture key (it then ran).
  bool key(int key, Qt::KeyboardModifiers modifiers);

 private:
  video::PlayerView view() const;
  void apply(const video::PictureCommandResult& result);
  void ratio(video::RatioItem item);
  void panIn(bool in);

  playback::Player& player_;
  settings::Settings& settings_;
  QWidget& video_;
};

}  // namespace app
