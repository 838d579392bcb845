#pragma once
// What the desktop's media control interface (MPRIS 2) sees of the player and
// what its commands do, as plain values: the playback status from the
// engine's state, the capabilities, the current movie's metadata, positions
// in microseconds, the volume on 0..1, and which commands may run while a
// command or an open is under way. The D-Bus adapters only carry these
// values. Plain C++.
#include <cstdint>
#include <string>

namespace mpris {

// The player as the interface sees it, read fresh for every answer.
struct PlayerFacts {
  bool movieOpen = false;
  bool playing = false;      // the engine runs
  bool paused = false;       // the engine holds a paused picture
  bool busy = false;         // Busy
  bool openingBusy = false;  // OpeningBusy
  int64_t positionMs = 0;
  int64_t durationMs = 0;
  int volumePosition = 0;   // AudioVolume, 0..20 (500 engine units each)
  std::string moviePath;    // CurrentMovie
  uint64_t openSerial = 0;  // changes with every movie opened
  // The playlist, for Next, Previous and Play without a movie.
  int playlistCount = 0;
  int currentIndex = -1;
  bool shuffle = false;
  bool repeatAll = false;
  int playedCount = 0;  // shuffle history, the movie now playing included
  // Play without a movie starts the current playlist entry (its file exists).
  bool currentEntryPlayable = false;
};

// "Playing", "Paused" or "Stopped".
std::string playbackStatus(const PlayerFacts& f);

struct Capabilities {
  bool canPlay = false;
  bool canPause = false;
  bool canSeek = false;
  bool canGoNext = false;
  bool canGoPrevious = false;
  bool canControl = true;
  bool operator==(const Capabilities&) const = default;
};
Capabilities capabilities(const PlayerFacts& f);

enum class Command {
  Play,
  Pause,
  PlayPause,
  Stop,
  Next,
  Previous,
  Seek,
  SetPosition,
  Volume,
  Quit,
  Raise
};

enum class Admission {
  Run,     // now
  Ignore,  // dropped, as the keys are dropped
  Defer,   // kept and run once Busy and OpeningBusy have cleared
};
// Transport, seeks and movie changes act on a movie that may be half open:
// they wait for neither flag and are dropped while either is set, and when
// their capability is missing. The volume is dropped only during an open
// (the open sets the movie's own volume). Quit waits for both flags to clear
// so that the orderly shut-down records a consistent state. Raise always runs.
Admission admit(Command c, const PlayerFacts& f);

// PlayPause as Play or Pause.
Command resolvePlayPause(const PlayerFacts& f);

// Microseconds to milliseconds, rounded to the nearest, halves away from zero.
int64_t microsecondsToMs(int64_t us);
// Milliseconds to microseconds, saturating at the int64 range.
int64_t msToMicroseconds(int64_t ms);

struct SeekPlan {
  enum class Kind { None, SeekTo, Next } kind = Kind::None;
  int64_t targetMs = 0;
  bool operator==(const SeekPlan&) const = default;
};
// Seek by offsetUs from the current position: before the start goes to 0,
// past the end of the movie acts like Next.
SeekPlan planSeek(const PlayerFacts& f, int64_t offsetUs);
// SetPosition: only for the current track id, and only for positions inside
// 0..length; anything else does nothing.
SeekPlan planSetPosition(const PlayerFacts& f, const std::string& trackId, int64_t positionUs);

// Volume 0..1 from the volume position (0..20), and back: negative and NaN
// give 0, above 1 gives 1, rounded to the nearest position, halves to even.
double volumeOf(int volumePosition);
int volumePositionOf(double volume);

// The metadata of the current movie.
struct Metadata {
  std::string trackId;  // a D-Bus object path
  int64_t lengthUs = 0;
  std::string title;  // the file name without its extension
  std::string url;    // file:// URL, percent-encoded
  bool operator==(const Metadata&) const = default;
};
inline constexpr const char* kNoTrack = "/org/mpris/MediaPlayer2/TrackList/NoTrack";
Metadata metadataOf(const PlayerFacts& f);
std::string trackIdOf(const PlayerFacts& f);
// "file://" + the absolute path with every byte outside A-Z a-z 0-9 - . _ ~ /
// as %XX (upper-case hex).
std::string fileUrl(const std::string& path);

}  // namespace mpris
