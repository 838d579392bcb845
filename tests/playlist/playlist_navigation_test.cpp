// Next and Previous under every repeat and shuffle setting.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "playlist_test_support.h"

namespace {

using playlist_test::Harness;

struct SequentialCase {
  const char* name;
  int count;
  int current;  // CurrentMovieIndex before the command
  int repeat;   // RepeatStatus
  bool next;    // Next, else Previous
  int played;   // row opened, -1 none
};

class SequentialStepTest : public testing::TestWithParam<SequentialCase> {};

TEST_P(SequentialStepTest, OpensTheRowTheRulesChoose) {
  const SequentialCase& c = GetParam();
  Harness h;
  h.settings.RepeatStatus = c.repeat;
  h.fill(c.count);
  if (c.current >= 0) h.model.makeCurrent(c.current);
  c.next ? h.model.next() : h.model.previous();
  if (c.played < 0) {
    EXPECT_TRUE(h.opened.empty());
  } else {
    ASSERT_EQ(h.opened.size(), 1u);
    EXPECT_EQ(h.opened[0], h.model.PlaylistMovies()[c.played]);
    EXPECT_EQ(h.model.CurrentMovieIndex(), c.played);
    EXPECT_TRUE(h.model.PlayingFromPlaylist());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SequentialStepTest,
    testing::Values(SequentialCase{"NextWithoutCurrentStartsAtTop", 3, -1, 0, true, 0},
                    SequentialCase{"NextFollows", 3, 0, 0, true, 1},
                    SequentialCase{"NextAtEndStops", 3, 2, 0, true, -1},
                    SequentialCase{"NextAtEndRepeatOneStops", 3, 2, 1, true, -1},
                    SequentialCase{"NextAtEndRepeatAllWraps", 3, 2, 2, true, 0},
                    SequentialCase{"NextSingleEntryStops", 1, 0, 0, true, -1},
                    SequentialCase{"NextSingleEntryRepeatAll", 1, 0, 2, true, 0},
                    SequentialCase{"PreviousGoesBack", 3, 2, 0, false, 1},
                    SequentialCase{"PreviousAtTopStops", 3, 0, 0, false, -1},
                    SequentialCase{"PreviousAtTopRepeatAllWraps", 3, 0, 2, false, 2},
                    SequentialCase{"PreviousWithoutCurrentRepeatAll", 3, -1, 2, false, 2},
                    SequentialCase{"PreviousWithoutCurrentStops", 3, -1, 0, false, -1},
                    SequentialCase{"PreviousSingleEntryRepeatAll", 1, 0, 2, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct ShuffleCase {
  const char* name;
  int count;
  int repeat;
  const char* commands;  // N = Next, P = Previous
  std::size_t opens;     // movies opened in total
  std::size_t history;   // PlayedMovies afterwards
};

class ShuffleStepTest : public testing::TestWithParam<ShuffleCase> {};

TEST_P(ShuffleStepTest, DrawsEachEntryOncePerCycle) {
  const ShuffleCase& c = GetParam();
  for (std::uint64_t seed = 1; seed <= 20; ++seed) {
    SCOPED_TRACE(seed);
    Harness h;
    h.settings.RepeatStatus = c.repeat;
    h.fill(c.count);
    h.model.setShuffle(true);
    h.model.seedRandom(seed);
    for (const char* command = c.commands; *command; ++command) {
      *command == 'N' ? h.model.next() : h.model.previous();
    }
    EXPECT_EQ(h.opened.size(), c.opens);
    EXPECT_EQ(h.model.PlayedMovies().size(), c.history);
    // Within one cycle no entry plays twice.
    const std::size_t cycle = std::min<std::size_t>(h.opened.size(), c.count);
    const std::set<std::string> distinct(h.opened.begin(), h.opened.begin() + cycle);
    if (std::string(c.commands).find('P') == std::string::npos) {
      EXPECT_EQ(distinct.size(), cycle);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ShuffleStepTest,
    testing::Values(ShuffleCase{"CycleEndsWithoutRepeat", 5, 0, "NNNNNNN", 5, 5},
                    ShuffleCase{"RepeatOneAlsoEnds", 5, 1, "NNNNNN", 5, 5},
                    ShuffleCase{"RepeatAllStartsNewCycle", 5, 2, "NNNNNNN", 7, 2},
                    ShuffleCase{"SingleEntryOnce", 1, 0, "NNN", 1, 1},
                    ShuffleCase{"SingleEntryRepeatAll", 1, 2, "NNN", 3, 1},
                    ShuffleCase{"PreviousWithOneInHistoryEmptiesIt", 4, 0, "NP", 1, 0},
                    ShuffleCase{"PreviousWithEmptyHistory", 4, 0, "P", 0, 0},
                    ShuffleCase{"PreviousReplaysTheOneBefore", 4, 0, "NNP", 3, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ShuffleTest, PreviousReplaysTheMovieBeforeTheCurrentOne) {
  Harness h;
  h.fill(6);
  h.model.setShuffle(true);
  h.model.next();
  h.model.next();
  h.model.previous();
  ASSERT_EQ(h.opened.size(), 3u);
  EXPECT_EQ(h.opened[2], h.opened[0]);
}

TEST(ShuffleTest, StalePathsAreSkippedInPoolAndHistory) {
  // Paths left behind in the pool or the history after their entry went away.
  for (bool inHistory : {false, true}) {
    SCOPED_TRACE(inHistory ? "history" : "pool");
    Harness h;
    h.fill(4);
    h.model.setShuffle(true);
    h.model.next();
    if (inHistory) h.model.next();
    const std::string gone = inHistory ? h.opened[0] : h.model.UnplayedMovies().front();
    // Removed while shuffle was off, so the pool still names it.
    h.settings.Shuffle = false;
    h.model.select(
        std::find(h.model.PlaylistMovies().begin(), h.model.PlaylistMovies().end(), gone) -
        h.model.PlaylistMovies().begin());
    h.model.removeMovie();
    h.settings.Shuffle = true;
    if (inHistory) {
      h.model.previous();
      EXPECT_EQ(h.opened.size(), 2u) << "no earlier movie is left in the list";
      EXPECT_TRUE(h.model.PlayedMovies().empty());
    } else {
      for (int i = 0; i < 5; ++i) h.model.next();
      EXPECT_EQ(h.opened.size(), 3u);
      EXPECT_EQ(std::count(h.opened.begin(), h.opened.end(), gone), 0);
    }
  }
}

TEST(PlaySelectedTest, MissingFilesAreReportedOrSkipped) {
  struct Row {
    bool automatic;      // played not by the user: missing files are skipped
    const char* opened;  // "" none
    std::size_t messages;
  };
  for (const Row& row : {Row{false, "", 1}, Row{true, "/m/2.avi", 0}}) {
    SCOPED_TRACE(row.automatic);
    Harness h;
    h.fill(3);
    h.missing = {"/m/1.avi"};
    h.model.makeCurrent(0);
    if (row.automatic) {
      h.model.select(1);
      h.model.playSelected(false);
    } else {
      h.model.next();
    }
    EXPECT_EQ(h.opened.empty() ? "" : h.opened.back(), std::string(row.opened));
    ASSERT_EQ(h.messages.size(), row.messages);
    if (row.messages) {
      EXPECT_EQ(h.messages[0], "File \"/m/1.avi\" doesn't exist!");
    }
  }
}

TEST(NavigationTest, CurrentEntryFollowsEditsAndSorting) {
  struct Row {
    const char* name;
    void (*edit)(playlist::Playlist&);
    const char* nextPlays;
  };
  // List /m/4.avi, /m/3.avi, /m/0.avi, /m/1.avi, /m/2.avi with row 2 current.
  const Row rows[] = {
      {"RemoveAbove",
       [](playlist::Playlist& p) {
         p.select(0);
         p.removeMovie();
       },
       "/m/1.avi"},
      {"RemoveCurrent",
       [](playlist::Playlist& p) {
         p.select(2);
         p.removeMovie();
       },
       "/m/1.avi"},
      {"MoveCurrentUp",
       [](playlist::Playlist& p) {
         p.select(2);
         p.moveUp(true);
       },
       "/m/3.avi"},
      {"MoveNeighbourDown",
       [](playlist::Playlist& p) {
         p.select(1);
         p.moveDown(false);
       },
       "/m/3.avi"},
      {"Sort", [](playlist::Playlist& p) { p.sortByFileName(); }, "/m/1.avi"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    h.model.addMovies({"/m/4.avi", "/m/3.avi", "/m/0.avi", "/m/1.avi", "/m/2.avi"});
    h.model.makeCurrent(2);
    row.edit(h.model);
    h.model.next();
    ASSERT_FALSE(h.opened.empty());
    EXPECT_EQ(h.opened.back(), row.nextPlays);
  }
}

TEST(NavigationTest, RandomizeKeepsCurrentAndSelectedOnTheirMovies) {
  Harness h;
  h.fill(50);
  h.model.makeCurrent(7);
  h.model.select(20);
  h.model.randomize();
  EXPECT_EQ(h.model.PlaylistMovies()[h.model.CurrentMovieIndex()], "/m/7.avi");
  EXPECT_EQ(h.model.PlaylistMovies()[h.model.selectedIndex()], "/m/20.avi");
  std::vector<std::string> sorted = h.model.PlaylistMovies();
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end());
  EXPECT_EQ(sorted.size(), 50u);
}

}  // namespace
