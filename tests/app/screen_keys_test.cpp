// Which keys the full-screen and window-size commands take from the main
// window's key handlers, wired as the program wires them.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>

#include <memory>
#include <string>
#include <vector>

#include "app/keys_link.h"
#include "app/screen_commands_link.h"
#include "tests/app/player_link_fixture.h"
#include "ui/main_window.h"
#include "ui/videowindow/video_playback.h"
#include "ui/window_drag.h"

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

// In full screen the main window is kept disabled behind the video on its
// monitor; the first Esc raises it, the second leaves full screen, which
// enables it again and gives the video window back its "Always on Top".
TEST_F(ScreenKeysTest, EscRaisesTheMainWindowThenLeavesFullScreen) {
  settings_.AutoHideMainWindow = true;
  ui::registerPlayerWindow(&video_->window());
  ui::setPlayerWindowsOnTop(true);
  video_->window().setGeometry(100, 100, 320, 240);
  video_->window().show();
  window_->move(20, 20);
  window_->show();
  ASSERT_TRUE(link_->menuCommand(ui::MenuCommand::Fullscreen));
  ASSERT_TRUE(link_->fullScreen().active());
  EXPECT_FALSE(window_->isEnabled());
  EXPECT_FALSE(link_->fullScreen().mainWindowRaised());
  // Something dropped the hint while full screen (a window manager may).
  video_->window().setWindowFlag(Qt::WindowStaysOnTopHint, false);
  video_->window().show();
  // Esc reaches the screen through the key table's link, as in the program.
  KeysLink keys(*adapter_, *player_, settings_, window_, *video_, *link_);
  adapter_->hooks().videoFullScreen = [this] { return video_->window().fullScreen(); };

  adapter_->keyPressed(Qt::Key_Escape, Qt::NoModifier);
  EXPECT_TRUE(link_->fullScreen().active());
  EXPECT_TRUE(link_->fullScreen().mainWindowRaised());
  EXPECT_FALSE(window_->isEnabled());  // shows, takes no input there
  EXPECT_EQ(player_->state().SettingsChangeScore, 0);
  adapter_->keyPressed(Qt::Key_Escape, Qt::NoModifier);
  EXPECT_FALSE(link_->fullScreen().active());
  EXPECT_TRUE(window_->isEnabled());
  EXPECT_EQ(video_->window().geometry(), QRect(100, 100, 320, 240));
  EXPECT_TRUE(video_->window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(video_->window().isVisible());
  ui::setPlayerWindowsOnTop(false);
  // Outside full screen Esc only focuses the video and stays in full
  // screen's hands no more.
  passedOn_.clear();
  adapter_->keyPressed(Qt::Key_Escape, Qt::NoModifier);
  EXPECT_FALSE(link_->fullScreen().active());
  EXPECT_TRUE(passedOn_.empty());
}

// One monitor: the "Send window to" submenu is not shown at all.
TEST_F(ScreenKeysTest, SendWindowToHiddenWithOneMonitor) {
  ASSERT_EQ(QGuiApplication::screens().size(), 1);
  QMenu* send = window_->submenu(ui::MainSubmenu::SendWindowTo);
  ASSERT_NE(send, nullptr);
  video_->window().show();
  link_->refreshMonitorMenu();
  EXPECT_FALSE(send->menuAction()->isVisible());
  EXPECT_TRUE(send->actions().isEmpty());
}

}  // namespace
}  // namespace app
