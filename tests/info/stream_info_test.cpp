#include "info/stream_info.h"

#include <gtest/gtest.h>

#include <random>

#include "info/codec_tables.h"

namespace info {
namespace {

uint32_t code(const char (&c)[5]) {
  return fourcc(uint8_t(c[0]), uint8_t(c[1]), uint8_t(c[2]), uint8_t(c[3]));
}

TEST(CapsTest, ParsesNameAndTypedFields) {
  CapsFields c = parseCaps(
      "video/x-h264, stream-format=(string)avc, alignment=(string)au, level=(string)\"1.3\", "
      "codec_data=(buffer)01640014ffe1, width=(int)320, height=(int)240, "
      "framerate=(fraction)25/1, format={ I420, YV12 }; video/x-raw");
  EXPECT_EQ(c.name, "video/x-h264");
  EXPECT_EQ(c.get("stream-format"), "avc");
  EXPECT_EQ(c.get("level"), "1.3");
  EXPECT_EQ(c.getInt("width"), 320);
  EXPECT_EQ(c.getInt("height"), 240);
  EXPECT_EQ(c.get("framerate"), "25/1");
  EXPECT_EQ(c.get("format"), "{ I420, YV12 }");
  EXPECT_EQ(c.getInt("framerate"), std::nullopt);
  EXPECT_EQ(c.get("missing"), std::nullopt);
}

TEST(CapsTest, DerivesVideoFourCC) {
  struct Row {
    const char* caps;
    const char* container;
    std::optional<uint32_t> expected;
  } rows[] = {
      {"video/x-h264, stream-format=(string)byte-stream", "video/x-msvideo", code("H264")},
      {"video/x-h264, stream-format=(string)avc", "video/quicktime", code("AVC1")},
      {"video/x-h264", "video/quicktime, variant=(string)iso", code("AVC1")},
      {"video/x-h264", "", code("H264")},
      {"video/mpeg, mpegversion=(int)4, systemstream=(boolean)false", "video/x-msvideo",
       code("FMP4")},
      {"video/mpeg, mpegversion=4", "video/quicktime", code("mp4v")},
      {"video/mpeg, mpegversion=(int)2", "", code("MPG2")},
      {"video/mpeg, mpegversion=(int)1", "", code("MPG1")},
      {"video/mpeg", "", std::nullopt},
      {"video/x-divx, divxversion=(int)3", "", code("DIV3")},
      {"video/x-divx, divxversion=(int)5", "", code("DX50")},
      {"video/x-xvid", "", code("XVID")},
      {"video/x-msmpeg, msmpegversion=(int)43", "", code("MP43")},
      {"video/x-wmv, wmvversion=(int)3", "", code("WMV3")},
      {"video/x-wmv, wmvversion=(int)3, format=(string)WVC1", "", code("WVC1")},
      {"video/x-pn-realvideo, rmversion=(int)4", "", code("RV40")},
      {"video/x-svq, svqversion=(int)3", "", code("SVQ3")},
      {"image/jpeg", "video/x-msvideo", code("MJPG")},
      {"video/x-vp8", "video/webm", code("VP80")},
      {"video/x-flash-video, flvversion=(int)1", "", code("FLV1")},
      {"video/x-dv, systemstream=(boolean)false", "", code("dvsd")},
      {"video/x-raw, format=(string)I420", "", code("I420")},
      {"video/x-raw, format=(string)YUY2", "", code("YUY2")},
      {"video/x-raw, format=(string)GRAY8", "", code("Y800")},
      {"video/x-raw, format=(string)BGRx", "", 0u},
      {"video/x-raw, format=(string)RGB", "", 0u},
      {"video/x-theora", "", std::nullopt},
      {"", "", std::nullopt},
      {"garbage,,,==", "", std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.caps);
    EXPECT_EQ(videoCodecIdFromCaps(row.caps, row.container), row.expected);
  }
}

TEST(CapsTest, DerivesAudioTagAndBitsPerPixel) {
  struct Row {
    const char* caps;
    std::optional<uint32_t> expected;
  } rows[] = {
      {"audio/x-raw, format=(string)S16LE, layout=(string)interleaved", 0x0001},
      {"audio/x-raw, format=(string)F32LE", 0x0003},
      {"audio/x-raw", 0x0001},
      {"audio/mpeg, mpegversion=(int)1, layer=(int)3", 0x0055},
      {"audio/mpeg, mpegversion=(int)1, layer=(int)2", 0x0050},
      {"audio/mpeg, mpegversion=(int)4, stream-format=(string)raw", 0x00FF},
      {"audio/mpeg, mpegversion=2", 0x00FF},
      {"audio/mpeg, mpegversion=(int)1", std::nullopt},
      {"audio/x-ac3", 0x2000},
      {"audio/x-dts", 0x2001},
      {"audio/x-vorbis", 0x674F},
      {"audio/x-wma, wmaversion=(int)2", 0x0161},
      {"audio/x-alaw", 0x0006},
      {"audio/x-adpcm, layout=(string)microsoft", 0x0002},
      {"audio/x-opus", std::nullopt},
      {"video/x-h264", std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.caps);
    EXPECT_EQ(audioCodecIdFromCaps(row.caps), row.expected);
  }
  struct Depth {
    const char* caps;
    int bits;
  } depths[] = {{"video/x-raw, format=(string)I420", 12},
                {"video/x-raw, format=BGRx", 32},
                {"video/x-raw, format=RGB", 24},
                {"video/x-raw, format=YUY2", 16},
                {"video/x-h264", 0},
                {"video/x-raw", 0}};
  for (const Depth& row : depths) {
    SCOPED_TRACE(row.caps);
    EXPECT_EQ(bitsPerPixelFromCaps(row.caps), row.bits);
  }
}

StreamInfo video() {
  StreamInfo s;
  s.type = StreamType::Video;
  return s;
}

StreamInfo audio(const char* caps = "", int rate = 0, int channels = 0, int64_t bitrate = 0) {
  StreamInfo s;
  s.type = StreamType::Audio;
  s.caps = caps;
  s.sampleRate = rate;
  s.channels = channels;
  s.bitrate = bitrate;
  return s;
}

TEST(BitrateTest, ComputesMissingRates) {
  struct Row {
    const char* name;
    int64_t fileSize;
    double length;
    std::vector<StreamInfo> streams;
    std::vector<int64_t> expected;
  } rows[] = {
      {"one video stream takes the whole rate", 1000000, 8.0, {video()}, {1000000}},
      {"video gets what audio leaves",
       1000000,
       8.0,
       {video(), audio("audio/mpeg", 44100, 2, 128000)},
       {872000, 128000}},
      {"raw audio from its format",
       2000000,
       10.0,
       {video(), audio("audio/x-raw, format=(string)S16LE", 48000, 2)},
       {64000, 1536000}},
      {"two streams missing stay unknown", 1000000, 8.0, {video(), audio()}, {0, 0}},
      {"no length stays unknown", 1000000, 0.0, {video()}, {0}},
      {"known rates above the file's stay as they are",
       1000,
       8.0,
       {video(), audio("audio/mpeg", 44100, 2, 128000)},
       {0, 128000}},
  };
  for (Row& row : rows) {
    SCOPED_TRACE(row.name);
    MediaInfo m;
    m.fileSize = row.fileSize;
    m.lengthSeconds = row.length;
    m.streams = row.streams;
    fillMissingBitrates(m);
    ASSERT_EQ(m.streams.size(), row.expected.size());
    for (size_t i = 0; i < row.expected.size(); ++i)
      EXPECT_EQ(m.streams[i].bitrate, row.expected[i]);
  }
  EXPECT_EQ(bitrateFromSize(1000, 1.0), 8000);
  EXPECT_EQ(bitrateFromSize(-1, 1.0), 0);
  EXPECT_EQ(bitrateFromSize(1000, -1.0), 0);
  EXPECT_EQ(bitrateFromSize(INT64_MAX, 1e-300), 0);
}

// Caps strings come from files: arbitrary and truncated text must not crash,
// hang or grow without bound.
TEST(CapsTest, SurvivesArbitraryText) {
  std::mt19937 rng(12345);
  const std::string alphabet = "video/x-h264,=()\"{}[]<>;\\ abcXYZ0123456789\t\n";
  const std::string real =
      "video/x-h264, stream-format=(string)avc, codec_data=(buffer)0164, level=(string)\"1.3\"";
  for (int i = 0; i < 3000; ++i) {
    std::string text;
    if (i % 3 == 0) {
      text = real.substr(0, rng() % (real.size() + 1));
    } else {
      const size_t n = rng() % 200;
      for (size_t k = 0; k < n; ++k)
        text.push_back(i % 3 == 1 ? alphabet[rng() % alphabet.size()] : char(rng() % 256));
    }
    CapsFields c = parseCaps(text);
    EXPECT_LE(c.fields.size(), text.size() + 1);
    (void)videoCodecIdFromCaps(text, text);
    (void)audioCodecIdFromCaps(text);
    (void)bitsPerPixelFromCaps(text);
  }
}

}  // namespace
}  // namespace info
