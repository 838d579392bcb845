// The 20 ms update, engine events and the end of a movie.
#include <cstdlib>

#include "playback/controller.h"
#include "playback/time_text.h"

namespace playback {

namespace {
constexpr int kEndPosition = 29;
}

void PlaybackController::onEngineEvent(const EngineEvent& event) {
  // Events of a movie closed meanwhile say nothing about the open one.
  if (event.generation != engine_.generation() || !engine_.active()) return;
  switch (event.code) {
    case EngineEventCode::StreamComplete:
      endOfMovie();
      break;
    case EngineEventCode::UnableToRender:
    case EngineEventCode::ErrorAbort:
      // A movie that breaks while playing ends in the close path, never a
      // stuck player: the failed-open handling closes it and tells the user.
      if (!state_.OpeningBusy) UnableToRender();
      break;
  }
}

void PlaybackController::endOfMovie() {
  const int repeat = settings_.RepeatStatus;
  if (repeat == 1 || (repeat == 2 && playlist_.count() <= 1)) {
    engine_.stop();
    engine_.setPosition(0);
    engine_.run();
    if (osd_.message() == t().Messages[kEndPosition]) {
      osd_.clear();
      if (surface_) surface_->repaintOsd();
    }
    return;
  }
  clearSubtitleLayer();
  endOfMovieFlag_ = true;
}

void PlaybackController::clearSubtitleLayer() {
  if (!subtitleShown_) return;
  subtitleShown_ = false;
  if (hooks_.clearSubtitle) hooks_.clearSubtitle();
  if (surface_) surface_->repaintSubtitles();
}

void PlaybackController::GeneralTimerTimer() {
  try {
    // While a movie opens the engine reads its own messages; a tick run from
    // the wait pump must not take them away.
    if (!state_.OpeningBusy) engine_.pollEvents();
    const int64_t t0 = now();

    if (!osd_.empty()) {
      if (osd_.expired(t0)) {
        osd_.clear();
        runningPosition_ = false;
        if (surface_) surface_->repaintOsd();
      } else if (runningPosition_) {
        const bool inTens = playing();
        if (osd_.replaceText(positionText(display_.SeekPositionMs, display_.SeekMaxMs,
                                          state_.MovieFrameRate, settings_.ShowFrames, inTens)) &&
            surface_)
          surface_->repaintOsd();
      }
    }

    const std::string clock =
        state_.ClockOn && settings_.OSDDisplay && hooks_.clockText ? hooks_.clockText() : "";
    if (osd_.setClock(clock) && surface_) surface_->repaintOsd();

    if (openFailedDuringAdvance_) failedAdvanceInTick();

    const ColorControl color{settings_.BrightnessControl, settings_.ContrastControl,
                             settings_.HueControl, settings_.SaturationControl};
    if (color.brightness != appliedColor_.brightness || color.contrast != appliedColor_.contrast ||
        color.hue != appliedColor_.hue || color.saturation != appliedColor_.saturation) {
      engine_.setColorControl(color);
      appliedColor_ = color;
    }

    if (engine_.active() && !state_.OpeningBusy && !state_.CurrentMovie.empty()) updatePosition();
  } catch (...) {
    // A fault in one tick must not stop the next.
  }
}

void PlaybackController::updatePosition() {
  const int64_t positionMs = engine_.currentPosition() / kUnitsPerMs;

  addSettingsChange(state_, std::llabs(display_.SeekPositionMs - positionMs));
  if (state_.SettingsChangeScore >= 10000 &&
      (!hooks_.msSinceLastSave || hooks_.msSinceLastSave() >= 1000)) {
    state_.SettingsChangeScore = 0;
    const bool skip = hooks_.skipRecordOnce && hooks_.skipRecordOnce();
    if (!skip && (settings_.RememberMovieSettings || settings_.RememberSubtitleSettings)) {
      if (hooks_.recordMovie) hooks_.recordMovie(state_.CurrentMovie, positionMs);
      if (hooks_.saveRemembered) hooks_.saveRemembered();
    }
  }

  if (display_.SeekPositionMs != positionMs) {
    display_.SeekPositionMs = positionMs;
    touch();
  }
  const std::string times = playingTimes(positionMs, display_.SeekMaxMs, state_.MovieFrameRate,
                                         settings_.ShowFrames, playing());
  if (times != display_.MovieTimes) {
    display_.MovieTimes = times;
    touch();
  }

  if (endOfMovieFlag_ && endOfMovieInTick()) return;

  if (!surface_ || !surface_->surfaceShowing()) return;
  if (subtitles_.SubtitleLoaded() && subtitles_.SubtitlesEnabled()) {
    const auto step = subtitles_.UpdateSubtitle(positionMs * kUnitsPerMs, !subtitleShown_,
                                                settings_.AutoCalculationTime);
    if (step.change == subtitles::SubtitleChange::Show) {
      if (hooks_.showSubtitle) hooks_.showSubtitle(step.entry);
      subtitleShown_ = true;
      surface_->repaintSubtitles();
    } else if (step.change == subtitles::SubtitleChange::Clear) {
      clearSubtitleLayer();
    }
  } else {
    clearSubtitleLayer();
  }
}

// Returns true when it started another movie or closed the player.
bool PlaybackController::endOfMovieInTick() {
  endOfMovieFlag_ = false;
  if (hooks_.wait) hooks_.wait(10);
  CloseMovie(settings_.CloseFileWhenFinished);
  if (playlist_.count() > 1 && (settings_.Shuffle || playlist_.CurrentMovieIndex() >= 0)) {
    if (const auto row = playlist_.chooseNext(true)) {
      if (hooks_.isMinimized && hooks_.isMinimized()) {
        playlist_.makeCurrent(*row);
        state_.CurrentMovie = playlist_.PlaylistMovies()[*row];
        if (hooks_.flashTaskbar) hooks_.flashTaskbar();
        state_.AutoClosePlayerOnce = false;
        return false;
      }
      playlist_.listVideoSelectItem();
      autoAdvance_ = true;
      playlist_.playSelected(false);
      if (movieOpen() || openFailedDuringAdvance_) return true;
      autoAdvance_ = false;
    }
  }
  if (startPowerOffCountdown()) return false;
  if (state_.AutoClosePlayerOnce && settings_.AutoClosePlayerWhenFinished) {
    if (hooks_.closePlayer) hooks_.closePlayer();
    return true;
  }
  if (surface_ && surface_->fullScreen() && hooks_.showMainWindow) hooks_.showMainWindow();
  return false;
}

// The power-off countdown when it is ticked and idle. It runs beside the
// player on its own timer: it ends the program itself, or the user cancels it
// and keeps the player, so no automatic close or raised main window follows
// its start. True when it started.
bool PlaybackController::startPowerOffCountdown() {
  if (!hooks_.powerOffArmed || !hooks_.startPowerOff || !hooks_.powerOffArmed()) return false;
  hooks_.startPowerOff();
  return true;
}

// An automatic advance opened nothing: try the following entry (no wrap
// without shuffle). Every entry failing in a row ends the advance, so a list
// of broken files under shuffle and repeat all cannot loop for ever.
void PlaybackController::failedAdvanceInTick() {
  openFailedDuringAdvance_ = false;
  bool started = false;
  if (playlist_.count() > 1 && failedAdvances_ < playlist_.count()) {
    if (const auto row = playlist_.chooseNext(settings_.Shuffle)) {
      if (hooks_.isMinimized && hooks_.isMinimized()) {
        playlist_.makeCurrent(*row);
        if (hooks_.flashTaskbar) hooks_.flashTaskbar();
        return;
      }
      playlist_.listVideoSelectItem();
      autoAdvance_ = true;
      if (hooks_.wait) hooks_.wait(40);
      playlist_.playSelected(false);
      started = movieOpen() || openFailedDuringAdvance_;
      if (!openFailedDuringAdvance_) autoAdvance_ = false;
    }
  }
  if (!started) {
    failedAdvances_ = 0;
    if (startPowerOffCountdown()) return;
    if (state_.AutoClosePlayerOnce && settings_.AutoClosePlayerWhenFinished && hooks_.closePlayer)
      hooks_.closePlayer();
  }
}

}  // namespace playback
