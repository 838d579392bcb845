// Transport commands, volume and mute, and the moves through the movie.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>

#include "playback/controller.h"
#include "playback/time_text.h"

namespace playback {

namespace {

constexpr int kVolume = 23, kCloseMovie = 24, kStartPosition = 28, kEndPosition = 29, kMuteOn = 30,
              kMuteOff = 31;
constexpr int kHintClickForFrames = 2, kHintClickForTimes = 3, kHintPlay = 6, kHintPause = 8;
constexpr int kLabelNoMovie = 29, kLabelRepeatOff = 32;

}  // namespace

PlaybackController::PlaybackController(Engine& engine, settings::Settings& settings,
                                       const texts::InterfaceTexts& texts, PlayerState& state,
                                       Osd& osd, playlist::Playlist& playlist,
                                       subtitles::SubtitleStore& subtitles, PlaybackHooks hooks)
    : engine_(engine),
      settings_(settings),
      texts_(&texts),
      state_(state),
      osd_(osd),
      playlist_(playlist),
      subtitles_(subtitles),
      hooks_(std::move(hooks)) {
  engine_.setListener(this);
  display_.MovieLabel = t().Labels[kLabelNoMovie];
  display_.SubtitleLabel = t().Labels[30];
  display_.Title = programName_;
  display_.MovieTimes = noMovieTimes(settings_.ShowFrames);
  display_.MovieTimesHint =
      t().Hints[settings_.ShowFrames ? kHintClickForTimes : kHintClickForFrames];
  display_.RepeatLabel = t().Labels[kLabelRepeatOff + std::clamp(settings_.RepeatStatus, 0, 2)];
  applyVolume();
}

PlaybackController::~PlaybackController() {
  engine_.setListener(nullptr);
}

int64_t PlaybackController::now() const {
  if (hooks_.nowMs) return hooks_.nowMs();
  // A monotonic clock: intervals do not freeze when the wall clock is set back.
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void PlaybackController::ShowOsd(const std::string& text) {
  // A new message ends the live position message: the tick must not write
  // the position over "Stop", "Pause" or a volume text. A move sets the flag
  // again after showing its position text.
  runningPosition_ = false;
  if (osd_.show(text, settings_.OSDDisplay, now()) && surface_) surface_->repaintOsd();
}

void PlaybackController::applyVolume() {
  const int position = std::clamp(settings_.AudioVolume, 0, 20);
  engine_.putVolume(settings_.Mute ? 0 : position * 500);
}

void PlaybackController::startResetTimer(bool on) {
  if (hooks_.setResetTimer) hooks_.setResetTimer(on);
  if (hooks_.keepAwake) hooks_.keepAwake(on);
  if (on) ResetTimerTimer();
}

void PlaybackController::ResetTimerTimer() {
  if (hooks_.pokeScreenSaver) hooks_.pokeScreenSaver();
}

void PlaybackController::Play() {
  if (state_.Busy || state_.OpeningBusy) return;
  try {
    if (movieOpen()) {
      display_.RewindEnabled = display_.ForwardEnabled = display_.StopEnabled = true;
      display_.Play = ButtonLook::Down;
      display_.Pause = ButtonLook::Up;
      touch();
      startResetTimer(true);
      if (hooks_.setCursorAutoHide) hooks_.setCursorAutoHide(true);
      ShowOsd(t().Hints[kHintPlay]);
      engine_.run();
      return;
    }
    const int current = playlist_.CurrentMovieIndex();
    std::error_code ec;
    if (current >= 0 && current < playlist_.count() &&
        std::filesystem::is_regular_file(playlist_.PlaylistMovies()[current], ec)) {
      playlist_.select(current);
      state_.AutoClosePlayerOnce = false;
      playlist_.playSelected(true);
    } else if (hooks_.openMoviesDialog) {
      hooks_.openMoviesDialog();
    }
  } catch (...) {
  }
}

void PlaybackController::Pause() {
  if (state_.OpeningBusy || !movieOpen()) return;
  display_.Pause = ButtonLook::Down;
  display_.Play = ButtonLook::Up;
  touch();
  startResetTimer(false);
  if (hooks_.setCursorAutoHide) hooks_.setCursorAutoHide(false);
  ShowOsd(t().Hints[kHintPause]);
  engine_.pause();
}

void PlaybackController::Stop() {
  if (display_.StopEnabled) CloseMovie(false);
}

void PlaybackController::CloseMovieCommand() {
  if (state_.Busy || state_.OpeningBusy) return;
  const bool stopped = display_.StopEnabled;
  if (stopped) CloseMovie(false);
  if (!stopped && display_.MovieLabel == t().Labels[kLabelNoMovie]) return;
  try {
    engine_.stop();
    engine_.emptyGraph();
    engine_.setActive(false);
    subtitles_.setSubtitleLoaded(false);
    clearSubtitleLayer();
    state_.CurrentMovie.clear();
    state_.Picture = video::PictureState{};
    lastJumpSeconds_ = 0;
    if (hooks_.movieClosed) hooks_.movieClosed(true);
    resetTransportDisplay(true);
    if (surface_) surface_->repaintVideo();
    ShowOsd(t().Messages[kCloseMovie]);
  } catch (...) {
  }
}

void PlaybackController::Previous() {
  if (state_.Busy || state_.OpeningBusy) return;
  playlist_.previous();
}

void PlaybackController::Next() {
  if (state_.Busy || state_.OpeningBusy) return;
  playlist_.next();
}

void PlaybackController::RepeatClick() {
  settings_.RepeatStatus = (std::clamp(settings_.RepeatStatus, 0, 2) + 1) % 3;
  display_.RepeatLabel = t().Labels[kLabelRepeatOff + settings_.RepeatStatus];
  touch();
}

void PlaybackController::VolumeUp() {
  settings_.AudioVolume = std::clamp(settings_.AudioVolume + 1, 0, 20);
  volumeToPutBack_.reset();
  applyVolume();
  if (movieOpen()) addSettingsChange(state_, 5000);
  ShowOsd(t().Messages[kVolume] + ": " + std::to_string(engine_.volume() / 100) + "%");
}

void PlaybackController::VolumeDown() {
  settings_.AudioVolume = std::clamp(settings_.AudioVolume - 1, 0, 20);
  volumeToPutBack_.reset();
  applyVolume();
  if (movieOpen()) addSettingsChange(state_, 5000);
  ShowOsd(t().Messages[kVolume] + ": " + std::to_string(engine_.volume() / 100) + "%");
}

void PlaybackController::MuteToggle() {
  settings_.Mute = !settings_.Mute;
  applyVolume();
  ShowOsd(t().Messages[settings_.Mute ? kMuteOn : kMuteOff]);
}

void PlaybackController::moveTo(int64_t units) {
  const int64_t length = engine_.duration();
  units = std::max<int64_t>(0, length > 0 ? std::min(units, length) : units);
  engine_.setPosition(units, SeekMode::Accurate);
  if (hooks_.seeked) hooks_.seeked(units / kUnitsPerMs);
}

// A step never moves against its direction: forward near the end stays put
// rather than landing behind the position, and nothing goes below 0.
void PlaybackController::stepBy(int64_t deltaMs, bool fast) {
  if (state_.Busy || state_.OpeningBusy || !movieOpen()) return;
  if (!fast && !(deltaMs < 0 ? display_.RewindEnabled : display_.ForwardEnabled)) return;
  state_.Busy = true;
  try {
    const int64_t current = engine_.currentPosition();
    const int64_t length = engine_.duration();
    int64_t target = current + deltaMs * kUnitsPerMs;
    if (deltaMs < 0) {
      target = std::clamp<int64_t>(target, 0, std::max<int64_t>(current, 0));
    } else {
      target = std::min(target, length - 10 * kUnitsPerMs);
      target = std::max(target, current);
    }
    moveTo(target);
    ShowOsd(positionText(target / kUnitsPerMs, length / kUnitsPerMs, state_.MovieFrameRate,
                         settings_.ShowFrames));
    runningPosition_ = settings_.OSDDisplay;
  } catch (...) {
  }
  state_.Busy = false;
}

void PlaybackController::GoToStart() {
  if (state_.Busy || !movieOpen()) return;
  state_.Busy = true;
  try {
    runningPosition_ = false;
    moveTo(0);
    ShowOsd(t().Messages[kStartPosition]);
  } catch (...) {
  }
  state_.Busy = false;
}

void PlaybackController::GoToEnd() {
  if (state_.Busy || !movieOpen()) return;
  state_.Busy = true;
  try {
    runningPosition_ = false;
    ShowOsd(t().Messages[kEndPosition]);
    // A tenth of a second before the end at 25 frames per second, scaled by the rate.
    const int64_t back = int64_t(std::nearbyint(1000000.0 * state_.MovieFrameRate / 25.0));
    moveTo(std::max<int64_t>(0, engine_.duration() - back));
  } catch (...) {
  }
  state_.Busy = false;
}

void PlaybackController::SeekToMs(int64_t ms, bool keyFrame) {
  if (!movieOpen()) return;
  const int64_t target = std::max<int64_t>(0, std::min(ms, durationMs() - 10));
  engine_.setPosition(target * kUnitsPerMs, keyFrame ? SeekMode::KeyUnit : SeekMode::Accurate);
}

int64_t PlaybackController::JumpToSeconds(int64_t seconds) {
  if (state_.Busy || !movieOpen()) return lastJumpSeconds_;
  state_.Busy = true;
  try {
    const int64_t lengthMs = durationMs();
    lastJumpSeconds_ = std::clamp<int64_t>(seconds, 0, lengthMs / 1000);
    const int64_t target = lastJumpSeconds_ * 1000 * kUnitsPerMs;
    moveTo(target);
    ShowOsd(
        positionText(target / kUnitsPerMs, lengthMs, state_.MovieFrameRate, settings_.ShowFrames));
    runningPosition_ = settings_.OSDDisplay;
  } catch (...) {
  }
  state_.Busy = false;
  return lastJumpSeconds_;
}

void PlaybackController::QuickTimeInfo() {
  if (state_.Busy || !movieOpen()) return;
  state_.Busy = true;
  try {
    // The position of the engine, the length of the seek bar (the movie's, in
    // ms); a length of 0 gives 0 % rather than a division by zero. While
    // playing, frames are shown in tens as the live message has them.
    const int64_t positionMs = engine_.currentPosition() / kUnitsPerMs;
    ShowOsd(positionText(positionMs, durationMs(), state_.MovieFrameRate, settings_.ShowFrames,
                         playing()));
    runningPosition_ = settings_.OSDDisplay;
  } catch (...) {
  }
  state_.Busy = false;
}

void PlaybackController::MovieTimesLabelClick() {
  settings_.ShowFrames = !settings_.ShowFrames;
  display_.MovieTimesHint =
      t().Hints[settings_.ShowFrames ? kHintClickForTimes : kHintClickForFrames];
  if (movieOpen() || display_.MovieLabel != t().Labels[kLabelNoMovie])
    display_.MovieTimes =
        stoppedTimes(display_.SeekMaxMs, state_.MovieFrameRate, settings_.ShowFrames);
  else
    display_.MovieTimes = noMovieTimes(settings_.ShowFrames);
  touch();
}

}  // namespace playback
