#pragma once
// The playlist model: the movies with their subtitles, the current and the
// selected entry, the shuffle pool and history, and the subtitle choices of
// the selected entry. Drives no window: the playlist window shows movieRows()
// and subtitleRows() and calls the operations below. Everything runs on the
// interface thread. Paths are UTF-8, kept exactly as added.
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "playlist/path_pool.h"
#include "playlist/playlist_file.h"
#include "settings/settings.h"
#include "texts/interface_texts.h"

namespace playlist {

// What the model needs of the rest of the player. Every hook may be left
// empty; the default is given at each.
struct PlaylistHooks {
  // Quiet subtitle search for the movies of one add, one result per movie in
  // order: the subtitle path, or "". Called once per add, so that the search
  // can list each folder once for all of them (default: "" for every movie).
  std::function<std::vector<std::string>(const std::vector<std::string>& moviePaths)>
      searchSubtitles;
  // Whether a file is a usable subtitle (default: false).
  std::function<bool(const std::string& path)> checkSubtitleFile;
  // Shows a text in the message window (default: nothing).
  std::function<void(const std::string& text)> showMessage;
  // True while Busy or OpeningBusy is set (default: false).
  std::function<bool()> busy;
  // Stops the loaded movie, if any; false when the player still plays after it
  // (default: true).
  std::function<bool()> stopMovie;
  // Opens a movie and starts playing it (default: nothing).
  std::function<void(const std::string& path)> openMovie;
  // CurrentMovie: the open movie's path, "" when none (default "").
  std::function<std::string()> openMoviePath;
  // Loads a subtitle for the open movie (with messages), updating the loaded
  // flag, the subtitle layer and the subtitle label; returns success.
  std::function<bool(const std::string& path)> loadSubtitle;
  // The open movie shows no subtitle any more: loaded flag off, label "No subtitle".
  std::function<void()> unloadSubtitle;
  // AutoClosePlayerOnce := false, done by every operation that adds movies.
  std::function<void()> clearAutoClosePlayerOnce;
  // Existence of a file (default: std::filesystem).
  std::function<bool(const std::string& path)> fileExists;
};

// How a playlist file load ended.
enum class LoadResult { Loaded, CannotOpen, TooBig, ReadError };

class Playlist {
 public:
  // settings and texts must outlive the model; Shuffle, RepeatStatus,
  // AutoLoadSubtitle, ExtensionList, SubtitleDirectory, SearchHereFirst and
  // LastMovieSelectedInPlaylist are read from settings when used.
  Playlist(settings::Settings& settings, const texts::InterfaceTexts& texts, PlaylistHooks hooks);

  // The interface texts after a language change.
  void setTexts(const texts::InterfaceTexts& texts) { texts_ = &texts; }
  // Seeds the random generator (from the clock when no seed is given).
  void seedRandom(std::optional<std::uint64_t> seed = std::nullopt);

  // State. PlaylistMovies and PlaylistSubtitles always have the same length.
  const std::vector<std::string>& PlaylistMovies() const { return movies_; }
  const std::vector<std::string>& PlaylistSubtitles() const { return subtitles_; }
  int CurrentMovieIndex() const { return currentIndex_; }
  int selectedIndex() const { return selected_; }
  const std::vector<std::string>& UnplayedMovies() const { return unplayed_.paths(); }
  const std::vector<std::string>& PlayedMovies() const { return played_; }
  const std::vector<std::string>& SubtitleCandidates() const { return candidates_; }
  bool PlayingFromPlaylist() const { return playingFromPlaylist_; }
  void setPlayingFromPlaylist(bool valid) { playingFromPlaylist_ = valid; }
  int count() const { return static_cast<int>(movies_.size()); }
  bool empty() const { return movies_.empty(); }

  // Rows of ListVideo ("07. name.avi") and ListSub (row 0 "No subtitle" in the
  // current language, then the candidates' file names; no rows when nothing
  // is selected), and the selected ListSub row (-1 none).
  const std::vector<std::string>& movieRows() const { return movieRows_; }
  const std::vector<std::string>& subtitleRows() const { return subtitleRows_; }
  int selectedSubtitleRow() const { return selectedSubtitleRow_; }

  // Selects a ListVideo row (-1 none; out of range gives -1) and rebuilds the
  // subtitle choices (ListVideoSelectItem).
  void select(int row);
  // Makes a row current and selected without playing it (start-up restore,
  // end-of-movie advance while minimised).
  void makeCurrent(int row);

  // Adding. Each clears AutoClosePlayerOnce; the selection keeps its row number.
  void addMovie(const std::string& path);                 // AddMovie
  void addMovies(const std::vector<std::string>& paths);  // AddMovieClick
  void addFolderWithMovies(const std::string& folder);    // AddFolderWithMovies
  // AcceptFiles: files and folders dropped on the window; ontoSubtitleList is
  // true when the drop point lies inside the visible ListSub.
  void acceptFiles(const std::vector<std::string>& items, bool ontoSubtitleList);
  // AppendFollowingParts: after a single movie was opened on its own.
  void appendFollowingParts(const std::string& path);

  // Playlist files. quiet suppresses every message.
  LoadResult loadFromList(const std::string& path, bool quiet, bool replace);
  bool savePlaylist(const std::string& path, bool quiet) const;
  // btnOpenPlaylistClick: PlayingFromPlaylist false, then load replacing.
  LoadResult openPlaylist(const std::string& path);
  // btnSavePlaylistClick before the dialog: shows "Nothing to save!" and returns
  // false when the list is empty.
  bool checkSomethingToSave() const;
  // The file name the save dialog's choice stands for: ".mpl" appended unless
  // the "All files" filter was chosen or the name already ends in ".mpl".
  static std::string playlistSaveName(const std::string& name, bool allFilesFilter);

  // The automatic playlist DataFolder + ProgramName + ".mpl".
  static std::string automaticPlaylistPath(const std::string& dataFolder,
                                           const std::string& programName);
  // Start-up restore: seeds the generator when Shuffle is on, loads the
  // automatic playlist quietly, clamps LastMovieSelectedInPlaylist to [0, count]
  // and makes that entry (1-based) current and selected.
  void loadAutomaticPlaylist(const std::string& dataFolder, const std::string& programName);
  // Exit and close save: writes the automatic playlist, or deletes it when the
  // list is empty; stores LastMovieSelectedInPlaylist = CurrentMovieIndex + 1.
  // A file that could not be read at start-up is first kept as ".bak" beside it.
  bool saveAutomaticPlaylist(const std::string& dataFolder, const std::string& programName);

  // Editing; each needs a valid selection where the operation names one.
  void removeMovie();                          // RemoveMovieClick
  void removeAll();                            // RemoveAllMenuClick
  void replaceMovie(const std::string& path);  // ReplaceMovieMenuClick
  void moveUp(bool follow);                    // btnUpMovieClick
  void moveDown(bool follow);                  // btnDownMovieClick
  void sortByFileName();                       // SortByFileNameClick
  void randomize();                            // RandomizeMenuClick
  void setShuffle(bool on);                    // SetShuffle

  // Playing. playSelected is ListVideoDblClick: missing files are reported
  // when byUser, else skipped to the next row.
  void playSelected(bool byUser);
  void next();      // BtnNextClick
  void previous();  // BtnPreviousClick
  // The choice of Next without playing: selects the row and returns it, or
  // nothing when no entry follows. wrap false never wraps to row 0 (the
  // advance after a failed automatic open).
  std::optional<int> chooseNext(bool wrap = true);

  // Subtitle choices of the selected entry.
  void listVideoSelectItem();                 // ListVideoSelectItem
  void chooseSubtitle(int row);               // ListSubClick
  void addSubtitle(const std::string& path);  // ListSubAdd
  // A subtitle loaded for the open movie from outside the window (dropped,
  // handed over): it becomes the subtitle entry of every entry that holds
  // movie, the selected one first.
  void setSubtitleOfMovie(const std::string& movie, const std::string& subtitle);

 private:
  // The append step for the movies of one add, in order, with one subtitle search.
  void appendMovies(const std::vector<std::string>& paths);
  static std::vector<std::string> nameSorted(std::vector<std::string> paths);
  void rebuildRows();
  void movieListChanged() { rowIndexValid_ = false; }
  int firstRowOf(const std::string& path);
  void applyOrder(const std::vector<std::size_t>& order);
  void swapEntries(int a, int b);
  void clearAll();
  void message(const std::string& text) const;
  void pathMessage(int first, const std::string& path, int second) const;
  bool exists(const std::string& path) const;
  bool validRow(int row) const { return row >= 0 && row < count(); }
  // The subtitle entry of each movie: the search result or "No subtitle".
  std::vector<std::string> subtitleSearch(const std::vector<std::string>& moviePaths) const;
  int draw(std::size_t n);

  settings::Settings& settings_;
  const texts::InterfaceTexts* texts_;
  PlaylistHooks hooks_;
  std::mt19937_64 random_;

  std::vector<std::string> movies_;
  std::vector<std::string> subtitles_;
  std::vector<std::string> movieRows_;
  int currentIndex_ = -1;
  int selected_ = -1;
  PathPool unplayed_;
  std::vector<std::string> played_;
  std::vector<std::string> candidates_;
  std::vector<std::string> subtitleRows_;
  int selectedSubtitleRow_ = -1;
  bool playingFromPlaylist_ = false;
  bool automaticPlaylistUnreadable_ = false;

  // First row of every movie path, rebuilt after the list changed.
  std::unordered_map<std::string, int> rowIndex_;
  bool rowIndexValid_ = false;
};

}  // namespace playlist
