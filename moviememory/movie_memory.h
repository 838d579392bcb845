#pragma once
// The remembered movie settings: up to 200 records kept in insertion order,
// looked up by movie file name without regard to case, and the ".rs" file
// they live in between runs. Interface thread only.
#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "moviememory/movie_record.h"

namespace moviememory {

inline constexpr std::size_t kCapacity = 200;
// Files of this many bytes or more are not read: (size div 128) > 8192.
inline constexpr std::uintmax_t kMaxFileBytes = 8193u * 128u;

// How a load ended. Refused and Unreadable leave the store empty.
enum class LoadResult { Loaded, Missing, Refused, Unreadable };

// Whether a font face is installed; a remembered face that is not becomes "Arial".
using FontInstalled = std::function<bool(const std::string& face)>;

// The record name of a movie: its file name without folder.
std::string recordName(std::string_view moviePath);

// Parses file text into records. Fields missing from a section start from
// sectionDefaults; malformed values take the table defaults; every value is
// limited to its range before it is stored. At most kCapacity records are
// kept: beyond that the least recently accessed one is dropped.
std::vector<MovieRecord> parseRecords(std::string_view text, const MovieRecord& sectionDefaults,
                                      const FontInstalled& fontInstalled = {});
// The file text of records, CR LF line ends. Records whose name holds a line
// break (it would split the section line) stay out of the file.
std::string formatRecords(const std::vector<MovieRecord>& records);

class MovieMemory {
 public:
  // rmsLoadFromHdd: empties the store and reads path if it exists.
  LoadResult load(const std::string& path, const MovieRecord& sectionDefaults,
                  const FontInstalled& fontInstalled = {});
  // rmsSaveToHdd: writes every record atomically, creating the folder; deletes
  // the file when the store is empty. A file that was refused or unreadable at
  // load is first kept as path + ".bak". Failures are silent (false); a save
  // started during another one returns false at once.
  bool save(const std::string& path);
  // The steady-clock time of the last save attempt (for the one-second spacing
  // of the periodic save).
  std::chrono::steady_clock::time_point lastSaveTime() const { return lastSave_; }

  // Index of the first record named like the movie's file name, any letter case.
  std::optional<std::size_t> find(std::string_view movieFileName) const;
  // The record to refresh for a movie file name: the existing one, a new one
  // appended, or, with kCapacity records held, the one with the smallest
  // LastAccessed (the first of equals) renamed for this movie.
  MovieRecord& recordFor(std::string_view movieFileName);

  const std::vector<MovieRecord>& records() const { return records_; }
  MovieRecord& record(std::size_t index) { return records_[index]; }
  std::size_t size() const { return records_.size(); }
  void remove(std::size_t index);
  void clear();

 private:
  std::vector<MovieRecord> records_;
  std::vector<std::string> keys_;  // lower-cased names, parallel to records_
  bool fileUnreadable_ = false;
  bool saving_ = false;
  std::chrono::steady_clock::time_point lastSave_{};
};

}  // namespace moviememory
