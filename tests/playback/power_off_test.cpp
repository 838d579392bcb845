// The power-off countdown against a fake system service: accepted, refused and
// failing requests, and every way of stopping it, on a clock the test moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "playback/power_off.h"

namespace playback {
namespace {

struct FakePowerOff : PowerOffService {
  PowerOffResult allowed = PowerOffResult::Done;
  PowerOffResult answer = PowerOffResult::Done;
  int asks = 0;
  int calls = 0;
  PowerOffResult canPowerOff() override {
    ++asks;
    return allowed;
  }
  PowerOffResult powerOff() override {
    ++calls;
    return answer;
  }
};

enum class Action { Wait, Toggle, Cancel, Start };

struct Row {
  const char* name;
  PowerOffResult allowed;
  PowerOffResult answer;
  std::vector<std::pair<Action, int64_t>> actions;  // action, then ms to move the clock
  int powerOffCalls;
  bool saved;   // the closing steps ran
  bool closed;  // the program ended
  bool failed;  // PowerOffFailed and the failure message
  bool inertAtEnd;
  std::vector<int> shown;  // remaining seconds shown, in order
};

class PowerOffCountdownTest : public ::testing::Test {
 protected:
  PowerOffHooks hooks() {
    PowerOffHooks h;
    h.nowMs = [this] { return clock_; };
    h.setInert = [this](bool on) {
      inert_ = on;
      log_.push_back(on ? "inert" : "usable");
    };
    h.showCountdown = [this](int s) { shown_.push_back(s); };
    h.hideCountdown = [this] { log_.push_back("hide"); };
    h.saveAll = [this] { log_.push_back("save"); };
    h.closeProgram = [this] { log_.push_back("close"); };
    h.showFailure = [this] { log_.push_back("failure"); };
    return h;
  }
  // Steps every 100 ms as the caller's timer does, over ms milliseconds.
  void run(PowerOffCountdown& c, int64_t ms) {
    for (int64_t t = 0; t < ms; t += PowerOffCountdown::kStepMs) {
      clock_ += PowerOffCountdown::kStepMs;
      c.step();
    }
  }
  bool logged(const std::string& what) const {
    return std::find(log_.begin(), log_.end(), what) != log_.end();
  }

  int64_t clock_ = 5'000'000;
  bool inert_ = false;
  std::vector<int> shown_;
  std::vector<std::string> log_;
};

TEST_F(PowerOffCountdownTest, EndsAsTheSystemAnswersOrAsTheUserStopsIt) {
  const std::vector<int> all = {30, 29, 28, 27, 26, 25, 24, 23, 22, 21, 20, 19, 18, 17, 16,
                                15, 14, 13, 12, 11, 10, 9,  8,  7,  6,  5,  4,  3,  2,  1};
  using R = PowerOffResult;
  const Row rows[] = {
      {"accepted", R::Done, R::Done, {{Action::Start, 30'000}}, 1, true, true, false, true, all},
      {"refused before closing",
       R::Refused,
       R::Done,
       {{Action::Start, 30'000}},
       0,
       false,
       false,
       true,
       false,
       all},
      {"unanswered before closing",
       R::Failed,
       R::Done,
       {{Action::Start, 30'000}},
       0,
       false,
       false,
       true,
       false,
       all},
      {"failing after the save",
       R::Done,
       R::Failed,
       {{Action::Start, 30'000}},
       1,
       true,
       true,
       true,
       false,
       all},
      {"refused by the request",
       R::Done,
       R::Refused,
       {{Action::Start, 30'000}},
       1,
       true,
       true,
       true,
       false,
       all},
      {"not yet at 29.9 s",
       R::Done,
       R::Done,
       {{Action::Start, 29'900}},
       0,
       false,
       false,
       false,
       true,
       all},
      {"cancelled by its window",
       R::Done,
       R::Done,
       {{Action::Start, 3'000}, {Action::Cancel, 40'000}},
       0,
       false,
       false,
       false,
       false,
       {30, 29, 28, 27}},
      {"cancelled by unticking",
       R::Done,
       R::Done,
       {{Action::Start, 1'000}, {Action::Toggle, 40'000}},
       0,
       false,
       false,
       false,
       false,
       {30, 29}},
      {"a second start is ignored",
       R::Done,
       R::Done,
       {{Action::Start, 10'000}, {Action::Start, 20'000}},
       1,
       true,
       true,
       false,
       true,
       all},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    shown_.clear();
    log_.clear();
    inert_ = false;
    FakePowerOff service;
    service.allowed = row.allowed;
    service.answer = row.answer;
    PowerOffCountdown c(service, hooks());
    ASSERT_TRUE(c.toggle());
    for (const auto& [action, ms] : row.actions) {
      if (action == Action::Start) c.start();
      if (action == Action::Cancel) c.cancel();
      if (action == Action::Toggle) c.toggle();
      run(c, ms);
    }
    EXPECT_EQ(service.calls, row.powerOffCalls);
    EXPECT_EQ(logged("save"), row.saved);
    EXPECT_EQ(logged("close"), row.closed);
    EXPECT_EQ(logged("failure"), row.failed);
    EXPECT_EQ(c.PowerOffFailed(), row.failed);
    EXPECT_EQ(inert_, row.inertAtEnd);
    EXPECT_FALSE(c.running() && row.powerOffCalls > 0);
    EXPECT_EQ(shown_, row.shown);
    // The failure is told before the program ends, while it still can be.
    if (row.failed && row.closed) {
      EXPECT_LT(std::find(log_.begin(), log_.end(), "failure"),
                std::find(log_.begin(), log_.end(), "close"));
    }
    // After a refusal no further countdown starts.
    if (row.failed) {
      c.start();
      EXPECT_FALSE(c.running());
      EXPECT_FALSE(c.armed());
    }
  }
}

TEST_F(PowerOffCountdownTest, StartsOnlyWhenTickedAndCountsOnTheGivenClock) {
  FakePowerOff service;
  PowerOffCountdown c(service, hooks());
  c.start();  // option off
  EXPECT_FALSE(c.running());
  EXPECT_TRUE(c.toggle());
  EXPECT_TRUE(c.armed());
  c.start();
  EXPECT_TRUE(c.running());
  EXPECT_FALSE(c.armed());
  // A clock that jumps back shows the full time again at most, never more.
  clock_ -= 60'000;
  c.step();
  EXPECT_EQ(shown_, std::vector<int>{30});
  // A stall of the interface longer than the countdown ends it at the next step.
  clock_ += 120'000;
  c.step();
  EXPECT_EQ(service.calls, 1);
  EXPECT_FALSE(c.toggle());
  EXPECT_FALSE(c.PowerOffAfterPlay());
}

TEST(PowerOffText, JoinsPrefixSecondsAndUnitWithBlanks) {
  EXPECT_EQ(PowerOffCountdown::countdownText("The computer will be shutdown\r\nin", "secondes", 7),
            "The computer will be shutdown\r\nin 7 secondes");
}

}  // namespace
}  // namespace playback
