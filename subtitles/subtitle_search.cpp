#include "subtitles/subtitle_search.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <system_error>

#include "texts/central_european.h"
#include "subtitles/subtitle_text.h"

namespace fs = std::filesystem;

namespace subtitles {
namespace {

constexpr const char* kSubtitleExtensions[] = {".sub", ".srt", ".txt", ".ssa"};

char asciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

std::string asciiLower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = asciiLower(c);
  return out;
}

bool endsWithNoCase(std::string_view name, std::string_view suffix) {
  return name.size() >= suffix.size() &&
         asciiLower(name.substr(name.size() - suffix.size())) == suffix;
}

// File names are UTF-8 here; a name that is not is read as code page 1250 bytes.
std::u32string nameChars(std::string_view name) {
  if (isValidUtf8(name)) return fromUtf8(name);
  std::u32string out;
  for (unsigned char b : name) {
    const char32_t c = texts::codePage1250ToUnicode(b);
    out.push_back(c ? c : 0xDC00 + b);
  }
  return out;
}

std::string withSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

bool isSearchable(const std::string& folder) {
  std::error_code ec;
  return !folder.empty() && fs::is_directory(folder, ec);
}

bool sameFolder(const std::string& a, const std::string& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec);
}

}  // namespace

std::string baseNameOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

namespace {

// The score of subtitleNameScore on names already turned into characters.
double scoreChars(std::u32string_view n, std::u32string_view b, const MatchWeights& weights) {
  const std::size_t shorter = std::min(n.size(), b.size());
  const auto longer = static_cast<long>(std::max(n.size(), b.size()));
  long points = 0, weight = 0;
  auto compare = [&](char32_t x, char32_t y, int exact, int folded, int step) {
    if (x == y) {
      points += exact;
    } else if (texts::lowerCaseCentralEuropeanChar(x) == texts::lowerCaseCentralEuropeanChar(y)) {
      points += folded;
    } else {
      return false;
    }
    weight += step;
    return true;
  };
  std::size_t front = 0;
  while (front < shorter &&
         compare(n[front], b[front], weights.forwardExact, weights.forwardCase, 2))
    ++front;
  std::size_t back = 0;
  while (back < shorter && compare(n[n.size() - 1 - back], b[b.size() - 1 - back],
                                   weights.backwardExact, weights.backwardCase, 1))
    ++back;
  const long F = static_cast<long>(front) + 1, E = static_cast<long>(back) + 1;
  if (longer - E + 1 >= F) weight += longer - E - F + 3;  // an unmatched middle remains
  return weight == 0 ? 0.0 : static_cast<double>(points) / static_cast<double>(weight);
}

}  // namespace

double subtitleNameScore(std::string_view candidate, std::string_view movie,
                         const MatchWeights& weights) {
  return scoreChars(nameChars(candidate), nameChars(movie), weights);
}

double searchThreshold(int movieFilesInFolder, std::size_t candidates) {
  if (movieFilesInFolder >= 2) return 75;
  return std::max(12.5 * std::pow(2.0, std::min(static_cast<double>(candidates), 2.59)), 25.0);
}

std::vector<std::string> listSubtitleCandidates(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code fileEc;
    if (it->is_regular_file(fileEc)) names.push_back(it->path().filename().string());
  }
  // Listed in name order, letter case ignored first, so that ties are reproducible.
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const std::string la = asciiLower(a), lb = asciiLower(b);
    return la != lb ? la < lb : a < b;
  });
  std::vector<std::string> out;
  const std::string base = withSlash(folder);
  for (const char* extension : kSubtitleExtensions)
    for (const auto& name : names)
      if (endsWithNoCase(name, extension)) out.push_back(base + name);
  return out;
}

int countMovieFiles(const std::string& folder, const std::vector<std::string>& extensions,
                    int stopAt) {
  int count = 0;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end && count < stopAt;
       it.increment(ec)) {
    std::error_code fileEc;
    if (!it->is_regular_file(fileEc)) continue;
    const std::string name = it->path().filename().string();
    for (const auto& extension : extensions) {
      if (!extension.empty() && endsWithNoCase(name, "." + asciiLower(extension))) {
        ++count;
        break;
      }
    }
  }
  return count;
}

namespace {

// The movie's folder ("/"-terminated; the current folder for a bare name) and the
// folders to list for it, in search order.
struct SearchFolders {
  std::string movieFolder;
  std::vector<std::string> listed;
};

SearchFolders searchFolders(const std::string& moviePath, const settings::Settings& settings) {
  SearchFolders out;
  out.movieFolder = fs::path(moviePath).parent_path().string();
  if (out.movieFolder.empty()) {
    std::error_code ec;
    out.movieFolder = fs::current_path(ec).string();
  }
  out.movieFolder = withSlash(out.movieFolder);
  const std::string subtitleFolder = withSlash(settings.SubtitleDirectory);
  const std::vector<std::string> folders =
      settings.SearchHereFirst ? std::vector<std::string>{subtitleFolder, out.movieFolder}
                               : std::vector<std::string>{out.movieFolder, subtitleFolder};
  for (std::size_t i = 0; i < folders.size(); ++i) {
    if (!isSearchable(folders[i])) continue;
    // The same folder named twice would count its files twice and raise the threshold.
    if (i == 1 && isSearchable(folders[0]) && sameFolder(folders[0], folders[1])) continue;
    out.listed.push_back(folders[i]);
  }
  return out;
}

// The candidates at or above the threshold, best first (earliest on ties), tried
// with `check` until one passes; its index, or none.
template <typename Check>
std::optional<std::size_t> bestChecked(const std::vector<std::u32string>& candidateNames,
                                       std::u32string_view movieName, double threshold,
                                       Check&& check) {
  std::vector<std::pair<double, std::size_t>> ranked;
  for (std::size_t i = 0; i < candidateNames.size(); ++i) {
    const double score = scoreChars(candidateNames[i], movieName, MatchWeights{});
    if (score >= threshold) ranked.emplace_back(score, i);
  }
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  for (const auto& [score, index] : ranked)
    if (check(index)) return index;
  return std::nullopt;
}

}  // namespace

std::string SearchSubtitle(const std::string& moviePath, const settings::Settings& settings) {
  const SearchFolders folders = searchFolders(moviePath, settings);
  std::vector<std::string> candidates;
  for (const std::string& folder : folders.listed) {
    auto found = listSubtitleCandidates(folder);
    candidates.insert(candidates.end(), found.begin(), found.end());
  }
  std::vector<std::u32string> names;
  names.reserve(candidates.size());
  for (const auto& candidate : candidates) names.push_back(nameChars(baseNameOf(candidate)));
  const double threshold = searchThreshold(
      countMovieFiles(folders.movieFolder, settings.ExtensionList), candidates.size());
  const auto best = bestChecked(
      names, nameChars(baseNameOf(moviePath)), threshold,
      [&](std::size_t i) { return SubtitleStore::CheckSubtitleFile(candidates[i], settings); });
  return best ? candidates[*best] : std::string();
}

SubtitleSearchBatch::SubtitleSearchBatch(const settings::Settings& settings)
    : settings_(settings) {}

SubtitleSearchBatch::~SubtitleSearchBatch() = default;

const SubtitleSearchBatch::FolderCandidates& SubtitleSearchBatch::candidatesFor(
    const std::string& moviePath) {
  const std::string parent = fs::path(moviePath).parent_path().string();
  const auto known = byMovieFolder_.find(parent);
  if (known != byMovieFolder_.end()) return *known->second;
  const SearchFolders folders = searchFolders(moviePath, settings_);
  auto entry = std::make_unique<FolderCandidates>();
  for (const std::string& folder : folders.listed) {
    auto found = listSubtitleCandidates(folder);
    entry->paths.insert(entry->paths.end(), found.begin(), found.end());
  }
  entry->names.reserve(entry->paths.size());
  for (const auto& path : entry->paths) entry->names.push_back(nameChars(baseNameOf(path)));
  entry->threshold = searchThreshold(countMovieFiles(folders.movieFolder, settings_.ExtensionList),
                                     entry->paths.size());
  return *byMovieFolder_.emplace(parent, std::move(entry)).first->second;
}

std::string SubtitleSearchBatch::search(const std::string& moviePath) {
  const FolderCandidates& folder = candidatesFor(moviePath);
  const auto best = bestChecked(
      folder.names, nameChars(baseNameOf(moviePath)), folder.threshold, [&](std::size_t i) {
        const std::string& path = folder.paths[i];
        const auto known = checked_.find(path);
        if (known != checked_.end()) return known->second;
        const bool passes = SubtitleStore::CheckSubtitleFile(path, settings_);
        checked_.emplace(path, passes);
        return passes;
      });
  return best ? folder.paths[*best] : std::string();
}

std::vector<std::string> SearchSubtitles(const std::vector<std::string>& moviePaths,
                                         const settings::Settings& settings) {
  SubtitleSearchBatch batch(settings);
  std::vector<std::string> out;
  out.reserve(moviePaths.size());
  for (const auto& movie : moviePaths) out.push_back(batch.search(movie));
  return out;
}

bool hasSubtitleExtension(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  const std::string extension = asciiLower(name.substr(dot));
  return std::any_of(std::begin(kSubtitleExtensions), std::end(kSubtitleExtensions),
                     [&](const char* e) { return extension == e; });
}

bool isDroppedSubtitle(const std::vector<std::string>& paths, bool movieOpen) {
  if (!movieOpen || paths.size() != 1 || !hasSubtitleExtension(paths[0])) return false;
  std::error_code ec;
  return fs::is_regular_file(paths[0], ec);
}

bool canOpenSubtitle(bool openingBusy, bool movieOpen) {
  return !openingBusy && movieOpen;
}

AttachResult attachSubtitle(SubtitleStore& store, const std::string& path, bool silent,
                            const settings::Settings& settings, const texts::InterfaceTexts& texts,
                            double movieFrameRate) {
  const bool wasLoaded = store.SubtitleLoaded();
  store.setSubtitleLoaded(false);
  store.setSubtitlesEnabled(true);
  LoadResult loaded = store.LoadSubtitle(path, settings, texts, movieFrameRate);
  AttachResult out;
  if (!loaded.ok) {
    if (!silent) out.message = std::move(loaded.message);
    return out;
  }
  out.ok = true;
  store.setCurrentSubtitleFile(path);
  out.label = fs::path(path).filename().string();
  out.clearMovieMode = !wasLoaded;
  return out;
}

bool isSubtitleRenderer(std::string_view name, std::string_view classification) {
  if (name.starts_with("DirectVobSub") || name.starts_with("DivXG400")) return true;
  for (std::string_view known :
       {"subtitleoverlay", "textoverlay", "assrender", "dvdspu", "dvbsuboverlay", "cc708overlay"})
    if (name == known) return true;
  const bool overlay = classification.find("Overlay") != std::string_view::npos;
  return overlay && (classification.find("Subtitle") != std::string_view::npos ||
                     classification.find("SubPicture") != std::string_view::npos);
}

FilterVerdict SelectFilter(std::string_view elementName, std::string_view classification,
                           bool disableExternalSubtitleFilters, bool subtitleLoaded) {
  FilterVerdict verdict;
  if (!isSubtitleRenderer(elementName, classification)) return verdict;
  if (disableExternalSubtitleFilters) {
    verdict.allow = false;
    verdict.subtitlesEnabled = true;
  } else {
    verdict.subtitlesEnabled = !subtitleLoaded;
  }
  return verdict;
}

}  // namespace subtitles
