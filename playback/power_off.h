#pragma once
// Power-off after playback (ShutDownUnit): the "Turn off computer after play"
// option, the 30 s countdown that the end of the last movie starts, its cancel
// paths, and the request to the system. Plain C++: the countdown is driven by
// step() from a 100 ms timer of the caller on a monotonic clock, so it never
// runs a nested event loop and never re-enters the 20 ms update. Interface
// thread only.
#include <cstdint>
#include <functional>
#include <string>

namespace playback {

// What the system answered to a power-off request.
enum class PowerOffResult {
  Done,     // the request was accepted; the system is going down
  Refused,  // the system does not allow this user to power off now
  Failed,   // the request could not be made or returned an error
};

// The system's power-off, behind an interface so tests use a fake.
class PowerOffService {
 public:
  virtual ~PowerOffService() = default;
  // Whether the user may power off now without authentication (Done: yes).
  virtual PowerOffResult canPowerOff() = 0;
  // Powers off without asking for authentication. Done means the system took
  // the request. Neither call may block for long.
  virtual PowerOffResult powerOff() = 0;
};

// What the countdown needs of the windows. Every hook may be left empty.
struct PowerOffHooks {
  // Disables the player's windows (or its open dialogs) while the countdown
  // runs; false puts back exactly what was disabled.
  std::function<void(bool inert)> setInert;
  // Shows the countdown window, or updates its text, with the remaining seconds.
  std::function<void(int remainingSeconds)> showCountdown;
  // Closes the countdown window (no cancel follows from it).
  std::function<void()> hideCountdown;
  // The main window's closing steps: saves the configuration and the
  // remembered movie settings and shuts playback down.
  std::function<void()> saveAll;
  // Ends the program once the closing steps ran.
  std::function<void()> closeProgram;
  // Tells the user that the computer could not be turned off.
  std::function<void()> showFailure;
  // Monotonic milliseconds.
  std::function<int64_t()> nowMs;
};

class PowerOffCountdown {
 public:
  static constexpr int kSeconds = 30;
  static constexpr int kStepMs = 100;

  PowerOffCountdown(PowerOffService& service, PowerOffHooks hooks);

  // TogglePowerOff: flips PowerOffAfterPlay and returns its new value.
  // Unticking it stops a running countdown.
  bool toggle();
  bool PowerOffAfterPlay() const { return powerOffAfterPlay_; }
  bool PowerOffFailed() const { return powerOffFailed_; }
  bool running() const { return running_; }
  // The option is on, no power-off failed and no countdown runs.
  bool armed() const { return powerOffAfterPlay_ && !powerOffFailed_ && !running_; }

  // StartPowerOffCountdown: makes the player inert and shows the window with
  // 30 s. A second request while one runs is ignored (one window at a time).
  void start();
  // One 100 ms step: updates the text when the whole seconds changed. At 30 s
  // the system is asked first whether it allows the power-off: when it does
  // not, the player stays open and usable and says so. Otherwise everything is
  // saved and the power-off requested; the program ends either way, after the
  // failure message when the request failed.
  void step();
  // Stops the countdown (the window's Cancel, close, Enter or Esc; opening a
  // movie; unticking the option): the window goes and the windows are usable
  // again. The option keeps its value. Nothing when no countdown runs.
  void cancel();

  // The text of the countdown window for the given seconds.
  static std::string countdownText(const std::string& prefix, const std::string& unit,
                                   int remainingSeconds);

 private:
  void finish();
  int64_t now() const;

  PowerOffService& service_;
  PowerOffHooks hooks_;
  bool powerOffAfterPlay_ = false;
  bool powerOffFailed_ = false;
  bool running_ = false;
  int64_t startMs_ = 0;
  int64_t shownSeconds_ = 0;
};

}  // namespace playback
