#pragma once
// The command-line forms of the player and the payload a second start hands to
// the running instance.
#include <optional>
#include <string>
#include <vector>

namespace app {

enum class CommandKind {
  None,       // no argument
  Install,    // "/install": register the program and end
  Uninstall,  // "/uninstall": remove the associations and end
  AddFile,    // "/AddFile" file
  AddFolder,  // "/AddFolder" folder
  Command,    // "--command" N: a remote command code for the running instance
  Paths,      // movies, folders or one ".mpl" playlist
};

struct CommandLine {
  CommandKind kind = CommandKind::None;
  std::vector<std::string> args;  // every argument after the program, as given
  int commandCode = 0;            // for Command: 1..73
};

// Classifies the arguments; flags are compared case-sensitively.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// Longest payload the hand-over carries, in bytes.
inline constexpr size_t kMaxPayloadBytes = 9252;

// Every argument followed by the byte 01, cut to kMaxPayloadBytes. An argument
// that would be cut is left out whole (with every one after it): a cut path
// would name another file.
std::string buildInstancePayload(const std::vector<std::string>& args);

// What the running instance does with a received payload.
struct ReceivedFiles {
  enum class Kind { AddFile, AddFolder, OpenList } kind = Kind::OpenList;
  std::vector<std::string> paths;  // one entry for AddFile/AddFolder
};

// Reads a payload: "/AddFile" or "/AddFolder" followed by byte 01 and a path,
// or paths each ended by byte 01. Empty paths are dropped.
ReceivedFiles parseInstancePayload(const std::string& payload);

// True when a received remote command code is one the player knows (1..73).
inline bool validCommandCode(int code) {
  return code >= 1 && code <= 73;
}

}  // namespace app
