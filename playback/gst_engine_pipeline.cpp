#include "playback/gst_engine_impl.h"

#include <cstdlib>
#include <cstring>

#ifdef TARVELINO_HAVE_TAP
#include "playback/tap/tap_element.h"
#endif

namespace playback::detail {

namespace {

// playbin's flags: video, audio, software volume, deinterlacing. Embedded
// subtitle streams stay off (the player draws its own subtitles) and so does
// the automatic colour balance (our own videobalance is the video filter).
constexpr guint kPlayFlags = 0x1 | 0x2 | 0x10 | 0x200;

GstElement* makeNullAudioSink() {
  GstElement* sink = gst_element_factory_make("fakesink", "null-audio-sink");
  // sync keeps the clock running at real time, so the movie still plays at speed.
  g_object_set(sink, "sync", TRUE, nullptr);
  return sink;
}

// autoaudiosink picks a device when it goes to READY and puts a fake sink
// inside when none starts; both mean "no device" here.
bool audioDeviceStarts() {
  GstElement* probe = gst_element_factory_make("autoaudiosink", nullptr);
  if (!probe) return false;
  bool ok = gst_element_set_state(probe, GST_STATE_READY) != GST_STATE_CHANGE_FAILURE;
  if (ok) {
    GstIterator* it = gst_bin_iterate_elements(GST_BIN(probe));
    GValue item = G_VALUE_INIT;
    ok = false;
    while (gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
      GstElement* child = GST_ELEMENT(g_value_get_object(&item));
      GstElementFactory* f = gst_element_get_factory(child);
      if (f && g_strcmp0(GST_OBJECT_NAME(f), "fakesink") != 0) ok = true;
      g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(it);
  }
  gst_element_set_state(probe, GST_STATE_NULL);
  gst_object_unref(probe);
  return ok;
}

}  // namespace

bool soundDevicePresent() {
  // Found out once per process; a second caller waits for the first's answer.
  static const bool present = audioDeviceStarts();
  return present;
}

namespace {

// TARVELINO_AUDIO_SINK names a sink of the user's choice in gst-launch form
// (for example "wavenc ! filesink location=out.wav sync=true", to record what
// the player plays); a description that does not parse is ignored.
GstElement* makeChosenAudioSink() {
  const char* description = std::getenv("TARVELINO_AUDIO_SINK");
  if (!description || !*description) return nullptr;
  GError* error = nullptr;
  GstElement* bin = gst_parse_bin_from_description(description, TRUE, &error);
  if (error) {
    g_error_free(error);
    if (bin) gst_object_unref(bin);
    return nullptr;
  }
  return bin;
}

GstElement* makeAudioSink(bool nullAudio) {
  if (nullAudio) return makeNullAudioSink();
  if (GstElement* chosen = makeChosenAudioSink()) return chosen;
  if (!soundDevicePresent()) return makeNullAudioSink();
  GstElement* sink = gst_element_factory_make("autoaudiosink", nullptr);
  return sink ? sink : makeNullAudioSink();
}

// Pictures up to this many pixels (1920 x 1088) are decoded on one thread:
// one decodes such a picture in a few milliseconds, and each further frame
// thread adds a picture of delay before the first one shows, pictures of its
// own in the pool (about 20 MB at this size) and a hand-over per picture.
// Larger pictures keep the decoder's own choice (a thread per core).
constexpr int64_t kOneThreadMaxPixels = 1920 * 1088;

GstPadProbeReturn onDecoderCaps(GstPad*, GstPadProbeInfo* info, gpointer decoder) {
  GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
  if (GST_EVENT_TYPE(event) != GST_EVENT_CAPS) return GST_PAD_PROBE_OK;
  GstCaps* caps = nullptr;
  gst_event_parse_caps(event, &caps);
  const GstStructure* s =
      caps && gst_caps_get_size(caps) > 0 ? gst_caps_get_structure(caps, 0) : nullptr;
  int w = 0, h = 0;
  // Runs before the decoder takes the caps, which is when it starts its threads.
  if (s && gst_structure_get_int(s, "width", &w) && gst_structure_get_int(s, "height", &h))
    g_object_set(decoder, "max-threads", int64_t(w) * h <= kOneThreadMaxPixels ? 1 : 0, nullptr);
  return GST_PAD_PROBE_OK;
}

// How many decoded pictures playbin's queue in front of the picture sink
// ("vqueue") may hold. Its own three keep a picture more in flight than one,
// about 3 MB at 1080p. With one, the decoder still works a picture ahead of
// the one waiting for its time at the sink, and the compressed data queued in
// front of the decoder absorbs a slow moment: no more pictures were lost with
// one under a full load of both cores.
constexpr guint kQueuedPictures = 1;

// Streaming thread: every element playbin adds, at any depth.
void onElementAdded(GstBin*, GstBin*, GstElement* element, gpointer) {
  GstElementFactory* f = gst_element_get_factory(element);
  if (f && g_strcmp0(GST_OBJECT_NAME(f), "queue") == 0 &&
      g_strcmp0(GST_OBJECT_NAME(element), "vqueue") == 0) {
    g_object_set(element, "max-size-buffers", kQueuedPictures, nullptr);
    return;
  }
  const char* klass = f ? gst_element_factory_get_metadata(f, GST_ELEMENT_METADATA_KLASS) : nullptr;
  if (!klass || !std::strstr(klass, "Decoder") || !std::strstr(klass, "Video")) return;
  if (!g_object_class_find_property(G_OBJECT_GET_CLASS(element), "max-threads")) return;
  if (GstPad* pad = gst_element_get_static_pad(element, "sink")) {
    gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM, onDecoderCaps, element, nullptr);
    gst_object_unref(pad);
  }
}

bool layoutOf(GstVideoFormat f, PixelLayout& layout) {
  switch (f) {
    case GST_VIDEO_FORMAT_I420:
      layout = PixelLayout::I420;
      return true;
    case GST_VIDEO_FORMAT_YV12:
      layout = PixelLayout::YV12;
      return true;
    case GST_VIDEO_FORMAT_NV12:
      layout = PixelLayout::NV12;
      return true;
    case GST_VIDEO_FORMAT_Y42B:
      layout = PixelLayout::I422;
      return true;
    case GST_VIDEO_FORMAT_Y444:
      layout = PixelLayout::I444;
      return true;
    case GST_VIDEO_FORMAT_BGRx:
      layout = PixelLayout::BGRx;
      return true;
    default:
      return false;
  }
}

YuvMatrix matrixOf(const GstVideoInfo& info) {
  const bool full = info.colorimetry.range == GST_VIDEO_COLOR_RANGE_0_255;
  if (info.colorimetry.matrix == GST_VIDEO_COLOR_MATRIX_BT709)
    return full ? YuvMatrix::Bt709Full : YuvMatrix::Bt709;
  return full ? YuvMatrix::Bt601Full : YuvMatrix::Bt601;
}

}  // namespace

void GstEngine::makeTap() {
#ifdef TARVELINO_HAVE_TAP
  if (options_.sampleTap && !tapFilter_) {
    // Made once and kept: the equalizer window holds on to its chain.
    tapFilter_ = tap::createTapFilter();
    if (tapFilter_) {
      gst_object_ref_sink(tapFilter_);
      chain_ = tap::chainOf(tapFilter_);
    }
  }
#endif
}

void GstEngine::build() {
  pipeline_ = gst_element_factory_make("playbin", "player");
  if (!pipeline_) return;
  g_object_set(pipeline_, "flags", kPlayFlags, nullptr);
  g_signal_connect(pipeline_, "deep-element-added", G_CALLBACK(onElementAdded), nullptr);

  videoSink_ = gst_element_factory_make("appsink", "picture-sink");
  // Planar YUV the decoders give goes through untouched and is converted when
  // drawn; anything else (10-bit, packed) is turned into BGRx by playbin's
  // own converter in front of the sink.
  GstCaps* caps = gst_caps_from_string(
      "video/x-raw,format=(string){I420,YV12,NV12,Y42B,Y444};video/x-raw,format=(string)BGRx");
  g_object_set(videoSink_, "caps", caps, "max-buffers", 2u, "drop", TRUE, "sync", TRUE,
               "enable-last-sample", FALSE, "qos", TRUE, nullptr);
  gst_caps_unref(caps);
  GstAppSinkCallbacks callbacks{};
  callbacks.new_sample = &GstEngine::onSample;
  callbacks.new_preroll = &GstEngine::onPreroll;
  gst_app_sink_set_callbacks(GST_APP_SINK(videoSink_), &callbacks, this, nullptr);
  g_object_set(pipeline_, "video-sink", videoSink_, nullptr);

  balance_ = gst_element_factory_make("videobalance", "color-control");
  if (balance_) g_object_set(pipeline_, "video-filter", balance_, nullptr);
  setColorControl(color_);

#ifdef TARVELINO_HAVE_TAP
  if (tapFilter_) g_object_set(pipeline_, "audio-filter", tapFilter_, nullptr);
#endif
  audioSink_ = makeAudioSink(nullAudio_);
  g_object_set(pipeline_, "audio-sink", audioSink_, nullptr);

  bus_ = gst_element_get_bus(pipeline_);
  applyVolume();
}

void GstEngine::teardown() {
  if (pipeline_) {
    gst_element_set_state(pipeline_, GST_STATE_NULL);
    if (bus_) {
      gst_bus_set_flushing(bus_, TRUE);
      gst_object_unref(bus_);
    }
    gst_object_unref(pipeline_);
  }
  pipeline_ = videoSink_ = balance_ = audioSink_ = nullptr;
  balanceApplied_ = nullptr;  // the next filter is given every value
  bus_ = nullptr;
  dropFrame();
  duration_ = 0;
  width_ = height_ = 0;
  frameRate_ = 0;
  state_ = EngineState::Inactive;
}

void GstEngine::readStreamFacts() {
  duration_ = 0;
  duration();
  width_ = height_ = 0;
  frameRate_ = 0;
  GstPad* pad = gst_element_get_static_pad(videoSink_, "sink");
  if (!pad) return;
  if (GstCaps* caps = gst_pad_get_current_caps(pad)) {
    GstVideoInfo info;
    if (gst_video_info_from_caps(&info, caps)) {
      // The native size is the displayed one: non-square pixels widen or
      // narrow the picture, as a player honouring the stream's aspect shows it.
      width_ = info.width;
      if (info.par_n > 0 && info.par_d > 0 && info.par_n != info.par_d)
        width_ = int(std::lround(double(info.width) * info.par_n / info.par_d));
      height_ = info.height;
      if (info.fps_n > 0 && info.fps_d > 0) frameRate_ = double(info.fps_n) / info.fps_d;
    }
    gst_caps_unref(caps);
  }
  gst_object_unref(pad);
}

void GstEngine::dropFrame() {
  std::lock_guard lock(frameMutex_);
  if (frameBuffer_) gst_buffer_unref(frameBuffer_);
  if (frameCaps_) gst_caps_unref(frameCaps_);
  frameBuffer_ = nullptr;
  frameCaps_ = nullptr;
}

GstFlowReturn GstEngine::onSample(GstAppSink* sink, gpointer self) {
  if (GstSample* s = gst_app_sink_pull_sample(sink)) static_cast<GstEngine*>(self)->takeSample(s);
  return GST_FLOW_OK;
}

GstFlowReturn GstEngine::onPreroll(GstAppSink* sink, gpointer self) {
  if (GstSample* s = gst_app_sink_pull_preroll(sink)) static_cast<GstEngine*>(self)->takeSample(s);
  return GST_FLOW_OK;
}

// Streaming thread. Keeps the buffer and caps, not the sample: appsink can
// hold a stale sample across a flushing seek.
void GstEngine::takeSample(GstSample* sample) {
  GstBuffer* buffer = gst_sample_get_buffer(sample);
  GstCaps* caps = gst_sample_get_caps(sample);
  std::function<void()> notify;
  if (buffer && caps) {
    std::lock_guard lock(frameMutex_);
    if (frameBuffer_) gst_buffer_unref(frameBuffer_);
    if (frameCaps_) gst_caps_unref(frameCaps_);
    frameBuffer_ = gst_buffer_ref(buffer);
    frameCaps_ = gst_caps_ref(caps);
    frameId_ = ++frameSerial_;
    notify = onFrame_;
  } else {
    ++frameSerial_;
  }
  gst_sample_unref(sample);
  if (notify) notify();
}

bool GstEngine::convertNewest(
    const std::function<bool(int widthPx, int heightPx, FrameTarget&)>& targetFor) {
  GstBuffer* buffer = nullptr;
  GstCaps* caps = nullptr;
  uint64_t frameId = 0;
  {
    std::lock_guard lock(frameMutex_);
    if (!frameBuffer_ || !frameCaps_) return false;
    buffer = gst_buffer_ref(frameBuffer_);
    caps = gst_caps_ref(frameCaps_);
    frameId = frameId_;
  }
  bool ok = false;
  GstVideoInfo info;
  PlanarFrame frame;
  if (gst_video_info_from_caps(&info, caps) &&
      layoutOf(GST_VIDEO_INFO_FORMAT(&info), frame.layout)) {
    GstVideoFrame mapped;
    if (gst_video_frame_map(&mapped, &info, buffer, GST_MAP_READ)) {
      frame.widthPx = GST_VIDEO_FRAME_WIDTH(&mapped);
      frame.heightPx = GST_VIDEO_FRAME_HEIGHT(&mapped);
      for (guint i = 0; i < GST_VIDEO_FRAME_N_PLANES(&mapped) && i < 3; ++i) {
        frame.planes[i] = static_cast<const uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(&mapped, i));
        frame.strides[i] = GST_VIDEO_FRAME_PLANE_STRIDE(&mapped, i);
      }
      frame.matrix = matrixOf(info);
      FrameTarget target;
      if (targetFor(frame.widthPx, frame.heightPx, target))
        ok = converter_.convert(frame, target, frameId);
      gst_video_frame_unmap(&mapped);
    }
  }
  gst_caps_unref(caps);
  gst_buffer_unref(buffer);
  return ok;
}

bool GstEngine::drawNewestFrame(const FrameTarget& target) {
  return convertNewest([&target](int, int, FrameTarget& t) {
    t = target;
    return true;
  });
}

bool GstEngine::copyNewestFrame(std::vector<uint8_t>& bgrx, int& widthPx, int& heightPx) {
  return convertNewest([&](int w, int h, FrameTarget& t) {
    if (w <= 0 || h <= 0) return false;
    bgrx.assign(size_t(w) * size_t(h) * 4, 0);
    widthPx = w;
    heightPx = h;
    t = FrameTarget{bgrx.data(), w * 4, w, h};
    return true;
  });
}

void GstEngine::pollEvents() {
  if (!bus_ || rendering_) return;
  while (GstMessage* msg = gst_bus_pop(bus_)) {
    EngineEvent event;
    event.generation = generation_;
    bool deliver = false;
    if (GST_MESSAGE_TYPE(msg) == GST_MESSAGE_EOS) {
      event.code = EngineEventCode::StreamComplete;
      deliver = true;
    } else if (GST_MESSAGE_TYPE(msg) == GST_MESSAGE_ERROR) {
      GError* error = nullptr;
      gst_message_parse_error(msg, &error, nullptr);
      if (error) {
        event.detail = error->message ? error->message : "";
        g_error_free(error);
      }
      event.code = state_ == EngineState::Loaded ? EngineEventCode::UnableToRender
                                                 : EngineEventCode::ErrorAbort;
      deliver = true;
    }
    gst_message_unref(msg);
    // The listener may tear the pipeline down; stop reading the old bus then.
    const GstBus* bus = bus_;
    if (deliver && listener_) listener_->onEngineEvent(event);
    if (bus_ != bus || !bus_) return;
  }
}

void GstEngine::setColorControl(const ColorControl& c) {
  color_ = c;
  if (!balance_) return;
  // Each property set on the filter is a new configuration for it to take up;
  // only the values that really changed are handed over. A filter of a new
  // pipeline (balanceApplied_ reset by teardown) gets all four.
  const VideoBalance v = videoBalanceFor(c);
  const bool fresh = balanceApplied_ != balance_;
  const auto push = [&](const char* name, double value, double applied) {
    if (fresh || value != applied) g_object_set(balance_, name, value, nullptr);
  };
  push("brightness", v.brightness, appliedBalance_.brightness);
  push("contrast", v.contrast, appliedBalance_.contrast);
  push("saturation", v.saturation, appliedBalance_.saturation);
  push("hue", v.hue, appliedBalance_.hue);
  balanceApplied_ = balance_;
  appliedBalance_ = v;
}

std::vector<FilterInfo> GstEngine::filters() const {
  std::vector<FilterInfo> out;
  if (!pipeline_) return out;
  GstIterator* it = gst_bin_iterate_recurse(GST_BIN(pipeline_));
  GValue item = G_VALUE_INIT;
  while (gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
    GstElement* e = GST_ELEMENT(g_value_get_object(&item));
    FilterInfo f;
    gchar* name = gst_element_get_name(e);
    f.name = std::string(name ? name : "").substr(0, 128);
    g_free(name);
    if (GstElementFactory* factory = gst_element_get_factory(e))
      f.description = gst_element_factory_get_metadata(factory, GST_ELEMENT_METADATA_LONGNAME);
    f.isSource = GST_OBJECT_FLAG_IS_SET(e, GST_ELEMENT_FLAG_SOURCE);
    guint n = 0;
    GParamSpec** properties = g_object_class_list_properties(G_OBJECT_GET_CLASS(e), &n);
    for (guint i = 0; i < n; ++i) {
      const GParamSpec* p = properties[i];
      const bool writable = (p->flags & G_PARAM_WRITABLE) && !(p->flags & G_PARAM_CONSTRUCT_ONLY);
      if (writable && g_strcmp0(p->name, "name") != 0 && g_strcmp0(p->name, "parent") != 0)
        f.hasProperties = true;
    }
    g_free(properties);
    out.push_back(std::move(f));
    g_value_reset(&item);
  }
  g_value_unset(&item);
  gst_iterator_free(it);
  // Iteration runs from the sinks back; the menu lists them from the source on.
  std::reverse(out.begin(), out.end());
  return out;
}

}  // namespace playback::detail
