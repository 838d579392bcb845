#include "playback/discoverer/media_probe.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "info/codec_tables.h"

namespace discoverer {
namespace {

namespace fs = std::filesystem;

uint32_t code(const char (&c)[5]) {
  return info::fourcc(uint8_t(c[0]), uint8_t(c[1]), uint8_t(c[2]), uint8_t(c[3]));
}

// Short clips of each container, made once per test run with gst-launch-1.0:
// 1 s of 320x240 at 25 frames per second, with about 1 s of sound.
class MediaFolder {
 public:
  static const MediaFolder& get() {
    static MediaFolder folder;
    return folder;
  }
  fs::path path(const std::string& name) const { return dir_ / name; }
  std::string failures;

 private:
  MediaFolder() {
    dir_ = fs::temp_directory_path() / ("tarvelino-probe-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    const std::string video =
        "videotestsrc num-buffers=25 ! video/x-raw,width=320,height=240,framerate=25/1 ! "
        "videoconvert";
    const std::string audio = "audiotestsrc num-buffers=44 ! audioconvert";
    make("h264-aac.mp4", video +
                             " ! video/x-raw,format=I420 ! x264enc ! h264parse ! mp4mux name=m"
                             " ! filesink location=OUT " +
                             audio + " ! avenc_aac ! aacparse ! m.");
    make("vp8-vorbis.webm", video +
                                " ! vp8enc deadline=1 ! webmmux name=m ! filesink location=OUT " +
                                audio + " ! vorbisenc ! m.");
    make("mpeg4-pcm.avi", video + " ! avenc_mpeg4 ! avimux name=m ! filesink location=OUT " +
                              audio + " ! audio/x-raw,format=S16LE,rate=44100,channels=1 ! m.");
    make("mjpeg.avi", video + " ! jpegenc ! avimux ! filesink location=OUT");
    make("audio-only.wav", audio +
                               " ! audio/x-raw,format=S16LE,rate=44100,channels=2 ! wavenc"
                               " ! filesink location=OUT");
    std::ofstream(dir_ / "text.avi") << "This is not a movie.\n";
  }
  ~MediaFolder() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  void make(const std::string& name, std::string pipeline) {
    const std::string out = (dir_ / name).string();
    pipeline.replace(pipeline.find("OUT"), 3, "'" + out + "'");
    const std::string command = "gst-launch-1.0 -q " + pipeline + " > /dev/null 2>&1";
    if (std::system(command.c_str()) != 0 || !fs::exists(out)) failures += name + " ";
  }
  fs::path dir_;
};

struct ProbeCase {
  const char* file;
  std::string containerPrefix;
  uint32_t videoId;
  std::optional<uint32_t> audioId;
  int sampleRate;
  int channels;
};

TEST(MediaProbeTest, DescribesEachContainer) {
  const MediaFolder& media = MediaFolder::get();
  ASSERT_EQ(media.failures, "") << "could not make test media";
  const ProbeCase rows[] = {
      {"h264-aac.mp4", "video/quicktime", code("AVC1"), 0x00FF, 44100, 1},
      {"vp8-vorbis.webm", "video/webm", code("VP80"), 0x674F, 44100, 1},
      {"mpeg4-pcm.avi", "video/x-msvideo", code("DIVX"), 0x0001, 44100, 1},
      {"mjpeg.avi", "video/x-msvideo", code("MJPG"), std::nullopt, 0, 0},
  };
  for (const ProbeCase& row : rows) {
    SCOPED_TRACE(row.file);
    std::optional<info::MediaInfo> m = probeFile(media.path(row.file).string());
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(m->containerCaps.rfind(row.containerPrefix, 0), 0u) << m->containerCaps;
    EXPECT_NEAR(m->lengthSeconds, 1.0, 0.2);
    EXPECT_EQ(m->fileSize, static_cast<int64_t>(fs::file_size(media.path(row.file))));
    ASSERT_EQ(m->streams.size(), row.audioId ? 2u : 1u);
    const info::StreamInfo* video = nullptr;
    const info::StreamInfo* audio = nullptr;
    for (const info::StreamInfo& s : m->streams) {
      if (s.type == info::StreamType::Video) video = &s;
      if (s.type == info::StreamType::Audio) audio = &s;
    }
    ASSERT_NE(video, nullptr);
    EXPECT_EQ(video->codecId, row.videoId) << video->caps;
    EXPECT_EQ(video->width, 320);
    EXPECT_EQ(video->height, 240);
    EXPECT_NEAR(video->frameRate, 25.0, 0.01);
    EXPECT_GT(video->bitrate, 0);
    EXPECT_FALSE(video->codecName.empty());
    if (row.audioId) {
      ASSERT_NE(audio, nullptr);
      EXPECT_EQ(audio->codecId, row.audioId) << audio->caps;
      EXPECT_EQ(audio->sampleRate, row.sampleRate);
      EXPECT_EQ(audio->channels, row.channels);
      EXPECT_GT(audio->bitrate, 0);
    }
  }
}

TEST(MediaProbeTest, AudioOnlyAndUnreadableFiles) {
  const MediaFolder& media = MediaFolder::get();
  ASSERT_EQ(media.failures, "") << "could not make test media";
  std::optional<info::MediaInfo> wav = probeFile(media.path("audio-only.wav").string());
  ASSERT_TRUE(wav.has_value());
  ASSERT_EQ(wav->streams.size(), 1u);
  EXPECT_EQ(wav->streams[0].type, info::StreamType::Audio);
  EXPECT_EQ(wav->streams[0].codecId, 0x0001u) << wav->streams[0].caps;
  EXPECT_EQ(wav->streams[0].bitrate, 44100 * 2 * 16);

  struct Row {
    const char* name;
    std::string path;
  } rows[] = {{"text named .avi", media.path("text.avi").string()},
              {"missing file", media.path("missing.mp4").string()},
              {"folder", media.path("").string()},
              {"empty path", ""}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_FALSE(probeFile(row.path, 5000).has_value());
  }
}

}  // namespace
}  // namespace discoverer
