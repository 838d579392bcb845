#pragma once
// The media engine on GStreamer's playbin: pictures go to an application sink
// and are converted by libyuv when drawn, sound goes through the player's own
// audio filter to the sound device (or a clocked null sink without one), and
// the colour controls act through a colour-balance filter.
#include <memory>
#include <string>

#include "playback/engine.h"

namespace playback {

struct GstEngineOptions {
  // Factory name of an in-place audio element set as playbin's audio filter
  // (the sample tap), registered before the engine is made; empty for none.
  std::string audioFilterFactory;
  // Forces the null audio sink (tests, benchmarks) instead of the device.
  bool nullAudio = false;
};

// Initialises GStreamer on first use. The engine starts Inactive.
std::unique_ptr<Engine> makeGstEngine(const GstEngineOptions& options = {});

// The file URI of a local path: "#", "%", blanks and non-ASCII are escaped;
// a relative path is taken from the current folder. Empty on failure.
std::string fileUriFromPath(const std::string& path);

}  // namespace playback
