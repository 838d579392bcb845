#pragma once
// What the tests of the links between the player and its windows start from:
// a real player with null audio, its files in a folder of its own that is
// removed afterwards, and the main window's adapter over it. A fixture sets
// settings_ as it needs, calls startPlayer(), then builds its link; it resets
// the link (and deletes its windows) in its own destructor, before this one
// shuts the player down.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <system_error>

#include "settings/settings.h"
#include "texts/interface_texts.h"
#include "playback/player.h"
#include "ui/main_window_playback.h"

namespace app {

class PlayerLinkTest : public ::testing::Test {
 protected:
  PlayerLinkTest() {
    char pattern[] = "/tmp/tarvelino-link-XXXXXX";
    if (mkdtemp(pattern)) folder_ = pattern;
  }
  ~PlayerLinkTest() override {
    if (player_) player_->shutDown();
    adapter_.reset();
    player_.reset();
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  void startPlayer() {
    player_ = std::make_unique<playback::Player>(
        settings_, texts::builtInTexts(),
        playback::PlayerOptions{
            .programName = "Tarvelino", .dataFolder = folder_.string() + "/", .nullAudio = true});
    adapter_ = std::make_unique<ui::MainWindowPlayback>(player_->controller(), player_->engine(),
                                                        player_->state(), settings_);
  }

  std::filesystem::path folder_;
  settings::Settings settings_;
  std::unique_ptr<playback::Player> player_;
  std::unique_ptr<ui::MainWindowPlayback> adapter_;
};

}  // namespace app
