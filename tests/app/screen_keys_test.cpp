// Which keys the full-screen and window-size commands take from the main
// window's key handlers, wired as the program wires them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>

#include <memory>
#include <string>
#include <vector>

#include "app/screen_commands_link.h"
#include "tests/app/player_link_fixture.h"
#include "ui/main_window.h"
#include "ui/videowindow/video_playback.h"

namespace app {
namespace {

class ScreenKeysTest : public PlayerLinkTest {
 protected:
  ScreenKeysTest() {
    settings_.RememberMovieSettings = false;
    startPlayer();
    video_ = std::make_unique<ui::VideoPlayback>(*player_, settings_, "Tarvelino");
    window_ = new ui::TfrmMain(settings_, texts::builtInTexts(), *adapter_);
    adapter_->attach(window_);
    link_ = std::make_unique<ScreenCommandsLink>(*player_, settings_, *window_, video_->window(),
                                                 nullptr);
    adapter_->hooks().keyPressed = [this](int key, Qt::KeyboardModifiers) {
      passedOn_.push_back(key);
    };
    auto playerKey = adapter_->hooks().keyPressed;
    adapter_->hooks().keyPressed = [this, playerKey](int key, Qt::KeyboardModifiers m) {
      if (!link_->key(key, m)) playerKey(key, m);
    };
  }
  ~ScreenKeysTest() override {
    link_.reset();
    delete window_.data();
    video_.reset();
  }

  std::unique_ptr<ui::VideoPlayback> video_;
  QPointer<ui::TfrmMain> window_;
  std::unique_ptr<ScreenCommandsLink> link_;
  std::vector<int> passedOn_;
};

// Keypad digits move the picture of an open movie (the player's key handlers
// get them; Num 1 and Num 3 have no row); the plain digits and F are screen
// commands, and Esc outside full screen with the video hidden does nothing.
TEST_F(ScreenKeysTest, KeypadDigitsReachThePictureMovesPlainDigitsDoNot) {
  adapter_->hooks().keyState = [](playback::KeyState& s) { s.MovieOpen = true; };
  const struct {
    int key;
    Qt::KeyboardModifiers modifiers;
    bool passedOn;
  } rows[] = {
      {Qt::Key_1, Qt::KeypadModifier, false},  {Qt::Key_2, Qt::KeypadModifier, true},
      {Qt::Key_3, Qt::KeypadModifier, false},  {Qt::Key_8, Qt::KeypadModifier, true},
      {Qt::Key_1, Qt::NoModifier, false},      {Qt::Key_2, Qt::NoModifier, false},
      {Qt::Key_3, Qt::NoModifier, false},      {Qt::Key_0, Qt::KeypadModifier, false},
      {Qt::Key_Escape, Qt::NoModifier, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.key << " " << row.modifiers.toInt());
    passedOn_.clear();
    adapter_->keyPressed(row.key, row.modifiers);
    EXPECT_EQ(passedOn_, row.passedOn ? std::vector<int>{row.key} : std::vector<int>{});
  }
}

}  // namespace
}  // namespace app
