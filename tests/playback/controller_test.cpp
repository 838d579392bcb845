// The playback controller against the fake engine: opening, failures,
// commands under the re-entry flags, the end of a movie and the update tick.
#include <algorithm>
#include <fstream>

#include "tests/playback/controller_fixture.h"

namespace playback::testing {
namespace {

// Index of the first call named c at or after from; -1 when none.
int indexOf(const std::vector<std::string>& calls, const std::string& c, int from = 0) {
  for (int i = from; i < int(calls.size()); ++i)
    if (calls[i] == c) return i;
  return -1;
}

TEST_F(ControllerTest, OpensInTheFixedOrderAndEndsReady) {
  remembered_[folder_ + "/b.avi"] = RememberedMovie{.AudioVolume = 2500};
  for (const char* name : {"a.avi", "b.avi"}) {
    SCOPED_TRACE(name);
    engine_.calls.clear();
    openOne(movie(name));
    const auto& c = engine_.calls;
    // Closing the previous movie comes first; then the reset of the engine.
    const int reset = indexOf(c, "setActive(true)") - 2;
    const int render = indexOf(c, "renderFile");
    const int run = indexOf(c, "run");
    ASSERT_GE(reset, 0);
    EXPECT_EQ(c[reset], "emptyGraph");
    EXPECT_EQ(c[reset + 1], "setActive(false)");
    EXPECT_GT(render, reset);
    EXPECT_GT(run, render);
    EXPECT_FALSE(state_.OpeningBusy);
    EXPECT_EQ(state_.SettingsChangeScore, 0);
    EXPECT_EQ(state_.CurrentMovie, folder_ + "/" + name);
    EXPECT_EQ(state_.Picture.VideoWidth, 320);
    EXPECT_DOUBLE_EQ(state_.Picture.PictureRatio, 1.33);
    EXPECT_EQ(controller_->display().MovieLabel, name);
    EXPECT_EQ(controller_->display().MovieTimes, "00:02:00 - 00:00:00 - 00:02:00 ");
    EXPECT_TRUE(surface_.showing);
    EXPECT_TRUE(keepAwake_);
    EXPECT_EQ(osd_.message(), name);
  }
  // The remembered volume 2500 is position 5, as 2500 in the engine.
  EXPECT_EQ(engine_.volume(), 2500);
  controller_->CloseMovie(true);
  EXPECT_EQ(engine_.volume(), 5000);  // the user's position 10 is back
  EXPECT_FALSE(keepAwake_);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(ControllerTest, FailedOpenClosesQuietlyAndPutsEverythingBack) {
  const struct {
    const char* name;
    int render;
    int width;
    bool runOk;
  } rows[] = {
      {"render fails", 1, 320, true}, {"no picture", 0, 0, true}, {"run fails", 0, 320, false}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    messages_.clear();
    const std::string path = movie(std::string(r.name) + ".avi");
    remembered_[path] = RememberedMovie{.PanScan = 40, .AudioVolume = 0};
    engine_.renderResult = r.render;
    engine_.nextWidth = r.width;
    engine_.runResult = r.runOk;
    openOne(path);
    EXPECT_EQ(messages_, std::vector<std::string>{texts_.Messages[20]});
    EXPECT_FALSE(engine_.active());
    EXPECT_TRUE(state_.CurrentMovie.empty());
    EXPECT_FALSE(state_.OpeningBusy);
    EXPECT_FALSE(keepAwake_);
    // The failed movie's record did not replace the user's values.
    EXPECT_EQ(settings_.AudioVolume, 10);
    EXPECT_EQ(settings_.PanScanSize, 0);
    EXPECT_EQ(engine_.volume(), 5000);
    EXPECT_EQ(controller_->display().MovieTimes, "00:00:00 - 00:00:00 - 00:00:00");
    engine_.renderResult = 0;
    engine_.nextWidth = 320;
    engine_.runResult = true;
  }
}

TEST_F(ControllerTest, CommandsDoNothingWhileBusyOrOpening) {
  openOne(movie("a.avi"));
  engine_.position = 60000 * kUnitsPerMs;
  using Command = void (PlaybackController::*)();
  const struct {
    const char* name;
    Command command;
    bool blockedByBusy, blockedByOpening;
  } rows[] = {
      {"Play", &PlaybackController::Play, true, true},
      {"Pause", &PlaybackController::Pause, false, true},
      {"Rewind", &PlaybackController::Rewind, true, true},
      {"Forward", &PlaybackController::Forward, true, true},
      {"FastRewind", &PlaybackController::FastRewind, true, true},
      {"FastForward", &PlaybackController::FastForward, true, true},
      {"GoToStart", &PlaybackController::GoToStart, true, false},
      {"GoToEnd", &PlaybackController::GoToEnd, true, false},
      {"Next", &PlaybackController::Next, true, true},
      {"Previous", &PlaybackController::Previous, true, true},
  };
  for (const auto& r : rows) {
    for (int flag = 0; flag < 2; ++flag) {
      SCOPED_TRACE(std::string(r.name) + (flag ? " opening" : " busy"));
      state_.Busy = flag == 0;
      state_.OpeningBusy = flag == 1;
      engine_.calls.clear();
      (controller_.get()->*r.command)();
      const bool blocked = flag == 1 ? r.blockedByOpening : r.blockedByBusy;
      EXPECT_EQ(engine_.calls.empty(), blocked);
      EXPECT_EQ(state_.Busy, flag == 0);  // the flag stays as it was
    }
  }
  state_.Busy = state_.OpeningBusy = false;
}

TEST_F(ControllerTest, MovesStayInsideTheMovieAndKeepTheirDirection) {
  openOne(movie("a.avi"));
  settings_.SecondesToJump = 20;
  settings_.SecondesToFastJump = 60;
  using Command = void (PlaybackController::*)();
  const struct {
    const char* name;
    Command command;
    int64_t atMs, lengthMs, expectMs;
    std::string osd;
  } rows[] = {
      {"rewind near start", &PlaybackController::Rewind, 5000, 120000, 0,
       "00:00:00 / 00:02:00 (0%)"},
      {"rewind", &PlaybackController::Rewind, 60000, 120000, 40000, "00:00:40 / 00:02:00 (33%)"},
      {"forward", &PlaybackController::Forward, 60000, 120000, 80000, "00:01:20 / 00:02:00 (67%)"},
      {"forward past end", &PlaybackController::Forward, 110000, 120000, 119990,
       "00:01:59 / 00:02:00 (100%)"},
      {"forward at the very end", &PlaybackController::Forward, 119995, 120000, 119995,
       "00:01:59 / 00:02:00 (100%)"},
      {"fast rewind", &PlaybackController::FastRewind, 30000, 120000, 0,
       "00:00:00 / 00:02:00 (0%)"},
      {"fast forward", &PlaybackController::FastForward, 30000, 120000, 90000,
       "00:01:30 / 00:02:00 (75%)"},
      {"forward, no length", &PlaybackController::Forward, 3000, 0, 3000,
       "00:00:03 / 00:00:00 (0%)"},
      {"start", &PlaybackController::GoToStart, 60000, 120000, 0, "Start position"},
      {"end", &PlaybackController::GoToEnd, 60000, 120000, 119900, "End position"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    engine_.position = r.atMs * kUnitsPerMs;
    engine_.durationUnits = r.lengthMs * kUnitsPerMs;
    engine_.calls.clear();
    (controller_.get()->*r.command)();
    EXPECT_EQ(engine_.position / kUnitsPerMs, r.expectMs);
    EXPECT_EQ(osd_.message(), r.osd);
    EXPECT_FALSE(state_.Busy);
  }
  // Frames: 1 minute of 2 at 25 frames per second.
  settings_.ShowFrames = true;
  engine_.durationUnits = 120000 * kUnitsPerMs;
  engine_.position = 40000 * kUnitsPerMs;
  controller_->Forward();
  EXPECT_EQ(osd_.message(), "  1500 / 3000 (50%)");
  // Quick position information: times, frames, a movie without a length.
  struct Quick {
    bool frames;
    int64_t atMs, lengthMs;
    std::string osd;
  } quick[] = {{false, 90000, 180000, "00:01:30 / 00:03:00 (50%)"},
               {true, 40000, 120000, "  1000 / 3000 (33%)"},
               {false, 3000, 0, "00:00:03 / 00:00:00 (0%)"}};
  for (const Quick& q : quick) {
    SCOPED_TRACE(q.osd);
    settings_.ShowFrames = q.frames;
    engine_.position = q.atMs * kUnitsPerMs;
    engine_.durationUnits = q.lengthMs * kUnitsPerMs;
    controller_->QuickTimeInfo();
    EXPECT_EQ(osd_.message(), q.osd);
  }
  state_.Busy = true;
  settings_.ShowFrames = false;
  engine_.position = 0;
  controller_->QuickTimeInfo();
  EXPECT_EQ(osd_.message(), "00:00:03 / 00:00:00 (0%)");  // ignored while Busy
  state_.Busy = false;
  settings_.ShowFrames = true;
  engine_.durationUnits = 120000 * kUnitsPerMs;
  // The seek bar and the jump dialog stay inside the movie.
  controller_->SeekToMs(500000);
  EXPECT_EQ(engine_.position / kUnitsPerMs, 119990);
  EXPECT_EQ(controller_->JumpToSeconds(99 * 3600), 120);
  EXPECT_EQ(engine_.position / kUnitsPerMs, 120000);
}

struct EndCase {
  const char* name;
  int repeat;
  bool shuffle;
  int movies;
  bool autoCloseOnce;
  bool minimized;
  // Expected: the same movie restarted, the path index opened next (-1 none),
  // the player closed.
  bool restarted;
  int next;
  bool closed;
};

TEST_F(ControllerTest, EndOfMovieFollowsRepeatShuffleAndAutoClose) {
  int rowNumber = 0;
  const EndCase rows[] = {
      {"one movie, no repeat, auto close", 0, false, 1, true, false, false, -1, true},
      {"one movie, no repeat", 0, false, 1, false, false, false, -1, false},
      {"repeat one in a list", 1, false, 5, true, false, true, -1, false},
      {"repeat all, one movie", 2, false, 1, true, false, true, -1, false},
      {"list, next entry", 0, false, 3, true, false, false, 1, false},
      {"list end, no wrap", 0, false, 2, true, false, false, -1, true},
      {"list end, repeat all wraps", 2, false, 2, true, false, false, 0, false},
      {"minimized: selected, not played", 0, false, 3, true, true, false, -1, false},
      {"shuffle draws another", 0, true, 3, false, false, false, 99, false},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    settings_.RepeatStatus = r.repeat;
    settings_.Shuffle = r.shuffle;
    minimized_ = false;
    closed_ = 0;
    std::vector<std::string> paths;
    // Each row in a folder of its own, so no row's files look like parts of another's.
    const std::string sub = "row" + std::to_string(++rowNumber) + "/";
    const char* names[] = {"alpha.avi", "bravo.avi", "charlie.avi", "delta.avi", "echo.avi"};
    for (int i = 0; i < r.movies; ++i) paths.push_back(movie(sub + names[i]));
    const int startRow = r.movies == 2 ? 1 : 0;
    controller_->OpenFileList(paths, startRow);
    state_.AutoClosePlayerOnce = r.autoCloseOnce;
    ASSERT_EQ(engine_.renderedPaths.back(), paths[startRow]);
    const size_t renders = engine_.renderedPaths.size();
    minimized_ = r.minimized;
    engine_.calls.clear();
    engine_.queueEvent(EngineEventCode::StreamComplete);
    play(2);
    EXPECT_EQ(indexOf(engine_.calls, "run") >= 0 && engine_.renderedPaths.size() == renders,
              r.restarted);
    if (r.next == 99) {
      ASSERT_EQ(engine_.renderedPaths.size(), renders + 1);
      EXPECT_NE(engine_.renderedPaths.back(), paths[startRow]);
    } else if (r.next >= 0) {
      ASSERT_EQ(engine_.renderedPaths.size(), renders + 1);
      EXPECT_EQ(engine_.renderedPaths.back(), paths[r.next]);
    } else {
      EXPECT_EQ(engine_.renderedPaths.size(), renders);
    }
    EXPECT_EQ(closed_ > 0, r.closed);
    if (r.minimized) {
      EXPECT_EQ(playlist_->CurrentMovieIndex(), startRow + 1);
      EXPECT_FALSE(state_.AutoClosePlayerOnce);
    }
    controller_->CloseMovie(true);
  }
}

TEST_F(ControllerTest, PowerOffCountdownStartsAfterTheLastEntryInsteadOfTheAutoClose) {
  const struct {
    const char* name;
    int movies;
    int repeat;
    bool ticked;
    bool brokenNext;  // the following entries fail to open
    int starts;
    bool closed;
  } rows[] = {
      {"one movie, ticked", 1, 0, true, false, 1, false},
      {"one movie, not ticked", 1, 0, false, false, 0, true},
      {"list continues", 3, 0, true, false, 0, false},
      {"repeat one", 1, 1, true, false, 0, false},
      {"repeat all wraps", 2, 2, true, false, 0, false},
      {"the rest of the list broken", 3, 0, true, true, 1, false},
  };
  int rowNumber = 0;
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    settings_.RepeatStatus = r.repeat;
    settings_.Shuffle = false;
    settings_.AutoClosePlayerWhenFinished = true;
    int starts = 0;
    controller_->hooks().powerOffArmed = [&] { return r.ticked && starts == 0; };
    controller_->hooks().startPowerOff = [&] { ++starts; };
    closed_ = 0;
    std::vector<std::string> paths;
    const std::string sub = "off" + std::to_string(++rowNumber) + "/";
    for (int i = 0; i < r.movies; ++i)
      paths.push_back(movie(sub + "m" + std::to_string(i) + ".avi"));
    controller_->OpenFileList(paths, 0);
    ASSERT_TRUE(controller_->movieOpen());
    state_.AutoClosePlayerOnce = true;
    if (r.brokenNext) engine_.renderResult = 1;
    engine_.queueEvent(EngineEventCode::StreamComplete);
    play(20);
    engine_.renderResult = 0;
    EXPECT_EQ(starts, r.starts);
    EXPECT_EQ(closed_ > 0, r.closed);
    controller_->CloseMovie(true);
  }
  controller_->hooks().powerOffArmed = nullptr;
  controller_->hooks().startPowerOff = nullptr;
}

TEST_F(ControllerTest, AdvanceThroughBrokenFilesEndsEvenUnderShuffleAndRepeatAll) {
  for (bool shuffle : {false, true}) {
    SCOPED_TRACE(shuffle);
    settings_.Shuffle = shuffle;
    settings_.RepeatStatus = 2;
    std::vector<std::string> paths;
    for (int i = 0; i < 4; ++i) paths.push_back(movie("x" + std::to_string(i) + ".avi"));
    controller_->OpenFileList(paths, 0);
    ASSERT_TRUE(controller_->movieOpen());
    engine_.renderResult = 1;  // every further file fails
    engine_.queueEvent(EngineEventCode::StreamComplete);
    const size_t before = engine_.renderedPaths.size();
    play(50);
    // No messages during the automatic advance, and a bounded number of tries.
    EXPECT_TRUE(messages_.empty());
    EXPECT_GT(engine_.renderedPaths.size(), before);
    EXPECT_LE(engine_.renderedPaths.size(), before + 5);
    const size_t settled = engine_.renderedPaths.size();
    play(20);
    EXPECT_EQ(engine_.renderedPaths.size(), settled);
    engine_.renderResult = 0;
  }
}

TEST_F(ControllerTest, DropsBuildASortedListAndKeepTheOldOneWithoutMovies) {
  const std::string c = movie("c.avi"), a = movie("A.avi"), b = movie("b.mkv");
  const std::string notes = movie("notes.txt");
  controller_->OpenFileList({c, a, b}, 0);  // c is the dropped start
  EXPECT_EQ(playlist_->PlaylistMovies(), (std::vector<std::string>{a, b, c}));
  EXPECT_EQ(engine_.renderedPaths.back(), c);
  // Nothing playable: the message, and the list stays.
  controller_->OpenFileList({notes, folder_ + "/absent.avi"}, 0);
  EXPECT_EQ(messages_.back(), texts_.Messages[2]);
  EXPECT_EQ(playlist_->count(), 3);
  // A start index past the list opens its last entry.
  controller_->OpenFileList({a, b}, 7);
  EXPECT_EQ(engine_.renderedPaths.back(), b);
  // One subtitle file with no movie open is tried as a movie.
  controller_->CloseMovie(true);
  const std::string srt = movie("clip.srt");
  controller_->OpenFileList({srt}, 0);
  EXPECT_EQ(engine_.renderedPaths.back(), srt);
}

// A folder starts at its first movie by name, whatever order the file system
// lists it in (made in name order: a file system listing newest first, or by
// hash, starts elsewhere).
TEST_F(ControllerTest, FolderStartsAtItsFirstMovieByName) {
  std::vector<std::string> made;
  for (const char* name :
       {"f/a.avi", "f/B.avi", "f/c.avi", "f/d.avi", "f/e.avi", "f/f.avi", "f/g.avi", "f/h.avi"})
    made.push_back(movie(name));
  const struct {
    const char* name;
    std::function<void()> open;
  } rows[] = {
      {"command line", [&] { controller_->OpenCommandLine({folder_ + "/f"}); }},
      {"drop", [&] { controller_->OpenFileList({folder_ + "/f"}, 0); }},
      {"second start", [&] { controller_->OpenFileList({folder_ + "/f"}, -1); }},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    controller_->CloseMovie(true);
    r.open();
    EXPECT_EQ(playlist_->PlaylistMovies(), made);
    EXPECT_EQ(state_.CurrentMovie, made[0]);
  }
}

// A subtitle file dropped (or handed over) while a movie plays loads as its
// subtitle and is kept for every entry of that movie, with no question about
// a selection.
TEST_F(ControllerTest, DroppedSubtitleIsKeptForThePlayingMovie) {
  const std::string a = movie("drop/a.avi"), b = movie("drop/b.avi");
  const std::string srt = movie("elsewhere/words.srt");
  std::ofstream(srt) << "1\r\n00:00:00,000 --> 00:01:00,000\r\nHello\r\n\r\n"
                        "2\r\n00:01:00,100 --> 00:01:02,000\r\nSecond\r\n\r\n"
                        "3\r\n00:01:02,100 --> 00:01:03,000\r\nThird\r\n";
  const std::string noSubtitle = texts_.Labels[30];
  const struct {
    const char* name;
    int selected;  // the playlist window's selection (-1: none)
  } rows[] = {{"nothing selected", -1}, {"the movie selected", 1}, {"another selected", 0}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    controller_->OpenFileList({a, b, a}, 1);  // b plays; a is listed twice
    ASSERT_EQ(state_.CurrentMovie, b);
    playlist_->select(r.selected);
    messages_.clear();
    controller_->OpenFileList({srt}, 0);
    EXPECT_EQ(messages_, std::vector<std::string>{});
    EXPECT_EQ(state_.CurrentMovie, b);
    EXPECT_EQ(playlist_->PlaylistSubtitles(),
              (std::vector<std::string>{noSubtitle, noSubtitle, srt}));
  }
}

TEST_F(ControllerTest, CommandLineNamesAMissingFileAndFindsNoMovieInALongerList) {
  const std::string a = movie("cl/a.avi");
  movie("empty/notes.txt");
  const std::string absent = folder_ + "/cl/absent.avi";
  const std::string missingList = folder_ + "/cl/list.mpl";
  const struct {
    const char* name;
    std::vector<std::string> args;
    std::string message;  // empty: none
    std::string opened;
  } rows[] = {
      {"one missing movie", {absent}, "File \"" + absent + "\" doesn't exist!", ""},
      {"one missing playlist", {missingList}, "File \"" + missingList + "\" doesn't exist!", ""},
      {"one folder without movies", {folder_ + "/empty"}, "No movie found!", ""},
      {"two missing paths", {absent, missingList}, "No movie found!", ""},
      {"a movie and a missing path", {absent, a}, "", a},
      {"one movie", {a}, "", a},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    controller_->CloseMovie(true);
    messages_.clear();
    controller_->OpenCommandLine(r.args);
    EXPECT_EQ(messages_,
              r.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{r.message});
    EXPECT_EQ(state_.CurrentMovie, r.opened);
  }
}

TEST_F(ControllerTest, OpenDialogTakesTheWholeFolderWhenAsked) {
  const std::string c = movie("dlg/c.avi"), a = movie("dlg/a.mkv"), odd = movie("dlg/odd.xyz");
  movie("dlg/notes.txt");
  const struct {
    const char* name;
    bool entireFolder;
    std::vector<std::string> chosen;
    std::vector<std::string> list;
    std::string opened;
  } rows[] = {
      {"chosen files only", false, {c}, {c}, c},
      {"whole folder from the chosen one", true, {c}, {a, c}, c},
      {"chosen file outside the extensions", true, {odd}, {a, c}, a},
      {"two chosen files", true, {c, a}, {a, c}, c},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    settings_.LoadEntireFolder = r.entireFolder;
    state_.AutoClosePlayerOnce = true;
    controller_->OpenChosenFiles(r.chosen);
    EXPECT_EQ(playlist_->PlaylistMovies(), r.list);
    EXPECT_EQ(state_.CurrentMovie, r.opened);
    EXPECT_FALSE(state_.AutoClosePlayerOnce);
  }
  messages_.clear();
  controller_->OpenChosenFiles({folder_ + "/dlg/absent.avi"});
  EXPECT_EQ(messages_,
            std::vector<std::string>{"File \"" + folder_ + "/dlg/absent.avi\" doesn't exist!"});
}

TEST_F(ControllerTest, TickSavesRememberedSettingsAndSurvivesOddMovies) {
  settings_.RememberMovieSettings = true;
  openOne(movie("a.avi"));
  recorded_.clear();
  play(499);  // 9.98 s of play
  EXPECT_EQ(saves_, 0);
  play(2);
  EXPECT_EQ(saves_, 1);
  EXPECT_EQ(recorded_.size(), 1u);
  // Two 5 s jumps back and forth count as ten seconds of change.
  settings_.SecondesToJump = 5;
  controller_->Forward();
  play(1);
  EXPECT_EQ(saves_, 1);
  controller_->Rewind();
  play(1);
  EXPECT_EQ(saves_, 2);
  // A movie that reports no length neither divides by zero nor stops the tick.
  engine_.durationUnits = 0;
  const int64_t at = engine_.position;
  controller_->Forward();
  EXPECT_EQ(engine_.position, at);
  play(5);
  EXPECT_EQ(controller_->display().SeekPositionMs, (at / kUnitsPerMs) + 100);
}

TEST_F(ControllerTest, EngineEventsOfOldMoviesAreDroppedAndErrorsClose) {
  openOne(movie("a.avi"));
  engine_.queueStaleEvent(EngineEventCode::ErrorAbort);
  play(1);
  EXPECT_TRUE(controller_->movieOpen());
  engine_.queueEvent(EngineEventCode::ErrorAbort);
  play(1);
  EXPECT_FALSE(controller_->movieOpen());
  EXPECT_EQ(messages_.back(), texts_.Messages[20]);
}

TEST_F(ControllerTest, MessagesLiveTheirTimeAndFollowThePosition) {
  openOne(movie("a.avi"));
  play(200);  // the file name message has ended
  EXPECT_TRUE(osd_.empty());
  controller_->Pause();
  EXPECT_EQ(osd_.message(), "Pause");
  nowMs_ += 1100;
  controller_->GeneralTimerTimer();
  EXPECT_FALSE(osd_.empty());
  nowMs_ += 20;
  controller_->GeneralTimerTimer();
  EXPECT_TRUE(osd_.empty());
  // After a step while playing the message shows the moving position.
  controller_->Play();
  controller_->Forward();
  const std::string first = osd_.message();
  play(60);
  EXPECT_NE(osd_.message(), first);
  EXPECT_EQ(osd_.message().substr(0, 8), "00:00:25");
  // With the message display off nothing shows.
  settings_.OSDDisplay = false;
  controller_->MuteToggle();
  EXPECT_TRUE(osd_.empty());
}

// The subtitle list's choices for the playing entry: "No subtitle" unloads
// the subtitle (nothing is drawn any more), and a choice that fails to load
// leaves no file name on the label.
TEST_F(ControllerTest, SubtitleChoiceOfThePlayingEntryLoadsAndUnloads) {
  const std::string clip = movie("clip.avi");
  const std::string good = movie("clip.srt");
  std::ofstream(good) << "1\r\n00:00:00,000 --> 00:01:00,000\r\nHello\r\n\r\n"
                         "2\r\n00:01:00,100 --> 00:01:02,000\r\nSecond\r\n\r\n"
                         "3\r\n00:01:02,100 --> 00:01:03,000\r\nThird\r\n";
  const std::string bad = movie("other.srt");
  std::ofstream(bad) << "no subtitle in here\r\n";
  const std::string noSubtitle = texts_.Labels[30];
  openOne(clip);
  playlist_->select(0);
  ASSERT_EQ(playlist_->SubtitleCandidates(), std::vector<std::string>{good});
  enum class Step { Choose, Add, BreakAndChoose };
  const struct {
    const char* name;
    Step step;
    int row;  // the ListSub row chosen
    bool loaded;
    std::string label;
    bool drawn;  // the next ticks draw a subtitle
  } rows[] = {
      {"choose the file", Step::Choose, 1, true, "clip.srt", true},
      {"choose no subtitle", Step::Choose, 0, false, noSubtitle, false},
      {"choose the file again", Step::Choose, 1, true, "clip.srt", true},
      {"add a file that does not load", Step::Add, 0, false, noSubtitle, false},
      {"choose the file once more", Step::Choose, 1, true, "clip.srt", true},
      {"the chosen file fails to load", Step::BreakAndChoose, 1, false, noSubtitle, false},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    if (r.step == Step::Add) {
      playlist_->addSubtitle(bad);
    } else {
      if (r.step == Step::BreakAndChoose) std::ofstream(good) << "broken\r\n";
      playlist_->chooseSubtitle(r.row);
    }
    EXPECT_EQ(subtitles_.SubtitleLoaded(), r.loaded);
    EXPECT_EQ(controller_->display().SubtitleLabel, r.label);
    subtitlesShown_ = 0;
    play(3);
    EXPECT_EQ(subtitlesShown_ > 0, r.drawn);
  }
  // The bad file never became the entry's subtitle; the last choice did.
  EXPECT_EQ(playlist_->PlaylistSubtitles()[0], good);
}

// A message shown after a step is not overwritten by the live position: the
// step's running position ends with the next message and with a close.
TEST_F(ControllerTest, MessagesAfterAStepAreNotReplacedByThePosition) {
  const struct {
    const char* name;
    void (PlaybackController::*command)();
    std::string osd;
  } rows[] = {
      {"stop", &PlaybackController::Stop, "Stop"},
      {"pause", &PlaybackController::Pause, "Pause"},
      {"mute", &PlaybackController::MuteToggle, "Mute on"},
      {"volume", &PlaybackController::VolumeUp, "Volume: 55%"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    settings_.Mute = false;
    settings_.AudioVolume = 10;
    openOne(movie("a.avi"));
    play(10);
    controller_->Forward();
    play(2);
    EXPECT_EQ(osd_.message().substr(0, 8), "00:00:20");
    (controller_.get()->*r.command)();
    play(10);
    EXPECT_EQ(osd_.message(), r.osd);
    controller_->CloseMovie(true);
  }
  // A full close (the end of a list) also stops it.
  openOne(movie("b.avi"));
  controller_->Forward();
  controller_->CloseMovie(true);
  play(10);
  EXPECT_EQ(osd_.message(), "Stop");
}

TEST_F(ControllerTest, VolumeMuteAndRepeatCommands) {
  const struct {
    const char* name;
    void (PlaybackController::*command)();
    int expectVolume;
    std::string osd;
  } rows[] = {
      {"up", &PlaybackController::VolumeUp, 5500, "Volume: 55%"},
      {"mute", &PlaybackController::MuteToggle, 0, "Mute on"},
      {"down while muted", &PlaybackController::VolumeDown, 0, "Volume: 0%"},
      {"unmute", &PlaybackController::MuteToggle, 5000, "Mute off"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    (controller_.get()->*r.command)();
    EXPECT_EQ(engine_.volume(), r.expectVolume);
    EXPECT_EQ(osd_.message(), r.osd);
  }
  settings_.AudioVolume = 20;
  controller_->VolumeUp();
  EXPECT_EQ(engine_.volume(), 10000);
  for (const char* label : {"Repeat one", "Repeat all", "Repeat off"}) {
    controller_->RepeatClick();
    EXPECT_EQ(controller_->display().RepeatLabel, label);
  }
}

}  // namespace
}  // namespace playback::testing
