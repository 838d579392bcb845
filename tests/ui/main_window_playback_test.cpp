// The main window wired to the playback controller over the fake engine.
#include "ui/main_window_playback.h"
#include "tests/playback/controller_fixture.h"
#include "ui/command_table.h"

#include <QCoreApplication>
#include <QTest>

#include <algorithm>

namespace {

using ui::MainButton;

class MainWindowPlaybackTest : public playback::testing::ControllerTest {
 protected:
  MainWindowPlaybackTest() {
    adapter_.attach(&window_);
    window_.show();
  }
  void click(QPoint p) {
    QTest::mouseMove(&window_, p);
    QTest::mouseClick(&window_, Qt::LeftButton, {}, p);
    QCoreApplication::processEvents();  // the command runs after the handler
  }
  void click(MainButton b) { click(window_.buttonRect(b).center()); }
  bool called(const std::string& call) const {
    return std::find(engine_.calls.begin(), engine_.calls.end(), call) != engine_.calls.end();
  }

  ui::MainWindowPlayback adapter_{*controller_, engine_, state_, settings_};
  ui::TfrmMain window_{settings_, texts_, adapter_};
};

TEST_F(MainWindowPlaybackTest, TransportClicksDriveTheEngineAndTheLooksFollow) {
  openOne(movie("clip.avi"));
  play(5);
  adapter_.refresh();
  EXPECT_EQ(window_.movieName(), "clip.avi");
  ASSERT_TRUE(window_.buttonHeldDown(MainButton::Play));
  EXPECT_TRUE(window_.buttonEnabled(MainButton::Stop));

  const struct {
    MainButton button;
    const char* engineCall;
    bool playHeld, pauseHeld, stopEnabled;
  } rows[] = {
      {MainButton::Pause, "pause", false, true, true},
      {MainButton::Pause, "", false, true, true},  // held down: the click does nothing
      {MainButton::Play, "run", true, false, true},
      {MainButton::Stop, "", false, false, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.button));
    engine_.calls.clear();
    click(row.button);
    if (*row.engineCall) {
      EXPECT_TRUE(called(row.engineCall));
    } else if (row.button == MainButton::Pause) {
      EXPECT_TRUE(engine_.calls.empty());
    }
    EXPECT_EQ(window_.buttonHeldDown(MainButton::Play), row.playHeld);
    EXPECT_EQ(window_.buttonHeldDown(MainButton::Pause), row.pauseHeld);
    EXPECT_EQ(window_.buttonEnabled(MainButton::Stop), row.stopEnabled);
  }
  EXPECT_FALSE(window_.buttonEnabled(MainButton::Rewind));
}

TEST_F(MainWindowPlaybackTest, SeekBarFollowsThePlayAndSeeksOnClick) {
  openOne(movie("clip.avi"));  // 120 s
  play(50);                    // one second
  adapter_.refresh();
  EXPECT_EQ(window_.seekMaximum(), 120000);
  EXPECT_NEAR(window_.seekPosition(), 1000, 40);
  const QRect bar = window_.seekRect();
  engine_.calls.clear();
  click(QPoint(bar.left() + bar.width() / 2, bar.center().y()));
  EXPECT_TRUE(called("setPosition(60000ms)")) << (engine_.calls.empty() ? "" : engine_.calls[0]);
  engine_.calls.clear();
  const QPoint past(bar.right() + 15, bar.center().y());  // a drag a little past the end
  QTest::mousePress(&window_, Qt::LeftButton, {}, bar.center());
  QTest::mouseMove(&window_, past);
  QTest::mouseRelease(&window_, Qt::LeftButton, {}, past);
  EXPECT_TRUE(called("setPosition(119990ms)")) << "the seek stays inside the movie";
}

TEST_F(MainWindowPlaybackTest, VolumeSliderAndMuteReachTheEngine) {
  openOne(movie("clip.avi"));
  play(2);
  const QRect volume = window_.volumeRect();
  engine_.calls.clear();
  click(QPoint(volume.center().x(), volume.top()));
  EXPECT_TRUE(called("putVolume(10000)"));
  EXPECT_EQ(settings_.AudioVolume, 20);
  engine_.calls.clear();
  click(window_.muteRect().center());
  EXPECT_TRUE(settings_.Mute);
  EXPECT_EQ(engine_.volume(), 0);
  click(window_.muteRect().center());
  EXPECT_FALSE(settings_.Mute);
  EXPECT_EQ(engine_.volume(), 10000);
  controller_->VolumeDown();  // a key changes the volume: the slider follows
  adapter_.refresh();
  EXPECT_EQ(window_.volumePosition(), 19);
}

}  // namespace

namespace {

// A key of a menu command runs that command when it is built and nothing
// otherwise; it never falls through to another key's meaning (Alt+C is not
// the C of pause). Keys whose command is no menu item and no controller
// command go on to the key handlers; keys without a row, or whose condition
// fails (a picture move without a movie), do nothing.
TEST_F(MainWindowPlaybackTest, MenuKeysRunTheirCommandOrNothing) {
  std::vector<std::string> seen;
  adapter_.hooks().keyPressed = [&](int key, Qt::KeyboardModifiers) {
    seen.push_back("key " + std::to_string(key));
  };
  adapter_.hooks().menuCommand = [&](ui::MenuCommand c) {
    seen.push_back("menu " + std::to_string(static_cast<int>(c)));
  };
  using C = ui::MenuCommand;
  enum class Then { Menu, PassedOn, Nothing };
  const struct {
    int key;
    Qt::KeyboardModifiers modifiers;
    Then then;
    C command;  // for Menu
  } rows[] = {
      {Qt::Key_C, Qt::NoModifier, Then::Menu, C::Pause},
      {Qt::Key_C, Qt::AltModifier, Then::Menu, C::CaptureFrame},
      {Qt::Key_C, Qt::ShiftModifier, Then::Menu, C::ClearBookmarks},
      {Qt::Key_C, Qt::ControlModifier, Then::Menu, C::ColorControl},
      {Qt::Key_F, Qt::NoModifier, Then::Menu, C::Fullscreen},
      {Qt::Key_E, Qt::NoModifier, Then::Menu, C::Equalizer},
      {Qt::Key_F10, Qt::ShiftModifier, Then::Menu, C::Playlist},
      {Qt::Key_F1, Qt::NoModifier, Then::Menu, C::KeyDefinitions},
      {Qt::Key_F1, Qt::ControlModifier, Then::Menu, C::About},
      {Qt::Key_P, Qt::ControlModifier, Then::Menu, C::Configuration},
      {Qt::Key_2, Qt::NoModifier, Then::Menu, C::WindowSize100},
      {Qt::Key_2, Qt::KeypadModifier, Then::Nothing, C::Exit},  // moves the picture of a movie
      {Qt::Key_0, Qt::KeypadModifier, Then::Menu, C::WindowSize100},
      {Qt::Key_T, Qt::NoModifier, Then::Menu, C::AlwaysOnTop},
      {Qt::Key_Up, Qt::ShiftModifier, Then::Menu, C::SubtitleUp},
      {Qt::Key_Down, Qt::ControlModifier, Then::Menu, C::DecreaseSize},
      {Qt::Key_Up, Qt::NoModifier, Then::Menu, C::VolumeUp},
      {Qt::Key_Left, Qt::AltModifier, Then::Menu, C::DecreaseTime},
      {Qt::Key_Return, Qt::NoModifier, Then::PassedOn, C::Exit},  // the zoom cycle
      {Qt::Key_1, Qt::AltModifier, Then::PassedOn, C::Exit},      // bookmark 1
      {Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier, Then::Nothing, C::Exit},
      {Qt::Key_K, Qt::NoModifier, Then::Nothing, C::Exit},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.key << " " << row.modifiers.toInt());
    seen.clear();
    adapter_.keyPressed(row.key, row.modifiers);
    std::vector<std::string> expected;
    if (row.then == Then::PassedOn)
      expected.push_back("key " + std::to_string(row.key));
    else if (row.then == Then::Menu && ui::commandBuilt(row.command) && row.command != C::Pause &&
             row.command != C::VolumeUp)
      expected.push_back("menu " + std::to_string(static_cast<int>(row.command)));
    EXPECT_EQ(seen, expected);
  }
}

}  // namespace
