#pragma once
// Display modes through XRandR: the modes of the primary output (or the first
// connected one), the current mode, a test and a switch that the X server
// forgets when it ends. A process-wide guard puts the display mode of the
// start back when the process ends by a crash signal or exit() without the
// player's own shut-down. Interface thread only (the guard: any thread).
#include <memory>
#include <string>

#include "video/display_modes.h"

namespace platform {

// The service on the display named by displayName (empty: $DISPLAY); null
// when there is no X display or it lacks XRandR 1.2.
std::unique_ptr<video::DisplayModeService> openXRandRModes(const std::string& displayName = {});

}  // namespace platform
