#include "playback/gst_engine_impl.h"

namespace playback {

std::unique_ptr<Engine> makeGstEngine(const GstEngineOptions& options) {
  return std::make_unique<detail::GstEngine>(options);
}
audio::ProcessingChain* sampleChain(Engine& engine) {
  auto* gst = dynamic_cast<detail::GstEngine*>(&engine);
  return gst ? gst->chain() : nullptr;
}

namespace detail {

int GstEngine::renderFile(const std::string& path, int timeLimitMs) {
  ++generation_;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeLimitMs);
  const int result = tryRender(path, deadline);
  if (result == kAudioOutputFailed && !nullAudio_) {
    // The sound device was found but would not play: the movie still plays,
    // clocked by the null sink, for the rest of the run.
    nullAudio_ = true;
    teardown();
    return tryRender(path, deadline) == 0 ? 0 : 4;
  }
  return result;
}

int GstEngine::tryRender(const std::string& path, std::chrono::steady_clock::time_point deadline) {
  if (!pipeline_)
    setActive(true);
  else
    emptyGraph();
  if (!pipeline_) return 1;
  const std::string uri = fileUriFromPath(path);
  if (uri.empty()) return fail(2);
  g_object_set(pipeline_, "uri", uri.c_str(), nullptr);
  applyVolume();
  if (gst_element_set_state(pipeline_, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE) {
    GstMessage* msg = gst_bus_pop_filtered(bus_, GST_MESSAGE_ERROR);
    const bool audio = msg && fromAudioOutput(msg);
    if (msg) gst_message_unref(msg);
    return fail(audio ? kAudioOutputFailed : 3);
  }
  // Wait for the first picture (or the error) in short slices so the
  // interface keeps painting; give up after the time limit.
  for (;;) {
    GstMessage* msg = gst_bus_timed_pop_filtered(
        bus_, 20 * GST_MSECOND,
        GstMessageType(GST_MESSAGE_ERROR | GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_EOS));
    if (msg) {
      const GstMessageType type = GST_MESSAGE_TYPE(msg);
      const bool audio = type == GST_MESSAGE_ERROR && fromAudioOutput(msg);
      gst_message_unref(msg);
      if (type == GST_MESSAGE_ERROR) return fail(audio ? kAudioOutputFailed : 4);
      if (type == GST_MESSAGE_ASYNC_DONE) break;
      // End of stream before the first picture: nothing playable.
      return fail(5);
    }
    if (std::chrono::steady_clock::now() >= deadline) return fail(6);
    if (pump_) {
      rendering_ = true;
      pump_();
      rendering_ = false;
      // The pump may have torn the engine down (the program ending).
      if (!pipeline_) return 7;
    }
  }
  state_ = EngineState::Loaded;
  readStreamFacts();
  return 0;
}

bool GstEngine::fromAudioOutput(GstMessage* msg) const {
  GstObject* src = GST_MESSAGE_SRC(msg);
  return audioSink_ && src &&
         (src == GST_OBJECT(audioSink_) || gst_object_has_as_ancestor(src, GST_OBJECT(audioSink_)));
}

bool GstEngine::stop() {
  if (!loaded()) return false;
  const bool ok = changeState(GST_STATE_PAUSED, EngineState::Loaded);
  gst_element_seek_simple(pipeline_, GST_FORMAT_TIME,
                          GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE), 0);
  return ok;
}

int64_t GstEngine::duration() const {
  if (!loaded()) return 0;
  if (duration_ <= 0) {
    gint64 ns = 0;
    if (gst_element_query_duration(pipeline_, GST_FORMAT_TIME, &ns) && ns > 0) duration_ = ns / 100;
  }
  return duration_;
}

int64_t GstEngine::currentPosition() const {
  if (!loaded()) return 0;
  gint64 ns = 0;
  if (!gst_element_query_position(pipeline_, GST_FORMAT_TIME, &ns) || ns < 0) return 0;
  return ns / 100;
}

void GstEngine::setPosition(int64_t position, SeekMode mode) {
  if (!loaded()) return;
  const int64_t length = duration();
  position = std::max<int64_t>(0, length > 0 ? std::min(position, length) : position);
  const auto flags =
      GstSeekFlags(GST_SEEK_FLAG_FLUSH |
                   (mode == SeekMode::KeyUnit ? GST_SEEK_FLAG_KEY_UNIT : GST_SEEK_FLAG_ACCURATE));
  gst_element_seek_simple(pipeline_, GST_FORMAT_TIME, flags, position * 100);
}

void GstEngine::applyVolume() {
  if (!pipeline_) return;
  const int level = volumeLevelCdb(volume_);
  // 20 * log10(linear) dB = level / 100, so linear = 10^(level / 2000).
  const double linear = level <= -10000 ? 0.0 : std::pow(10.0, level / 2000.0);
  g_object_set(pipeline_, "volume", linear, nullptr);
}

}  // namespace detail

std::string fileUriFromPath(const std::string& path) {
  if (path.empty()) return {};
  if (!gst_is_initialized()) gst_init(nullptr, nullptr);
  GError* error = nullptr;
  gchar* uri = gst_filename_to_uri(path.c_str(), &error);
  if (error) g_error_free(error);
  if (!uri) return {};
  std::string out(uri);
  g_free(uri);
  return out;
}

}  // namespace playback
