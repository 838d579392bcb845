#pragma once
// The one subtitle of the current movie: loading and checking subtitle files, the
// entry due at a movie time, the on/off switch and time corrections. One instance
// per player, used on the interface thread only. Messages are returned as text for
// the caller to show; the store never shows anything itself. The callers raise Busy
// around LoadSubtitle and CheckSubtitleFile.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings.h"
#include "texts/interface_texts.h"
#include "subtitles/subtitle_entry.h"
#include "subtitles/subtitle_text.h"

namespace subtitles {

struct LoadResult {
  bool ok = false;
  std::string message;  // what the message window shows on failure; empty when nothing
};

enum class SubtitleChange {
  None,   // the layer stays as it is
  Show,   // lay out `entry` into DisplayLines, then paint
  Clear,  // empty DisplayLines and repaint the subtitle layer
};

struct SubtitleStep {
  SubtitleChange change = SubtitleChange::None;
  int entry = -1;  // index into entries() for Show
  bool paintDirectly =
      false;  // Show with nothing on screen before: PaintSubtitle, not RepaintSubtitles
};

class SubtitleStore {
 public:
  // Reads `path` into the store, replacing what it held; on failure the store is
  // empty. MicroDvd frame numbers convert at `movieFrameRate` frames per second.
  // A missing file fails with an empty message. Sets SubtitleLoaded to the result
  // and SubtitleTimeCorrection to 0 on success. Uses SubtitleFontScript (code page
  // of files that are not UTF-8) and AverageDisplayTime.
  LoadResult LoadSubtitle(const std::string& path, const settings::Settings& settings,
                          const texts::InterfaceTexts& texts, double movieFrameRate = 25.0);

  // The same for a file's bytes already in memory; `name` is the file name quoted in
  // messages.
  LoadResult LoadSubtitleData(std::string_view bytes, const std::string& name,
                              const settings::Settings& settings,
                              const texts::InterfaceTexts& texts, double movieFrameRate = 25.0);

  // Whether `path` would load: the same reading, text check, format detection,
  // repair, parsing and completion of the times, on buffers of its own, so it
  // accepts exactly the files LoadSubtitle accepts (a file that yields no entry
  // fails both). Touches no store, shows nothing.
  static bool CheckSubtitleFile(const std::string& path, const settings::Settings& settings);

  // Converts frame-numbered times that were loaded at 25 frames per second to
  // `frameRate`: t becomes round(t * 25 / frameRate), halves to even. Only for a
  // loaded MicroDvd subtitle and a positive rate other than 25. DisplayMs follows
  // the new gaps between entries.
  void RescaleFrameTimes(double frameRate);

  // A new AverageDisplayTime: every entry's DisplayMs becomes DisplayTime of
  // its characters (its lines' bytes plus one per line break), capped for
  // every entry but the last at the gap to the next entry's start.
  void RecomputeDisplayTimes(int averageDisplayTime);
  // Replaces the entries with ready ones, as a load would (tools and tests).
  void assign(std::vector<SubtitleEntry> entries, SubtitleType type);

  // Empties the store (SubtitleLoaded false; SubtitlesEnabled keeps its value).
  void clear();

  const std::vector<SubtitleEntry>& entries() const { return entries_; }
  SubtitleType type() const { return type_; }
  // True when the file had a byte-order mark (its text was UTF-8 or UTF-16).
  bool SubtitleUnicode() const;
  TextEncoding encoding() const { return encoding_; }
  // Sum of all time corrections since the load, in tenths of a second.
  int64_t SubtitleTimeCorrection() const { return timeCorrection_; }

  // Lowered by the callers while a movie opens or when a movie is closed.
  bool SubtitleLoaded() const { return loaded_; }
  void setSubtitleLoaded(bool loaded) { loaded_ = loaded; }
  // The user's on/off switch (the inverse of the "Disable subtitle" check mark).
  bool SubtitlesEnabled() const { return enabled_; }
  void setSubtitlesEnabled(bool enabled) { enabled_ = enabled; }
  // Full path of the subtitle attached to the current movie.
  const std::string& CurrentSubtitleFile() const { return currentFile_; }
  void setCurrentSubtitleFile(std::string path) { currentFile_ = std::move(path); }

  // The entry due at `positionMs`: the lowest index i with StartMs <= positionMs <
  // end limit (StartMs + DisplayMs with AutoCalculationTime, else EndMs); -1 before
  // the first entry's start, from the last entry's end limit on, and in gaps.
  // O(log N), O(1) while the position moves forward.
  int entryAt(int64_t positionMs, bool autoCalculationTime) const;

  // One step of the periodic update. `position100ns` is the play position in 100 ns
  // units; `displayLinesEmpty` tells whether the video window's DisplayLines is empty
  // (an empty layer shows no entry). Returns what the subtitle layer must do.
  SubtitleStep UpdateSubtitle(int64_t position100ns, bool displayLinesEmpty,
                              bool autoCalculationTime);
  // Index of the entry on screen as the last step left it; -1 when none.
  int ShownSubtitle() const { return shown_; }

  // The "Disable subtitle" command: flips SubtitlesEnabled when a subtitle is loaded
  // and returns the on-screen message ("Subtitle enabled"/"Subtitle disabled");
  // nullopt when nothing happened.
  std::optional<std::string> ToggleSubtitles(const texts::InterfaceTexts& texts);

  // Shifts every entry by `deltaMs` (later when positive) when a subtitle is loaded
  // and enabled, and returns the on-screen message, e.g.
  // "Subtitle time correction: -1.5 sec"; nullopt when nothing happened.
  std::optional<std::string> ShiftSubtitleTimes(int64_t deltaMs,
                                                const texts::InterfaceTexts& texts);

 private:
  LoadResult loadText(SubtitleText&& text, const std::string& name,
                      const settings::Settings& settings, const texts::InterfaceTexts& texts,
                      double movieFrameRate);
  void rebuildIndex(bool autoCalculationTime) const;
  int64_t endLimit(const SubtitleEntry& e, bool autoCalculationTime) const;

  std::vector<SubtitleEntry> entries_;
  SubtitleType type_ = SubtitleType::None;
  TextEncoding encoding_ = TextEncoding::Utf8;
  int64_t timeCorrection_ = 0;
  int averageDisplayTime_ = 2200;
  bool loaded_ = false;
  bool enabled_ = true;
  std::string currentFile_;
  int shown_ = -1;

  // Index for entryAt: the times where the due entry can change, and the entry due
  // from each of them to the next (-1 none). Rebuilt lazily after any change.
  mutable bool indexValid_ = false;
  mutable bool indexAutoCalculation_ = false;
  mutable std::vector<int64_t> bounds_;
  mutable std::vector<int> due_;
  mutable std::size_t lastSegment_ = 0;
};

}  // namespace subtitles
