#include "test_media.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace playback::testing {

namespace {

namespace fs = std::filesystem;

bool launch(const std::string& pipeline) {
  const std::string cmd = "gst-launch-1.0 -q -e " + pipeline + " >/dev/null 2>&1";
  return std::system(cmd.c_str()) == 0;
}

TestMedia make() {
  TestMedia m;
  char pattern[] = "/tmp/tarvelino-media-XXXXXX";
  m.folder = mkdtemp(pattern);
  m.clip = m.folder + "/clip.mp4";
  m.oddName = m.folder + "/a #1 50% \xc3\xa9t\xc3\xa9.mp4";
  m.audioOnly = m.folder + "/tone.mp4";
  m.textAvi = m.folder + "/notes.avi";
  m.truncated = m.folder + "/cut.mp4";
  m.directory = m.folder + "/folder.avi";
  m.missing = m.folder + "/absent.mp4";
  EXPECT_TRUE(launch(
      "videotestsrc num-buffers=60 ! video/x-raw,width=320,height=240,framerate=25/1 ! "
      "videoconvert ! video/x-raw,format=I420 ! x264enc speed-preset=ultrafast ! mp4mux name=mux "
      "! filesink location=" +
      m.clip + " audiotestsrc num-buffers=103 ! audioconvert ! avenc_aac ! mux."));
  EXPECT_TRUE(
      launch("audiotestsrc num-buffers=86 ! audioconvert ! avenc_aac ! mp4mux ! filesink "
             "location=" +
             m.audioOnly));
  fs::copy_file(m.clip, m.oddName);
  std::ofstream(m.textAvi) << "This is not a movie.\nJust some text.\n";
  const auto size = fs::file_size(m.clip);
  std::ifstream in(m.clip, std::ios::binary);
  std::string half(size / 2, '\0');
  in.read(half.data(), half.size());
  std::ofstream(m.truncated, std::ios::binary) << half;
  fs::create_directory(m.directory);
  return m;
}

struct Cleanup {
  std::string folder;
  ~Cleanup() {
    std::error_code ec;
    if (!folder.empty()) fs::remove_all(folder, ec);
  }
};

}  // namespace

const TestMedia& testMedia() {
  static const TestMedia media = make();
  static Cleanup cleanup{media.folder};
  return media;
}

}  // namespace playback::testing
