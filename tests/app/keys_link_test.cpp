// The keys and dialogs of the keys link on a real movie: the key commands
// without a menu item, the jump dialog (typed, refused and remote keys), the
// subtitle font dialog, the key definitions window, the aspect ratio marks,
// the Seeked notice of key moves, and a close held while Busy.
#include "app/keys_link.h"

#include <QAction>
#include <QApplication>
#include <QFontDialog>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/close_when_idle.h"
#include "app/remote_commands_link.h"
#include "app/screen_commands_link.h"
#include "subtitles/subtitle_look.h"
#include "tests/app/player_link_fixture.h"
#include "tests/playback/test_media.h"
#include "ui/jump_window.h"
#include "ui/key_definitions_window.h"
#include "ui/videowindow/video_playback.h"

namespace app {
namespace {

using playback::testing::testMedia;
using C = ui::MenuCommand;

class KeysLinkTest : public PlayerLinkTest {
 protected:
  KeysLinkTest() {
    settings_.RememberMovieSettings = false;
    settings_.AutoLoadSubtitle = false;
    settings_.AutoPlayOnLoad = false;
    startPlayer();
    video_ = std::make_unique<ui::VideoPlayback>(*player_, settings_, "Tarvelino");
    window_ = new ui::TfrmMain(settings_, texts::builtInTexts(), *adapter_);
    adapter_->attach(window_);
    screen_ = std::make_unique<ScreenCommandsLink>(*player_, settings_, *window_, video_->window(),
                                                   nullptr);
    link_ = std::make_unique<KeysLink>(*adapter_, *player_, settings_, window_, *video_, *screen_);
    player_->controller().hooks().seeked = [this](int64_t ms) { seeked_.push_back(ms); };
  }
  ~KeysLinkTest() override {
    link_.reset();
    screen_.reset();
    delete window_.data();
    video_.reset();
  }
  void open() {
    player_->controller().OpenCommandLine({testMedia().clip});
    ASSERT_TRUE(player_->controller().movieOpen());
    ASSERT_TRUE(QTest::qWaitFor([&] { return player_->engine().frameSerial() > 0; }, 5000));
    video_->window().show();
  }
  int64_t positionMs() { return player_->engine().currentPosition() / playback::kUnitsPerMs; }
  std::string osd() { return player_->osd().message(); }
  // Runs f on the modal window once it shows (from the dialog's own loop).
  void whenModal(std::function<void(QWidget*)> f) {
    QTimer::singleShot(0, [f] {
      ASSERT_TRUE(
          QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 3000));
      f(QApplication::activeModalWidget());
    });
  }

  std::unique_ptr<ui::VideoPlayback> video_;
  QPointer<ui::TfrmMain> window_;
  std::unique_ptr<ScreenCommandsLink> screen_;
  std::unique_ptr<KeysLink> link_;
  std::vector<int64_t> seeked_;
};

TEST_F(KeysLinkTest, KeysWithoutAMenuItem) {
  adapter_->keyPressed(Qt::Key_I, Qt::NoModifier);
  EXPECT_TRUE(player_->state().ClockOn);
  adapter_->keyPressed(Qt::Key_I, Qt::NoModifier);
  EXPECT_FALSE(player_->state().ClockOn);
  adapter_->keyPressed(Qt::Key_Slash, Qt::NoModifier);
  EXPECT_TRUE(settings_.ShowFrames);
  EXPECT_EQ(osd(), "Display frames");
  adapter_->keyPressed(Qt::Key_Slash, Qt::NoModifier);
  EXPECT_EQ(osd(), "Display time");
  settings_.RepeatStatus = 0;
  adapter_->keyPressed(Qt::Key_R, Qt::NoModifier);
  EXPECT_EQ(osd(), "Repeat one");
  adapter_->keyPressed(Qt::Key_M, Qt::AltModifier);
  EXPECT_TRUE(settings_.Mute);
  EXPECT_EQ(osd(), "Mute on");

  open();
  // Space plays, Space pauses; "." moves and says where it went.
  adapter_->keyPressed(Qt::Key_Space, Qt::NoModifier);
  EXPECT_TRUE(player_->controller().playing());
  adapter_->keyPressed(Qt::Key_Space, Qt::NoModifier);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !player_->controller().playing(); }, 3000));
  settings_.SecondesToJump = 1;
  const int64_t before = positionMs();
  adapter_->keyPressed(Qt::Key_Period, Qt::NoModifier);
  ASSERT_FALSE(seeked_.empty());
  EXPECT_NEAR(seeked_.back(), before + 1000, 50);
  adapter_->keyPressed(Qt::Key_Home, Qt::NoModifier);
  EXPECT_EQ(seeked_.back(), 0);
  EXPECT_EQ(osd(), "Start position");

  // Ctrl+F4 waits for Busy and OpeningBusy, then forgets the movie.
  for (bool* flag : {&player_->state().Busy, &player_->state().OpeningBusy}) {
    *flag = true;
    adapter_->keyPressed(Qt::Key_F4, Qt::ControlModifier);
    *flag = false;
    EXPECT_TRUE(player_->controller().movieOpen());
  }
  adapter_->keyPressed(Qt::Key_F4, Qt::ControlModifier);
  EXPECT_FALSE(player_->controller().movieOpen());
  EXPECT_TRUE(player_->state().CurrentMovie.empty());
  EXPECT_EQ(osd(), "Close movie");
  EXPECT_EQ(window_->movieName(), "No movie");
}

TEST_F(KeysLinkTest, JumpDialogTypedRefusedAndRemote) {
  open();
  // A time that is no time beeps, refills the field and keeps the dialog.
  whenModal([](QWidget* w) {
    auto* jump = qobject_cast<ui::TfrmJump*>(w);
    ASSERT_NE(jump, nullptr);
    EXPECT_EQ(jump->field()->text(), "00:00:00");
    EXPECT_EQ(jump->field()->cursorPosition(), 4);
    jump->field()->setText("");
    QTest::keyClicks(jump->field(), "1:00:0x0");
    EXPECT_EQ(jump->field()->text(), "1:00:00");  // the letter was ignored
    QTest::keyClick(jump->field(), Qt::Key_Return);
    EXPECT_TRUE(jump->isVisible());
    EXPECT_EQ(jump->field()->text(), "00:00:00");
    jump->field()->setText("00:00:01");
    QTest::keyClick(jump->field(), Qt::Key_Enter);
  });
  adapter_->keyPressed(Qt::Key_J, Qt::ControlModifier);
  EXPECT_FALSE(ui::jumpDialogOpen());
  EXPECT_EQ(player_->controller().LastJumpSeconds(), 1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return std::abs(positionMs() - 1000) < 100; }, 5000));
  EXPECT_EQ(osd().substr(0, 19), "00:00:01 / 00:00:02");

  // A time past the end goes to the end; the next dialog shows it. The
  // remote command 3 is Enter to the open dialog.
  whenModal([](QWidget* w) {
    auto* jump = qobject_cast<ui::TfrmJump*>(w);
    ASSERT_NE(jump, nullptr);
    EXPECT_EQ(jump->field()->text(), "00:00:01");
    jump->field()->setText("99:59:59");
    runRemoteCommand(3, RemoteCommandTargets{});
  });
  adapter_->menuCommand(C::JumpToTime);
  EXPECT_EQ(player_->controller().LastJumpSeconds(), 2);
  whenModal([](QWidget* w) {
    auto* jump = qobject_cast<ui::TfrmJump*>(w);
    ASSERT_NE(jump, nullptr);
    EXPECT_EQ(jump->field()->text(), "00:00:02");
    runRemoteCommand(6, RemoteCommandTargets{});  // Esc: closed, nothing moves
  });
  seeked_.clear();
  adapter_->menuCommand(C::JumpToTime);
  EXPECT_TRUE(seeked_.empty());
  EXPECT_FALSE(ui::jumpDialogOpen());
}

TEST_F(KeysLinkTest, JumpDialogNeedsAMovieAndItsWindow) {
  bool shown = false;
  QTimer probe;
  QObject::connect(&probe, &QTimer::timeout, [&] {
    if (QApplication::activeModalWidget()) {
      shown = true;
      QApplication::activeModalWidget()->close();
    }
  });
  probe.start(10);
  adapter_->keyPressed(Qt::Key_J, Qt::ControlModifier);
  QTest::qWait(50);
  EXPECT_FALSE(shown);
}

TEST_F(KeysLinkTest, SubtitleFontDialog) {
  QScreen* screen = QGuiApplication::primaryScreen();
  const int width = screen->geometry().width();
  settings_.SubtitleSize = 100;
  settings_.SubtitleFontName = "DejaVu Sans";
  whenModal([&](QWidget* w) {
    auto* dialog = qobject_cast<QFontDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Choose subtitle font");
    EXPECT_EQ(dialog->currentFont().pointSize(), subtitles::fontDialogPoints(width, 100));
    QFont chosen("DejaVu Serif");
    chosen.setPointSize(2 * subtitles::fontDialogPoints(width, 100));
    chosen.setBold(true);
    dialog->setCurrentFont(chosen);
    dialog->accept();
  });
  adapter_->keyPressed(Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(settings_.SubtitleFontName, "DejaVu Serif");
  EXPECT_EQ(settings_.SubtitleFontStyle, int(settings::FontStyle::Bold));
  EXPECT_NEAR(settings_.SubtitleSize, 200, 3);

  // Cancelling changes nothing; while a movie opens the command is ignored.
  whenModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
  adapter_->menuCommand(C::SubtitleFont);
  EXPECT_EQ(settings_.SubtitleFontName, "DejaVu Serif");
  player_->state().OpeningBusy = true;
  link_->chooseSubtitleFont();  // returns at once, no dialog
  player_->state().OpeningBusy = false;
}

TEST_F(KeysLinkTest, KeyDefinitionsWindow) {
  whenModal([](QWidget* w) {
    auto* keys = qobject_cast<ui::TfrmKeyboard*>(w);
    ASSERT_NE(keys, nullptr);
    EXPECT_EQ(keys->windowTitle(), "Key definitions");
    EXPECT_TRUE(keys->list()->toPlainText().startsWith("Action"));
    EXPECT_TRUE(keys->list()->isReadOnly());
    const int screenWidth = keys->screen()->geometry().width();
    EXPECT_GE(keys->width(), std::min(keys->longestLineWidth() + 30, screenWidth - 16));
    EXPECT_LE(keys->width(), std::max(480, screenWidth - 16));
    QTest::keyClick(keys->list(), Qt::Key_Escape);
  });
  adapter_->keyPressed(Qt::Key_F1, Qt::NoModifier);
  EXPECT_FALSE(ui::keyDefinitionsOpen());
}

TEST_F(KeysLinkTest, AspectMarksFollowThePicture) {
  const struct {
    double ratio;
    bool keep;
    C marked;
  } rows[] = {{1.78, true, C::Aspect16x9},
              {1.0, true, C::Aspect1x1},
              {1.78, false, C::AspectFree},
              {2.1, true, C::AspectCustom},
              {1.33, true, C::Aspect4x3}};
  for (const auto& r : rows) {
    player_->state().Picture.PictureRatio = r.ratio;
    settings_.KeepAspectRatio = r.keep;
    window_->menuAction(C::AspectOriginal)->setChecked(true);  // as a click that did nothing
    adapter_->contextMenuOpening();
    EXPECT_TRUE(window_->menuAction(r.marked)->isChecked()) << r.ratio;
  }
}

// A close while a command or an open runs waits for both flags, then closes
// the window and saves once.
TEST(CloseWhenIdleTest, CloseWaitsForBusyAndOpeningBusy) {
  playback::PlayerState state;
  QWidget window;
  int closings = 0;
  new CloseWhenIdle(window, state, [&closings] { ++closings; });
  window.show();
  state.Busy = true;
  state.OpeningBusy = true;
  window.close();
  QTest::qWait(3 * CloseWhenIdle::kRetryMs);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(closings, 0);
  state.Busy = false;
  QTest::qWait(3 * CloseWhenIdle::kRetryMs);
  EXPECT_TRUE(window.isVisible());
  state.OpeningBusy = false;
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 2000));
  EXPECT_EQ(closings, 1);
}

}  // namespace
}  // namespace app
