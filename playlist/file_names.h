#pragma once
// Path pieces, the folder scan, the name sort, the next-part rule and the
// subtitle name score of the playlist. Paths are UTF-8 with "/" separators.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace playlist {

using FileExists = std::function<bool(const std::string& path)>;

// Text after the last "/" (the whole path when it has none).
std::string_view fileNamePart(std::string_view path);
// Text up to and including the last "/" (empty when the path has none).
std::string_view folderPart(std::string_view path);
// A file name without the text from its last "." on (whole name without ".").
std::string_view withoutExtension(std::string_view fileName);
// Text after the last "." of the file name, lower-cased; empty without ".".
std::string lowerExtension(std::string_view path);

// Case-insensitive comparison key: the Central European lower-casing.
std::string lowerKey(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// True when the lower-cased extension of path is one of extensions.
bool hasMovieExtension(std::string_view path, const std::vector<std::string>& extensions);

// Recursive folder scan: files whose extension is in extensions, in the order
// the file system lists them; sub-folders whose names do not begin with "."
// are entered. A folder reached a second time (through a symbolic link) is
// not scanned again. Unreadable folders are skipped.
std::vector<std::string> scanFolder(const std::string& folder,
                                    const std::vector<std::string>& extensions);

// Stable order of the paths' file-name parts, compared case-insensitively;
// folders are ignored. Returns the permutation: result[k] is the old index of
// the path that goes to position k.
std::vector<std::size_t> nameSortOrder(const std::vector<std::string>& paths);

// The next part of a multi-part movie (movie.cd1.avi -> movie.cd2.avi,
// part09 -> part10, "Movie I" -> "Movie II", movieA -> movieB), or nothing when
// no such file exists. A file name with an empty base name has no next part.
std::optional<std::string> nextPart(const std::string& path, const FileExists& exists);

// Similarity of a subtitle name S to a movie name M (both without extension),
// from 0 to 100: characters equal from the start score 200 (150 when equal
// only after lower-casing) at weight 2, from the end 100 (75) at weight 1; an
// unmatched middle adds to the weight. Identical names score 100.
double subtitleMatchScore(std::string_view subtitleName, std::string_view movieName);

}  // namespace playlist
