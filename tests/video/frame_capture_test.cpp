// Capture files: names and numbering beside existing files and links, the
// folder rules, the counter limit, failures that leave nothing behind, and
// pictures encoded and decoded back.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "tests/video/image_decode.h"
#include "video/frame_capture.h"

namespace video {
namespace {

namespace fs = std::filesystem;
using testing::decodeImage;

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::set<std::string> namesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
  return names;
}

// Quadrants of known colours: red, green, blue, white; odd sizes on purpose.
CapturePicture testPattern(int w, int h) {
  CapturePicture p{w, h, std::vector<uint8_t>(size_t(w) * size_t(h) * 4)};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* px = p.bgrx.data() + (size_t(y) * size_t(w) + size_t(x)) * 4;
      const bool right = x >= w / 2, bottom = y >= h / 2;
      const uint8_t r = !right && !bottom ? 255 : right && bottom ? 255 : 0;
      const uint8_t g = right && !bottom ? 255 : right && bottom ? 255 : 0;
      const uint8_t b = bottom ? 255 : 0;
      px[0] = b, px[1] = g, px[2] = r, px[3] = 0xFF;
    }
  return p;
}

class CaptureFilesTest : public ::testing::Test {
 protected:
  CaptureFilesTest() {
    char pattern[] = "/tmp/tarvelino-capture-XXXXXX";
    folder_ = mkdtemp(pattern);
  }
  ~CaptureFilesTest() override {
    std::error_code ec;
    fs::permissions(folder_, fs::perms::owner_all, ec);
    fs::remove_all(folder_, ec);
  }
  fs::path folder_;
};

TEST(CaptureNamesTest, CounterOfAtLeastFourDigitsAndTheFormatsExtension) {
  const struct {
    int counter, type;
    const char* name;
  } rows[] = {{1, 1, "Capture0001.jpg"},      {12, 0, "Capture0012.bmp"},
              {12345, 2, "Capture12345.png"}, {99999999, 1, "Capture99999999.jpg"},
              {7, 5, "Capture0007.jpg"},      {7, -1, "Capture0007.jpg"}};
  for (const auto& r : rows)
    EXPECT_EQ(captureFileName(r.counter, captureFormat(r.type)), r.name) << r.counter;
}

TEST(CaptureFolderTest, NamedFolderThenMovieFolderThenHomeNeverTheCurrentFolder) {
  const std::set<std::string> existing = {"/desk", "/caps", "/movies/", "/home/u"};
  const auto isFolder = [&](const std::string& p) { return existing.count(p) > 0; };
  const struct {
    const char *setting, *desktop, *movie, *home, *folder;
    bool fellBack;
  } rows[] = {
      {"Desktop", "/desk", "/movies/a.avi", "/home/u", "/desk/", false},
      {"/caps", "/desk", "/movies/a.avi", "/home/u", "/caps/", false},
      {"/gone", "/desk", "/movies/a.avi", "/home/u", "/movies/", true},
      {"Desktop", "/nodesk", "/movies/a.avi", "/home/u", "/movies/", true},
      {"Desktop", "", "/movies/a.avi", "/home/u", "/movies/", true},
      {"Desktop", "", "/gone/a.avi", "/home/u", "/home/u/", true},
      {"Desktop", "", "a.avi", "", "", true},  // nothing usable: no folder at all
      {"desktop", "/desk", "/movies/a.avi", "/home/u", "/movies/", true},  // exactly "Desktop"
  };
  for (const auto& r : rows) {
    const CaptureFolderChoice c =
        chooseCaptureFolder(r.setting, r.desktop, r.movie, r.home, isFolder);
    EXPECT_EQ(c.folder, r.folder) << r.setting << " " << r.desktop << " " << r.movie;
    EXPECT_EQ(c.fellBack, r.fellBack) << r.setting << " " << r.desktop << " " << r.movie;
  }
}

TEST_F(CaptureFilesTest, NumbersPastExistingFilesAndLinksWithoutTouchingThem) {
  std::ofstream(folder_ / "Capture0001.jpg") << "first";
  std::ofstream(folder_ / "Capture0002.jpg") << "second";
  std::ofstream(folder_ / "target.txt") << "kept";
  fs::create_symlink(folder_ / "target.txt", folder_ / "Capture0003.jpg");
  fs::create_symlink(folder_ / "nowhere", folder_ / "Capture0004.jpg");  // dangling
  fs::create_directory(folder_ / "Capture0005.jpg");
  std::ofstream(folder_ / "Capture0006.png") << "other format";

  CaptureWrite w = writeCapture(folder_.string(), 0, CaptureFormat::Jpeg, "new picture");
  ASSERT_TRUE(w.ok);
  EXPECT_EQ(w.path, (folder_ / "Capture0006.jpg").string());
  EXPECT_EQ(w.counter, 6);
  EXPECT_EQ(slurp(w.path), "new picture");
  EXPECT_EQ(slurp(folder_ / "Capture0001.jpg"), "first");
  EXPECT_EQ(slurp(folder_ / "Capture0002.jpg"), "second");
  EXPECT_EQ(slurp(folder_ / "target.txt"), "kept");
  EXPECT_FALSE(fs::exists(folder_ / "nowhere"));
  EXPECT_EQ(slurp(folder_ / "Capture0006.png"), "other format");

  // The next capture of the run starts after the last number used.
  w = writeCapture(folder_.string() + "/", w.counter, CaptureFormat::Png, "png");
  EXPECT_TRUE(w.ok);
  EXPECT_EQ(w.path, (folder_ / "Capture0007.png").string());
  EXPECT_EQ(slurp(folder_ / "Capture0006.png"), "other format");
  // No temporary file is left.
  EXPECT_EQ(namesIn(folder_).size(), 9u);
}

TEST_F(CaptureFilesTest, PastTheCounterLimitNothingIsOverwritten) {
  std::ofstream(folder_ / "Capture99999999.bmp") << "last";
  const auto before = namesIn(folder_);
  const CaptureWrite w =
      writeCapture(folder_.string(), kCaptureCounterLimit - 1, CaptureFormat::Bmp, "data");
  EXPECT_FALSE(w.ok);
  EXPECT_EQ(w.counter, kCaptureCounterLimit);
  EXPECT_EQ(slurp(folder_ / "Capture99999999.bmp"), "last");
  EXPECT_EQ(namesIn(folder_), before);
  EXPECT_FALSE(writeCapture(folder_.string(), kCaptureCounterLimit, CaptureFormat::Bmp, "x").ok);
  EXPECT_EQ(namesIn(folder_), before);
}

TEST_F(CaptureFilesTest, AFailedWriteLeavesNothingBehind) {
  // A file that the size limit cuts short fails (also for root) and is removed.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = 1000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const CaptureWrite cut =
      writeCapture(folder_.string(), 0, CaptureFormat::Jpeg, std::string(5000, 'x'));
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_FALSE(cut.ok);
  EXPECT_TRUE(namesIn(folder_).empty());

  // Folders that cannot take a file: one that is really a file, one that is gone.
  std::ofstream(folder_ / "plain") << "x";
  EXPECT_FALSE(writeCapture((folder_ / "plain").string(), 0, CaptureFormat::Png, "x").ok);
  EXPECT_FALSE(writeCapture((folder_ / "gone").string(), 0, CaptureFormat::Png, "x").ok);
  EXPECT_FALSE(writeCapture("", 0, CaptureFormat::Png, "x").ok);
  EXPECT_EQ(namesIn(folder_), std::set<std::string>{"plain"});

  // A read-only folder (permission bits do not stop root).
  if (::geteuid() != 0) {
    fs::create_directory(folder_ / "ro");
    fs::permissions(folder_ / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(writeCapture((folder_ / "ro").string(), 0, CaptureFormat::Png, "x").ok);
    fs::permissions(folder_ / "ro", fs::perms::owner_all);
    EXPECT_TRUE(fs::is_empty(folder_ / "ro"));
  }
}

TEST_F(CaptureFilesTest, PicturesDecodeBackWithTheirSizeAndPixels) {
  const struct {
    CaptureFormat format;
    int tolerance;  // JPEG is lossy
  } rows[] = {{CaptureFormat::Bmp, 0}, {CaptureFormat::Png, 0}, {CaptureFormat::Jpeg, 12}};
  const CapturePicture picture = testPattern(67, 41);
  int counter = 0;
  for (const auto& r : rows) {
    SCOPED_TRACE(captureExtension(r.format));
    CaptureJob job{picture, r.format, folder_.string(), counter};
    const CaptureWrite w = runCapture(job);
    ASSERT_TRUE(w.ok);
    counter = w.counter;
    EXPECT_EQ(fs::path(w.path).extension().string(), std::string(".") + captureExtension(r.format));
    const testing::DecodedImage d = decodeImage(slurp(w.path));
    ASSERT_TRUE(d.ok());
    EXPECT_EQ(d.width, 67);
    EXPECT_EQ(d.height, 41);
    const struct {
      int x, y, r, g, b;
    } pixels[] = {
        {5, 5, 255, 0, 0}, {60, 5, 0, 255, 0}, {5, 36, 0, 0, 255}, {60, 36, 255, 255, 255}};
    for (const auto& p : pixels) {
      const uint8_t* got = d.at(p.x, p.y);
      EXPECT_NEAR(got[0], p.r, r.tolerance) << p.x << "," << p.y;
      EXPECT_NEAR(got[1], p.g, r.tolerance) << p.x << "," << p.y;
      EXPECT_NEAR(got[2], p.b, r.tolerance) << p.x << "," << p.y;
    }
  }
  EXPECT_EQ(counter, 3);
  // No picture or a picture whose bytes do not match its size: nothing written.
  CaptureJob empty{CapturePicture{}, CaptureFormat::Png, folder_.string(), counter};
  EXPECT_FALSE(runCapture(empty).ok);
  CaptureJob bad{CapturePicture{10, 10, std::vector<uint8_t>(10)}, CaptureFormat::Jpeg,
                 folder_.string(), counter};
  EXPECT_FALSE(runCapture(bad).ok);
  EXPECT_EQ(namesIn(folder_).size(), 3u);
}

}  // namespace
}  // namespace video
