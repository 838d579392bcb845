// The subtitle appearance commands of the video playback: move the block,
// change its size. Each clears movie mode, keeps the new look as the global
// one, and shows its message; a change with a movie open is saved soon.
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

}  // namespace ui
