#include "playback/player.h"

#include <chrono>
#include <cmath>
#include <filesystem>

#include "moviememory/rs_values.h"
#include "playback/gst_engine.h"
#include "subtitles/subtitle_search.h"

namespace playback {

Player::Player(settings::Settings& settings, const texts::InterfaceTexts& texts,
               PlayerOptions options)
    : settings_(settings), texts_(&texts), options_(std::move(options)) {
  engine_ = makeGstEngine({.sampleTap = true, .nullAudio = options_.nullAudio});

  playlist::PlaylistHooks ph;
  ph.searchSubtitles = [this](const std::vector<std::string>& movies) {
    return subtitles::SearchSubtitles(movies, settings_);
  };
  ph.checkSubtitleFile = [this](const std::string& path) {
    return subtitles::SubtitleStore::CheckSubtitleFile(path, settings_);
  };
  ph.showMessage = [this](const std::string& text) {
    if (controller_ && controller_->hooks().showMessage) controller_->hooks().showMessage(text);
  };
  ph.busy = [this] { return state_.Busy || state_.OpeningBusy; };
  ph.stopMovie = [this] {
    if (state_.OpeningBusy) return false;
    controller_->CloseMovie(true);
    return true;
  };
  ph.openMovie = [this](const std::string& path) {
    state_.CurrentMovie = path;
    controller_->OpenMovie(true, false);
  };
  ph.openMoviePath = [this] { return engine_->active() ? state_.CurrentMovie : std::string(); };
  ph.loadSubtitle = [this](const std::string& path) {
    return controller_->loadSubtitleFile(path, false);
  };
  ph.unloadSubtitle = [this] { controller_->unloadSubtitle(); };
  ph.clearAutoClosePlayerOnce = [this] { state_.AutoClosePlayerOnce = false; };
  playlist_ = std::make_unique<playlist::Playlist>(settings_, *texts_, std::move(ph));

  PlaybackHooks h;
  h.lookUpMovie = [this](const std::string& path) { return lookUp(path); };
  h.putBackOverrides = [this] { moviememory::putBackTemporarySettings(settings_, overrides_); };
  h.recordMovie = [this](const std::string& path, int64_t ms) { record(path, ms); };
  h.saveRemembered = [this] { memory_.save(rememberedSettingsPath()); };
  h.msSinceLastSave = [this] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 memory_.lastSaveTime())
        .count();
  };
  controller_ = std::make_unique<PlaybackController>(*engine_, settings_, *texts_, state_, osd_,
                                                     *playlist_, subtitles_, std::move(h));
  controller_->setProgramName(options_.programName);
}

Player::~Player() {
  controller_.reset();
  playlist_.reset();
  engine_.reset();
}

void Player::showMessage(const std::string& text) {
  if (controller_->hooks().showMessage) controller_->hooks().showMessage(text);
}

audio::ProcessingChain* Player::audioChain() {
  return sampleChain(*engine_);
}

void Player::setTexts(const texts::InterfaceTexts& texts) {
  texts_ = &texts;
  playlist_->setTexts(texts);
  controller_->setTexts(texts);
}

std::string Player::rememberedSettingsPath() const {
  return options_.dataFolder + options_.programName + ".rs";
}

void Player::restore() {
  memory_.load(rememberedSettingsPath(), moviememory::sectionDefaults(settings_, live_));
  playlist_->loadAutomaticPlaylist(options_.dataFolder, options_.programName);
}

void Player::shutDown() {
  if (engine_->active() && !state_.CurrentMovie.empty())
    record(state_.CurrentMovie, engine_->currentPosition() / kUnitsPerMs);
  moviememory::putBackTemporarySettings(settings_, overrides_);
  memory_.save(rememberedSettingsPath());
  playlist_->saveAutomaticPlaylist(options_.dataFolder, options_.programName);
  engine_->setActive(false);
}

std::optional<RememberedMovie> Player::lookUp(const std::string& path) {
  live_.Bookmarks = {};
  const auto index = memory_.find(moviememory::recordName(path));
  if (!index) return std::nullopt;
  const moviememory::MovieRecord& rec = memory_.records()[*index];
  if (settings_.RememberSubtitleSettings)
    moviememory::applySubtitleSettings(rec, settings_, overrides_);
  if (!settings_.RememberMovieSettings) return std::nullopt;
  moviememory::applyColorSettings(rec, settings_, overrides_);
  live_.Bookmarks = rec.BookMark;
  RememberedMovie m;
  m.PanScan = rec.PanScan;
  m.AspectRatio = rec.AspectRatio;
  m.OffsetX = rec.VideoImageXPosition;
  m.OffsetY = rec.VideoImageYPosition;
  m.WindowWidth = rec.VideoWindowWidth;
  m.WindowHeight = rec.VideoWindowHeight;
  // The record keeps the position as a fraction of a day.
  m.PositionMs = std::llround(rec.LastVideoPosition * 86400000.0);
  m.FullScreen = rec.FullScreen;
  m.AudioVolume = rec.AudioVolume;
  return m;
}

void Player::record(const std::string& path, int64_t positionMs) {
  if (path.empty()) return;
  live_.PictureRatio = state_.Picture.PictureRatio;
  live_.PictureOffsetX = state_.Picture.PictureOffsetX;
  live_.PictureOffsetY = state_.Picture.PictureOffsetY;
  if (VideoSurface* s = controller_->surface()) {
    s->windowSize(live_.WindowedWidth, live_.WindowedHeight);
    live_.FullScreen = s->fullScreen();
  }
  live_.PositionHns = positionMs * kUnitsPerMs;
  moviememory::addToRms(memory_, path, settings_, live_, moviememory::nowAsDays());
}

}  // namespace playback
