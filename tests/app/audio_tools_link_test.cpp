// The equalizer window reached through the main window's keys and menu: E,
// Alt+G and the menu item show it, its own E and Esc hide it, Alt+Up/Down
// step the pre-amplification while it is hidden, and its sliders reach the
// player's sound chain at once.
#include "app/audio_tools_link.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "audio/dc_amplify.h"
#include "audio/processing_chain.h"
#include "audio/window/equalizer_window.h"
#include "tests/app/player_link_fixture.h"

namespace app {
namespace {

namespace fs = std::filesystem;

class AudioToolsTest : public PlayerLinkTest {
 protected:
  AudioToolsTest() {
    settings_.RememberMovieSettings = false;
    startPlayer();
    adapter_->hooks().keyPressed = [this](int key, Qt::KeyboardModifiers modifiers) {
      passedOn_.push_back({key, int(modifiers)});
    };
    adapter_->hooks().menuCommand = [this](ui::MenuCommand command) {
      menusPassedOn_.push_back(command);
    };
    link_ = std::make_unique<AudioToolsLink>(*adapter_, *player_, settings_,
                                             (folder_ / "Presets.EQ").string());
  }
  ~AudioToolsTest() override { link_.reset(); }
  eqwindow::TfrmEqualizer& window() { return link_->equalizerWindow(); }
  audio::ProcessingChain& chain() { return *player_->audioChain(); }

  std::unique_ptr<AudioToolsLink> link_;
  std::vector<std::pair<int, int>> passedOn_;
  std::vector<ui::MenuCommand> menusPassedOn_;
};

TEST_F(AudioToolsTest, TheKeysAndTheMenuItemShowTheWindowItsOwnKeysHideIt) {
  ui::MainWindowPlayback& a = *adapter_;
  const struct {
    const char* how;
    std::function<void()> open;
  } rows[] = {
      {"E", [&a] { a.keyPressed(Qt::Key_E, Qt::NoModifier); }},
      {"Alt+G", [&a] { a.keyPressed(Qt::Key_G, Qt::AltModifier); }},
      {"menu", [&a] { a.menuCommand(ui::MenuCommand::Equalizer); }},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.how);
    ASSERT_FALSE(window().isVisible());
    r.open();
    EXPECT_TRUE(window().isVisible());
    // Asked again while it shows, it stays and comes to the front.
    r.open();
    EXPECT_TRUE(window().isVisible());
    QTest::keyClick(&window(), Qt::Key_E);
    EXPECT_FALSE(window().isVisible());
  }
  adapter_->keyPressed(Qt::Key_E, Qt::NoModifier);
  QTest::keyClick(&window(), Qt::Key_Escape);
  EXPECT_FALSE(window().isVisible());
  // Other combinations of the same keys and other items are not the window's.
  adapter_->keyPressed(Qt::Key_G, Qt::ShiftModifier);
  adapter_->keyPressed(Qt::Key_E, Qt::ControlModifier);
  adapter_->menuCommand(ui::MenuCommand::About);
  EXPECT_FALSE(window().isVisible());
  EXPECT_TRUE(passedOn_.empty());  // a picture move without a movie, and no row
  EXPECT_EQ(menusPassedOn_, std::vector<ui::MenuCommand>{ui::MenuCommand::About});
  // Keys the window does not use itself reach the player's dispatch.
  adapter_->keyPressed(Qt::Key_E, Qt::NoModifier);
  QTest::keyClick(&window(), Qt::Key_Return);
  EXPECT_EQ(passedOn_.back(), (std::pair<int, int>{Qt::Key_Return, Qt::NoModifier}));
}

TEST_F(AudioToolsTest, ShowingPlacesTheWindowInsideTheWorkAreaAndExitStoresIt) {
  settings_.EqualizerXPosition = -5000;
  settings_.EqualizerYPosition = 100000;
  link_->showEqualizer();
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(area.contains(window().geometry())) << window().x() << "," << window().y();
  // Moved off the screen while it shows, E brings it back.
  window().move(area.right() + 300, area.top() + 10);
  adapter_->keyPressed(Qt::Key_E, Qt::NoModifier);
  EXPECT_TRUE(area.contains(window().geometry())) << window().x() << "," << window().y();
  window().move(area.left() + 20, area.top() + 30);
  link_->storeSettings();
  EXPECT_TRUE(settings_.EqualizerShow);
  EXPECT_EQ(settings_.EqualizerXPosition, area.left() + 20);
  EXPECT_EQ(settings_.EqualizerYPosition, area.top() + 30);
  window().hide();
  link_->storeSettings();
  EXPECT_FALSE(settings_.EqualizerShow);
}

TEST_F(AudioToolsTest, SlidersAndPreAmplificationKeysReachTheSoundChainLive) {
  // The chain exists from the start, before any movie opened, so the
  // stored sliders reach it at start-up.
  ASSERT_NE(player_->audioChain(), nullptr);
  settings_.EqualizerSettings = {10, -100, 0, 0, 0, 0, 0, 0, 0, 0, 100};
  link_->applySettings();
  EXPECT_EQ(chain().amplify().getChannelGain(0), audio::preAmplificationGain(10));
  EXPECT_EQ(chain().equalizer().getBinGain(0, 0), 100);      // band 0: bins 0-2, +20 dB
  EXPECT_EQ(chain().equalizer().getBinGain(0, 1023), -100);  // band 9: bins 559-1023
  EXPECT_EQ(window().slider(1), -100);

  // A slider moved in the window changes the sound at once.
  window().setSlider(5, -40);
  EXPECT_EQ(chain().equalizer().getBinGain(0, 29), 40);  // band 4: bins 29-47
  EXPECT_EQ(settings_.EqualizerSettings[5], -40);

  // Alt+Up and Alt+Down step the pre-amplification by 5 with the window
  // hidden; each step shows its message.
  ASSERT_FALSE(window().isVisible());
  const struct {
    int key;
    int slider;
    const char* message;
  } rows[] = {{Qt::Key_Up, 5, "Preamplification: -1"},
              {Qt::Key_Up, 0, "Preamplification: 0"},
              {Qt::Key_Up, -5, "Preamplification: 1"},
              {Qt::Key_Down, 0, "Preamplification: 0"}};
  for (const auto& r : rows) {
    adapter_->keyPressed(r.key, Qt::AltModifier);
    EXPECT_EQ(settings_.EqualizerSettings[0], r.slider);
    EXPECT_EQ(chain().amplify().getChannelGain(0), audio::preAmplificationGain(r.slider));
    EXPECT_EQ(player_->osd().message(), r.message);
  }
  EXPECT_TRUE(passedOn_.empty());
  // Plain Up and Down stay the volume keys.
  settings_.AudioVolume = 10;
  adapter_->keyPressed(Qt::Key_Up, Qt::NoModifier);
  EXPECT_EQ(settings_.AudioVolume, 11);
  EXPECT_TRUE(passedOn_.empty());
  EXPECT_EQ(settings_.EqualizerSettings[0], 0);
}

}  // namespace
}  // namespace app
