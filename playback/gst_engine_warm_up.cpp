#include <atomic>
#include <mutex>
#include <thread>

#include "playback/gst_engine_impl.h"

namespace playback {

namespace {

// The elements a movie's pipeline is usually built from. Making one loads
// its plugin (and the libraries behind it) and registers its types; the
// element itself is dropped at once.
constexpr const char* kWarmElements[] = {
    "playbin",       "uridecodebin", "decodebin",       "typefind",   "filesrc",
    "multiqueue",    "queue",        "capsfilter",      "identity",   "appsink",
    "videobalance",  "deinterlace",  "videoconvert",    "videoscale", "audioconvert",
    "audioresample", "volume",       "fakesink",        "qtdemux",    "matroskademux",
    "avidemux",      "h264parse",    "mpeg4videoparse", "aacparse",   "mpegaudioparse",
    "avdec_h264",    "avdec_aac",    "avdec_mp3",       "avdec_mpeg4"};

std::atomic<bool> gWarmedUp{false};

// Joins the warm-up thread when the program ends, so it never runs inside
// libraries that are being unloaded.
struct WarmUpThread {
  std::thread thread;
  ~WarmUpThread() {
    if (thread.joinable()) thread.join();
  }
};

void warmUp(bool probeSound) {
  if (!gst_is_initialized()) gst_init(nullptr, nullptr);
  // Type finding runs first on every open; its functions are a plugin of their own.
  if (GstPlugin* p = gst_plugin_load_by_name("typefindfunctions")) gst_object_unref(p);
  for (const char* name : kWarmElements)
    if (GstElement* e = gst_element_factory_make(name, nullptr))
      gst_object_unref(gst_object_ref_sink(e));
  if (probeSound) detail::soundDevicePresent();
  gWarmedUp = true;
}

}  // namespace

void warmUpEngineInBackground(bool probeSound) {
  static std::once_flag once;
  static WarmUpThread warmer;
  std::call_once(once, [probeSound] { warmer.thread = std::thread(warmUp, probeSound); });
}

bool engineWarmedUp() {
  return gWarmedUp.load();
}

}  // namespace playback
