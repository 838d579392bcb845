// Power-off after playback through the main window: Ctrl+T and the menu's
// check mark, the countdown window and every way of stopping it, against a
// fake system service and a clock the test moves. Offscreen.
#include "app/power_off_link.h"
#include "tests/app/player_link_fixture.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

namespace app {
namespace {

namespace fs = std::filesystem;
using playback::PowerOffResult;

struct FakePowerOff : playback::PowerOffService {
  PowerOffResult allowed = PowerOffResult::Done;
  PowerOffResult answer = PowerOffResult::Done;
  int* calls = nullptr;
  PowerOffResult canPowerOff() override { return allowed; }
  PowerOffResult powerOff() override {
    ++*calls;
    return answer;
  }
};

enum class Stop { Cancel, CloseButton, Enter, Escape, Untick, OpenMovie, RunOut };

class PowerOffLinkTest : public PlayerLinkTest {
 protected:
  PowerOffLinkTest() {
    settings_.OSDDisplay = true;
    startPlayer();
    window_ = new ui::TfrmMain(settings_, texts::builtInTexts(), *adapter_);
    adapter_->attach(window_);
    window_->show();
  }
  ~PowerOffLinkTest() override {
    link_.reset();
    delete window_.data();
  }
  void makeLink(PowerOffResult allowed, PowerOffResult answer, QWidget* fullScreenVideo = nullptr) {
    auto service = std::make_unique<FakePowerOff>();
    service->allowed = allowed;
    service->answer = answer;
    service->calls = &powerOffs_;
    PowerOffEnvironment env;
    env.videoWindow = fullScreenVideo;
    env.videoFullScreen = [fullScreenVideo] { return fullScreenVideo != nullptr; };
    env.closingSteps = [this] { ++closingSteps_; };
    env.endProgram = [this] { ++ended_; };
    env.showMessage = [this](const std::string& m) { messages_.push_back(m); };
    env.nowMs = [this] { return clock_; };
    link_ = std::make_unique<PowerOffLink>(*adapter_, *player_, window_, std::move(service),
                                           std::move(env));
  }
  bool menuChecked() {
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 60),
                            window_->mapToGlobal(QPoint(5, 60)));
    QCoreApplication::sendEvent(window_, &event);
    window_->contextMenu()->hide();
    return window_->menuAction(ui::MenuCommand::TurnOffAfterPlay)->isChecked();
  }
  void clickAt(QWidget* w, QPoint p) {
    QTest::mousePress(w, Qt::LeftButton, {}, p);
    QTest::mouseRelease(w, Qt::LeftButton, {}, p);
  }

  QPointer<ui::TfrmMain> window_;
  std::unique_ptr<PowerOffLink> link_;
  int64_t clock_ = 10'000'000;
  int powerOffs_ = 0, closingSteps_ = 0, ended_ = 0;
  std::vector<std::string> messages_;
};

TEST_F(PowerOffLinkTest, CtrlTTicksTheItemAndSaysSo) {
  makeLink(PowerOffResult::Done, PowerOffResult::Done);
  EXPECT_TRUE(window_->menuAction(ui::MenuCommand::TurnOffAfterPlay)->isEnabled());
  EXPECT_FALSE(menuChecked());
  for (const bool on : {true, false}) {
    adapter_->keyPressed(Qt::Key_T, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(link_->countdown().PowerOffAfterPlay(), on);
    EXPECT_EQ(menuChecked(), on);
    EXPECT_EQ(player_->osd().message(),
              on ? "Turn off computer after play: on" : "Turn off computer after play: off");
  }
}

TEST_F(PowerOffLinkTest, EveryStopGivesThePlayerBackAndOnlyAnAcceptedRequestEndsIt) {
  const struct {
    const char* name;
    PowerOffResult allowed, answer;
    Stop stop;
    int powerOffs;
    bool ended;
    bool failureMessage;
    bool usable;  // the main window takes input again
  } rows[] = {
      {"Cancel", PowerOffResult::Done, PowerOffResult::Done, Stop::Cancel, 0, false, false, true},
      {"close button", PowerOffResult::Done, PowerOffResult::Done, Stop::CloseButton, 0, false,
       false, true},
      {"Enter", PowerOffResult::Done, PowerOffResult::Done, Stop::Enter, 0, false, false, true},
      {"Esc", PowerOffResult::Done, PowerOffResult::Done, Stop::Escape, 0, false, false, true},
      {"unticked", PowerOffResult::Done, PowerOffResult::Done, Stop::Untick, 0, false, false, true},
      {"a movie opened", PowerOffResult::Done, PowerOffResult::Done, Stop::OpenMovie, 0, false,
       false, true},
      {"accepted", PowerOffResult::Done, PowerOffResult::Done, Stop::RunOut, 1, true, false, false},
      {"refused", PowerOffResult::Refused, PowerOffResult::Done, Stop::RunOut, 0, false, true,
       true},
      {"failing", PowerOffResult::Done, PowerOffResult::Failed, Stop::RunOut, 1, true, true, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    powerOffs_ = closingSteps_ = ended_ = 0;
    messages_.clear();
    makeLink(row.allowed, row.answer);
    adapter_->menuCommand(ui::MenuCommand::TurnOffAfterPlay);
    QCoreApplication::processEvents();
    player_->controller().hooks().startPowerOff();
    QPointer<ui::TfrmShutDown> countdown = link_->countdownWindow();
    ASSERT_TRUE(countdown);
    EXPECT_TRUE(countdown->isVisible());
    EXPECT_TRUE(countdown->isEnabled());
    EXPECT_FALSE(window_->isEnabled());
    EXPECT_EQ(countdown->countdownText(), "The computer will be shutdown\r\nin 30 secondes");
    clock_ += 2'500;
    link_->step();
    EXPECT_EQ(countdown->countdownText(), "The computer will be shutdown\r\nin 28 secondes");
    switch (row.stop) {
      case Stop::Cancel:
        clickAt(countdown, countdown->cancelRect().center());
        break;
      case Stop::CloseButton:
        clickAt(countdown, countdown->closeRect().center());
        break;
      case Stop::Enter:
        QTest::keyClick(countdown, Qt::Key_Return);
        break;
      case Stop::Escape:
        QTest::keyClick(countdown, Qt::Key_Escape);
        break;
      case Stop::Untick:
        link_->toggle();
        break;
      case Stop::OpenMovie:
        player_->controller().hooks().movieOpened("/tmp/next.avi");
        break;
      case Stop::RunOut:
        clock_ += 28'000;
        link_->step();
        break;
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(countdown) << "one countdown window, gone when stopped";
    EXPECT_FALSE(link_->countdown().running());
    EXPECT_EQ(powerOffs_, row.powerOffs);
    EXPECT_EQ(closingSteps_, row.powerOffs);
    EXPECT_EQ(ended_ > 0, row.ended);
    EXPECT_EQ(!messages_.empty(), row.failureMessage);
    if (row.failureMessage) {
      EXPECT_EQ(messages_.front(), "Unable to shutdown the computer!");
    }
    EXPECT_EQ(window_->isEnabled(), row.usable);
    window_->setEnabled(true);
    // Stopping keeps the option as it was (unticking is the only way off).
    EXPECT_EQ(link_->countdown().PowerOffAfterPlay(), row.stop != Stop::Untick);
    link_.reset();
  }
}

TEST_F(PowerOffLinkTest, InFullScreenTheCountdownShowsOverTheVideoAndStaysStoppable) {
  QWidget video;
  video.setWindowFlags(Qt::FramelessWindowHint);
  video.showFullScreen();
  QCoreApplication::processEvents();
  makeLink(PowerOffResult::Done, PowerOffResult::Done, &video);
  link_->toggle();
  player_->controller().hooks().startPowerOff();
  QPointer<ui::TfrmShutDown> countdown = link_->countdownWindow();
  ASSERT_TRUE(countdown);
  EXPECT_TRUE(countdown->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(countdown->geometry().center(), video.screen()->geometry().center());
  // The disabled video window does not take the countdown window with it.
  EXPECT_FALSE(video.isEnabled());
  EXPECT_TRUE(countdown->isEnabled());
  QTest::keyClick(countdown, Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(countdown);
  EXPECT_TRUE(video.isEnabled());
}

}  // namespace
}  // namespace app
