#include "info/movie_info.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "info/codec_tables.h"

namespace info {

namespace {

std::string withSeparator(std::string text, char decimalSeparator) {
  std::replace(text.begin(), text.end(), '.', decimalSeparator);
  return text;
}

std::string fixed3(double value, char decimalSeparator) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.3f", value);
  return withSeparator(buffer, decimalSeparator);
}

// Round to nearest with halves to even (the frame count).
long long roundEven(double x) {
  return static_cast<long long>(std::nearbyint(x));
}

}  // namespace

std::string formatInfoNumber(double value, char decimalSeparator) {
  if (!std::isfinite(value)) return {};
  if (value == std::floor(value) && std::fabs(value) < 1e18)
    return std::to_string(static_cast<long long>(value));
  return fixed3(value, decimalSeparator);
}

std::string formatInfoLength(double seconds, char decimalSeparator) {
  if (!(seconds > 0) || !std::isfinite(seconds)) return "Unknown";
  // Split whole milliseconds, as the text shows them: 119.9996 s is 2 min.
  // 0.000 sec., never 1 min. 60.000 sec.
  const long long ms = std::llround(std::min(seconds, 1e15) * 1000.0);
  if (ms < 60000) return fixed3(ms / 1000.0, decimalSeparator) + " sec.";
  const long long h = ms / 3600000;
  const long long m = ms / 60000 - 60 * h;
  const double s = static_cast<double>(ms - 60000 * m - 3600000 * h) / 1000.0;
  std::string text = std::to_string(m) + " min. " + fixed3(s, decimalSeparator) + " sec.";
  return h >= 1 ? std::to_string(h) + " h " + text : text;
}

std::string channelsText(int channels) {
  if (channels == 1) return "Mono";
  if (channels == 2) return "Stereo";
  return std::to_string(channels) + " Channels";
}

MovieInfoValues movieInfoValues(const MediaInfo& media, char decimalSeparator) {
  MovieInfoValues v;
  const double L = media.lengthSeconds > 0 ? media.lengthSeconds : 0.0;
  v.Time = formatInfoLength(L, decimalSeparator);
  int videoCount = 0, audioCount = 0;
  bool audioBitrateShown = false;
  double audioKbps = 0;
  for (const StreamInfo& s : media.streams) {
    if (s.type == StreamType::Video && ++videoCount == 1) {
      const double F = s.frameRate > 0 ? s.frameRate : 25.0;
      v.Resolution = std::to_string(s.width) + " x " + std::to_string(s.height);
      v.FramesPerSecond = formatInfoNumber(F, decimalSeparator);
      v.Frames = std::to_string(roundEven(L * F));  // "0" when the length is unknown
      if (s.bitsPerPixel > 0) v.BitDepth = std::to_string(s.bitsPerPixel);
      v.VideoCompression = s.codecId ? describeVideoCompression(*s.codecId) : s.codecName;
    } else if (s.type == StreamType::Audio && ++audioCount == 1) {
      v.AudioCompression = s.codecId ? describeAudioFormat(*s.codecId) : s.codecName;
      if (s.bitrate > 0) {
        audioKbps = static_cast<double>(s.bitrate) / 1000.0;
        v.AudioBitrate = formatInfoNumber(audioKbps, decimalSeparator);
        audioBitrateShown = true;
      }
      if (s.sampleRate > 0) v.AudioSampleRate = formatInfoNumber(s.sampleRate, decimalSeparator);
      v.AudioChannels = channelsText(s.channels);
    }
  }
  v.VideoStreams = std::to_string(videoCount);
  v.AudioStreams = std::to_string(audioCount);

  // Average video bit rate in Kbps from the file size; 1.01688 corrects for the
  // container's share of the file.
  if (videoCount == 1 && L > 0 && media.fileSize > 0) {
    const double S = static_cast<double>(media.fileSize);
    double V = 0;
    if (audioBitrateShown) {
      V = (S / L / 128 - audioKbps * audioCount) * 1.01688;
    } else {
      V = S * 1.01688 / L / 128;
    }
    v.VideoBitrate = V >= 0 ? formatInfoNumber(V, decimalSeparator) : "Error";
  }
  return v;
}

}  // namespace info
