// The subtitle choices of the selected entry: the entry's own subtitle and up
// to four more files from the movie's folder and SubtitleDirectory whose names
// resemble the movie's.
#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>

#include "playlist/file_names.h"
#include "playlist/playlist.h"

namespace fs = std::filesystem;

namespace playlist {

namespace {

constexpr int kBadSubtitle = 16;
constexpr int kSubtitleAlreadyLoaded = 17;
constexpr int kPleaseSelectMovie = 60;
constexpr int kNoSubtitleLabel = 30;
constexpr std::size_t kMaxCandidates = 5;
constexpr std::array<std::string_view, 4> kSubtitleExtensions = {"sub", "srt", "txt", "ssa"};

struct Candidate {
  std::string folder;
  std::string name;
  double score = 0;
};

std::string withSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

bool usableFolder(const std::string& folder) {
  std::error_code ec;
  return !folder.empty() && fs::is_directory(folder, ec);
}

// Subtitle files of a folder, grouped by extension in the order sub, srt,
// txt, ssa, each group in the order the file system lists them.
void collectCandidates(const std::string& folder, std::string_view movieName,
                       std::vector<Candidate>& out) {
  std::array<std::vector<Candidate>, kSubtitleExtensions.size()> groups;
  std::error_code ec;
  fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::error_code typeError;
    if (it->is_directory(typeError)) continue;
    const std::string name = it->path().filename().string();
    if (name.find('.') == std::string::npos) continue;
    const std::string extension = lowerExtension(name);
    for (std::size_t g = 0; g < groups.size(); ++g) {
      if (extension == kSubtitleExtensions[g]) {
        groups[g].push_back({folder, name, subtitleMatchScore(withoutExtension(name), movieName)});
      }
    }
  }
  for (auto& group : groups) out.insert(out.end(), group.begin(), group.end());
}

// Movie files in a folder, counted up to two.
int countMovies(const std::string& folder, const std::vector<std::string>& extensions) {
  int movies = 0;
  std::error_code ec;
  fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
  for (; !ec && movies < 2 && it != fs::directory_iterator(); it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_directory(typeError) &&
        hasMovieExtension(it->path().filename().string(), extensions)) {
      ++movies;
    }
  }
  return movies;
}

bool sameFolder(const std::string& a, const std::string& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec) && !ec;
}

}  // namespace

void Playlist::listVideoSelectItem() {
  subtitleRows_.clear();
  candidates_.clear();
  selectedSubtitleRow_ = -1;
  if (!validRow(selected_)) return;
  const std::string& movie = movies_[selected_];
  const std::string entrySubtitle = subtitles_[selected_];
  const bool hasSubtitle = entrySubtitle != kNoSubtitle;
  if (hasSubtitle) candidates_.push_back(entrySubtitle);

  const std::string movieFolder(folderPart(movie));
  if (usableFolder(movieFolder)) {
    const std::string_view movieName = withoutExtension(fileNamePart(movie));
    const std::string subtitleFolder = withSlash(settings_.SubtitleDirectory);
    std::vector<std::string> folders = settings_.SearchHereFirst
                                           ? std::vector{subtitleFolder, movieFolder}
                                           : std::vector{movieFolder, subtitleFolder};
    std::vector<Candidate> pool;
    std::vector<std::string> searched;
    for (const std::string& folder : folders) {
      if (!usableFolder(folder)) continue;
      // A folder named twice (SubtitleDirectory is the movie's own folder) is
      // searched once, so its files are neither offered nor counted twice.
      if (!searched.empty() && sameFolder(searched.front(), folder)) continue;
      searched.push_back(folder);
      collectCandidates(folder, movieName, pool);
    }
    const double threshold =
        countMovies(movieFolder, settings_.ExtensionList) >= 2
            ? 75.0
            : std::max(12.5 * std::pow(2.0, std::min(static_cast<double>(pool.size()), 2.59)),
                       25.0);
    while (candidates_.size() < kMaxCandidates) {
      auto best = pool.end();
      for (auto it = pool.begin(); it != pool.end(); ++it) {
        if (it->score >= threshold && (best == pool.end() || it->score > best->score)) best = it;
      }
      if (best == pool.end()) break;
      const std::string path = best->folder + best->name;
      if (!equalsIgnoringCase(path, entrySubtitle) && hooks_.checkSubtitleFile &&
          hooks_.checkSubtitleFile(path)) {
        candidates_.push_back(path);
      }
      pool.erase(best);
    }
  }

  subtitleRows_.push_back(texts_->Labels[kNoSubtitleLabel]);
  for (const std::string& candidate : candidates_) {
    subtitleRows_.emplace_back(fileNamePart(candidate));
  }
  selectedSubtitleRow_ = hasSubtitle ? 1 : 0;
}

void Playlist::chooseSubtitle(int row) {
  const int s = selected_;
  if (!validRow(s) || row < 0 || row > static_cast<int>(candidates_.size())) return;
  selectedSubtitleRow_ = row;
  const std::string open = hooks_.openMoviePath ? hooks_.openMoviePath() : std::string();
  const bool entryIsOpen = !open.empty() && open == movies_[s];
  if (row == 0) {
    subtitles_[s] = std::string(kNoSubtitle);
    if (entryIsOpen && hooks_.unloadSubtitle) hooks_.unloadSubtitle();
    return;
  }
  subtitles_[s] = candidates_[row - 1];
  if (entryIsOpen && s == currentIndex_ && hooks_.loadSubtitle) hooks_.loadSubtitle(subtitles_[s]);
}

void Playlist::setSubtitleOfMovie(const std::string& movie, const std::string& subtitle) {
  if (movie.empty()) return;
  const bool selectedHolds = validRow(selected_) && movies_[selected_] == movie;
  if (selectedHolds) subtitles_[selected_] = subtitle;
  for (std::size_t i = 0; i < movies_.size(); ++i)
    if (movies_[i] == movie) subtitles_[i] = subtitle;
  // The selected entry's choices now include the file.
  if (selectedHolds && !subtitleRows_.empty()) listVideoSelectItem();
}

void Playlist::addSubtitle(const std::string& path) {
  // Without a selected entry there is nothing to attach the subtitle to.
  if (subtitleRows_.empty() || !validRow(selected_)) {
    if (!movies_.empty()) message(texts_->Messages[kPleaseSelectMovie]);
    return;
  }
  if (selectedSubtitleRow_ < 0) return;
  for (const std::string& candidate : candidates_) {
    if (equalsIgnoringCase(candidate, path)) {
      message(texts_->Messages[kSubtitleAlreadyLoaded]);
      return;
    }
  }
  const int s = selected_;
  const std::string open = hooks_.openMoviePath ? hooks_.openMoviePath() : std::string();
  if (!open.empty() && open == movies_[s]) {
    if (hooks_.loadSubtitle && hooks_.loadSubtitle(path)) {
      subtitles_[s] = path;
      listVideoSelectItem();
    }
    return;
  }
  if (hooks_.checkSubtitleFile && hooks_.checkSubtitleFile(path)) {
    subtitles_[s] = path;
    listVideoSelectItem();
  } else {
    message(texts_->Messages[kBadSubtitle]);
  }
}

}  // namespace playlist
