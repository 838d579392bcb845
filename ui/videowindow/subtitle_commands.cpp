// The subtitle commands of the video playback: move the block, change its
// size (each clears movie mode, keeps the new look as the global one, and
// shows its message; a change with a movie open is saved soon), switch the
// subtitle off and on, and correct its times.
#include "subtitles/subtitle_look.h"
#include "ui/videowindow/video_playback.h"

namespace ui {

void VideoPlayback::subtitleLookChanged() {
  player_.live().MovieMode = false;
  player_.overrides().subtitle.reset();
}

void VideoPlayback::moveSubtitle(bool up) {
  const int zone = subtitles::movedZone(settings_.AverageVerticalDisplayZone, up);
  if (zone != settings_.AverageVerticalDisplayZone) {
    settings_.AverageVerticalDisplayZone = zone;
    subtitleLookChanged();
    window_->repaintSubtitles();
    if (player_.controller().movieOpen()) playback::addSettingsChange(player_.state(), 5000);
  }
  player_.controller().ShowOsd(subtitles::zoneMessage(player_.texts(), zone));
}

void VideoPlayback::resizeSubtitle(bool larger) {
  settings_.SubtitleSize = subtitles::resizedSubtitle(settings_.SubtitleSize, larger);
  subtitleLookChanged();
  // The entry on screen is laid out again at the new size.
  if (!subtitleLayer_.displayLines().empty()) layOutEntry(shownEntry_);
  window_->repaintSubtitles();
  if (player_.controller().movieOpen()) playback::addSettingsChange(player_.state(), 5000);
  player_.controller().ShowOsd(subtitles::sizeMessage(player_.texts(), settings_.SubtitleSize));
}

void VideoPlayback::RelayOutSubtitle() {
  if (!subtitleLayer_.displayLines().empty()) layOutEntry(shownEntry_);
  window_->repaintSubtitles();
}

void VideoPlayback::SubtitleFontChosen(const std::string& name, int style, int subtitleSize) {
  settings_.SubtitleFontName = name;
  settings_.SubtitleFontStyle = style;
  settings_.SubtitleSize = subtitleSize;
  subtitleLookChanged();
  if (!subtitleLayer_.displayLines().empty()) layOutEntry(shownEntry_);
  window_->repaintSubtitles();
  // The new font is saved with the movie at the next opportunity.
  if (player_.controller().movieOpen()) player_.state().SettingsChangeScore = 10000;
}

void VideoPlayback::ToggleSubtitles() {
  const std::optional<std::string> message = player_.subtitles().ToggleSubtitles(player_.texts());
  if (!message) return;
  player_.live().MovieMode = false;
  // Switched off, the whole picture is redrawn at once.
  if (!player_.subtitles().SubtitlesEnabled()) window_->update();
  player_.controller().ShowOsd(*message);
}

void VideoPlayback::ShiftSubtitleTimes(int64_t deltaMs) {
  if (const auto message = player_.subtitles().ShiftSubtitleTimes(deltaMs, player_.texts()))
    player_.controller().ShowOsd(*message);
}

}  // namespace ui
