// What the desktop's media control interface reads and may do, as tables:
// status, capabilities, admissions while Busy or OpeningBusy, microsecond
// conversions, seeks and set positions, the volume scale and the metadata.
#include "app/mpris/mpris_mapping.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace mpris {
namespace {

PlayerFacts playingMovie() {
  PlayerFacts f;
  f.movieOpen = true;
  f.playing = true;
  f.positionMs = 10000;
  f.durationMs = 60000;
  f.volumePosition = 10;
  f.moviePath = "/films/a b.mp4";
  f.openSerial = 3;
  f.playlistCount = 3;
  f.currentIndex = 1;
  f.currentEntryPlayable = true;
  return f;
}

TEST(MprisMapping, StatusFollowsTheEngineAndTheOpenMovie) {
  struct Row {
    bool open, playing, paused;
    const char* status;
  } rows[] = {
      {true, true, false, "Playing"},   {true, false, true, "Paused"},
      {true, false, false, "Stopped"},                                    // loaded, not yet run
      {false, false, false, "Stopped"}, {false, true, false, "Stopped"},  // an open under way
  };
  for (const Row& r : rows) {
    PlayerFacts f;
    f.movieOpen = r.open;
    f.playing = r.playing;
    f.paused = r.paused;
    EXPECT_EQ(playbackStatus(f), r.status) << r.open << r.playing << r.paused;
  }
}

TEST(MprisMapping, CapabilitiesFollowTheMovieAndThePlaylistRules) {
  struct Row {
    const char* name;
    std::function<void(PlayerFacts&)> change;
    Capabilities can;
  } rows[] = {
      {"middle entry", [](PlayerFacts&) {}, {true, true, true, true, true, true}},
      {"last entry",
       [](PlayerFacts& f) { f.currentIndex = 2; },
       {true, true, true, false, true, true}},
      {"last entry, repeat all",
       [](PlayerFacts& f) {
         f.currentIndex = 2;
         f.repeatAll = true;
       },
       {true, true, true, true, true, true}},
      {"first entry",
       [](PlayerFacts& f) { f.currentIndex = 0; },
       {true, true, true, true, false, true}},
      {"first entry, repeat all",
       [](PlayerFacts& f) {
         f.currentIndex = 0;
         f.repeatAll = true;
       },
       {true, true, true, true, true, true}},
      {"shuffle, nothing played before",
       [](PlayerFacts& f) {
         f.shuffle = true;
         f.playedCount = 1;
       },
       {true, true, true, true, false, true}},
      {"shuffle, one played before",
       [](PlayerFacts& f) {
         f.shuffle = true;
         f.playedCount = 2;
       },
       {true, true, true, true, true, true}},
      {"length unknown",
       [](PlayerFacts& f) { f.durationMs = 0; },
       {true, true, false, true, true, true}},
      {"no movie, playable entry",
       [](PlayerFacts& f) { f.movieOpen = f.playing = false; },
       {true, false, false, true, true, true}},
      {"no movie, entry missing",
       [](PlayerFacts& f) {
         f.movieOpen = f.playing = false;
         f.currentEntryPlayable = false;
       },
       {false, false, false, true, true, true}},
      {"no movie, empty playlist",
       [](PlayerFacts& f) {
         f.movieOpen = f.playing = false;
         f.currentEntryPlayable = false;
         f.playlistCount = 0;
         f.currentIndex = -1;
       },
       {false, false, false, false, false, true}},
  };
  for (const Row& r : rows) {
    PlayerFacts f = playingMovie();
    r.change(f);
    const Capabilities c = capabilities(f);
    EXPECT_EQ(c, r.can) << r.name << ": play " << c.canPlay << " pause " << c.canPause << " seek "
                        << c.canSeek << " next " << c.canGoNext << " previous " << c.canGoPrevious;
  }
}

TEST(MprisMapping, CommandsWaitForNeitherFlagExceptQuit) {
  using A = Admission;
  using C = Command;
  struct Row {
    Command command;
    A idle, busy, opening, noMovie;
  } rows[] = {
      {C::Play, A::Run, A::Ignore, A::Ignore, A::Run},
      {C::Pause, A::Run, A::Ignore, A::Ignore, A::Ignore},
      {C::PlayPause, A::Run, A::Ignore, A::Ignore, A::Run},
      {C::Stop, A::Run, A::Ignore, A::Ignore, A::Ignore},
      {C::Next, A::Run, A::Ignore, A::Ignore, A::Run},
      {C::Previous, A::Run, A::Ignore, A::Ignore, A::Run},
      {C::Seek, A::Run, A::Ignore, A::Ignore, A::Ignore},
      {C::SetPosition, A::Run, A::Ignore, A::Ignore, A::Ignore},
      {C::Volume, A::Run, A::Run, A::Ignore, A::Run},
      {C::Quit, A::Run, A::Defer, A::Defer, A::Run},
      {C::Raise, A::Run, A::Run, A::Run, A::Run},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(int(r.command));
    PlayerFacts f = playingMovie();
    EXPECT_EQ(admit(r.command, f), r.idle);
    f.busy = true;
    EXPECT_EQ(admit(r.command, f), r.busy);
    f.busy = false;
    f.openingBusy = true;
    EXPECT_EQ(admit(r.command, f), r.opening);
    f = playingMovie();
    f.movieOpen = f.playing = false;
    EXPECT_EQ(admit(r.command, f), r.noMovie);
  }
  // PlayPause pauses a playing movie and plays a paused one or none.
  PlayerFacts f = playingMovie();
  EXPECT_EQ(resolvePlayPause(f), Command::Pause);
  f.playing = false;
  f.paused = true;
  EXPECT_EQ(resolvePlayPause(f), Command::Play);
  f.movieOpen = false;
  EXPECT_EQ(resolvePlayPause(f), Command::Play);
  // Nothing to start: Play and PlayPause do nothing (no file dialog from the desktop).
  f.currentEntryPlayable = false;
  EXPECT_EQ(admit(Command::Play, f), Admission::Ignore);
  EXPECT_EQ(admit(Command::PlayPause, f), Admission::Ignore);
}

TEST(MprisMapping, MicrosecondsRoundToTheNearestMillisecond) {
  const struct {
    int64_t us, ms;
  } rows[] = {{0, 0},
              {499, 0},
              {500, 1},
              {1499, 1},
              {1500, 2},
              {-499, 0},
              {-500, -1},
              {-1500, -2},
              {5000000, 5000},
              {-2000000, -2000},
              {std::numeric_limits<int64_t>::max(), 9223372036854776}};
  for (const auto& r : rows) EXPECT_EQ(microsecondsToMs(r.us), r.ms) << r.us;
  EXPECT_EQ(msToMicroseconds(5131), 5131000);
  EXPECT_EQ(msToMicroseconds(-7), -7000);
  EXPECT_EQ(msToMicroseconds(std::numeric_limits<int64_t>::max()),
            std::numeric_limits<int64_t>::max());
  EXPECT_EQ(msToMicroseconds(std::numeric_limits<int64_t>::min()),
            std::numeric_limits<int64_t>::min());
}

TEST(MprisMapping, SeeksStayInsideTheMovieAndPastTheEndGoOn) {
  using K = SeekPlan::Kind;
  const struct {
    int64_t offsetUs;
    SeekPlan plan;
  } seeks[] = {
      {2000000, {K::SeekTo, 12000}},
      {-2500000, {K::SeekTo, 7500}},
      {-20000000, {K::SeekTo, 0}},  // before the start: the start
      {50000000, {K::SeekTo, 60000}},
      {50000001, {K::SeekTo, 60000}},  // rounds onto the end
      {50000600, {K::Next, 0}},        // past the end: the next movie
      {std::numeric_limits<int64_t>::max(), {K::Next, 0}},
      {std::numeric_limits<int64_t>::min(), {K::SeekTo, 0}},
  };
  for (const auto& r : seeks) EXPECT_EQ(planSeek(playingMovie(), r.offsetUs), r.plan) << r.offsetUs;
  PlayerFacts unknownLength = playingMovie();
  unknownLength.durationMs = 0;
  EXPECT_EQ(planSeek(unknownLength, 1000000), SeekPlan{});

  const std::string current = "/org/tarvelino/track/3";
  const struct {
    std::string track;
    int64_t us;
    SeekPlan plan;
  } positions[] = {
      {current, 0, {K::SeekTo, 0}},
      {current, 30000000, {K::SeekTo, 30000}},
      {current, 60000000, {K::SeekTo, 60000}},
      {current, 60000600, {}},  // past the end
      {current, -1, {}},
      {"/org/tarvelino/track/2", 1000000, {}},  // an earlier movie's id
      {kNoTrack, 1000000, {}},
  };
  for (const auto& r : positions)
    EXPECT_EQ(planSetPosition(playingMovie(), r.track, r.us), r.plan) << r.track << " " << r.us;
}

TEST(MprisMapping, VolumeMapsOntoTheTwentyVolumePositions) {
  const struct {
    double volume;
    int position;
  } rows[] = {{0.0, 0},
              {1.0, 20},
              {0.5, 10},
              {0.8, 16},
              {0.024, 0},
              {0.026, 1},
              {0.125, 2},
              {0.375, 8},  // halves to even  {-3.0, 0},  {7.5, 20},  {std::nan(""), 0},
              {std::numeric_limits<double>::infinity(), 20}};
  for (const auto& r : rows) EXPECT_EQ(volumePositionOf(r.volume), r.position) << r.volume;
  for (int p = 0; p <= 20; ++p) EXPECT_EQ(volumePositionOf(volumeOf(p)), p);
  EXPECT_DOUBLE_EQ(volumeOf(16), 0.8);
  EXPECT_DOUBLE_EQ(volumeOf(25), 1.0);
  EXPECT_DOUBLE_EQ(volumeOf(-1), 0.0);
}

TEST(MprisMapping, MetadataNamesTheOpenMovie) {
  PlayerFacts f = playingMovie();
  f.durationMs = 5131;
  EXPECT_EQ(metadataOf(f),
            (Metadata{"/org/tarvelino/track/3", 5131000, "a b", "file:///films/a%20b.mp4"}));
  f.movieOpen = false;
  EXPECT_EQ(metadataOf(f), (Metadata{kNoTrack, 0, "", ""}));
  const struct {
    const char* path;
    const char* url;
  } urls[] = {
      {"/m/plain-name_1.~x", "file:///m/plain-name_1.~x"},
      {"/m/50% #1?&=+.avi", "file:///m/50%25%20%231%3F%26%3D%2B.avi"},
      {"/m/\xC3\xA9t\xC3\xA9.mkv", "file:///m/%C3%A9t%C3%A9.mkv"},  // UTF-8 bytes
      {"/m/\xFF\x01", "file:///m/%FF%01"},
  };
  for (const auto& r : urls) EXPECT_EQ(fileUrl(r.path), r.url) << r.path;
}

}  // namespace
}  // namespace mpris
