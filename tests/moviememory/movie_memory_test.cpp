// The store of remembered movies and the record <-> live settings functions.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "moviememory/live_settings.h"
#include "moviememory/movie_memory.h"
#include "moviememory/rs_values.h"

namespace {

using moviememory::MovieMemory;
using moviememory::MovieRecord;
namespace fs = std::filesystem;

class TempFile {
 public:
  TempFile() {
    std::random_device seed;
    folder_ = fs::temp_directory_path() / ("tarvelino-rs-" + std::to_string(seed()));
  }
  ~TempFile() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  // A file in a folder that does not exist yet.
  std::string path() const { return (folder_ / "data" / "Tarvelino.rs").string(); }

 private:
  fs::path folder_;
};

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(MovieMemoryTest, EvictsTheLeastRecentlyAccessedRecord) {
  struct Row {
    const char* name;
    int zeroAt;   // record loaded without LastAccessed (0), -1 none
    int tieWith;  // record given the same oldest date as record 0, -1 none
    int reused;
  };
  for (const Row row : {Row{"Oldest", -1, -1, 0}, Row{"NeverAccessedFirst", 150, -1, 150},
                        Row{"FirstOfEquals", -1, 90, 0}}) {
    SCOPED_TRACE(row.name);
    MovieMemory memory;
    for (int i = 0; i < 200; ++i) {
      MovieRecord& r = memory.recordFor("movie" + std::to_string(i) + ".avi");
      r.LastAccessed = i == row.zeroAt ? 0 : 100 + (i == row.tieWith ? 0 : i);
    }
    ASSERT_EQ(memory.size(), 200u);
    MovieRecord& fresh = memory.recordFor("new.avi");
    EXPECT_EQ(memory.size(), 200u);
    EXPECT_EQ(&fresh, &memory.record(row.reused));
    EXPECT_EQ(fresh.Name, "new.avi");
    EXPECT_EQ(memory.find("NEW.AVI"), std::optional<std::size_t>(row.reused));
    EXPECT_FALSE(memory.find("movie" + std::to_string(row.reused) + ".avi"));
  }
}

TEST(MovieMemoryTest, NamesMatchWithoutRegardToCaseOrFolder) {
  MovieMemory memory;
  const settings::Settings s;
  moviememory::LiveMovieState live;
  moviememory::addToRms(memory, "/a/movie.avi", s, live, 10);
  moviememory::addToRms(memory, "/b/MOVIE.AVI", s, live, 11);
  moviememory::addToRms(memory, "/b/\xC5\xBDluty.avi", s, live, 12);
  EXPECT_EQ(memory.size(), 2u);
  EXPECT_EQ(memory.find("Movie.Avi"), std::optional<std::size_t>(0));
  EXPECT_EQ(memory.find("\xC5\xBEluty.AVI"), std::optional<std::size_t>(1));
  EXPECT_DOUBLE_EQ(memory.records()[0].LastAccessed, 11);
}

TEST(MovieMemoryFileTest, SavesLoadsDeletesAndKeepsRefusedFiles) {
  TempFile file;
  MovieMemory memory;
  EXPECT_EQ(memory.load(file.path(), MovieRecord{}), moviememory::LoadResult::Missing);
  memory.recordFor("a.avi").Hue = 17;
  memory.recordFor("bad\r\n[injected]\r\nHue=1.avi").Hue = 1;
  ASSERT_TRUE(memory.save(file.path()));
  MovieMemory again;
  ASSERT_EQ(again.load(file.path(), MovieRecord{}), moviememory::LoadResult::Loaded);
  ASSERT_EQ(again.size(), 1u) << "a name with line breaks stays out of the file";
  EXPECT_EQ(again.records()[0].Hue, 17);
  // Saving an empty store deletes the file; a later save writes it again.
  again.remove(0);
  ASSERT_TRUE(again.save(file.path()));
  EXPECT_FALSE(fs::exists(file.path()));
  again.recordFor("b.avi");
  ASSERT_TRUE(again.save(file.path()));
  EXPECT_TRUE(fs::exists(file.path()));
  // A file too big to be read is kept as ".bak", not replaced silently.
  const std::string big(moviememory::kMaxFileBytes, '[');
  std::ofstream(file.path(), std::ios::binary) << big;
  MovieMemory refused;
  EXPECT_EQ(refused.load(file.path(), MovieRecord{}), moviememory::LoadResult::Refused);
  EXPECT_EQ(refused.size(), 0u);
  refused.recordFor("c.avi");
  ASSERT_TRUE(refused.save(file.path()));
  EXPECT_EQ(readAll(file.path() + ".bak"), big);
  MovieMemory last;
  last.load(file.path(), MovieRecord{});
  ASSERT_EQ(last.size(), 1u);
  EXPECT_EQ(last.records()[0].Name, "c.avi");
  // One byte less is read.
  std::ofstream(file.path(), std::ios::binary) << std::string(moviememory::kMaxFileBytes - 1, 'x');
  EXPECT_EQ(last.load(file.path(), MovieRecord{}), moviememory::LoadResult::Loaded);
}

TEST(MovieMemoryFileTest, EachRefusedFileKeepsItsOwnCopy) {
  TempFile file;
  const std::string copies[] = {file.path() + ".bak", file.path() + ".1.bak",
                                file.path() + ".2.bak"};
  for (int start = 0; start < 3; ++start) {
    SCOPED_TRACE(start);
    fs::create_directories(fs::path(file.path()).parent_path());
    std::ofstream(file.path(), std::ios::binary)
        << std::to_string(start) << std::string(moviememory::kMaxFileBytes, '[');
    MovieMemory refused;
    EXPECT_EQ(refused.load(file.path(), MovieRecord{}), moviememory::LoadResult::Refused);
    refused.recordFor("a.avi");
    ASSERT_TRUE(refused.save(file.path()));
    for (int copy = 0; copy <= start; ++copy)
      EXPECT_EQ(readAll(copies[copy]).substr(0, 1), std::to_string(copy)) << copies[copy];
  }
  // A pipe in place of the file is not waited on: it reads as unreadable.
  fs::remove(file.path());
  ASSERT_EQ(::mkfifo(file.path().c_str(), 0600), 0);
  MovieMemory piped;
  EXPECT_EQ(piped.load(file.path(), MovieRecord{}), moviememory::LoadResult::Unreadable);
  piped.recordFor("b.avi");
  ASSERT_TRUE(piped.save(file.path()));
  EXPECT_TRUE(fs::is_fifo(file.path() + ".3.bak"));
  EXPECT_TRUE(fs::is_regular_file(file.path()));
}

TEST(LiveSettingsTest, RecordTakesTheLiveStateAndMovieModeValues) {
  settings::Settings s;
  s.PanScanSize = 12;
  s.AverageVerticalDisplayZone = 20;
  s.AudioVolume = 7;
  s.SubtitleSize = 300;
  s.KeepAspectRatio = true;
  moviememory::LiveMovieState live;
  live.PictureRatio = 1.78;
  live.PictureOffsetX = 5;
  live.PositionHns = 36610LL * 10'000'000;  // 10:10:10
  live.Bookmarks[1] = "00:01:02 some caption";
  live.FullScreen = true;
  live.MovieModeValues = {-3, -4, -5, 44, false};
  struct Row {
    const char* name;
    bool movieMode;
    bool leftThroughMovieMode;
    bool keepAspect;
    int panScan;
    int zone;
    bool fullScreen;
    double ratio;
  };
  for (const Row row : {Row{"Plain", false, false, true, 12, 20, true, 1.78},
                        Row{"MovieMode", true, false, true, -3, 44, false, 1.78},
                        Row{"LeftThroughMovieMode", false, true, false, 12, 20, false, -1}}) {
    SCOPED_TRACE(row.name);
    live.MovieMode = row.movieMode;
    live.LeftFullScreenThroughMovieMode = row.leftThroughMovieMode;
    s.KeepAspectRatio = row.keepAspect;
    MovieRecord r;
    moviememory::fillRecord(r, s, live, 42.5);
    EXPECT_EQ(r.PanScan, row.panScan);
    EXPECT_EQ(r.AverageVerticalDisplayZone, row.zone);
    EXPECT_EQ(r.FullScreen, row.fullScreen);
    EXPECT_DOUBLE_EQ(r.AspectRatio, row.ratio);
    EXPECT_FALSE(live.LeftFullScreenThroughMovieMode);
    EXPECT_EQ(r.AudioVolume, 3500);
    EXPECT_EQ(r.SubtitleSize, 300);
    EXPECT_EQ(r.BookMark[1], "00:01:02");
    EXPECT_EQ(moviememory::formatTimeOfDay(r.LastVideoPosition), "10:10:10");
    EXPECT_EQ(moviememory::formatDateTime(r.LastAccessed), "10/02/1900 12:00:00");
  }
}

TEST(LiveSettingsTest, OverridesArePutBackAtClose) {
  settings::Settings s;
  const settings::Settings before = s;
  MovieRecord r;
  r.Brightness = 2005;  // 200.5 positions: halves go to even
  r.Contrast = 10150;
  r.Saturation = 250;
  r.Hue = -7;
  r.AudioVolume = 5499;
  r.SubtitleFontName = "DejaVu Serif";
  r.SubtitleSize = 300;
  r.AverageVerticalDisplayZone = 33;
  r.AspectRatio = -1;
  moviememory::TemporaryOverrides overrides;
  moviememory::applySubtitleSettings(r, s, overrides);
  moviememory::applyColorSettings(r, s, overrides);
  moviememory::applyVolume(r, s, overrides);
  moviememory::overridePanScan(40, s, overrides);
  moviememory::overridePanScan(50, s, overrides);
  moviememory::LiveMovieState live;
  moviememory::applyMovieSettings(r, s, live);
  EXPECT_EQ(s.BrightnessControl, 2000);
  EXPECT_EQ(s.ContrastControl, 10200);
  EXPECT_EQ(s.SaturationControl, 200);
  EXPECT_EQ(s.HueControl, -7);
  EXPECT_EQ(s.AudioVolume, 10);
  EXPECT_EQ(s.SubtitleSize, 300);
  EXPECT_EQ(s.PanScanSize, 50);
  EXPECT_FALSE(s.KeepAspectRatio);
  moviememory::putBackTemporarySettings(s, overrides);
  EXPECT_EQ(s.BrightnessControl, before.BrightnessControl);
  EXPECT_EQ(s.SubtitleFontName, before.SubtitleFontName);
  EXPECT_EQ(s.SubtitleSize, before.SubtitleSize);
  EXPECT_EQ(s.AverageVerticalDisplayZone, before.AverageVerticalDisplayZone);
  EXPECT_EQ(s.AudioVolume, before.AudioVolume);
  EXPECT_EQ(s.PanScanSize, before.PanScanSize);
}

TEST(LiveSettingsTest, ResumesOnlyWellBeforeTheEnd) {
  struct Row {
    int positionS;
    int durationS;
    bool resumes;
  };
  for (const Row row : {Row{60, 120, true}, Row{117, 120, false}, Row{114, 120, true},
                        Row{115, 120, false}, Row{0, 4, false}, Row{0, 6, true}}) {
    SCOPED_TRACE(row.positionS);
    MovieRecord r;
    r.LastVideoPosition = row.positionS / 86400.0;
    const auto position = moviememory::resumePosition(r, row.durationS * 10'000'000LL);
    EXPECT_EQ(position.has_value(), row.resumes);
    if (position) {
      EXPECT_EQ(*position, row.positionS * 10'000'000LL);
    }
  }
}

}  // namespace
