#pragma once
// Everything of the playback that lives for the whole run, built and wired in
// one place: the engine, the playback state, the message model, the playlist,
// the subtitle store, the remembered movie settings and the controller.
// Plain C++; the windows and timers are added by ui::VideoPlayback.
// Interface thread only.
#include <array>
#include <memory>
#include <string>

#include "settings/settings.h"
#include "texts/interface_texts.h"
#include "moviememory/live_settings.h"
#include "moviememory/movie_memory.h"
#include "playback/controller.h"
#include "playback/engine.h"
#include "playback/osd.h"
#include "playback/player_state.h"
#include "playlist/playlist.h"
#include "subtitles/subtitle_store.h"

namespace audio {
class ProcessingChain;
}

namespace playback {

struct PlayerOptions {
  std::string programName = "Tarvelino";  // ProgramName
  std::string dataFolder;                 // DataFolder, ending in "/"
  bool nullAudio = false;                 // no sound device even when one exists
};

class Player {
 public:
  // settings and texts must outlive the player.
  Player(settings::Settings& settings, const texts::InterfaceTexts& texts, PlayerOptions options);
  ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  Engine& engine() { return *engine_; }
  PlaybackController& controller() { return *controller_; }
  playlist::Playlist& playlist() { return *playlist_; }
  subtitles::SubtitleStore& subtitles() { return subtitles_; }
  PlayerState& state() { return state_; }
  Osd& osd() { return osd_; }
  moviememory::MovieMemory& movieMemory() { return memory_; }
  // The open movie's live values the remembered record takes (bookmark
  // captions, movie mode); the bookmark and movie-mode code keep them.
  moviememory::LiveMovieState& live() { return live_; }
  // The audio processing chain the sample tap runs; nullptr without a tap.
  audio::ProcessingChain* audioChain();

  // After a language change.
  void setTexts(const texts::InterfaceTexts& texts);
  const texts::InterfaceTexts& texts() const { return *texts_; }
  // Settings a remembered movie replaced, put back when it closes.
  moviememory::TemporaryOverrides& overrides() { return overrides_; }

  // Start-up: reads the remembered settings and the last playlist.
  void restore();
  // Exit: records the open movie, puts back temporary overrides and writes
  // the remembered settings and the last playlist.
  void shutDown();

  // DataFolder + ProgramName + ".rs".
  std::string rememberedSettingsPath() const;

 private:
  std::optional<RememberedMovie> lookUp(const std::string& path);
  void record(const std::string& path, int64_t positionMs);
  void showMessage(const std::string& text);

  settings::Settings& settings_;
  const texts::InterfaceTexts* texts_;
  PlayerOptions options_;
  std::unique_ptr<Engine> engine_;
  PlayerState state_;
  Osd osd_;
  subtitles::SubtitleStore subtitles_;
  moviememory::MovieMemory memory_;
  moviememory::LiveMovieState live_;
  moviememory::TemporaryOverrides overrides_;
  std::unique_ptr<playlist::Playlist> playlist_;
  std::unique_ptr<PlaybackController> controller_;
};

}  // namespace playback
