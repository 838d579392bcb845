// Editing the list: removing, replacing, moving, sorting and shuffling
// entries. The current and the selected entry follow their movies.
#include <algorithm>

#include "playlist/file_names.h"
#include "playlist/playlist.h"

namespace playlist {

namespace {

// The row's number with its ". ", kept when the row shows another file.
std::string rowPrefix(const std::string& row) {
  const std::size_t separator = row.find(". ");
  return separator == std::string::npos ? std::string() : row.substr(0, separator + 2);
}

}  // namespace

void Playlist::removeMovie() {
  const int s = selected_;
  if (!validRow(s)) return;
  // After removing the current entry, Next plays the one that moved into its place.
  if (s <= currentIndex_) --currentIndex_;
  if (settings_.Shuffle) unplayed_.removeOne(movies_[s]);
  movies_.erase(movies_.begin() + s);
  subtitles_.erase(subtitles_.begin() + s);
  movieListChanged();
  rebuildRows();
  if (movies_.empty()) {
    selected_ = -1;
    playingFromPlaylist_ = false;
  } else {
    selected_ = std::min(s, count() - 1);
  }
  listVideoSelectItem();
}

void Playlist::removeAll() {
  clearAll();
  if (hooks_.clearAutoClosePlayerOnce) hooks_.clearAutoClosePlayerOnce();
  playingFromPlaylist_ = false;
}

void Playlist::replaceMovie(const std::string& path) {
  const int s = selected_;
  if (!validRow(s) || !exists(path)) return;
  if (hooks_.clearAutoClosePlayerOnce) hooks_.clearAutoClosePlayerOnce();
  if (settings_.Shuffle) unplayed_.removeOne(movies_[s]);
  movies_[s] = path;
  if (settings_.Shuffle) unplayed_.push(path);
  movieRows_[s] = rowPrefix(movieRows_[s]) + std::string(fileNamePart(path));
  subtitles_[s] = subtitleSearch({path}).front();
  movieListChanged();
  listVideoSelectItem();
}

void Playlist::swapEntries(int a, int b) {
  std::swap(movies_[a], movies_[b]);
  std::swap(subtitles_[a], subtitles_[b]);
  movieRows_[a] = rowPrefix(movieRows_[a]) + std::string(fileNamePart(movies_[a]));
  movieRows_[b] = rowPrefix(movieRows_[b]) + std::string(fileNamePart(movies_[b]));
  if (currentIndex_ == a)
    currentIndex_ = b;
  else if (currentIndex_ == b)
    currentIndex_ = a;
  movieListChanged();
}

void Playlist::moveUp(bool follow) {
  const int s = selected_;
  if (!validRow(s) || s < 1) return;
  swapEntries(s, s - 1);
  if (follow) selected_ = s - 1;
  listVideoSelectItem();
}

void Playlist::moveDown(bool follow) {
  const int s = selected_;
  if (!validRow(s) || s >= count() - 1) return;
  swapEntries(s, s + 1);
  if (follow) selected_ = s + 1;
  listVideoSelectItem();
}

void Playlist::applyOrder(const std::vector<std::size_t>& order) {
  std::vector<std::string> movies;
  std::vector<std::string> subtitles;
  movies.reserve(order.size());
  subtitles.reserve(order.size());
  int current = -1;
  int selected = -1;
  for (std::size_t k = 0; k < order.size(); ++k) {
    const int from = static_cast<int>(order[k]);
    movies.push_back(std::move(movies_[from]));
    subtitles.push_back(std::move(subtitles_[from]));
    // The current and the selected entry keep naming the same movie.
    if (from == currentIndex_) current = static_cast<int>(k);
    if (from == selected_) selected = static_cast<int>(k);
  }
  movies_ = std::move(movies);
  subtitles_ = std::move(subtitles);
  currentIndex_ = current;
  selected_ = selected;
  movieListChanged();
  rebuildRows();
}

void Playlist::sortByFileName() {
  applyOrder(nameSortOrder(movies_));
  listVideoSelectItem();
}

void Playlist::randomize() {
  if (count() < 2) return;
  seedRandom();
  std::vector<std::size_t> remaining(movies_.size());
  for (std::size_t i = 0; i < remaining.size(); ++i) remaining[i] = i;
  std::vector<std::size_t> order;
  order.reserve(remaining.size());
  while (remaining.size() > 1) {
    const int r = draw(remaining.size());
    order.push_back(remaining[r]);
    remaining.erase(remaining.begin() + r);
  }
  order.push_back(remaining.front());
  applyOrder(order);
  listVideoSelectItem();
}

void Playlist::setShuffle(bool on) {
  if (on) {
    seedRandom();
    unplayed_.assign(movies_);
  } else {
    unplayed_.clear();
  }
  played_.clear();
  settings_.Shuffle = on;
}

}  // namespace playlist
