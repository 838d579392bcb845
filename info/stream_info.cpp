#include "info/stream_info.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "info/codec_tables.h"

namespace info {

namespace {

std::string trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\n' || s[b] == '\r')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\n' || s[e - 1] == '\r'))
    --e;
  return std::string(s.substr(b, e - b));
}

// Splits at top-level commas (outside quotes and (), [], {}, <> groups) up to
// the end of the first structure (a top-level ';').
std::vector<std::string> splitTopLevel(const std::string& caps) {
  std::vector<std::string> parts;
  std::string current;
  int depth = 0;
  bool quoted = false;
  for (size_t i = 0; i < caps.size(); ++i) {
    const char c = caps[i];
    if (quoted) {
      current.push_back(c);
      if (c == '\\' && i + 1 < caps.size()) {
        current.push_back(caps[++i]);
      } else if (c == '"') {
        quoted = false;
      }
      continue;
    }
    if (c == '"') {
      quoted = true;
    } else if (c == '(' || c == '[' || c == '{' || c == '<') {
      ++depth;
    } else if ((c == ')' || c == ']' || c == '}' || c == '>') && depth > 0) {
      --depth;
    } else if (depth == 0 && c == ';') {
      break;
    } else if (depth == 0 && c == ',') {
      parts.push_back(current);
      current.clear();
      continue;
    }
    current.push_back(c);
  }
  parts.push_back(current);
  return parts;
}

uint32_t code(const char (&c)[5]) {
  return fourcc(static_cast<uint8_t>(c[0]), static_cast<uint8_t>(c[1]), static_cast<uint8_t>(c[2]),
                static_cast<uint8_t>(c[3]));
}

bool startsWith(const std::string& s, std::string_view prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

// Bits per sample of a raw audio format name (S16LE, F32LE, S24_32LE, ...).
int audioSampleBits(const std::string& format) {
  if (format.size() < 2) return 0;
  if (startsWith(format, "S24_32") || startsWith(format, "U24_32")) return 32;
  int bits = 0;
  std::from_chars(format.data() + 1, format.data() + format.size(), bits);
  return (bits == 8 || bits == 16 || bits == 18 || bits == 20 || bits == 24 || bits == 32 ||
          bits == 64)
             ? bits
             : 0;
}

}  // namespace

std::optional<std::string> CapsFields::get(const std::string& key) const {
  for (const auto& [k, v] : fields)
    if (k == key) return v;
  return std::nullopt;
}

std::optional<int> CapsFields::getInt(const std::string& key) const {
  auto v = get(key);
  if (!v) return std::nullopt;
  int value = 0;
  auto [end, ec] = std::from_chars(v->data(), v->data() + v->size(), value);
  if (ec != std::errc() || end != v->data() + v->size()) return std::nullopt;
  return value;
}

CapsFields parseCaps(const std::string& caps) {
  CapsFields out;
  std::vector<std::string> parts = splitTopLevel(caps);
  out.name = trim(parts.front());
  for (size_t i = 1; i < parts.size(); ++i) {
    const std::string& part = parts[i];
    const size_t eq = part.find('=');
    if (eq == std::string::npos) continue;
    std::string key = trim(std::string_view(part).substr(0, eq));
    std::string value = trim(std::string_view(part).substr(eq + 1));
    if (!value.empty() && value.front() == '(') {  // a type annotation: (int), (string)
      const size_t close = value.find(')');
      if (close != std::string::npos) value = trim(std::string_view(value).substr(close + 1));
    }
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
      value = value.substr(1, value.size() - 2);
    out.fields.emplace_back(std::move(key), std::move(value));
  }
  return out;
}

std::optional<uint32_t> videoCodecIdFromCaps(const std::string& caps,
                                             const std::string& containerCaps) {
  const CapsFields c = parseCaps(caps);
  const std::string container = parseCaps(containerCaps).name;
  const bool quickTime = container == "video/quicktime" || container == "video/x-quicktime";
  const std::string& n = c.name;
  const int version = [&] {
    for (const char* key :
         {"mpegversion", "divxversion", "msmpegversion", "wmvversion", "rmversion", "svqversion",
          "indeoversion", "flvversion", "ffvversion", "msvideoversion", "truemotionversion"})
      if (auto v = c.getInt(key)) return *v;
    return 0;
  }();
  if (n == "video/x-h264") {
    // A length-prefixed stream (MP4, Matroska) is what the AVC1 code names.
    return c.get("stream-format") == "avc" || quickTime ? code("AVC1") : code("H264");
  }
  if (n == "video/x-h265") return code("HEVC");
  if (n == "video/mpeg") {
    if (version == 4) return quickTime ? code("mp4v") : code("FMP4");
    if (version == 2) return code("MPG2");
    if (version == 1) return code("MPG1");
    return std::nullopt;
  }
  if (n == "video/x-xvid") return code("XVID");
  if (n == "video/x-3ivx") return code("3IV1");
  if (n == "video/x-divx") {
    if (version == 3) return code("DIV3");
    if (version == 4) return code("DIVX");
    if (version == 5) return code("DX50");
    return std::nullopt;
  }
  if (n == "video/x-msmpeg") {
    if (version == 41) return code("MP41");
    if (version == 42) return code("MP42");
    if (version == 43) return code("MP43");
    return std::nullopt;
  }
  if (n == "video/x-wmv") {
    if (auto f = c.get("format"); f && f->size() == 4)
      return fourcc(uint8_t((*f)[0]), uint8_t((*f)[1]), uint8_t((*f)[2]), uint8_t((*f)[3]));
    if (version == 1) return code("WMV1");
    if (version == 2) return code("WMV2");
    if (version == 3) return code("WMV3");
    return std::nullopt;
  }
  if (n == "video/x-pn-realvideo") {
    if (version == 1) return code("RV10");
    if (version == 2) return code("RV20");
    if (version == 3) return code("RV30");
    if (version == 4) return code("RV40");
    return std::nullopt;
  }
  if (n == "video/x-svq") {
    if (version == 1) return code("SVQ1");
    if (version == 3) return code("SVQ3");
    return std::nullopt;
  }
  if (n == "video/x-indeo") {
    if (version == 3) return code("IV31");
    if (version == 4) return code("IV41");
    if (version == 5) return code("IV50");
    return std::nullopt;
  }
  if (n == "image/jpeg") return code("MJPG");
  if (n == "video/x-vp8") return code("VP80");
  if (n == "video/x-vp9") return code("VP90");
  if (n == "video/x-av1") return code("AV01");
  if (n == "video/x-vp6" || n == "video/x-vp6-flash") return code("VP62");
  if (n == "video/x-vp3") return code("VP31");
  if (n == "video/x-flash-video" && version <= 1) return code("FLV1");
  if (n == "video/x-h263") return code("H263");
  if (n == "video/x-h261") return code("H261");
  if (n == "video/x-dv") return code("dvsd");
  if (n == "video/x-huffyuv") return code("HFYU");
  if (n == "video/x-ffv" && version == 1) return code("FFV1");
  if (n == "video/x-cinepak") return code("CVID");
  if (n == "video/x-msvideocodec" && version == 1) return code("CRAM");
  if (n == "video/x-rle" && c.get("layout") == "microsoft") return code("MRLE");
  if (n == "video/x-tscc") return code("TSCC");
  if (n == "video/x-truemotion") return version == 2 ? code("TM20") : code("DUCK");
  if (n == "video/x-raw") {
    const std::string format = c.get("format").value_or("");
    if (format.empty()) return std::nullopt;
    if (format == "GRAY8") return code("Y800");
    if (format == "v210") return code("v210");
    if (format.size() == 4 && format.find_first_of("RGB") == std::string::npos)
      return fourcc(uint8_t(format[0]), uint8_t(format[1]), uint8_t(format[2]), uint8_t(format[3]));
    if (format.find("RGB") != std::string::npos || format.find("BGR") != std::string::npos)
      return 0;  // plain uncompressed RGB bitmap
    return std::nullopt;
  }
  return std::nullopt;
}

std::optional<uint32_t> audioCodecIdFromCaps(const std::string& caps) {
  const CapsFields c = parseCaps(caps);
  const std::string& n = c.name;
  if (n == "audio/x-raw") {
    const std::string format = c.get("format").value_or("");
    return !format.empty() && format[0] == 'F' ? 0x0003 : 0x0001;
  }
  if (n == "audio/x-alaw") return 0x0006;
  if (n == "audio/x-mulaw") return 0x0007;
  if (n == "audio/mpeg") {
    const int version = c.getInt("mpegversion").value_or(1);
    if (version == 2 || version == 4) return 0x00FF;  // AAC
    const int layer = c.getInt("layer").value_or(0);
    if (layer == 3) return 0x0055;
    if (layer == 1 || layer == 2) return 0x0050;
    return std::nullopt;
  }
  if (n == "audio/x-ac3") return 0x2000;
  if (n == "audio/x-dts") return 0x2001;
  if (n == "audio/x-vorbis") return 0x674F;
  if (n == "audio/x-wma") {
    const int version = c.getInt("wmaversion").value_or(0);
    if (version >= 1 && version <= 3) return 0x015F + version;
    return std::nullopt;
  }
  if (n == "audio/x-adpcm") {
    const std::string layout = c.get("layout").value_or("");
    if (layout == "microsoft") return 0x0002;
    if (layout == "dvi") return 0x0011;
    if (layout == "g726") return 0x0045;
    if (layout == "dk4") return 0x0061;
    if (layout == "dk3") return 0x0062;
    return std::nullopt;
  }
  if (n == "audio/ms-gsm" || n == "audio/x-gsm") return 0x0031;
  if (n == "audio/x-truespeech") return 0x0022;
  if (n == "audio/x-qdm2") return 0x0450;
  if (n == "audio/AMR") return 0x7A21;
  if (n == "audio/x-sipro") return 0x0130;
  if (n == "audio/G723") return 0x0042;
  return std::nullopt;
}

int bitsPerPixelFromCaps(const std::string& caps) {
  const CapsFields c = parseCaps(caps);
  if (c.name != "video/x-raw") return 0;
  const std::string f = c.get("format").value_or("");
  if (f == "I420" || f == "YV12" || f == "NV12" || f == "NV21") return 12;
  if (f == "YUY2" || f == "UYVY" || f == "YVYU" || f == "Y42B" || f == "RGB16" || f == "BGR16" ||
      f == "RGB15" || f == "BGR15")
    return 16;
  if (f == "Y41B") return 12;
  if (f == "YUV9" || f == "YVU9") return 9;
  if (f == "GRAY8") return 8;
  if (f == "RGB" || f == "BGR" || f == "Y444" || f == "v308") return 24;
  if (f == "RGBx" || f == "BGRx" || f == "xRGB" || f == "xBGR" || f == "RGBA" || f == "BGRA" ||
      f == "ARGB" || f == "ABGR" || f == "AYUV")
    return 32;
  return 0;
}

int64_t bitrateFromSize(int64_t fileSize, double lengthSeconds) {
  if (fileSize <= 0 || !(lengthSeconds > 0) || !std::isfinite(lengthSeconds)) return 0;
  const double bits = std::round(static_cast<double>(fileSize) * 8.0 / lengthSeconds);
  if (bits >= static_cast<double>(std::numeric_limits<int64_t>::max())) return 0;
  return static_cast<int64_t>(bits);
}

void fillMissingBitrates(MediaInfo& media) {
  for (StreamInfo& s : media.streams) {
    if (s.bitrate > 0 || s.type != StreamType::Audio) continue;
    const CapsFields c = parseCaps(s.caps);
    if (c.name != "audio/x-raw") continue;
    const int bits = audioSampleBits(c.get("format").value_or(""));
    if (bits > 0 && s.sampleRate > 0 && s.channels > 0) {
      s.bitrate = int64_t(s.sampleRate) * s.channels * bits;
      s.bitrateComputed = true;
    }
  }
  StreamInfo* missing = nullptr;
  int missingCount = 0;
  int64_t known = 0;
  for (StreamInfo& s : media.streams) {
    if (s.type == StreamType::Other) continue;
    if (s.bitrate > 0) {
      known += s.bitrate;
    } else {
      missing = &s;
      ++missingCount;
    }
  }
  if (missingCount != 1) return;
  const double length = missing->lengthSeconds > 0 ? missing->lengthSeconds : media.lengthSeconds;
  const int64_t total = bitrateFromSize(media.fileSize, length);
  if (total - known > 0) {
    missing->bitrate = total - known;
    missing->bitrateComputed = true;
  }
}

}  // namespace info
