#pragma once
// The sample tap: an in-place GStreamer audio filter that runs every decoded
// buffer through the player's ProcessingChain before it reaches the sink.
//
// Usage by the engine (interface thread, after gst_init):
//   tap::registerTapElement();                     // once at start-up
//   GstElement* filter = tap::createTapFilter();   // floating reference
//   audio::ProcessingChain* chain = tap::chainOf(filter);
//   g_object_set(playbin, "audio-filter", filter, nullptr);  // playbin takes it
// Then set gains from the interface thread at any time, without a lock:
//   chain->amplify().setChannelGain(0, audio::preAmplificationGain(slider));
//   chain->equalizer().setBandValue(band, slider);
//   chain->dynamicAmplify().setEnabled(on);
// The chain lives as long as the element; keep a reference to the filter (or
// the playbin holding it) while using the pointer. The element is also
// reachable as "tarvelinotap" in launch lines; its read-only property "chain"
// holds the same pointer and "dsp-enabled" (default true) lets buffers pass
// untouched when false.

typedef struct _GstElement GstElement;

namespace audio {
class ProcessingChain;
}

namespace tap {

inline constexpr const char* kTapFactoryName = "tarvelinotap";

// Registers the element factory "tarvelinotap" with GStreamer. Idempotent;
// returns false when GStreamer refuses the registration.
bool registerTapElement();

// A bin "audioconvert ! tarvelinotap" whose converter turns whatever the
// decoder delivers (planar, 8-bit, 64-bit float, ...) into one of the tap's
// interleaved formats: S16LE, S24LE, S32LE or F32LE. Registers the element if
// needed. Returns a floating reference, or nullptr when an element is missing.
GstElement* createTapFilter();

// The chain of a tap element, or of the tap inside a bin from
// createTapFilter(); nullptr for anything else.
audio::ProcessingChain* chainOf(GstElement* element);

}  // namespace tap
