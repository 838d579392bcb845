// The bookmark and recent-file rules, as tables.
#include <gtest/gtest.h>

#include "settings/configuration_file.h"
#include "settings/settings_io.h"
#include "moviememory/bookmarks.h"

namespace {

using namespace moviememory;

constexpr std::int64_t kHour = 3'600'000;

TEST(BookmarkTimeTest, FormatsAndReadsBackHoursBeyondADay) {
  const struct {
    std::int64_t ms;
    const char* time;  // nullptr: refused
  } rows[] = {
      {0, "00:00:00"},
      {999, "00:00:00"},  // seconds are truncated
      {61'500, "00:01:01"},
      {23 * kHour + 59 * 60'000 + 59'999, "23:59:59"},
      {24 * kHour, "24:00:00"},
      {25 * kHour + 62'000, "25:01:02"},
      {99 * kHour + 59 * 60'000 + 59'000, "99:59:59"},
      {100 * kHour, nullptr},  // the file keeps two hour digits
      {-1, nullptr},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.ms);
    const auto time = bookmarkTime(r.ms);
    if (!r.time) {
      EXPECT_FALSE(time);
      continue;
    }
    ASSERT_TRUE(time);
    EXPECT_EQ(*time, r.time);
    EXPECT_EQ(bookmarkPositionMs(*time), r.ms / 1000 * 1000);
  }
  for (const char* bad : {"", "1:02:03", "01:62:03", "01:02:3x", "01-02-03", "001:02:03"})
    EXPECT_FALSE(bookmarkPositionMs(bad)) << bad;
  EXPECT_EQ(bookmarkCaption("25:01:02", 3), "25:01:02\t\t\tAlt+&3");
}

TEST(BookmarkListTest, AddsInOrderRefusesRepeatsAndATenthAndClears) {
  BookmarkTimes times;
  const struct {
    std::int64_t ms;
    BookmarkAdd outcome;
    int number;
  } rows[] = {
      {5'000, BookmarkAdd::Added, 1},
      {5'900, BookmarkAdd::SameTime, 0},  // the same second again
      {1'000, BookmarkAdd::Added, 2},     // appended, not sorted
      {26 * kHour, BookmarkAdd::Added, 3},
      {2 * kHour, BookmarkAdd::Added, 4},
      {100 * kHour, BookmarkAdd::OutOfRange, 0},
      {10'000, BookmarkAdd::Added, 5},
      {11'000, BookmarkAdd::Added, 6},
      {12'000, BookmarkAdd::Added, 7},
      {13'000, BookmarkAdd::Added, 8},
      {14'000, BookmarkAdd::Added, 9},
      {15'000, BookmarkAdd::Full, 0},  // a tenth is refused
      {14'000, BookmarkAdd::SameTime, 0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.ms);
    const BookmarkAddResult result = addBookmark(times, r.ms);
    EXPECT_EQ(result.outcome, r.outcome);
    EXPECT_EQ(result.number, r.number);
  }
  EXPECT_EQ(bookmarkCount(times), 9);
  EXPECT_EQ(times[0], "00:00:05");
  EXPECT_EQ(times[1], "00:00:01");
  EXPECT_EQ(times[2], "26:00:00");
  EXPECT_TRUE(clearBookmarks(times));
  EXPECT_EQ(bookmarkCount(times), 0);
  EXPECT_FALSE(clearBookmarks(times));
}

TEST(BookmarkListTest, RestoredSlotsCloseUp) {
  const struct {
    BookmarkTimes slots;
    BookmarkTimes expected;
  } rows[] = {
      {{"", "00:01:00", "", "", "", "", "02:00:00"}, {"00:01:00", "02:00:00"}},
      {{"00:00:01", "bad", "00:00:03"}, {"00:00:01", "00:00:03"}},
      {{}, {}},
  };
  for (const auto& r : rows) {
    BookmarkTimes times = r.slots;
    closeBookmarkGaps(times);
    EXPECT_EQ(times, r.expected);
  }
}

TEST(RecentFilesTest, NotingKeepsOrderDedupesAndLimitsToFive) {
  const struct {
    RecentFiles before;
    const char* path;
    RecentFiles after;
  } rows[] = {
      {{}, "/m/a.avi", {"/m/a.avi"}},
      {{"/m/a.avi"}, "/m/b.avi", {"/m/b.avi", "/m/a.avi"}},
      // Already third: first and second move down, fourth and fifth stay.
      {{"1", "2", "3", "4", "5"}, "3", {"3", "1", "2", "4", "5"}},
      {{"1", "2", "3", "4", "5"}, "1", {"1", "2", "3", "4", "5"}},
      {{"1", "2", "3", "4", "5"}, "5", {"5", "1", "2", "3", "4"}},
      // A sixth distinct movie drops the oldest.
      {{"1", "2", "3", "4", "5"}, "6", {"6", "1", "2", "3", "4"}},
      // Gaps close up first.
      {{"", "1", "", "2", ""}, "3", {"3", "1", "2"}},
      {{"", "1", "", "2", ""}, "2", {"2", "1"}},
      // Linux file names differ by letter case: two different files.
      {{"/m/Movie.avi"}, "/m/movie.avi", {"/m/movie.avi", "/m/Movie.avi"}},
      {{"/m/a.avi"}, "", {"/m/a.avi"}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.path);
    RecentFiles files = r.before;
    noteRecentFile(files, r.path);
    EXPECT_EQ(files, r.after);
  }
  RecentFiles files{"1", "2"};
  EXPECT_EQ(recentFileCount(files), 2);
  clearRecentFiles(files);
  EXPECT_EQ(files, RecentFiles{});
  EXPECT_EQ(recentFileCount(files), 0);
}

TEST(RecentFilesTest, LongPathsSurviveTheConfigurationFileWhole) {
  const std::string longPath = "/" + std::string(300, 'd') + "/" + std::string(200, 'n') + ".mkv";
  settings::Settings s;
  noteRecentFile(s.RecentFile, longPath);
  noteRecentFile(s.RecentFile, "/m/Short.avi");
  const auto values =
      settings::buildConfigurationValues(s, settings::ScreenGeometry{}, "No change", "/");
  settings::Settings back;
  settings::applyConfigurationValues(values, back, settings::ApplyContext{});
  EXPECT_EQ(back.RecentFile[0], "/m/Short.avi");
  EXPECT_EQ(back.RecentFile[1], longPath);
}

}  // namespace
