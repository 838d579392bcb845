#pragma once
#include <atomic>
#include <cstdint>

#include "audio/dc_amplify.h"
#include "audio/dc_dynamic_amplify.h"
#include "audio/dc_equalizer.h"
#include "audio/stream_description.h"

namespace audio {

// The in-place chain every decoded audio buffer passes: dynamic amplifier,
// pre-amplifier, equalizer, in that order. Only sample values change; the
// buffer keeps its length. AC-3 and DTS bitstreams pass untouched.
//
// Threads: setFormat, process and the stages' process run on the streaming
// thread only. The interface thread reaches the stages through the accessors
// and may call their setters (gains, Enabled) at any time without a lock;
// flush() may come from the thread that seeks or stops.
class ProcessingChain {
 public:
  // The stages as the player sets them up: the dynamic amplifier off with a
  // ceiling of 7.5, the pre-amplifier at unity, the equalizer on at N = 2048
  // with flat bands; 8192 frames per block everywhere.
  ProcessingChain();

  TDCDynamicAmplify& dynamicAmplify() { return dynamicAmplify_; }
  TDCAmplify& amplify() { return amplify_; }
  TDCEqualizer& equalizer() { return equalizer_; }

  // When off, buffers pass untouched.
  void setDspEnabled(bool on) { dspEnabled_.store(on, std::memory_order_relaxed); }
  bool dspEnabled() const { return dspEnabled_.load(std::memory_order_relaxed); }

  // Records the negotiated format. A change of rate, channels or layout
  // empties the equalizer's overlap, whose samples belong to the old format.
  void setFormat(const StreamDescription& format);
  // The recorded format, Size being the last buffer's; streaming thread, or
  // any thread while no audio flows.
  const StreamDescription& format() const { return format_; }

  // Runs the stages over size bytes in the recorded format; returns the
  // number of valid bytes afterwards, always size.
  int64_t process(uint8_t* buffer, int64_t size);

  // The engine began a flush (seek, stop): the equalizer's tails are zeroed
  // before the next buffer. The amplifiers keep their state.
  void flush() { equalizer_.flush(); }

 private:
  TDCDynamicAmplify dynamicAmplify_;
  TDCAmplify amplify_;
  TDCEqualizer equalizer_;
  std::atomic<bool> dspEnabled_{true};
  StreamDescription format_;  // streaming thread only
};

}  // namespace audio
