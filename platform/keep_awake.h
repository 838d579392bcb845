#pragma once
// Keeps the display and the system awake while a movie plays: one inhibit
// request held from Play to Pause, Stop or close, and a screen-saver poke on
// every ResetTimer tick. Failures (no session bus, no screen saver service,
// no X display) are silent. Interface thread only.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform {

// The calls the keep-awake rule makes of the desktop.
struct InhibitBackend {
  // Asks for the inhibit; returns its cookie, or nothing (0) on failure.
  std::function<uint32_t()> inhibit;
  // Gives a cookie back.
  std::function<void(uint32_t cookie)> release;
  // Restarts the screen saver's idle count.
  std::function<void()> poke;
};

class KeepAwake {
 public:
  explicit KeepAwake(InhibitBackend backend) : backend_(std::move(backend)) {}
  ~KeepAwake() { setPlaying(false); }
  KeepAwake(const KeepAwake&) = delete;
  KeepAwake& operator=(const KeepAwake&) = delete;

  // true holds one inhibit (asked again on the next call after a failure);
  // false releases it.
  void setPlaying(bool playing);
  // The ResetTimer tick: restarts the idle count while playing.
  void poke();
  bool held() const { return cookie_ != 0; }

 private:
  InhibitBackend backend_;
  uint32_t cookie_ = 0;
  bool playing_ = false;
};

// The desktop's backend: org.freedesktop.ScreenSaver over the session D-Bus
// (Inhibit, UnInhibit, SimulateActivity) and the X server's screen-saver
// reset. appName is given with each request.
InhibitBackend desktopInhibitBackend(const std::string& appName);

}  // namespace platform
