#include "app/mpris_link.h"

#include <QDBusConnection>

#include <algorithm>
#include <filesystem>

namespace app {

namespace {

constexpr int kRepeatAll = 2;  // RepeatStatus

std::string lowerCase(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

}  // namespace

mpris::PlayerFacts playerFacts(playback::Player& player, const settings::Settings& settings) {
  playback::PlaybackController& c = player.controller();
  playback::Engine& engine = player.engine();
  const playback::PlayerState& state = player.state();
  const playlist::Playlist& list = player.playlist();
  mpris::PlayerFacts f;
  f.movieOpen = c.movieOpen();
  f.playing = engine.state() == playback::EngineState::Playing;
  f.paused = engine.state() == playback::EngineState::Paused;
  f.busy = state.Busy;
  f.openingBusy = state.OpeningBusy;
  if (f.movieOpen) {
    f.positionMs = engine.currentPosition() / playback::kUnitsPerMs;
    f.durationMs = engine.duration() / playback::kUnitsPerMs;
    f.moviePath = state.CurrentMovie;
    f.openSerial = engine.generation();
  }
  f.volumePosition = settings.AudioVolume;
  f.playlistCount = list.count();
  f.currentIndex = list.CurrentMovieIndex();
  f.shuffle = settings.Shuffle;
  f.repeatAll = settings.RepeatStatus == kRepeatAll;
  f.playedCount = int(list.PlayedMovies().size());
  if (f.currentIndex >= 0 && f.currentIndex < f.playlistCount) {
    std::error_code ec;
    f.currentEntryPlayable =
        std::filesystem::is_regular_file(list.PlaylistMovies()[size_t(f.currentIndex)], ec);
  }
  return f;
}

std::unique_ptr<mpris::MprisService> startMpris(playback::Player& player,
                                                settings::Settings& settings,
                                                QPointer<QWidget> mainWindow,
                                                const std::string& programName) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return nullptr;
  mpris::MprisHooks h;
  h.facts = [&player, &settings] { return playerFacts(player, settings); };
  h.run = [&player](mpris::Command command) {
    playback::PlaybackController& c = player.controller();
    switch (command) {
      case mpris::Command::Play:
        c.Play();
        break;
      case mpris::Command::Pause:
        c.Pause();
        break;
      case mpris::Command::Stop:
        c.Stop();
        break;
      case mpris::Command::Next:
        c.Next();
        break;
      case mpris::Command::Previous:
        c.Previous();
        break;
      default:
        break;
    }
  };
  h.seekTo = [&player](int64_t ms) { player.controller().SeekToMs(ms); };
  // A volume from the desktop moves the player's volume as that many Up or
  // Down steps would: the same message, the same save of the movie's volume.
  h.setVolumePosition = [&player, &settings](int position) {
    playback::PlaybackController& c = player.controller();
    for (int i = 0; i < 20 && settings.AudioVolume < position; ++i) c.VolumeUp();
    for (int i = 0; i < 20 && settings.AudioVolume > position; ++i) c.VolumeDown();
  };
  h.raise = [mainWindow] {
    if (!mainWindow) return;
    if (mainWindow->isMinimized()) mainWindow->showNormal();
    mainWindow->show();
    mainWindow->raise();
    mainWindow->activateWindow();
  };
  h.quit = [mainWindow] {
    if (mainWindow) mainWindow->close();
  };
  auto service = std::make_unique<mpris::MprisService>(
      std::move(h), QString::fromStdString(lowerCase(programName)));
  if (!service->start(bus)) return nullptr;
  // Moves by keys, menu commands and the jump dialog are announced as the
  // bus's own seeks are; the hook stays harmless once the service is gone.
  QPointer<mpris::MprisService> announced = service.get();
  auto previous = player.controller().hooks().seeked;
  player.controller().hooks().seeked = [announced, previous](int64_t ms) {
    if (previous) previous(ms);
    if (announced) announced->positionMoved(ms);
  };
  return service;
}

}  // namespace app
