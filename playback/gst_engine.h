#pragma once
// The media engine on GStreamer's playbin: pictures go to an application sink
// and are converted by libyuv when drawn, sound goes through the player's own
// audio filter to the sound device (or a clocked null sink without one), and
// the colour controls act through a colour-balance filter.
#include <memory>
#include <string>

#include "playback/engine.h"

namespace audio {
class ProcessingChain;
}

namespace playback {

struct GstEngineOptions {
  // Puts the player's sample tap (the audio processing chain) in front of the
  // sound output. One tap serves every movie the engine plays.
  bool sampleTap = true;
  // Forces the null audio sink (tests, benchmarks) instead of the device.
  bool nullAudio = false;
};

// Initialises GStreamer on first use. The engine starts Inactive.
std::unique_ptr<Engine> makeGstEngine(const GstEngineOptions& options = {});

// The processing chain of an engine made by makeGstEngine with the sample
// tap, the same for every movie; nullptr otherwise. The chain lives as long as
// the engine.
audio::ProcessingChain* sampleChain(Engine& engine);

// Loads the plugins a movie's pipeline is usually built from on a thread of
// its own, and with probeSound also finds out whether a sound device starts,
// so that the first open does not pay for either. Returns at once; only the
// first call starts the work, which the program's end waits for. Call it once
// the main window shows.
void warmUpEngineInBackground(bool probeSound = true);
// True once the work warmUpEngineInBackground started has finished. Any thread.
bool engineWarmedUp();

// The file URI of a local path: "#", "%", blanks and non-ASCII are escaped;
// a relative path is taken from the current folder. Empty on failure.
std::string fileUriFromPath(const std::string& path);

}  // namespace playback
