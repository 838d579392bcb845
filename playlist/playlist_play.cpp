// Playing entries: the current entry, Next and Previous under repeat and
// shuffle. The shuffle pool is drawn from at random; paths that are no longer
// in the list are dropped when met, so each step costs constant time amortised.
#include <algorithm>

#include "playlist/playlist.h"

namespace playlist {

namespace {
constexpr int kFile = 10;
constexpr int kDoesntExist = 11;
constexpr int kRepeatAll = 2;
}  // namespace

void Playlist::playSelected(bool byUser) {
  for (;;) {
    currentIndex_ = -1;
    if (movies_.empty() || !validRow(selected_)) return;
    if (hooks_.stopMovie && !hooks_.stopMovie()) return;
    const int s = selected_;
    currentIndex_ = s;
    const std::string movie = movies_[s];
    if (settings_.Shuffle) {
      unplayed_.removeOne(movie);
      if (played_.empty() || played_.back() != movie) played_.push_back(movie);
    }
    if (exists(movie)) {
      if (hooks_.openMovie) hooks_.openMovie(movie);
      playingFromPlaylist_ = true;
      return;
    }
    if (byUser) {
      pathMessage(kFile, movie, kDoesntExist);
      return;
    }
    if (s >= count() - 1) return;
    // Missing files are skipped when the player advances on its own.
    selected_ = s + 1;
    listVideoSelectItem();
  }
}

std::optional<int> Playlist::chooseNext(bool wrap) {
  if (movies_.empty()) return std::nullopt;
  int row = -1;
  if (settings_.Shuffle) {
    while (row < 0) {
      if (unplayed_.empty()) {
        if (settings_.RepeatStatus != kRepeatAll) return std::nullopt;
        played_.clear();
        unplayed_.assign(movies_);
        row = draw(movies_.size());
        break;
      }
      const std::size_t r = static_cast<std::size_t>(draw(unplayed_.size()));
      row = firstRowOf(unplayed_[r]);
      if (row < 0) unplayed_.removeAt(r);
    }
  } else if (currentIndex_ < count() - 1) {
    row = currentIndex_ + 1;
  } else if (wrap && settings_.RepeatStatus == kRepeatAll) {
    row = 0;
  } else {
    return std::nullopt;
  }
  selected_ = row;
  return row;
}

void Playlist::next() {
  if ((hooks_.busy && hooks_.busy()) || movies_.empty()) return;
  const bool shuffle = settings_.Shuffle;
  if (!chooseNext()) return;
  listVideoSelectItem();
  playSelected(!shuffle);
}

void Playlist::previous() {
  if ((hooks_.busy && hooks_.busy()) || movies_.empty()) return;
  if (settings_.Shuffle) {
    // The last element of the history is the movie now playing.
    int i = static_cast<int>(played_.size()) - 2;
    int row = -1;
    for (; i >= 0; --i) {
      row = firstRowOf(played_[i]);
      if (row >= 0) break;
    }
    // Playing the entry appends it to the history again.
    played_.resize(static_cast<std::size_t>(std::max(i, 0)));
    if (i < 0) return;
    selected_ = row;
  } else {
    if (currentIndex_ > count()) return;
    if (currentIndex_ < 1) {
      if (settings_.RepeatStatus != kRepeatAll) return;
      selected_ = count() - 1;
    } else {
      selected_ = currentIndex_ - 1;
    }
  }
  listVideoSelectItem();
  playSelected(true);
}

}  // namespace playlist
