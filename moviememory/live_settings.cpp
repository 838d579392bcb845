#include "moviememory/live_settings.h"

#include <cmath>

namespace moviememory {

namespace {

constexpr double kHnsPerDay = 864'000'000'000.0;  // 100 ns units in a day
constexpr std::int64_t kFiveSecondsHns = 50'000'000;
constexpr std::size_t kBookmarkTimeLength = 8;  // "hh:nn:ss"

// A remembered colour value back to whole slider positions, halves to even.
int toPositions(int value, int perPosition) {
  return static_cast<int>(std::nearbyint(static_cast<double>(value) / perPosition)) * perPosition;
}

// The colour controls and the subtitle look (all but the display zone) as
// they are now, into a record.
void storeColorsAndSubtitleLook(MovieRecord& record, const settings::Settings& settings) {
  record.Brightness = settings.BrightnessControl;
  record.Contrast = settings.ContrastControl;
  record.Hue = settings.HueControl;
  record.Saturation = settings.SaturationControl;
  record.SubtitleFontName = settings.SubtitleFontName;
  record.SubtitleFontColor = settings.SubtitleFontColor;
  record.SubtitleFontStyle = settings.SubtitleFontStyle;
  record.SubtitleSize = settings.SubtitleSize;
  record.TransparentBackground = settings.TransparentBackground;
  record.UseOutlineFont = settings.UseOutlineFont;
}

// The whole subtitle look into the settings, from a movie record or from the
// values a record replaced (TemporaryOverrides::Subtitle): the same field names.
template <class Look>
void setSubtitleLook(settings::Settings& settings, const Look& look) {
  settings.SubtitleFontName = look.SubtitleFontName;
  settings.SubtitleSize = look.SubtitleSize;
  settings.SubtitleFontColor = look.SubtitleFontColor;
  settings.SubtitleFontStyle = look.SubtitleFontStyle;
  settings.TransparentBackground = look.TransparentBackground;
  settings.UseOutlineFont = look.UseOutlineFont;
  settings.AverageVerticalDisplayZone = look.AverageVerticalDisplayZone;
}

}  // namespace

MovieRecord sectionDefaults(const settings::Settings& settings, const LiveMovieState& live) {
  MovieRecord record;
  record.VideoWindowWidth = live.WindowedWidth;
  record.VideoWindowHeight = live.WindowedHeight;
  storeColorsAndSubtitleLook(record, settings);
  record.FullScreen = settings.FullscreenOnLoad;
  record.AverageVerticalDisplayZone = settings.AverageVerticalDisplayZone;
  return record;
}

MovieRecord& addToRms(MovieMemory& memory, const std::string& moviePath,
                      const settings::Settings& settings, LiveMovieState& live, double nowDays) {
  MovieRecord& record = memory.recordFor(recordName(moviePath));
  fillRecord(record, settings, live, nowDays);
  return record;
}

void fillRecord(MovieRecord& record, const settings::Settings& settings, LiveMovieState& live,
                double nowDays) {
  record.LastAccessed = nowDays;
  if (live.MovieMode) {
    record.PanScan = live.MovieModeValues.PanScanSize;
    record.VideoImageXPosition = live.MovieModeValues.PictureOffsetX;
    record.VideoImageYPosition = live.MovieModeValues.PictureOffsetY;
    record.AverageVerticalDisplayZone = live.MovieModeValues.AverageVerticalDisplayZone;
    record.FullScreen = live.MovieModeValues.FullScreen;
  } else {
    record.PanScan = settings.PanScanSize;
    record.VideoImageXPosition = live.PictureOffsetX;
    record.VideoImageYPosition = live.PictureOffsetY;
    record.AverageVerticalDisplayZone = settings.AverageVerticalDisplayZone;
    record.FullScreen = live.LeftFullScreenThroughMovieMode ? false : live.FullScreen;
    live.LeftFullScreenThroughMovieMode = false;
  }
  record.AspectRatio = settings.KeepAspectRatio ? live.PictureRatio : -1.0;
  record.VideoWindowWidth = live.WindowedWidth;
  record.VideoWindowHeight = live.WindowedHeight;
  record.LastVideoPosition = static_cast<double>(live.PositionHns) / kHnsPerDay;
  for (int slot = 0; slot < kBookmarkSlots; ++slot) {
    record.BookMark[slot] = live.Bookmarks[slot].substr(0, kBookmarkTimeLength);
  }
  storeColorsAndSubtitleLook(record, settings);
  record.AudioVolume = settings.AudioVolume * 500;
}

void applySubtitleSettings(const MovieRecord& record, settings::Settings& settings,
                           TemporaryOverrides& overrides) {
  if (!overrides.subtitle) {
    overrides.subtitle =
        TemporaryOverrides::Subtitle{settings.SubtitleFontName,          settings.SubtitleSize,
                                     settings.SubtitleFontColor,         settings.SubtitleFontStyle,
                                     settings.TransparentBackground,     settings.UseOutlineFont,
                                     settings.AverageVerticalDisplayZone};
  }
  setSubtitleLook(settings, record);
}

void applyColorSettings(const MovieRecord& record, settings::Settings& settings,
                        TemporaryOverrides& overrides) {
  if (!overrides.colors) {
    overrides.colors =
        TemporaryOverrides::Colors{settings.BrightnessControl, settings.ContrastControl,
                                   settings.HueControl, settings.SaturationControl};
  }
  settings.BrightnessControl = toPositions(record.Brightness, 10);
  settings.ContrastControl = toPositions(record.Contrast, 100);
  settings.HueControl = record.Hue;
  settings.SaturationControl = toPositions(record.Saturation, 100);
}

void applyVolume(const MovieRecord& record, settings::Settings& settings,
                 TemporaryOverrides& overrides) {
  if (!overrides.AudioVolume) overrides.AudioVolume = settings.AudioVolume;
  settings.AudioVolume = record.AudioVolume / 500;
}

void overridePanScan(int panScanSize, settings::Settings& settings, TemporaryOverrides& overrides) {
  if (!overrides.PanScanSize) overrides.PanScanSize = settings.PanScanSize;
  settings.PanScanSize = panScanSize;
}

void applyMovieSettings(const MovieRecord& record, settings::Settings& settings,
                        LiveMovieState& live) {
  live.WindowedWidth = record.VideoWindowWidth;
  live.WindowedHeight = record.VideoWindowHeight;
  live.Bookmarks = record.BookMark;
  live.PictureOffsetX = record.VideoImageXPosition;
  live.PictureOffsetY = record.VideoImageYPosition;
  live.FullScreen = record.FullScreen;
  if (record.AspectRatio < 0) {
    settings.KeepAspectRatio = false;
  } else {
    settings.KeepAspectRatio = true;
    live.PictureRatio = record.AspectRatio;
  }
}

void putBackTemporarySettings(settings::Settings& settings, TemporaryOverrides& overrides) {
  if (const auto& s = overrides.subtitle) setSubtitleLook(settings, *s);
  if (const auto& c = overrides.colors) {
    settings.BrightnessControl = c->BrightnessControl;
    settings.ContrastControl = c->ContrastControl;
    settings.HueControl = c->HueControl;
    settings.SaturationControl = c->SaturationControl;
  }
  if (overrides.AudioVolume) settings.AudioVolume = *overrides.AudioVolume;
  if (overrides.PanScanSize) settings.PanScanSize = *overrides.PanScanSize;
  overrides = TemporaryOverrides{};
}

std::optional<std::int64_t> resumePosition(const MovieRecord& record, std::int64_t durationHns) {
  const auto position =
      static_cast<std::int64_t>(std::llround(record.LastVideoPosition * kHnsPerDay));
  if (durationHns >= kFiveSecondsHns && position < durationHns - kFiveSecondsHns) return position;
  return std::nullopt;
}

}  // namespace moviememory
