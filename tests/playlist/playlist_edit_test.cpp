// Row texts, removing entries, dropped files and the subtitle choices.
#include <gtest/gtest.h>

#include <functional>

#include "playlist/file_names.h"
#include "playlist_test_support.h"

namespace {

using playlist_test::Harness;
using playlist_test::TempFolder;
using Lines = std::vector<std::string>;

TEST(RowTextTest, NumbersAreZeroFilledToTheCount) {
  struct Row {
    int count;
    int removed;
    const char* first;
    const char* last;
  };
  for (const Row row :
       {Row{9, 0, "1. 0.avi", "9. 8.avi"}, Row{10, 0, "01. 0.avi", "10. 9.avi"},
        Row{12, 3, "1. 3.avi", "9. 11.avi"}, Row{100, 0, "001. 0.avi", "100. 99.avi"},
        Row{101, 2, "01. 2.avi", "99. 100.avi"}}) {
    SCOPED_TRACE(row.count);
    Harness h;
    h.fill(row.count);
    for (int i = 0; i < row.removed; ++i) {
      h.model.select(0);
      h.model.removeMovie();
    }
    ASSERT_EQ(h.model.movieRows().size(), static_cast<std::size_t>(row.count - row.removed));
    EXPECT_EQ(h.model.movieRows().front(), row.first);
    EXPECT_EQ(h.model.movieRows().back(), row.last);
  }
}

TEST(RemoveTest, RemovingTheLastEntryLeavesNoSubtitleRows) {
  Harness h;
  h.model.addMovies({"/m/a.avi"});
  h.model.select(0);
  ASSERT_EQ(h.model.subtitleRows(), Lines{"Kein Untertitel"});
  h.model.setPlayingFromPlaylist(true);
  h.model.removeMovie();
  EXPECT_TRUE(h.model.subtitleRows().empty());
  EXPECT_EQ(h.model.selectedIndex(), -1);
  EXPECT_FALSE(h.model.PlayingFromPlaylist());
  // A subtitle added now has no entry to go to.
  h.model.addSubtitle("/m/a.srt");
  EXPECT_TRUE(h.model.empty());
  EXPECT_TRUE(h.messages.empty());
}

TEST(AcceptFilesTest, OnlyASingleMplNameLoadsAPlaylist) {
  TempFolder folder;
  const std::string list = "/m/one.avi\r\nNo subtitle\r\n";
  struct Row {
    const char* name;
    int count;  // entries after the drop
  };
  for (const Row row : {Row{"A.MPL", 1}, Row{"a.mpl.mpl", 0}, Row{"a.mplx", 0}}) {
    SCOPED_TRACE(row.name);
    Harness h;
    h.model.acceptFiles({folder.file(row.name, list)}, false);
    EXPECT_EQ(h.model.count(), row.count);
  }
  // Folders and movie files dropped together: each folder sorted on its own.
  folder.file("d/b.avi");
  folder.file("d/A.mkv");
  folder.file("d/c.txt");
  Harness h;
  h.realFiles = true;
  h.model.acceptFiles({folder.file("z.avi"), folder.str() + "d", folder.file("y.txt")}, false);
  EXPECT_EQ(h.model.movieRows(), (Lines{"1. z.avi", "2. A.mkv", "3. b.avi"}));
}

// Every way of adding movies asks for their subtitles once, with all the movies
// of that add in list order, so the search can list each folder once; each movie
// gets its own result.
TEST(AddSubtitleSearchTest, EachAddSearchesOnceForAllItsMovies) {
  TempFolder folder;
  for (const char* name :
       {"d/b.avi", "d/A.mkv", "d/c.txt", "z.avi", "part1.avi", "part2.avi", "part3.avi", "new.avi"})
    folder.file(name);
  const std::string f = folder.str();
  struct Row {
    const char* what;
    std::function<void(playlist::Playlist&)> add;
    Lines searched;  // the one search's movies, in order; empty: no search
    Lines movies;
  };
  const Row rows[] = {
      {"folder", [&](auto& m) { m.addFolderWithMovies(f + "d"); },
       Lines{f + "d/A.mkv", f + "d/b.avi"}, Lines{f + "d/A.mkv", f + "d/b.avi"}},
      {"dropped file and folder",
       [&](auto& m) {
         m.acceptFiles({f + "z.avi", f + "d", f + "d/c.txt"}, false);
       },
       Lines{f + "z.avi", f + "d/A.mkv", f + "d/b.avi"},
       Lines{f + "z.avi", f + "d/A.mkv", f + "d/b.avi"}},
      {"chosen files, one missing",
       [&](auto& m) {
         m.addMovies({f + "z.avi", f + "gone.avi", f + "new.avi"});
       },
       Lines{f + "z.avi", f + "new.avi"}, Lines{f + "z.avi", f + "new.avi"}},
      {"following parts", [&](auto& m) { m.appendFollowingParts(f + "part1.avi"); },
       Lines{f + "part2.avi", f + "part3.avi"}, Lines{f + "part2.avi", f + "part3.avi"}},
      {"one movie", [&](auto& m) { m.addMovie(f + "new.avi"); }, Lines{f + "new.avi"},
       Lines{f + "new.avi"}},
      {"empty folder", [&](auto& m) { m.addFolderWithMovies(f + "none"); }, Lines{}, Lines{}},
  };
  for (const bool autoLoad : {true, false}) {
    for (const Row& row : rows) {
      SCOPED_TRACE(testing::Message() << row.what << (autoLoad ? "" : ", no automatic search"));
      settings::Settings settings;
      settings.AutoLoadSubtitle = autoLoad;
      const texts::InterfaceTexts texts = playlist_test::testTexts();
      std::vector<Lines> searches;
      playlist::PlaylistHooks hooks;
      // Movies whose name holds a "b" or a "2" have a subtitle beside them.
      hooks.searchSubtitles = [&](const Lines& movies) {
        searches.push_back(movies);
        Lines found;
        for (const auto& movie : movies) {
          const std::string name(playlist::fileNamePart(movie));
          const bool has = name.find_first_of("b2") != std::string::npos;
          found.push_back(has ? movie + ".srt" : "");
        }
        return found;
      };
      playlist::Playlist model(settings, texts, hooks);
      row.add(model);
      EXPECT_EQ(model.PlaylistMovies(), row.movies);
      if (autoLoad && !row.searched.empty()) {
        EXPECT_EQ(searches, std::vector<Lines>{row.searched});
      } else {
        EXPECT_TRUE(searches.empty());
      }
      for (std::size_t i = 0; i < model.PlaylistMovies().size(); ++i) {
        const std::string name(playlist::fileNamePart(model.PlaylistMovies()[i]));
        const bool has = autoLoad && name.find_first_of("b2") != std::string::npos;
        EXPECT_EQ(model.PlaylistSubtitles()[i],
                  has ? model.PlaylistMovies()[i] + ".srt" : "No subtitle");
      }
    }
  }
}

struct ChoiceCase {
  const char* name;
  std::vector<const char*> files;  // in the movie's folder, beside movie.avi
  bool subtitleFolderIsMovieFolder;
  Lines rows;  // ListSub rows
};

class SubtitleChoiceTest : public testing::TestWithParam<ChoiceCase> {};

TEST_P(SubtitleChoiceTest, OffersNamesAboveTheThreshold) {
  const ChoiceCase& c = GetParam();
  TempFolder folder;
  Harness h;
  h.realFiles = true;
  const std::string movie = folder.file("movie.avi");
  for (const char* name : c.files) folder.file(name);
  if (c.subtitleFolderIsMovieFolder) h.settings.SubtitleDirectory = folder.str();
  h.model.addMovies({movie});
  h.model.select(0);
  EXPECT_EQ(h.model.subtitleRows(), c.rows);
  EXPECT_EQ(h.model.selectedSubtitleRow(), 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, SubtitleChoiceTest,
                         testing::Values(ChoiceCase{"CloseNameWithFewCandidates",
                                                    {"movie.eng.srt"},
                                                    false,
                                                    {"Kein Untertitel", "movie.eng.srt"}},
                                         ChoiceCase{"TwoCandidates",
                                                    {"movie.eng.srt", "x.sub"},
                                                    false,
                                                    {"Kein Untertitel", "movie.eng.srt"}},
                                         ChoiceCase{"ThreeCandidatesRaiseThreshold",
                                                    {"movie.eng.srt", "x.sub", "y.txt"},
                                                    false,
                                                    {"Kein Untertitel"}},
                                         ChoiceCase{"TwoMoviesRaiseThreshold",
                                                    {"movie.eng.srt", "other.mkv"},
                                                    false,
                                                    {"Kein Untertitel"}},
                                         ChoiceCase{
                                             "ExactNameAlwaysOffered",
                                             {"movie.srt", "movie.eng.srt", "x.sub", "other.mkv"},
                                             false,
                                             {"Kein Untertitel", "movie.srt"}},
                                         ChoiceCase{"FailingCheckSkipped",
                                                    {"moviebad.srt", "Movie.SUB"},
                                                    false,
                                                    {"Kein Untertitel", "Movie.SUB"}},
                                         ChoiceCase{"SameFolderCountedOnce",
                                                    {"movie.eng.srt", "x.sub"},
                                                    true,
                                                    {"Kein Untertitel", "movie.eng.srt"}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SubtitleChoiceTest, ChoosingAndAddingSubtitles) {
  TempFolder folder;
  Harness h;
  h.realFiles = true;
  const std::string movie = folder.file("film.avi");
  const std::string srt = folder.file("film.srt");
  h.model.addMovies({movie});
  h.model.select(0);
  ASSERT_EQ(h.model.SubtitleCandidates(), Lines{srt});
  h.model.chooseSubtitle(1);
  EXPECT_EQ(h.model.PlaylistSubtitles()[0], srt);
  h.model.addSubtitle(folder.str() + "FILM.SRT");
  h.model.addSubtitle(folder.str() + "bad.srt");
  EXPECT_EQ(h.messages, (Lines{"Subtitle already loaded!", "Bad subtitle!"}));
  h.model.addSubtitle(folder.str() + "extra.ssa");
  EXPECT_EQ(h.model.PlaylistSubtitles()[0], folder.str() + "extra.ssa");
  EXPECT_EQ(h.model.selectedSubtitleRow(), 1);
  h.model.chooseSubtitle(0);
  EXPECT_EQ(h.model.PlaylistSubtitles()[0], "No subtitle");
}

}  // namespace
