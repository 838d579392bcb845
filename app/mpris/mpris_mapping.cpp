#include "app/mpris/mpris_mapping.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

namespace mpris {

std::string playbackStatus(const PlayerFacts& f) {
  if (!f.movieOpen) return "Stopped";
  if (f.playing) return "Playing";
  if (f.paused) return "Paused";
  return "Stopped";
}

Capabilities capabilities(const PlayerFacts& f) {
  Capabilities c;
  c.canPlay = f.movieOpen || f.currentEntryPlayable;
  c.canPause = f.movieOpen;
  c.canSeek = f.movieOpen && f.durationMs > 0;
  if (f.playlistCount > 0) {
    // As the playlist's own next and previous choose their entry.
    c.canGoNext = f.shuffle || f.repeatAll || f.currentIndex < f.playlistCount - 1;
    c.canGoPrevious =
        f.shuffle ? f.playedCount >= 2
                  : f.currentIndex <= f.playlistCount && (f.currentIndex >= 1 || f.repeatAll);
  }
  return c;
}

Command resolvePlayPause(const PlayerFacts& f) {
  return f.movieOpen && f.playing ? Command::Pause : Command::Play;
}

Admission admit(Command c, const PlayerFacts& f) {
  if (c == Command::Raise) return Admission::Run;
  if (c == Command::Quit) return f.busy || f.openingBusy ? Admission::Defer : Admission::Run;
  if (c == Command::Volume) return f.openingBusy ? Admission::Ignore : Admission::Run;
  if (f.busy || f.openingBusy) return Admission::Ignore;
  const Capabilities can = capabilities(f);
  bool allowed = true;
  switch (c) {
    case Command::Play:
      allowed = can.canPlay;
      break;
    case Command::PlayPause:
      allowed = resolvePlayPause(f) == Command::Pause ? can.canPause : can.canPlay;
      break;
    case Command::Pause:
      allowed = can.canPause;
      break;
    case Command::Stop:
      allowed = f.movieOpen;
      break;
    case Command::Next:
      allowed = can.canGoNext;
      break;
    case Command::Previous:
      allowed = can.canGoPrevious;
      break;
    case Command::Seek:
    case Command::SetPosition:
      allowed = can.canSeek;
      break;
    default:
      break;
  }
  return allowed ? Admission::Run : Admission::Ignore;
}

int64_t microsecondsToMs(int64_t us) {
  const int64_t whole = us / 1000, rest = us % 1000;
  if (rest >= 500) return whole + 1;
  if (rest <= -500) return whole - 1;
  return whole;
}

int64_t msToMicroseconds(int64_t ms) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max() / 1000;
  if (ms > kMax) return std::numeric_limits<int64_t>::max();
  if (ms < -kMax) return std::numeric_limits<int64_t>::min();
  return ms * 1000;
}

SeekPlan planSeek(const PlayerFacts& f, int64_t offsetUs) {
  if (!capabilities(f).canSeek) return {};
  const int64_t offsetMs = microsecondsToMs(offsetUs);
  // Both values are far inside the int64 range, so the sum cannot overflow.
  const int64_t target = f.positionMs + offsetMs;
  if (target > f.durationMs) return {SeekPlan::Kind::Next, 0};
  return {SeekPlan::Kind::SeekTo, target < 0 ? 0 : target};
}

SeekPlan planSetPosition(const PlayerFacts& f, const std::string& trackId, int64_t positionUs) {
  if (!capabilities(f).canSeek || trackId != trackIdOf(f)) return {};
  if (positionUs < 0) return {};
  const int64_t ms = microsecondsToMs(positionUs);
  if (ms > f.durationMs) return {};
  return {SeekPlan::Kind::SeekTo, ms};
}

double volumeOf(int volumePosition) {
  return std::clamp(volumePosition, 0, 20) / 20.0;
}

int volumePositionOf(double volume) {
  if (!(volume > 0)) return 0;  // also NaN
  if (volume >= 1) return 20;
  return int(std::nearbyint(volume * 20));
}

std::string trackIdOf(const PlayerFacts& f) {
  if (!f.movieOpen) return kNoTrack;
  return "/org/tarvelino/track/" + std::to_string(f.openSerial);
}

std::string fileUrl(const std::string& path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (unsigned char c : path) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
    if (plain) {
      url += char(c);
    } else {
      url += '%';
      url += kHex[c >> 4];
      url += kHex[c & 15];
    }
  }
  return url;
}

Metadata metadataOf(const PlayerFacts& f) {
  Metadata m;
  m.trackId = trackIdOf(f);
  if (!f.movieOpen) return m;
  m.lengthUs = msToMicroseconds(f.durationMs);
  m.title = std::filesystem::path(f.moviePath).stem().string();
  m.url = fileUrl(f.moviePath);
  return m;
}

}  // namespace mpris
