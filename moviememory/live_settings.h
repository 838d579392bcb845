#pragma once
// Between a movie's record and the player's live state. The pan-scan size,
// the colour controls, the volume and the subtitle appearance are settings
// (settings::Settings); the rest of what a record holds is passed in
// LiveMovieState, which the playback controller fills from its own state.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "settings/settings.h"
#include "moviememory/movie_memory.h"
#include "moviememory/movie_record.h"

namespace moviememory {

// The values movie mode saved when it was entered; recorded instead of the
// live ones while it is on.
struct MovieModeSaved {
  int PanScanSize = 0;
  int PictureOffsetX = 0;
  int PictureOffsetY = 0;
  int AverageVerticalDisplayZone = 15;
  bool FullScreen = false;
};

struct LiveMovieState {
  double PictureRatio = 1.33;  // the aspect ratio in use
  int PictureOffsetX = 0;      // [-100, 100]
  int PictureOffsetY = 0;
  int WindowedWidth = 460;  // the video window's size when not full screen, px
  int WindowedHeight = 274;
  std::int64_t PositionHns = 0;  // playback position in 100-nanosecond units
  // The times "hh:nn:ss" of bookmarks 1 to 9 (empty: no bookmark), the first
  // eight characters of their menu captions (moviememory/bookmarks.h).
  std::array<std::string, kBookmarkSlots> Bookmarks;
  bool FullScreen = false;
  bool MovieMode = false;
  MovieModeSaved MovieModeValues;
  // Set when full screen was just left through movie mode; recording a movie
  // takes it as "not full screen" and clears it.
  bool LeftFullScreenThroughMovieMode = false;
};

// Settings a record replaced for the open movie, with the values to put back.
struct TemporaryOverrides {
  struct Subtitle {
    std::string SubtitleFontName;
    int SubtitleSize;
    int SubtitleFontColor;
    int SubtitleFontStyle;
    bool TransparentBackground;
    bool UseOutlineFont;
    int AverageVerticalDisplayZone;
  };
  struct Colors {
    int BrightnessControl;
    int ContrastControl;
    int HueControl;
    int SaturationControl;
  };
  std::optional<Subtitle> subtitle;
  std::optional<Colors> colors;
  std::optional<int> AudioVolume;
  std::optional<int> PanScanSize;
};

// The values a record read from the file starts from: the current window
// size, colour controls, subtitle appearance and FullscreenOnLoad.
MovieRecord sectionDefaults(const settings::Settings& settings, const LiveMovieState& live);

// AddToRms: refreshes the movie's record (found by file name, else appended,
// else the least recently accessed one reused) from the live state. nowDays
// is the local time as days since 30 December 1899 (nowAsDays()).
MovieRecord& addToRms(MovieMemory& memory, const std::string& moviePath,
                      const settings::Settings& settings, LiveMovieState& live, double nowDays);
// The filling step alone.
void fillRecord(MovieRecord& record, const settings::Settings& settings, LiveMovieState& live,
                double nowDays);

// With RememberSubtitleSettings: the record's subtitle font, size, colour,
// style, background, outline and vertical zone replace the settings.
void applySubtitleSettings(const MovieRecord& record, settings::Settings& settings,
                           TemporaryOverrides& overrides);
// With RememberMovieSettings: the colour controls (positions rounded, halves to even).
void applyColorSettings(const MovieRecord& record, settings::Settings& settings,
                        TemporaryOverrides& overrides);
// The volume position becomes AudioVolume div 500.
void applyVolume(const MovieRecord& record, settings::Settings& settings,
                 TemporaryOverrides& overrides);
// The pan-scan size the opening chose for the movie.
void overridePanScan(int panScanSize, settings::Settings& settings, TemporaryOverrides& overrides);
// With RememberMovieSettings: window size, bookmarks, picture offsets, full
// screen, and the aspect ratio (a negative one turns KeepAspectRatio off, any
// other turns it on and becomes the ratio).
void applyMovieSettings(const MovieRecord& record, settings::Settings& settings,
                        LiveMovieState& live);
// Puts back every overridden setting (closing a movie, shutting down) and
// forgets the overrides. An override applied twice puts back the first value.
void putBackTemporarySettings(settings::Settings& settings, TemporaryOverrides& overrides);

// With RememberLastMoviePosition: the position to start at, in 100 ns units,
// when the movie lasts at least 5 s and the position is more than 5 s before
// its end; otherwise nothing (start at the beginning).
std::optional<std::int64_t> resumePosition(const MovieRecord& record, std::int64_t durationHns);

}  // namespace moviememory
