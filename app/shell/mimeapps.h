#pragma once
// The freedesktop default-application lists (mimeapps.list): reading the
// default of a MIME type across the lists in their order of precedence, and
// editing one list line by line so that every other line (other programs'
// groups, entries and comments, line ends included) stays byte for byte.
// Pure functions except effectiveDefault, which reads files.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace shell {

// The desktop ids listed for mime in the "[Default Applications]" group, in
// order; empty when there is none. Arbitrary bytes parse without failing.
std::vector<std::string> listedDefaults(const std::string& text, const std::string& mime);

// Makes id the first default of mime: the entry's other ids follow it; a
// missing entry is added at the end of the group; a missing group is appended.
std::string setDefault(const std::string& text, const std::string& mime, const std::string& id);

// Takes id out of mime's entry and puts restore (when not empty and not id)
// first; an entry left without ids is removed. Other lines are kept.
std::string removeDefault(const std::string& text, const std::string& mime, const std::string& id,
                          const std::string& restore);

// Where the lists and the desktop entries live.
struct XdgFolders {
  std::string configHome;               // $XDG_CONFIG_HOME
  std::vector<std::string> configDirs;  // $XDG_CONFIG_DIRS
  std::string dataHome;                 // $XDG_DATA_HOME
  std::vector<std::string> dataDirs;    // $XDG_DATA_DIRS
  std::vector<std::string> desktops;    // $XDG_CURRENT_DESKTOP, lower case
};

// The folders from the environment, with the standard defaults for unset or
// empty variables (HOME-relative homes, /etc/xdg, /usr/local/share:/usr/share).
XdgFolders xdgFoldersFromEnvironment();

// The mimeapps.list files in order of precedence (desktop-specific lists
// first in each folder).
std::vector<std::string> mimeappsFiles(const XdgFolders& folders);

// The default application of mime as the desktop resolves it: the first listed
// id, in the first list that names one, whose desktop entry is installed.
// skipFile, when given, is a list left out (the answer without it).
std::optional<std::string> effectiveDefault(const XdgFolders& folders, const std::string& mime,
                                            const std::string& skipFile = {});

// True when a desktop entry file of that id exists under an applications folder.
bool desktopEntryInstalled(const XdgFolders& folders, const std::string& id);

}  // namespace shell
