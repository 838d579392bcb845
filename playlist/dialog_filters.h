#pragma once
// Name filters of the playlist window's file dialogs in the toolkit's form
// "Name (pattern pattern);;Name (pattern)". Extensions are matched without
// regard to letter case ("avi" gives "*.[aA][vV][iI]"), and a character that
// would break a filter (";", "|", blanks, brackets, parentheses, wildcards,
// anything outside plain ASCII) stands as "?", which matches any one
// character, so an odd extension still finds its files and never breaks the
// other filters. Pure.
#include <string>
#include <string_view>
#include <vector>

namespace playlist {

// "*." and the extension's pattern; "" for an empty extension.
std::string extensionPattern(std::string_view extension);

// The "Add movie(s)" dialog: videoFiles with a pattern for every extension
// (duplicates once), then allFiles with "*". Only allFiles without extensions.
std::string movieFilesFilter(std::string_view videoFiles, std::string_view allFiles,
                             const std::vector<std::string>& extensions);

// The save and load dialogs: playlistFiles + " (*.mpl)" with the ".mpl"
// pattern, then allFiles with "*".
std::string playlistFilesFilter(std::string_view playlistFiles, std::string_view allFiles);

// Each filter name as shown, without its pattern part (the windows ask the
// dialog to hide the patterns, which holds the bracket forms above).
std::vector<std::string> filterNames(std::string_view filter);

}  // namespace playlist
