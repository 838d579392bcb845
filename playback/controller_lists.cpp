// Opening dropped, chosen and handed-over lists of files.
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "playback/controller.h"
#include "playback/time_text.h"
#include "playlist/file_names.h"
#include "subtitles/subtitle_search.h"

namespace playback {

namespace {

namespace fs = std::filesystem;

// Message texts by their index in the interface table.
constexpr int kNoMovieFound = 2, kFile = 10, kDoesntExist = 11;
constexpr int kLabelNoSubtitle = 30;

bool isFile(const std::string& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}
bool isFolder(const std::string& p) {
  std::error_code ec;
  return fs::is_directory(p, ec);
}

// File "<path>" doesn't exist!
std::string doesntExist(const texts::InterfaceTexts& t, const std::string& path) {
  return t.Messages[kFile] + " \"" + path + "\" " + t.Messages[kDoesntExist];
}

}  // namespace

void PlaybackController::OpenFileList(const std::vector<std::string>& paths, int startIndex) {
  if (state_.Busy || state_.OpeningBusy) return;
  try {
    bool single = false;
    bool fromPlaylistFile = false;
    if (paths.size() == 1 && isFile(paths[0])) {
      const std::string ext = playlist::lowerExtension(paths[0]);
      if (ext == "mpl") {
        playlist_.openPlaylist(paths[0]);
        if (playlist_.empty()) return;
        fromPlaylistFile = true;
      } else if ((ext == "txt" || ext == "sub" || ext == "srt" || ext == "ssa") && movieOpen()) {
        // Kept for the movie in the playlist, not added through the
        // playlist window's list (which needs a selection and asks for one).
        if (loadSubtitleFile(paths[0], true))
          playlist_.setSubtitleOfMovie(state_.CurrentMovie, paths[0]);
        return;
      } else {
        single = true;
      }
    }
    if (!fromPlaylistFile) {
      // Collect first: a drop without any movie leaves the playlist as it was.
      // The start entry is a path of the given list; it is found again among
      // the collected movies (a folder starts at its first movie; a path that
      // gave no movie starts the list from its beginning).
      const size_t startPath = std::min<size_t>(std::max(startIndex, 0), paths.size() - 1);
      std::vector<std::string> found;
      int start = -1;
      for (size_t i = 0; i < paths.size(); ++i) {
        const std::string& p = paths[i];
        const size_t before = found.size();
        if (isFile(p)) {
          if (single || playlist::hasMovieExtension(p, settings_.ExtensionList)) found.push_back(p);
        } else if (isFolder(p)) {
          // The file system lists a folder in no useful order: its first
          // movie, where a folder starts, is the first by name.
          const std::vector<std::string> movies = playlist::scanFolder(p, settings_.ExtensionList);
          for (size_t k : playlist::nameSortOrder(movies)) found.push_back(movies[k]);
        }
        if (i == startPath && found.size() > before) start = int(before);
      }
      if (found.empty()) {
        if (hooks_.showMessage) hooks_.showMessage(t().Messages[kNoMovieFound]);
        return;
      }
      // The start index follows its movie through the sort.
      startIndex = 0;
      const auto order = playlist::nameSortOrder(found);
      std::vector<std::string> sorted;
      for (size_t k = 0; k < order.size(); ++k) {
        sorted.push_back(found[order[k]]);
        if (int(order[k]) == start) startIndex = int(k);
      }
      const bool autoClose = state_.AutoClosePlayerOnce;
      playlist_.removeAll();
      playlist_.addMovies(sorted);
      playlist_.select(-1);
      state_.AutoClosePlayerOnce = autoClose;
    }
    if (playlist_.empty()) {
      if (hooks_.showMessage) hooks_.showMessage(t().Messages[kNoMovieFound]);
      return;
    }
    if (movieOpen()) CloseMovie(true);
    const int row = std::clamp(std::max(startIndex, 0), 0, playlist_.count() - 1);
    playlist_.makeCurrent(row);
    const std::string movie = playlist_.PlaylistMovies()[row];
    if (isFile(movie)) {
      state_.CurrentMovie = movie;
      OpenMovie(settings_.AutoPlayOnLoad, single);
    } else if (hooks_.showMessage) {
      hooks_.showMessage(doesntExist(t(), movie));
    }
  } catch (...) {
  }
}

void PlaybackController::subtitleAttached(const std::string& label) {
  display_.SubtitleLabel = label.empty() ? t().Labels[kLabelNoSubtitle] : label;
  touch();
  clearSubtitleLayer();
  if (surface_) surface_->repaintVideo();
}

bool PlaybackController::loadSubtitleFile(const std::string& path, bool silent) {
  // Commands arriving while the store changes are refused; the flag goes back
  // to what it was, so a caller that holds it keeps it.
  const bool wasBusy = state_.Busy;
  state_.Busy = true;
  const auto r =
      subtitles::attachSubtitle(subtitles_, path, silent, settings_, t(), state_.MovieFrameRate);
  state_.Busy = wasBusy;
  if (!r.message.empty() && hooks_.showMessage) hooks_.showMessage(r.message);
  // A failed load leaves no subtitle loaded, so the label must not keep the
  // name of the one that was.
  subtitleAttached(r.ok ? r.label : std::string());
  return r.ok;
}

void PlaybackController::unloadSubtitle() {
  subtitles_.setSubtitleLoaded(false);
  subtitleAttached("");
}

void PlaybackController::OpenChosenFiles(const std::vector<std::string>& chosen) {
  if (state_.Busy || state_.OpeningBusy || chosen.empty()) return;
  if (!isFile(chosen[0])) {
    if (hooks_.showMessage) hooks_.showMessage(doesntExist(t(), chosen[0]));
    return;
  }
  playlist_.setPlayingFromPlaylist(false);
  std::vector<std::string> list = chosen;
  int start = 0;
  if (settings_.LoadEntireFolder && chosen.size() == 1) {
    // Every movie of the folder, one extension after the other.
    list.clear();
    const fs::path folder = fs::path(chosen[0]).parent_path();
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec))
      if (e.is_regular_file(ec)) names.push_back(e.path().string());
    for (const std::string& ext : settings_.ExtensionList)
      for (const std::string& n : names)
        if (playlist::lowerExtension(n) == ext) list.push_back(n);
    const auto at = std::find_if(list.begin(), list.end(), [&](const std::string& n) {
      return playlist::equalsIgnoringCase(n, chosen[0]);
    });
    if (at == list.end()) {
      list.push_back(chosen[0]);
      start = int(list.size()) - 1;
    } else {
      start = int(at - list.begin());
    }
  }
  state_.AutoClosePlayerOnce = false;
  OpenFileList(list, start);
}

void PlaybackController::OpenCommandLine(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  // One argument that names nothing on disk: say which path is missing,
  // rather than that no movie was found among several.
  if (paths.size() == 1 && !isFile(paths[0]) && !isFolder(paths[0])) {
    if (hooks_.showMessage) hooks_.showMessage(doesntExist(t(), paths[0]));
    return;
  }
  playlist_.setPlayingFromPlaylist(false);
  state_.AutoClosePlayerOnce = settings_.AutoClosePlayerWhenFinished;
  OpenFileList(paths, 0);
}

}  // namespace playback
