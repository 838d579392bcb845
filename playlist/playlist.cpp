#include "playlist/playlist.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <set>

#include "settings/atomic_file.h"
#include "playlist/file_names.h"

namespace fs = std::filesystem;

namespace playlist {

namespace {

// Indices into the message texts.
constexpr int kCantOpen = 3;
constexpr int kFile = 10;
constexpr int kDoesntExist = 11;
constexpr int kErrorOpening = 13;
constexpr int kTooBigForPlaylist = 14;
constexpr int kErrorReadingFrom = 15;
constexpr int kNothingToSave = 18;

// Loading appends at most this many lines to a list (1000 entries). A list
// that is replaced takes up to 100,000 entries, so a long list the player
// saved comes back whole while a hostile file still cannot flood memory.
constexpr std::size_t kMaxLinesWhenAppending = 2000;
constexpr std::size_t kMaxLinesWhenReplacing = 2 * kMaxPlaylistEntries;

std::string numberedRow(int number, int count, std::string_view path) {
  std::string digits = std::to_string(number);
  const std::size_t width = std::to_string(count).size();
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits + ". " + std::string(fileNamePart(path));
}

}  // namespace

Playlist::Playlist(settings::Settings& settings, const texts::InterfaceTexts& texts,
                   PlaylistHooks hooks)
    : settings_(settings), texts_(&texts), hooks_(std::move(hooks)) {
  seedRandom();
}

void Playlist::seedRandom(std::optional<std::uint64_t> seed) {
  random_.seed(seed ? *seed
                    : static_cast<std::uint64_t>(
                          std::chrono::steady_clock::now().time_since_epoch().count()));
}

int Playlist::draw(std::size_t n) {
  return static_cast<int>(std::uniform_int_distribution<std::size_t>(0, n - 1)(random_));
}

void Playlist::message(const std::string& text) const {
  if (hooks_.showMessage) hooks_.showMessage(text);
}

void Playlist::pathMessage(int first, const std::string& path, int second) const {
  std::string text = texts_->Messages[first] + " \"" + path + "\"";
  text += second < 0 ? std::string("!") : " " + texts_->Messages[second];
  message(text);
}

bool Playlist::exists(const std::string& path) const {
  if (hooks_.fileExists) return hooks_.fileExists(path);
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

std::vector<std::string> Playlist::subtitleSearch(
    const std::vector<std::string>& moviePaths) const {
  std::vector<std::string> found;
  if (settings_.AutoLoadSubtitle && hooks_.searchSubtitles && !moviePaths.empty())
    found = hooks_.searchSubtitles(moviePaths);
  found.resize(moviePaths.size());
  for (std::string& subtitle : found)
    if (subtitle.empty()) subtitle = std::string(kNoSubtitle);
  return found;
}

void Playlist::appendMovies(const std::vector<std::string>& paths) {
  std::vector<std::string> subtitles = subtitleSearch(paths);
  movies_.reserve(movies_.size() + paths.size());
  subtitles_.reserve(subtitles_.size() + paths.size());
  for (std::size_t i = 0; i < paths.size(); ++i) {
    movies_.push_back(paths[i]);
    if (settings_.Shuffle) unplayed_.push(paths[i]);
    subtitles_.push_back(std::move(subtitles[i]));
  }
  movieListChanged();
}

std::vector<std::string> Playlist::nameSorted(std::vector<std::string> paths) {
  std::vector<std::string> sorted;
  sorted.reserve(paths.size());
  for (std::size_t index : nameSortOrder(paths)) sorted.push_back(std::move(paths[index]));
  return sorted;
}

void Playlist::rebuildRows() {
  movieRows_.clear();
  movieRows_.reserve(movies_.size());
  for (int i = 0; i < count(); ++i) movieRows_.push_back(numberedRow(i + 1, count(), movies_[i]));
}

int Playlist::firstRowOf(const std::string& path) {
  if (!rowIndexValid_) {
    rowIndex_.clear();
    rowIndex_.reserve(movies_.size());
    for (int i = count() - 1; i >= 0; --i) rowIndex_[movies_[i]] = i;
    rowIndexValid_ = true;
  }
  const auto found = rowIndex_.find(path);
  return found == rowIndex_.end() ? -1 : found->second;
}

void Playlist::clearAll() {
  movies_.clear();
  subtitles_.clear();
  movieRows_.clear();
  candidates_.clear();
  subtitleRows_.clear();
  selectedSubtitleRow_ = -1;
  unplayed_.clear();
  played_.clear();
  currentIndex_ = -1;
  selected_ = -1;
  movieListChanged();
}

void Playlist::select(int row) {
  selected_ = validRow(row) ? row : -1;
  listVideoSelectItem();
}

void Playlist::makeCurrent(int row) {
  if (!validRow(row)) return;
  selected_ = row;
  currentIndex_ = row;
  listVideoSelectItem();
}

void Playlist::addMovie(const std::string& path) {
  if (hooks_.clearAutoClosePlayerOnce) hooks_.clearAutoClosePlayerOnce();
  if (exists(path)) appendMovies({path});
  rebuildRows();
}

void Playlist::addMovies(const std::vector<std::string>& paths) {
  if (hooks_.clearAutoClosePlayerOnce) hooks_.clearAutoClosePlayerOnce();
  std::vector<std::string> added;
  for (const std::string& path : paths) {
    if (exists(path)) {
      added.push_back(path);
    } else if (paths.size() == 1) {
      pathMessage(kFile, path, kDoesntExist);
    }
  }
  appendMovies(added);
  rebuildRows();
}

void Playlist::addFolderWithMovies(const std::string& folder) {
  if (hooks_.clearAutoClosePlayerOnce) hooks_.clearAutoClosePlayerOnce();
  appendMovies(nameSorted(scanFolder(folder, settings_.ExtensionList)));
  rebuildRows();
}

void Playlist::acceptFiles(const std::vector<std::string>& items, bool ontoSubtitleList) {
  if (items.empty()) return;
  if (ontoSubtitleList) {
    if (!subtitleRows_.empty() && selectedSubtitleRow_ >= 0) addSubtitle(items.front());
    return;
  }
  if (items.size() == 1) {
    const std::string name = lowerKey(fileNamePart(items.front()));
    const std::size_t first = name.find(".mpl");
    if (first != std::string::npos && first + 4 == name.size()) {
      playingFromPlaylist_ = false;
      loadFromList(items.front(), false, false);
      if (!empty()) return;
    }
  }
  if (hooks_.clearAutoClosePlayerOnce) hooks_.clearAutoClosePlayerOnce();
  // Every dropped item is added in drop order; the subtitles are searched once for all.
  std::vector<std::string> added;
  for (const std::string& item : items) {
    std::error_code ec;
    if (fs::is_directory(item, ec)) {
      for (std::string& path : nameSorted(scanFolder(item, settings_.ExtensionList)))
        added.push_back(std::move(path));
    } else if (exists(item) && hasMovieExtension(item, settings_.ExtensionList)) {
      added.push_back(item);
    }
  }
  appendMovies(added);
  rebuildRows();
}

void Playlist::appendFollowingParts(const std::string& path) {
  const FileExists existsFn = [this](const std::string& p) { return exists(p); };
  // A chain of names that leads back to an earlier one ends there.
  std::set<std::string> seen{path};
  std::vector<std::string> parts;
  std::string last = path;
  while (auto part = nextPart(last, existsFn)) {
    if (!seen.insert(*part).second) break;
    parts.push_back(*part);
    last = *part;
  }
  if (parts.empty()) return;
  // Only a list that really grows lets the player go on past the first part.
  if (hooks_.clearAutoClosePlayerOnce) hooks_.clearAutoClosePlayerOnce();
  int number = count();
  appendMovies(parts);
  for (const std::string& part : parts)
    movieRows_.push_back(std::to_string(++number) + ". " + std::string(fileNamePart(part)));
}

LoadResult Playlist::loadFromList(const std::string& path, bool quiet, bool replace) {
  if (hooks_.clearAutoClosePlayerOnce) hooks_.clearAutoClosePlayerOnce();
  const int remembered = selected_;
  // A list that replaces this one may be as long as any list the player writes;
  // one that is added to it stays small.
  const std::size_t alreadyUsed = replace ? 0 : 2 * movies_.size();
  const std::size_t lineLimit = replace ? kMaxLinesWhenReplacing : kMaxLinesWhenAppending;
  PlaylistLineSplitter splitter(alreadyUsed >= lineLimit ? 0 : lineLimit - alreadyUsed);
  const settings::ReadStatus status = settings::readRegularFile(
      path, replace ? kMaxReplacingPlaylistFileBytes : kMaxPlaylistFileBytes,
      [&splitter](std::string_view piece) { return splitter.feed(piece); });
  if (status == settings::ReadStatus::Missing || status == settings::ReadStatus::NotRegular ||
      status == settings::ReadStatus::CannotOpen) {
    if (!quiet) pathMessage(kErrorOpening, path, -1);
    return LoadResult::CannotOpen;
  }
  if (status == settings::ReadStatus::TooBig) {
    if (!quiet) pathMessage(kFile, path, kTooBigForPlaylist);
    return LoadResult::TooBig;
  }
  // Entries read before a read error stay.
  const bool readError = status == settings::ReadStatus::ReadFailed;
  const std::vector<std::string> lines = splitter.finish();

  // The list is only emptied once the file is known to be readable.
  if (replace) clearAll();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i % 2 == 0) {
      movies_.push_back(lines[i]);
      if (settings_.Shuffle) unplayed_.push(lines[i]);
    } else {
      subtitles_.push_back(lines[i]);
    }
  }
  if (subtitles_.size() < movies_.size()) subtitles_.emplace_back(kNoSubtitle);
  if (readError && !quiet) pathMessage(kErrorReadingFrom, path, -1);
  movieListChanged();
  rebuildRows();
  selected_ = replace || !validRow(remembered) ? -1 : remembered;
  return readError ? LoadResult::ReadError : LoadResult::Loaded;
}

bool Playlist::savePlaylist(const std::string& path, bool quiet) const {
  if (movies_.empty()) return false;
  if (!settings::writeFileAtomically(path, formatPlaylistFile(movies_, subtitles_))) {
    if (!quiet) pathMessage(kCantOpen, path, -1);
    return false;
  }
  return true;
}

LoadResult Playlist::openPlaylist(const std::string& path) {
  playingFromPlaylist_ = false;
  return loadFromList(path, false, true);
}

bool Playlist::checkSomethingToSave() const {
  if (!movies_.empty()) return true;
  message(texts_->Messages[kNothingToSave]);
  return false;
}

std::string Playlist::playlistSaveName(const std::string& name, bool allFilesFilter) {
  if (allFilesFilter) return name;
  const std::string lower = lowerKey(name);
  if (lower.size() >= 4 && lower.compare(lower.size() - 4, 4, ".mpl") == 0) return name;
  return name + ".mpl";
}

std::string Playlist::automaticPlaylistPath(const std::string& dataFolder,
                                            const std::string& programName) {
  std::string path = dataFolder;
  if (!path.empty() && path.back() != '/') path += '/';
  return path + programName + ".mpl";
}

void Playlist::loadAutomaticPlaylist(const std::string& dataFolder,
                                     const std::string& programName) {
  if (settings_.Shuffle) seedRandom();
  const std::string path = automaticPlaylistPath(dataFolder, programName);
  std::error_code ec;
  automaticPlaylistUnreadable_ = false;
  if (fs::exists(path, ec)) {
    automaticPlaylistUnreadable_ = loadFromList(path, true, true) != LoadResult::Loaded;
  }
  const int last = std::clamp(settings_.LastMovieSelectedInPlaylist, 0, count());
  settings_.LastMovieSelectedInPlaylist = last;
  if (last > 0) makeCurrent(last - 1);
}

bool Playlist::saveAutomaticPlaylist(const std::string& dataFolder,
                                     const std::string& programName) {
  settings_.LastMovieSelectedInPlaylist = currentIndex_ + 1;
  const std::string path = automaticPlaylistPath(dataFolder, programName);
  std::error_code ec;
  if (automaticPlaylistUnreadable_ && fs::exists(path, ec)) {
    // The file the list could not be read from is kept for the user, never
    // overwritten or deleted by a list that does not hold its entries; copies
    // kept at earlier starts stay too.
    if (!settings::keepAsBackup(path)) return false;
  }
  automaticPlaylistUnreadable_ = false;
  if (movies_.empty()) {
    fs::remove(path, ec);
    return !ec;
  }
  if (!dataFolder.empty()) fs::create_directories(dataFolder, ec);
  return savePlaylist(path, true);
}

}  // namespace playlist
