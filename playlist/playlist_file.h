#pragma once
// The ".mpl" playlist file: pairs of lines, movie path then subtitle path or
// "No subtitle", each line ended by CR LF. UTF-8 text, no header.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace playlist {

// The marker of an entry without subtitle; compared exactly, never translated.
inline constexpr std::string_view kNoSubtitle = "No subtitle";

// Files of this many bytes or more are refused when they are added to a list:
// (size div 128) > 8192.
inline constexpr std::uintmax_t kMaxPlaylistFileBytes = 8193u * 128u;

// A list that replaces the current one takes up to this many entries, and the
// player never writes more, so a long list it saved comes back whole.
inline constexpr std::size_t kMaxPlaylistEntries = 100000;
// The longest path stored: a path of PATH_MAX (4096) bytes or more cannot be
// opened anyway (ENAMETOOLONG).
inline constexpr std::size_t kMaxStoredPathBytes = 4095;
// Files of this many bytes or more are refused when they replace the list: one
// more than the largest file the player writes (a byte-order mark and
// kMaxPlaylistEntries pairs of the longest paths, each line ended by CR LF).
// Hostile files still cannot take more memory than such a list.
inline constexpr std::uintmax_t kMaxReplacingPlaylistFileBytes =
    3 + 2 * std::uintmax_t{kMaxPlaylistEntries} * (kMaxStoredPathBytes + 2) + 1;

// Splits file bytes into lines: a line ends at LF or CR LF, a CR that is not
// followed by LF is dropped, byte 1A ends the file, a missing last line end is
// accepted and one leading UTF-8 byte-order mark is skipped as the file's
// mark. maxLines caps the number of lines returned (reading stops silently
// there). The bytes can come in pieces, as a file is read.
class PlaylistLineSplitter {
 public:
  explicit PlaylistLineSplitter(std::size_t maxLines) : maxLines_(maxLines) {}
  // Takes the next piece of the file; false once no more lines are wanted.
  bool feed(std::string_view piece);
  // The lines, the text after the last line end included.
  std::vector<std::string> finish();

 private:
  void split(std::string_view bytes);
  bool wantsMore() const { return !ended_ && lines_.size() < maxLines_; }

  std::size_t maxLines_;
  std::string head_;  // the first bytes, until it is known whether they are a mark
  bool headDone_ = false;
  bool ended_ = false;  // byte 1A seen
  std::string line_;
  std::vector<std::string> lines_;
};

// The lines of a whole file (PlaylistLineSplitter in one piece).
std::vector<std::string> splitPlaylistLines(std::string_view bytes, std::size_t maxLines);

// True when a path can be written as one line: it holds no CR, LF or 1A byte
// and is at most kMaxStoredPathBytes long.
bool storableInPlaylistFile(std::string_view path);

// The file text for parallel movie and subtitle lists. An entry whose movie
// path cannot be stored as one line is left out (it would break the pairing of
// every later entry); a subtitle path that cannot be stored is written as
// "No subtitle". At most kMaxPlaylistEntries entries are written. When the
// first movie path itself starts with a byte-order mark, the file starts with
// one more, which the reader takes as the file's mark, so the path keeps its own.
std::string formatPlaylistFile(const std::vector<std::string>& movies,
                               const std::vector<std::string>& subtitles);

}  // namespace playlist
