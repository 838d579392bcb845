#pragma once
// Writing the player's files so that a crash never leaves a half file, and
// reading them so that a pipe or device in their place never stalls the player.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <string_view>

namespace settings {

// Writes bytes to a temporary file path + ".XXXXXX" in path's folder, flushes
// it to disk, renames it over path and flushes the folder, so the rename
// survives a power loss too. Returns false (and leaves any old file untouched)
// when any step fails. The first write of a path in a process first removes
// that path's temporaries left by an earlier run (removeStaleTemporaries).
bool writeFileAtomically(const std::string& path, std::string_view bytes);

// Removes the temporaries of path that a run killed during a write left
// behind: regular files named path + "." + six letters or digits, last
// written before `before`. Other files, links and newer temporaries (a write
// under way) stay. Returns how many were removed.
int removeStaleTemporaries(const std::string& path, std::filesystem::file_time_type before);

enum class ReadStatus {
  Read,        // the file was read to its end, or the sink stopped early
  Missing,     // nothing at path
  NotRegular,  // a folder, pipe, socket or device: never read
  TooBig,      // the file holds limitBytes bytes or more: nothing read
  CannotOpen,  // it exists but could not be opened or examined
  ReadFailed,  // a read failed; the pieces before it were handed over
};

// Reads a regular file piece by piece. The file is opened non-blocking and
// checked on the open descriptor, so a named pipe or device put in place of
// the file (even between a check and the open) is refused at once instead of
// waiting for a writer. Each piece goes to sink; a sink returning false ends
// the read (the status is then Read).
ReadStatus readRegularFile(const std::string& path, std::uintmax_t limitBytes,
                           const std::function<bool(std::string_view)>& sink);
// The whole file in bytes (empty unless Read).
ReadStatus readRegularFile(const std::string& path, std::uintmax_t limitBytes, std::string& bytes);

// Reads a whole regular file into text. A missing file reads as empty and
// succeeds; a file that exists but is not regular or cannot be read fails.
bool readWholeFile(const std::string& path, std::string& text);

// How many copies of a file that could not be read are kept: path + ".bak",
// then path + ".1.bak" up to path + ".9.bak".
inline constexpr int kBackupCopies = 10;

// Moves a file the player could not read out of the way before a new one is
// written in its place. It goes to the first free copy name, so an earlier
// copy is never replaced; when all copies exist the last one is replaced, so
// the nine oldest and the newest survive. Returns false when it cannot be moved.
bool keepAsBackup(const std::string& path);
// The file name of copy n (0-based) of path.
std::string backupName(const std::string& path, int n);

}  // namespace settings
