#pragma once
// Finding a movie's subtitle file, attaching a chosen or dropped subtitle to the
// open movie, and the guard against the media engine's own subtitle renderers.
// Folders are searched through the file system; interface thread only (the
// SelectFilter predicate alone is pure and safe from the engine's threads).
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "settings/settings.h"
#include "texts/interface_texts.h"
#include "subtitles/subtitle_store.h"

namespace subtitles {

// Points of the name comparison: per matching character from the start (exact,
// equal only after lower-casing) and from the end. The search uses the defaults;
// the playlist's subtitle choices score with 200/150 and 100/75.
struct MatchWeights {
  int forwardExact = 200;
  int forwardCase = 100;
  int backwardExact = 100;
  int backwardCase = 50;
};

// Similarity of a candidate's name to the movie's name, both without their last
// extension, compared character by character with the Central European lower-casing.
// Identical names score 100; Film against Film.eng scores 800 / 13.
double subtitleNameScore(std::string_view candidate, std::string_view movie,
                         const MatchWeights& weights = {});

// The file name without its folder and without its last extension (from the last
// "." on); a name without "." stays whole.
std::string baseNameOf(std::string_view path);

// Score a candidate must reach: 75 when the movie's folder holds two or more movie
// files, else max(12.5 * 2^min(candidates, 2.59), 25).
double searchThreshold(int movieFilesInFolder, std::size_t candidates);

// Files of `folder` ending in ".sub", then ".srt", ".txt", ".ssa" (letter case
// ignored), each group sorted by name; full paths. Empty when the folder is missing.
std::vector<std::string> listSubtitleCandidates(const std::string& folder);

// Movie files in `folder` (extensions from `extensions`, letter case ignored),
// counted up to `stopAt`.
int countMovieFiles(const std::string& folder, const std::vector<std::string>& extensions,
                    int stopAt = 2);

// Path of the best subtitle for `moviePath`, or empty. Searches the movie's folder
// (the current folder for a bare name) and SubtitleDirectory, SubtitleDirectory first
// when SearchHereFirst is on; a folder is searched once even when both name it.
// Candidates at or above the threshold are tried best first (earliest on ties) with
// CheckSubtitleFile. Uses SubtitleDirectory, SearchHereFirst, ExtensionList and
// SubtitleFontScript.
std::string SearchSubtitle(const std::string& moviePath, const settings::Settings& settings);

// The search for many movies added together, as when a folder joins the playlist.
// Every folder is listed, and every movie folder's movies counted, once per batch
// instead of once per movie, and every candidate is checked at most once; each
// result is the one SearchSubtitle gives for that movie. The files are taken not
// to change while the batch lives, so keep one only for one add.
class SubtitleSearchBatch {
 public:
  explicit SubtitleSearchBatch(const settings::Settings& settings);
  ~SubtitleSearchBatch();
  SubtitleSearchBatch(const SubtitleSearchBatch&) = delete;
  SubtitleSearchBatch& operator=(const SubtitleSearchBatch&) = delete;

  std::string search(const std::string& moviePath);

 private:
  // The candidates of the movies of one folder, their names without extension
  // as characters, and the threshold they must reach.
  struct FolderCandidates {
    std::vector<std::string> paths;
    std::vector<std::u32string> names;
    double threshold = 0;
  };
  const FolderCandidates& candidatesFor(const std::string& moviePath);

  const settings::Settings& settings_;
  std::unordered_map<std::string, std::unique_ptr<FolderCandidates>> byMovieFolder_;
  std::unordered_map<std::string, bool> checked_;
};

// SearchSubtitle for each movie, in order, through one SubtitleSearchBatch.
std::vector<std::string> SearchSubtitles(const std::vector<std::string>& moviePaths,
                                         const settings::Settings& settings);

// Whether the file name ends in ".txt", ".sub", ".srt" or ".ssa", letter case ignored.
bool hasSubtitleExtension(std::string_view path);

// DropSubtitle: whether the dropped or passed files are one existing subtitle file
// to load for the open movie. When false, the file is treated as a movie.
bool isDroppedSubtitle(const std::vector<std::string>& paths, bool movieOpen);

// OpenSubtitle: the open dialog is offered only when no movie is being opened and
// a movie is open.
bool canOpenSubtitle(bool openingBusy, bool movieOpen);
// The open dialog's patterns for its "Subtitle files" filter.
inline constexpr const char* kSubtitleFilePatterns = "*.sub;*.srt;*.txt;*.ssa";

struct AttachResult {
  bool ok = false;
  std::string message;          // message window text on a failed non-silent load; else empty
  std::string label;            // on success the file name without folder for the subtitle label
  bool clearMovieMode = false;  // on success when no subtitle was loaded before
};

// The steps after a subtitle file was chosen in the open dialog (silent = false) or
// dropped (silent = true): SubtitleLoaded false and SubtitlesEnabled true (the caller
// clears the "Disable subtitle" check and shows "No subtitle" in the label), then
// LoadSubtitle; on success SubtitleLoaded and CurrentSubtitleFile are set. The caller
// then empties DisplayLines, repaints the video and tells the playlist.
AttachResult attachSubtitle(SubtitleStore& store, const std::string& path, bool silent,
                            const settings::Settings& settings, const texts::InterfaceTexts& texts,
                            double movieFrameRate);

// Whether the engine element draws subtitles itself: the external renderers
// "DirectVobSub..." and "DivXG400...", and overlay elements for subtitle text or
// pictures (classification with "Overlay" and "Subtitle" or "SubPicture", or the
// factory names subtitleoverlay, textoverlay, assrender, dvdspu, dvbsuboverlay,
// cc708overlay).
bool isSubtitleRenderer(std::string_view elementName, std::string_view classification);

struct FilterVerdict {
  bool allow = true;
  std::optional<bool> subtitlesEnabled;  // new SubtitlesEnabled (and inverse check mark), if any
};

// SelectFilter: may the engine add this element? Subtitle renderers are refused
// while DisableExternalSubtitleFilters is on (the player's own subtitles stay on);
// otherwise they are allowed and the player's subtitles are switched off when a
// subtitle is loaded, so a movie never shows two. Every other element is allowed.
FilterVerdict SelectFilter(std::string_view elementName, std::string_view classification,
                           bool disableExternalSubtitleFilters, bool subtitleLoaded);

}  // namespace subtitles
