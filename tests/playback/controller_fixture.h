#pragma once
// A controller wired to a fake engine, a recording surface, the real playlist
// and subtitle store, and hooks that record what they were asked. Movie files
// are empty files in a temporary folder (the fake engine never reads them).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "playback/controller.h"
#include "tests/playback/fake_engine.h"

namespace playback::testing {

struct RecordingSurface : VideoSurface {
  int osdRepaints = 0, videoRepaints = 0, subtitleRepaints = 0;
  bool showing = false, full = false;
  int width = 460, height = 274;
  void repaintOsd() override { ++osdRepaints; }
  void repaintVideo() override { ++videoRepaints; }
  void repaintSubtitles() override { ++subtitleRepaints; }
  void showSurface() override { showing = true; }
  void hideSurface() override { showing = full = false; }
  bool surfaceShowing() const override { return showing; }
  bool fullScreen() const override { return full; }
  void resizeToPicture(int w, int h) override { width = w, height = h; }
  void windowSize(int& w, int& h) const override { w = width, h = height; }
};

class ControllerTest : public ::testing::Test {
 protected:
  ControllerTest() {
    char pattern[] = "/tmp/tarvelino-ctl-XXXXXX";
    folder_ = mkdtemp(pattern);
    settings_.AutoLoadSubtitle = false;
    playlist_ = std::make_unique<playlist::Playlist>(settings_, texts_, playlistHooks());
    playlist_->seedRandom(7);
    controller_ = std::make_unique<PlaybackController>(engine_, settings_, texts_, state_, osd_,
                                                       *playlist_, subtitles_, hooks());
    controller_->setSurface(&surface_);
  }
  ~ControllerTest() override {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }

  // An empty file in the temporary folder; returns its path.
  std::string movie(const std::string& name) {
    const std::string p = folder_ + "/" + name;
    std::filesystem::create_directories(std::filesystem::path(p).parent_path());
    std::ofstream(p) << "";
    return p;
  }

  playlist::PlaylistHooks playlistHooks() {
    playlist::PlaylistHooks h;
    h.busy = [this] { return state_.Busy || state_.OpeningBusy; };
    h.stopMovie = [this] {
      if (state_.OpeningBusy) return false;
      controller_->CloseMovie(true);
      return true;
    };
    h.openMovie = [this](const std::string& p) {
      state_.CurrentMovie = p;
      controller_->OpenMovie(true, false);
    };
    h.openMoviePath = [this] { return state_.CurrentMovie; };
    h.showMessage = [this](const std::string& m) { messages_.push_back(m); };
    h.checkSubtitleFile = [this](const std::string& p) {
      return subtitles::SubtitleStore::CheckSubtitleFile(p, settings_);
    };
    h.loadSubtitle = [this](const std::string& p) {
      return controller_->loadSubtitleFile(p, false);
    };
    h.unloadSubtitle = [this] { controller_->unloadSubtitle(); };
    return h;
  }

  PlaybackHooks hooks() {
    PlaybackHooks h;
    h.showMessage = [this](const std::string& m) { messages_.push_back(m); };
    h.nowMs = [this] { return nowMs_; };
    h.closePlayer = [this] { ++closed_; };
    h.isMinimized = [this] { return minimized_; };
    h.lookUpMovie = [this](const std::string& p) -> std::optional<RememberedMovie> {
      if (remembered_.count(p)) return remembered_[p];
      return std::nullopt;
    };
    h.recordMovie = [this](const std::string& p, int64_t) { recorded_.push_back(p); };
    h.saveRemembered = [this] { ++saves_; };
    h.keepAwake = [this](bool on) { keepAwake_ = on; };
    h.showSubtitle = [this](int) { ++subtitlesShown_; };
    return h;
  }

  // Opens one movie through the playlist, as a double click would.
  void openOne(const std::string& path) { controller_->OpenFileList({path}, 0); }

  // Runs ticks, moving the fake position on by 20 ms per tick while playing.
  void play(int ticks) {
    for (int i = 0; i < ticks; ++i) {
      if (engine_.state() == EngineState::Playing) engine_.position += 20 * kUnitsPerMs;
      nowMs_ += 20;
      controller_->GeneralTimerTimer();
    }
  }

  std::string folder_;
  FakeEngine engine_;
  settings::Settings settings_;
  const texts::InterfaceTexts& texts_ = texts::builtInTexts();
  PlayerState state_;
  Osd osd_;
  subtitles::SubtitleStore subtitles_;
  RecordingSurface surface_;
  std::unique_ptr<playlist::Playlist> playlist_;
  std::unique_ptr<PlaybackController> controller_;

  std::vector<std::string> messages_;
  std::map<std::string, RememberedMovie> remembered_;
  std::vector<std::string> recorded_;
  int64_t nowMs_ = 1000000;
  int closed_ = 0;
  int saves_ = 0;
  bool minimized_ = false;
  bool keepAwake_ = false;
  int subtitlesShown_ = 0;
};

}  // namespace playback::testing
