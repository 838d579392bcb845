// Opening a movie, closing it, and the failed open.
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "playback/controller.h"
#include "playback/time_text.h"
#include "playlist/file_names.h"
#include "subtitles/subtitle_search.h"

namespace playback {

namespace {

namespace fs = std::filesystem;

// Message texts by their index in the interface table.
constexpr int kInvalidVideo = 20;
constexpr int kLabelNoMovie = 29, kLabelNoSubtitle = 30;
constexpr int kHintStop = 9;

std::string fileName(const std::string& path) {
  return std::string(playlist::fileNamePart(path));
}

}  // namespace

void PlaybackController::OpenMovie(bool playOnOpen, bool singleMovie) {
  if (state_.OpeningBusy || state_.CurrentMovie.empty()) return;
  try {
    openSteps(playOnOpen, singleMovie);
  } catch (...) {
    UnableToRender();
  }
}

void PlaybackController::openSteps(bool playOnOpen, bool singleMovie) {
  const std::string movie = state_.CurrentMovie;
  state_.OpeningBusy = true;
  display_.RewindEnabled = display_.ForwardEnabled = false;
  display_.Play = display_.Pause = ButtonLook::Busy;
  display_.StopEnabled = true;
  touch();

  // Remembered record: subtitle and colour overrides are applied by the lookup.
  const std::optional<RememberedMovie> found =
      hooks_.lookUpMovie ? hooks_.lookUpMovie(movie) : std::nullopt;
  const bool entry = found.has_value();
  const RememberedMovie rec = found.value_or(RememberedMovie{});

  display_.SeekPositionMs = 0;
  engine_.emptyGraph();
  engine_.setActive(false);
  engine_.setActive(true);

  display_.MovieLabel = fileName(movie);
  display_.SubtitleLabel = t().Labels[kLabelNoSubtitle];
  display_.Title = programName_ + " - '" + fileName(movie) + "'";
  state_.Picture = video::PictureState{};
  state_.MovieFrameRate = 25.0;
  subtitles_.clear();
  subtitles_.setSubtitleLoaded(false);
  touch();

  // The current entry's subtitle, silently; a failure forgets it.
  const int current = playlist_.CurrentMovieIndex();
  if (current >= 0 && current < playlist_.count()) {
    const std::string& sub = playlist_.PlaylistSubtitles()[current];
    if (sub != playlist::kNoSubtitle && !sub.empty()) {
      const auto r = subtitles_.LoadSubtitle(sub, settings_, t(), 25.0);
      if (r.ok) {
        subtitles_.setCurrentSubtitleFile(sub);
        display_.SubtitleLabel = fileName(sub);
      } else {
        playlist_.chooseSubtitle(0);
      }
    }
  }

  // Frame rate from the media detector when one is given; otherwise from the
  // engine once the movie is loaded (the same stream, without a second read).
  const auto takeRate = [this](double r) {
    if (r >= 1.0 && r <= 60.0) state_.MovieFrameRate = std::nearbyint(r * 1000.0) / 1000.0;
    subtitles_.RescaleFrameTimes(state_.MovieFrameRate);
  };
  if (hooks_.probeFrameRate) takeRate(hooks_.probeFrameRate(movie));
  subtitles_.setSubtitlesEnabled(true);
  if (singleMovie) playlist_.appendFollowingParts(movie);

  state_.SettingsChangeScore = -1000000;
  if (hooks_.pokeScreenSaver) hooks_.pokeScreenSaver();

  if (engine_.renderFile(movie, kOpenTimeLimitMs) != 0) return UnableToRender();
  int w = 0, h = 0;
  engine_.videoSize(w, h);
  if (w <= 0 || h <= 0) return UnableToRender();
  if (!hooks_.probeFrameRate) takeRate(engine_.frameRate());
  state_.Picture.VideoWidth = w;
  state_.Picture.VideoHeight = h;
  const double ownRatio = std::nearbyint(w * 100.0 / std::max(1, h)) / 100.0;
  state_.Picture.PictureRatio = ownRatio;

  const bool subtitleLoaded = subtitles_.SubtitleLoaded();
  subtitles_.setSubtitleLoaded(false);
  autoAdvance_ = false;
  runningPosition_ = false;
  ShowOsd(fileName(movie));
  osd_.limitDuration(3000.0);

  // Window size: the previous movie's, the record's, the native one, or as is.
  const bool fromSnapshot = settings_.RememberPreviousMovieSettings &&
                            playlist_.PlayingFromPlaylist() && snapshot_.windowWidth > 0;
  if (surface_) {
    if (fromSnapshot)
      surface_->resizeToPicture(snapshot_.windowWidth, snapshot_.windowHeight);
    else if (entry && rec.WindowWidth > 0 && rec.WindowHeight > 0)
      surface_->resizeToPicture(rec.WindowWidth, rec.WindowHeight);
    else if (settings_.LoadAtOriginalMovieSize)
      surface_->resizeToPicture(w, h);
  }
  if (hooks_.movieOpened) hooks_.movieOpened(movie);

  // Volume: a remembered one overrides the control until the movie closes.
  if (entry) {
    if (!volumeToPutBack_) volumeToPutBack_ = settings_.AudioVolume;
    settings_.AudioVolume = std::clamp(rec.AudioVolume / 500, 0, 20);
  }
  applyVolume();
  if (surface_) surface_->showSurface();

  const int64_t length = durationMs();
  display_.SeekMaxMs = length;
  display_.SeekEnabled = true;
  display_.SeekPositionMs = 0;
  display_.MovieTimes = stoppedTimes(length, state_.MovieFrameRate, settings_.ShowFrames);
  touch();

  // Pan-scan, ratio and offsets follow the previous movie when its picture
  // had about the same size (within 5 %), else the record.
  const bool snap = fromSnapshot && snapshotApplies(w, h);
  int panScan = settings_.PanScanSize;
  if (snap) {
    panScan = snapshot_.panScan;
  } else {
    if (!settings_.RememberPanScanSettings) panScan = 0;
    if (entry)
      panScan = rec.PanScan;
    else if (settings_.AutomaticPanScan && hooks_.automaticPanScan)
      panScan = hooks_.automaticPanScan(state_.Picture);
  }
  if (panScan != settings_.PanScanSize) {
    if (!panScanToPutBack_) panScanToPutBack_ = settings_.PanScanSize;
    settings_.PanScanSize = std::clamp(panScan, video::kPanScanMin, video::kPanScanMax);
  }

  if (entry && settings_.RememberLastMoviePosition) {
    const int64_t p = rec.PositionMs;
    if (length >= 5000 && p < length - 5000 && p > 0) engine_.setPosition(p * kUnitsPerMs);
  }

  const auto applyRatio = [&](double r) {
    if (r < 0) {
      settings_.KeepAspectRatio = false;
    } else {
      settings_.KeepAspectRatio = true;
      state_.Picture.PictureRatio = r;
    }
  };
  if (snap) {
    applyRatio(snapshot_.aspectRatio);
    state_.Picture.PictureOffsetX = snapshot_.offsetX;
    state_.Picture.PictureOffsetY = snapshot_.offsetY;
  } else if (entry) {
    applyRatio(rec.AspectRatio);
    state_.Picture.PictureOffsetX = rec.OffsetX;
    state_.Picture.PictureOffsetY = rec.OffsetY;
  }

  if (surface_ && hooks_.setFullScreen) {
    bool full = false;
    if (fromSnapshot)
      full = snapshot_.fullScreen;
    else if (entry)
      full = rec.FullScreen;
    else
      full = settings_.FullscreenOnLoad;
    hooks_.setFullScreen(full);
  }
  if (surface_) surface_->repaintVideo();

  if (hooks_.filtersChanged) hooks_.filtersChanged(engine_.filters());
  display_.RewindEnabled = display_.ForwardEnabled = display_.StopEnabled = true;
  if (playOnOpen) {
    if (!engine_.run()) return UnableToRender();
    display_.Play = ButtonLook::Down;
    display_.Pause = ButtonLook::Up;
    startResetTimer(true);
    if (hooks_.setCursorAutoHide) hooks_.setCursorAutoHide(true);
  } else {
    if (!engine_.pause()) return UnableToRender();
    display_.Play = ButtonLook::Up;
    display_.Pause = ButtonLook::Down;
  }
  touch();
  if (surface_) surface_->showSurface();

  // No overlay exists here, so no overlay warning is ever shown.
  subtitles_.setSubtitleLoaded(subtitleLoaded);
  playlist_.setPlayingFromPlaylist(true);
  if (hooks_.recordMovie) hooks_.recordMovie(movie, engine_.currentPosition() / kUnitsPerMs);
  state_.SettingsChangeScore = 0;
  failedAdvances_ = 0;
  state_.OpeningBusy = false;
}

void PlaybackController::UnableToRender() {
  engine_.setActive(false);
  runningPosition_ = false;
  startResetTimer(false);
  if (hooks_.setCursorAutoHide) hooks_.setCursorAutoHide(false);
  resetTransportDisplay(true);
  subtitles_.setSubtitlesEnabled(true);
  subtitles_.setSubtitleLoaded(false);
  if (settings_.AutoCloseVideoWindow && surface_) surface_->hideSurface();
  if (surface_) surface_->repaintVideo();
  state_.CurrentMovie.clear();
  state_.Picture = video::PictureState{};
  // A failed open puts back every override, volume and pan-scan included, so
  // the failed movie's record does not replace the user's values.
  putBackOverrides();
  state_.Busy = false;
  state_.OpeningBusy = false;
  state_.SettingsChangeScore = 0;
  if (autoAdvance_) {
    openFailedDuringAdvance_ = true;
    ++failedAdvances_;
  } else if (hooks_.showMessage) {
    hooks_.showMessage(t().Messages[kInvalidVideo]);
  }
  autoAdvance_ = false;
}

void PlaybackController::putBackOverrides() {
  if (hooks_.putBackOverrides) hooks_.putBackOverrides();
  if (panScanToPutBack_) settings_.PanScanSize = *panScanToPutBack_;
  panScanToPutBack_.reset();
  if (volumeToPutBack_) {
    settings_.AudioVolume = *volumeToPutBack_;
    volumeToPutBack_.reset();
    applyVolume();
  }
}

void PlaybackController::CloseMovie(bool full) {
  if (state_.OpeningBusy || !engine_.active()) return;
  // No position to follow once the movie is closed.
  runningPosition_ = false;
  try {
    if (hooks_.recordMovie && !(hooks_.skipRecordOnce && hooks_.skipRecordOnce()))
      hooks_.recordMovie(state_.CurrentMovie, engine_.currentPosition() / kUnitsPerMs);
    takeSnapshot();
    putBackOverrides();
    startResetTimer(false);
    if (hooks_.setCursorAutoHide) hooks_.setCursorAutoHide(false);
    clearSubtitleLayer();
    engine_.stop();
    engine_.emptyGraph();
    engine_.setActive(false);
    if (surface_) surface_->repaintVideo();
    ShowOsd(t().Hints[kHintStop]);
    if (hooks_.movieClosed) hooks_.movieClosed(full);
    if (hooks_.filtersChanged) hooks_.filtersChanged({});
    resetTransportDisplay(full);
    if (full) {
      subtitles_.setSubtitleLoaded(false);
      state_.CurrentMovie.clear();
      state_.Picture = video::PictureState{};
      lastJumpSeconds_ = 0;
      if (settings_.AutoCloseVideoWindow && surface_) surface_->hideSurface();
    }
  } catch (...) {
  }
}

// Seek bar, buttons, labels and time display after a close or a failed open.
void PlaybackController::resetTransportDisplay(bool full) {
  const int64_t length = display_.SeekMaxMs;
  display_.SeekMaxMs = 0;
  display_.SeekPositionMs = 0;
  display_.SeekEnabled = false;
  display_.RewindEnabled = display_.ForwardEnabled = display_.StopEnabled = false;
  display_.Play = display_.Pause = ButtonLook::Up;
  if (full) {
    display_.MovieLabel = t().Labels[kLabelNoMovie];
    display_.SubtitleLabel = t().Labels[kLabelNoSubtitle];
    display_.Title = programName_;
    display_.MovieTimes = noMovieTimes(settings_.ShowFrames);
  } else {
    display_.MovieTimes = stoppedTimes(length, state_.MovieFrameRate, settings_.ShowFrames);
  }
  touch();
}

void PlaybackController::takeSnapshot() {
  snapshot_.fullScreen = surface_ && surface_->fullScreen();
  snapshot_.aspectRatio = settings_.KeepAspectRatio ? state_.Picture.PictureRatio : -1.0;
  snapshot_.panScan = settings_.PanScanSize;
  if (surface_) surface_->windowSize(snapshot_.windowWidth, snapshot_.windowHeight);
  snapshot_.offsetX = state_.Picture.PictureOffsetX;
  snapshot_.offsetY = state_.Picture.PictureOffsetY;
  snapshot_.videoWidth = state_.Picture.VideoWidth;
  snapshot_.videoHeight = state_.Picture.VideoHeight;
  playlist_.setPlayingFromPlaylist(true);
}

bool PlaybackController::snapshotApplies(int w, int h) const {
  return std::abs(w - snapshot_.videoWidth) <= 0.05 * w &&
         std::abs(h - snapshot_.videoHeight) <= 0.05 * h;
}

}  // namespace playback
