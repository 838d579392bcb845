#pragma once
// The system's power-off through logind on the system D-Bus:
// org.freedesktop.login1.Manager CanPowerOff, then PowerOff(false) (no
// interactive authentication). Interface thread only.
#include <string>

#include "playback/power_off.h"

namespace platform {

// How logind's CanPowerOff answer is taken: only "yes" lets the player ask
// without authentication; "challenge", "no", "na" and anything else is a
// refusal.
playback::PowerOffResult powerOffAllowed(const std::string& canPowerOffAnswer);

class LogindPowerOff : public playback::PowerOffService {
 public:
  // Each D-Bus call waits at most this long, so a hung service cannot freeze
  // the interface.
  static constexpr int kTimeoutMs = 5000;
  // The environment variable that the test programs set: while it is set no
  // request reaches the system and every power-off is refused.
  static constexpr const char* kDisableVariable = "TARVELINO_NO_POWER_OFF";

  playback::PowerOffResult canPowerOff() override;
  playback::PowerOffResult powerOff() override;
};

}  // namespace platform
