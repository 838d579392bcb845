#pragma once
// The open movie's bookmarks and the list of recently opened movies. Plain
// C++ on the arrays the rest of the player keeps: the bookmark times of
// LiveMovieState::Bookmarks (items 1 to 9 in order, no gaps once restored)
// and the RecentFile1..5 settings (most recent first).
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "moviememory/movie_record.h"

namespace moviememory {

using BookmarkTimes = std::array<std::string, kBookmarkSlots>;
inline constexpr std::size_t kRecentFiles = 5;
using RecentFiles = std::array<std::string, kRecentFiles>;

// "hh:nn:ss" of a playback position in milliseconds. Hours count on past 24
// (a 25-hour position is "25:00:00"); the remembered-settings file holds two
// hour digits, so positions of 100 hours or more (and negative ones) give
// nothing.
std::optional<std::string> bookmarkTime(std::int64_t positionMs);
// The position in milliseconds of a "hh:nn:ss" bookmark time; nothing for
// any other text.
std::optional<std::int64_t> bookmarkPositionMs(std::string_view time);
// The menu caption of bookmark n (1..9): the time, three tabs, "Alt+", "&" and n.
std::string bookmarkCaption(const std::string& time, int n);

// The number of bookmarks (the filled items before the first empty one).
int bookmarkCount(const BookmarkTimes& times);

enum class BookmarkAdd { Added, SameTime, Full, OutOfRange };
struct BookmarkAddResult {
  BookmarkAdd outcome;
  int number = 0;  // the new bookmark's number 1..9 when added
};
// Add bookmark: the position's time is appended as the next bookmark unless
// a bookmark of the same time exists, nine exist, or the time cannot be kept.
BookmarkAddResult addBookmark(BookmarkTimes& times, std::int64_t positionMs);
// Restoring a record's slots: the filled slots in slot order become bookmarks
// 1, 2, ... (gaps close up); slots that are not bookmark times are dropped.
void closeBookmarkGaps(BookmarkTimes& times);
// Clear bookmarks; true when there were any.
bool clearBookmarks(BookmarkTimes& times);

// Note a recent file: gaps close up, the path moves to (or enters at) the
// first place, entries before it move down one place, and with five other
// entries the oldest drops out. Paths are compared byte for byte (two names
// that differ only in letter case are different files here) and kept whole.
void noteRecentFile(RecentFiles& files, const std::string& path);
// Clear history.
void clearRecentFiles(RecentFiles& files);
// The number of filled entries.
int recentFileCount(const RecentFiles& files);

}  // namespace moviememory
