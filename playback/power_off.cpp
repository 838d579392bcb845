#include "playback/power_off.h"

#include <chrono>

namespace playback {

PowerOffCountdown::PowerOffCountdown(PowerOffService& service, PowerOffHooks hooks)
    : service_(service), hooks_(std::move(hooks)) {}

int64_t PowerOffCountdown::now() const {
  if (hooks_.nowMs) return hooks_.nowMs();
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

bool PowerOffCountdown::toggle() {
  powerOffAfterPlay_ = !powerOffAfterPlay_;
  if (!powerOffAfterPlay_) cancel();
  return powerOffAfterPlay_;
}

void PowerOffCountdown::start() {
  if (running_ || !powerOffAfterPlay_ || powerOffFailed_) return;
  running_ = true;
  startMs_ = now();
  shownSeconds_ = 0;
  if (hooks_.setInert) hooks_.setInert(true);
  if (hooks_.showCountdown) hooks_.showCountdown(kSeconds);
}

void PowerOffCountdown::step() {
  if (!running_) return;
  // Whole seconds since the start; a clock that went backwards counts as 0.
  int64_t elapsed = (now() - startMs_) / 1000;
  if (elapsed < 0) elapsed = 0;
  if (elapsed >= kSeconds) {
    finish();
    return;
  }
  if (elapsed != shownSeconds_) {
    shownSeconds_ = elapsed;
    if (hooks_.showCountdown) hooks_.showCountdown(kSeconds - static_cast<int>(elapsed));
  }
}

void PowerOffCountdown::cancel() {
  if (!running_) return;
  running_ = false;
  if (hooks_.hideCountdown) hooks_.hideCountdown();
  if (hooks_.setInert) hooks_.setInert(false);
}

void PowerOffCountdown::finish() {
  running_ = false;
  if (hooks_.hideCountdown) hooks_.hideCountdown();
  // A refusal is known before anything closes: the player stays open and
  // usable, says so, and starts no further countdown.
  if (service_.canPowerOff() != PowerOffResult::Done) {
    powerOffFailed_ = true;
    if (hooks_.setInert) hooks_.setInert(false);
    if (hooks_.showFailure) hooks_.showFailure();
    return;
  }
  // Saved first, so nothing is lost when the system goes down at once.
  if (hooks_.saveAll) hooks_.saveAll();
  if (service_.powerOff() != PowerOffResult::Done) {
    // Never taken for done: the user is told before the program ends.
    powerOffFailed_ = true;
    if (hooks_.setInert) hooks_.setInert(false);
    if (hooks_.showFailure) hooks_.showFailure();
  }
  if (hooks_.closeProgram) hooks_.closeProgram();
}

std::string PowerOffCountdown::countdownText(const std::string& prefix, const std::string& unit,
                                             int remainingSeconds) {
  return prefix + " " + std::to_string(remainingSeconds) + " " + unit;
}

}  // namespace playback
