#include "moviememory/bookmarks.h"

#include <algorithm>

#include "moviememory/rs_values.h"

namespace moviememory {

namespace {

constexpr std::int64_t kMsPerSecond = 1000;
constexpr std::int64_t kLongestSeconds = 99 * 3600 + 59 * 60 + 59;  // "99:59:59"
constexpr std::size_t kTimeLength = 8;                              // "hh:nn:ss"

std::string twoDigits(std::int64_t value) {
  return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

}  // namespace

std::optional<std::string> bookmarkTime(std::int64_t positionMs) {
  if (positionMs < 0) return std::nullopt;
  const std::int64_t seconds = positionMs / kMsPerSecond;
  if (seconds > kLongestSeconds) return std::nullopt;
  return twoDigits(seconds / 3600) + ":" + twoDigits(seconds / 60 % 60) + ":" +
         twoDigits(seconds % 60);
}

std::optional<std::int64_t> bookmarkPositionMs(std::string_view time) {
  if (!validBookmark(time)) return std::nullopt;
  const auto number = [time](std::size_t at) {
    return (time[at] - '0') * 10 + (time[at + 1] - '0');
  };
  return (std::int64_t{number(0)} * 3600 + number(3) * 60 + number(6)) * kMsPerSecond;
}

std::string bookmarkCaption(const std::string& time, int n) {
  return time + "\t\t\tAlt+&" + std::to_string(n);
}

int bookmarkCount(const BookmarkTimes& times) {
  return static_cast<int>(std::find(times.begin(), times.end(), std::string()) - times.begin());
}

BookmarkAddResult addBookmark(BookmarkTimes& times, std::int64_t positionMs) {
  const std::optional<std::string> time = bookmarkTime(positionMs);
  if (!time) return {BookmarkAdd::OutOfRange};
  const int count = bookmarkCount(times);
  for (int i = 0; i < count; ++i)
    if (times[i].compare(0, kTimeLength, *time) == 0) return {BookmarkAdd::SameTime};
  if (count >= kBookmarkSlots) return {BookmarkAdd::Full};
  times[count] = *time;
  return {BookmarkAdd::Added, count + 1};
}

void closeBookmarkGaps(BookmarkTimes& times) {
  BookmarkTimes kept;
  int next = 0;
  for (const std::string& time : times)
    if (validBookmark(time)) kept[next++] = time;
  times = kept;
}

bool clearBookmarks(BookmarkTimes& times) {
  const bool any = std::any_of(times.begin(), times.end(),
                               [](const std::string& time) { return !time.empty(); });
  times = {};
  return any;
}

void noteRecentFile(RecentFiles& files, const std::string& path) {
  if (path.empty()) return;
  RecentFiles filled;
  std::size_t count = 0;
  for (const std::string& file : files)
    if (!file.empty()) filled[count++] = file;
  const auto found = std::find(filled.begin(), filled.begin() + count, path);
  // The entries before the path's place (or all of them, the fifth dropping
  // out) move down one place.
  std::size_t moved = found != filled.begin() + count
                          ? static_cast<std::size_t>(found - filled.begin())
                          : std::min(count, kRecentFiles - 1);
  for (std::size_t i = moved; i > 0; --i) filled[i] = filled[i - 1];
  filled[0] = path;
  files = filled;
}

void clearRecentFiles(RecentFiles& files) {
  files = {};
}

int recentFileCount(const RecentFiles& files) {
  return static_cast<int>(std::count_if(files.begin(), files.end(),
                                        [](const std::string& file) { return !file.empty(); }));
}

}  // namespace moviememory
