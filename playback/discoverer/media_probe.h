#pragma once
// Probes a movie file with the engine's media detector (GstDiscoverer): its
// streams, their codec identifiers, sizes, rates and bitrates, and its length.
// Blocks the calling thread for at most the time-out; safe from any thread
// (each call uses its own detector). GStreamer is initialised on first use.
#include <optional>
#include <string>

#include "info/stream_info.h"

namespace discoverer {

// The file's description, or nothing when the file is missing, cannot be read
// as media, or the detector does not finish within timeoutMs milliseconds.
// Bitrates the detector does not report are computed from the file size and
// the length (info::fillMissingBitrates).
std::optional<info::MediaInfo> probeFile(const std::string& path, int timeoutMs = 10000);

}  // namespace discoverer
