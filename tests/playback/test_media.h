#pragma once
// Small media files made with gst-launch-1.0 into a temporary folder, once per
// test binary, removed when the binary ends.
#include <string>

namespace playback::testing {

struct TestMedia {
  std::string folder;
  std::string clip;       // 2.4 s, 320x240 at 25 fps, H.264 + AAC in MP4
  std::string oddName;    // the same clip under a name with "#", "%", blanks, non-ASCII
  std::string audioOnly;  // 2 s AAC in MP4
  std::string textAvi;    // a text file named .avi
  std::string truncated;  // the first half of the clip
  std::string directory;  // a folder named like a movie
  std::string missing;    // a path that does not exist
};

// Makes the files on first call; fails the calling test when gst-launch fails.
const TestMedia& testMedia();

}  // namespace playback::testing
