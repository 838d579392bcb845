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

// Files of this many bytes or more are refused: (size div 128) > 8192.
inline constexpr std::uintmax_t kMaxPlaylistFileBytes = 8193u * 128u;

// Splits file bytes into lines: a line ends at LF or CR LF, a CR that is not
// followed by LF is dropped, byte 1A ends the file, a missing last line end is
// accepted and a leading UTF-8 byte-order mark is skipped. maxLines caps the
// number of lines returned (reading stops silently there).
std::vector<std::string> splitPlaylistLines(std::string_view bytes, std::size_t maxLines);

// True when a path can be written as one line: it holds no CR, LF or 1A byte.
bool storableInPlaylistFile(std::string_view path);

// The file text for parallel movie and subtitle lists. An entry whose movie
// path cannot be stored as one line is left out (it would break the pairing of
// every later entry); a subtitle path that cannot be stored is written as
// "No subtitle".
std::string formatPlaylistFile(const std::vector<std::string>& movies,
                               const std::vector<std::string>& subtitles);

}  // namespace playlist
