#include "playback/discoverer/media_probe.h"

#include <gst/gst.h>
#include <gst/pbutils/pbutils.h>

#include <filesystem>
#include <memory>
#include <mutex>

namespace discoverer {

namespace {

template <typename T, void (*Free)(T*)>
struct Deleter {
  void operator()(T* p) const {
    if (p) Free(p);
  }
};
void unrefObject(void* p) {
  gst_object_unref(p);
}
void unrefMini(GstDiscovererInfo* p) {
  g_object_unref(p);
}
void unrefCaps(GstCaps* p) {
  gst_caps_unref(p);
}
void freeError(GError* p) {
  g_error_free(p);
}
void freeChars(gchar* p) {
  g_free(p);
}

using DiscovererPtr = std::unique_ptr<void, Deleter<void, unrefObject>>;
using InfoPtr = std::unique_ptr<GstDiscovererInfo, Deleter<GstDiscovererInfo, unrefMini>>;
using CapsPtr = std::unique_ptr<GstCaps, Deleter<GstCaps, unrefCaps>>;
using ErrorPtr = std::unique_ptr<GError, Deleter<GError, freeError>>;
using CharsPtr = std::unique_ptr<gchar, Deleter<gchar, freeChars>>;

bool initialiseGstreamer() {
  static std::once_flag once;
  static bool ok = false;
  std::call_once(once,
                 [] { ok = gst_is_initialized() || gst_init_check(nullptr, nullptr, nullptr); });
  return ok;
}

std::string capsText(GstDiscovererStreamInfo* stream) {
  CapsPtr caps(gst_discoverer_stream_info_get_caps(stream));
  if (!caps) return {};
  CharsPtr text(gst_caps_to_string(caps.get()));
  return text ? std::string(text.get()) : std::string();
}

std::string codecName(GstDiscovererStreamInfo* stream) {
  CapsPtr caps(gst_discoverer_stream_info_get_caps(stream));
  if (!caps || gst_caps_is_empty(caps.get()) || gst_caps_is_any(caps.get())) return {};
  CharsPtr text(gst_pb_utils_get_codec_description(caps.get()));
  return text ? std::string(text.get()) : std::string();
}

info::StreamInfo describeStream(GstDiscovererStreamInfo* stream, const std::string& container,
                                double lengthSeconds) {
  info::StreamInfo s;
  s.caps = capsText(stream);
  s.codecName = codecName(stream);
  s.lengthSeconds = lengthSeconds;
  if (GST_IS_DISCOVERER_VIDEO_INFO(stream)) {
    auto* v = GST_DISCOVERER_VIDEO_INFO(stream);
    s.type = info::StreamType::Video;
    s.codecId = info::videoCodecIdFromCaps(s.caps, container);
    s.width = static_cast<int>(gst_discoverer_video_info_get_width(v));
    s.height = static_cast<int>(gst_discoverer_video_info_get_height(v));
    const guint num = gst_discoverer_video_info_get_framerate_num(v);
    const guint den = gst_discoverer_video_info_get_framerate_denom(v);
    s.frameRate = den > 0 ? static_cast<double>(num) / den : 0.0;
    s.bitsPerPixel = info::bitsPerPixelFromCaps(s.caps);
    guint bitrate = gst_discoverer_video_info_get_bitrate(v);
    if (bitrate == 0) bitrate = gst_discoverer_video_info_get_max_bitrate(v);
    s.bitrate = bitrate;
  } else if (GST_IS_DISCOVERER_AUDIO_INFO(stream)) {
    auto* a = GST_DISCOVERER_AUDIO_INFO(stream);
    s.type = info::StreamType::Audio;
    s.codecId = info::audioCodecIdFromCaps(s.caps);
    s.sampleRate = static_cast<int>(gst_discoverer_audio_info_get_sample_rate(a));
    s.channels = static_cast<int>(gst_discoverer_audio_info_get_channels(a));
    guint bitrate = gst_discoverer_audio_info_get_bitrate(a);
    if (bitrate == 0) bitrate = gst_discoverer_audio_info_get_max_bitrate(a);
    s.bitrate = bitrate;
    // Plain PCM in a WAV or AIFF file is described by the file's own caps, as
    // no decoder follows the parser.
    const std::string name = info::parseCaps(s.caps).name;
    if (!s.codecId && (name == "audio/x-wav" || name == "audio/x-aiff")) {
      s.codecId = 0x0001;
      const guint depth = gst_discoverer_audio_info_get_depth(a);
      if (s.bitrate == 0 && depth > 0)
        s.bitrate = int64_t(s.sampleRate) * s.channels * static_cast<int64_t>(depth);
    }
  }
  return s;
}

}  // namespace

std::optional<info::MediaInfo> probeFile(const std::string& path, int timeoutMs) {
  std::error_code ec;
  if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  if (!initialiseGstreamer()) return std::nullopt;

  GError* rawError = nullptr;
  const GstClockTime timeout = static_cast<GstClockTime>(std::max(timeoutMs, 1)) * GST_MSECOND;
  DiscovererPtr detector(gst_discoverer_new(timeout, &rawError));
  ErrorPtr error(rawError);
  if (!detector) return std::nullopt;

  CharsPtr uri(gst_filename_to_uri(path.c_str(), &rawError));
  error.reset(rawError);
  if (!uri) return std::nullopt;

  rawError = nullptr;
  InfoPtr result(gst_discoverer_discover_uri(GST_DISCOVERER(detector.get()), uri.get(), &rawError));
  error.reset(rawError);
  if (!result) return std::nullopt;
  const GstDiscovererResult outcome = gst_discoverer_info_get_result(result.get());
  // Missing decoders still leave the streams described; anything else fails.
  if (outcome != GST_DISCOVERER_OK && outcome != GST_DISCOVERER_MISSING_PLUGINS)
    return std::nullopt;

  info::MediaInfo media;
  const GstClockTime duration = gst_discoverer_info_get_duration(result.get());
  media.lengthSeconds =
      GST_CLOCK_TIME_IS_VALID(duration) ? static_cast<double>(duration) / GST_SECOND : 0.0;
  media.fileSize = static_cast<int64_t>(std::filesystem::file_size(path, ec));
  if (ec) media.fileSize = 0;

  if (GstDiscovererStreamInfo* top = gst_discoverer_info_get_stream_info(result.get())) {
    if (GST_IS_DISCOVERER_CONTAINER_INFO(top)) media.containerCaps = capsText(top);
    gst_discoverer_stream_info_unref(top);
  }
  GList* streams = gst_discoverer_info_get_stream_list(result.get());
  for (GList* item = streams; item; item = item->next) {
    auto* stream = static_cast<GstDiscovererStreamInfo*>(item->data);
    if (GST_IS_DISCOVERER_CONTAINER_INFO(stream)) continue;
    media.streams.push_back(describeStream(stream, media.containerCaps, media.lengthSeconds));
  }
  gst_discoverer_stream_info_list_free(streams);
  if (media.streams.empty() && outcome != GST_DISCOVERER_OK) return std::nullopt;
  info::fillMissingBitrates(media);
  return media;
}

}  // namespace discoverer
