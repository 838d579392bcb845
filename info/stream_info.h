#pragma once
// What the media detector reports about a movie file: its streams with their
// codec identifiers, sizes and rates. Plain data; filled by the discoverer
// (playback/discoverer) and read by the movie information window.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace info {

enum class StreamType { Video, Audio, Other };

struct StreamInfo {
  StreamType type = StreamType::Other;
  std::string caps;       // media type of the stream, e.g. "video/x-h264, ..."
  std::string codecName;  // the engine's human-readable codec name; may be empty
  // FourCC (video) or wave format tag (audio) the stream would carry in an AVI
  // file; empty when the codec has none.
  std::optional<uint32_t> codecId;
  int width = 0;  // pixels; video only, 0 when unknown
  int height = 0;
  int bitsPerPixel = 0;          // raw video only; 0 when unknown
  double frameRate = 0;          // frames per second; 0 when unknown
  int sampleRate = 0;            // samples per second; audio only
  int channels = 0;              // audio only
  int64_t bitrate = 0;           // bits per second; 0 when unknown
  bool bitrateComputed = false;  // bitrate derived from file size and duration
  double lengthSeconds = 0;      // 0 when unknown
};

struct MediaInfo {
  std::string containerCaps;  // e.g. "video/quicktime", "video/x-msvideo"
  double lengthSeconds = 0;   // the whole file; 0 when unknown
  int64_t fileSize = 0;       // bytes
  std::vector<StreamInfo> streams;
};

// A parsed caps structure: "name, key=(type)value, ...". Values keep their text
// without the type annotation; quotes around strings are removed.
struct CapsFields {
  std::string name;
  std::vector<std::pair<std::string, std::string>> fields;
  std::optional<std::string> get(const std::string& key) const;
  std::optional<int> getInt(const std::string& key) const;
};
// Parses the first structure of a caps string. Never fails: arbitrary text
// gives whatever name and fields can be read.
CapsFields parseCaps(const std::string& caps);

// The FourCC a video stream of these caps would carry in an AVI file
// ("video/x-h264" -> "H264", or "AVC1" in an MP4/Matroska style stream;
// "video/mpeg, mpegversion=4" -> "FMP4", "mp4v" in a QuickTime container;
// raw RGB -> 0, the uncompressed bitmap code). containerCaps may be empty.
std::optional<uint32_t> videoCodecIdFromCaps(const std::string& caps,
                                             const std::string& containerCaps = {});
// The wave format tag of an audio stream of these caps ("audio/x-raw" -> 1 or
// 3 for float, "audio/mpeg, mpegversion=1, layer=3" -> 0x55, AAC -> 0xFF,
// "audio/x-ac3" -> 0x2000, ...).
std::optional<uint32_t> audioCodecIdFromCaps(const std::string& caps);
// Bits per pixel of raw video caps (format=...); 0 when not raw or unknown.
int bitsPerPixelFromCaps(const std::string& caps);

// Average bit rate in bits per second of fileSize bytes over lengthSeconds;
// 0 when either is not positive.
int64_t bitrateFromSize(int64_t fileSize, double lengthSeconds);

// Fills bitrates the detector left at 0: raw PCM from rate x channels x sample
// width; then, when exactly one stream still lacks one, the file's average rate
// minus the other streams' rates, if positive.
void fillMissingBitrates(MediaInfo& media);

}  // namespace info
