#include "info/movie_info.h"

#include <gtest/gtest.h>

#include <cmath>

#include "info/codec_tables.h"

namespace info {
namespace {

TEST(MovieInfoTest, FormatsNumbersLengthsAndChannels) {
  struct Number {
    double value;
    char sep;
    const char* text;
  } numbers[] = {{25, '.', "25"},          {23.976, '.', "23.976"}, {29.97002997, '.', "29.970"},
                 {128, '.', "128"},        {44100, ',', "44100"},   {1.5, ',', "1,500"},
                 {-12.25, '.', "-12.250"}, {NAN, '.', ""}};
  for (const Number& row : numbers) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(formatInfoNumber(row.value, row.sep), row.text);
  }
  struct Length {
    double seconds;
    const char* text;
  } lengths[] = {{59.5, "59.500 sec."},
                 {3725.25, "1 h 2 min. 5.250 sec."},
                 {125.25, "2 min. 5.250 sec."},
                 {60, "1 min. 0.000 sec."},
                 {3600, "1 h 0 min. 0.000 sec."},
                 {119.9996, "2 min. 0.000 sec."},
                 {59.9996, "1 min. 0.000 sec."},
                 {3599.9999, "1 h 0 min. 0.000 sec."},
                 {0, "Unknown"},
                 {-3, "Unknown"}};
  for (const Length& row : lengths) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(formatInfoLength(row.seconds), row.text);
  }
  EXPECT_EQ(channelsText(1), "Mono");
  EXPECT_EQ(channelsText(2), "Stereo");
  EXPECT_EQ(channelsText(6), "6 Channels");
}

StreamInfo videoStream(uint32_t id, double fps) {
  StreamInfo s;
  s.type = StreamType::Video;
  s.codecId = id;
  s.width = 320;
  s.height = 240;
  s.frameRate = fps;
  return s;
}

StreamInfo audioStream(uint32_t tag, int64_t bitrate, int channels) {
  StreamInfo s;
  s.type = StreamType::Audio;
  s.codecId = tag;
  s.bitrate = bitrate;
  s.sampleRate = 44100;
  s.channels = channels;
  return s;
}

TEST(MovieInfoTest, ComputesTheWindowValues) {
  const uint32_t xvid = fourcc('X', 'V', 'I', 'D');
  struct Row {
    const char* name;
    MediaInfo media;
    const char* videoBitrate;
    const char* frames;
    const char* fps;
    const char* audioStreams;
  } rows[] = {
      {"video and one audio",
       {"", 100.0, 12800000, {videoStream(xvid, 25), audioStream(0x55, 128000, 2)}},
       "886.719",
       "2500",
       "25",
       "1"},
      {"two audio streams subtract twice",
       {"",
        100.0,
        12800000,
        {videoStream(xvid, 25), audioStream(0x55, 128000, 2), audioStream(0x55, 64000, 1)}},
       "756.559",
       "2500",
       "25",
       "2"},
      {"no audio bit rate",
       {"", 100.0, 12800000, {videoStream(xvid, 23.976)}},
       "1016.880",
       "2398",
       "23.976",
       "0"},
      {"unknown frame rate is 25",
       {"", 10.0, 1280000, {videoStream(xvid, 0)}},
       "1016.880",
       "250",
       "25",
       "0"},
      {"audio above the file rate gives Error",
       {"", 10.0, 1280, {videoStream(xvid, 25), audioStream(0x55, 128000, 2)}},
       "Error",
       "250",
       "25",
       "1"},
      {"unknown length: no bit rate, 0 frames",
       {"", 0.0, 1280000, {videoStream(xvid, 25)}},
       "",
       "0",
       "25",
       "0"},
      {"audio only: no video bit rate",
       {"", 10.0, 1280000, {audioStream(1, 1411200, 2)}},
       "",
       "",
       "",
       "1"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    MovieInfoValues v = movieInfoValues(row.media);
    EXPECT_EQ(v.VideoBitrate, row.videoBitrate);
    EXPECT_EQ(v.Frames, row.frames);
    EXPECT_EQ(v.FramesPerSecond, row.fps);
    EXPECT_EQ(v.AudioStreams, row.audioStreams);
  }
  MovieInfoValues v = movieInfoValues(rows[1].media, ',');
  EXPECT_EQ(v.VideoCompression, "XviD MPEG-4 codec");
  EXPECT_EQ(v.VideoStreams, "1");
  EXPECT_EQ(v.Resolution, "320 x 240");
  EXPECT_EQ(v.Time, "1 min. 40,000 sec.");
  EXPECT_EQ(v.AudioCompression, "MPEG1 Layer-3");
  EXPECT_EQ(v.AudioBitrate, "128");
  EXPECT_EQ(v.AudioSampleRate, "44100");
  EXPECT_EQ(v.AudioChannels, "Stereo");
  EXPECT_EQ(v.BitDepth, "");
}

}  // namespace
}  // namespace info
