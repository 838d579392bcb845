// File-name rules: next parts, the subtitle name score, the folder scan and
// the name sort.
#include <gtest/gtest.h>

#include <filesystem>

#include "playlist/file_names.h"
#include "playlist_test_support.h"

namespace {

using playlist_test::TempFolder;

struct PartCase {
  std::vector<const char*> files;  // files[0] is the movie
  const char* next;                // "" = no next part
};

class NextPartTest : public testing::TestWithParam<PartCase> {};

TEST_P(NextPartTest, FindsTheFollowingFile) {
  TempFolder folder;
  for (const char* name : GetParam().files) folder.file(name);
  const auto exists = [](const std::string& p) { return std::filesystem::is_regular_file(p); };
  const auto next = playlist::nextPart(folder.str() + GetParam().files[0], exists);
  const std::string expected = *GetParam().next ? folder.str() + GetParam().next : "";
  EXPECT_EQ(next.value_or(""), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NextPartTest,
    testing::Values(
        PartCase{{"movie.cd1.avi", "movie.cd2.avi"}, "movie.cd2.avi"},
        PartCase{{"part09.avi", "part10.avi"}, "part10.avi"},
        PartCase{{"x007.avi", "x008.avi"}, "x008.avi"},
        PartCase{{"x99.avi", "x100.avi"}, "x100.avi"},
        PartCase{{"Film part 9.avi", "Film part 10.avi"}, "Film part 10.avi"},
        PartCase{{"a12345.avi", "a12346.avi"}, "a12346.avi"},
        PartCase{{"a123456.avi", "a123457.avi"}, ""},
        PartCase{{"Movie I.avi", "Movie II.avi"}, "Movie II.avi"},
        PartCase{{"Movie I.avi", "Movie J.avi", "Movie II.avi"}, "Movie J.avi"},
        PartCase{{"Movie II.avi", "Movie III.avi"}, "Movie III.avi"}, PartCase{{"Movie I.avi"}, ""},
        PartCase{{"movieA.avi", "movieB.avi"}, "movieB.avi"},
        PartCase{{"moviez.avi", "movie{.avi"}, ""}, PartCase{{"ab-x.avi", "ac-x.avi"}, "ac-x.avi"},
        PartCase{{"s19e.avi", "s20e.avi"}, "s20e.avi"}, PartCase{{"noext9", "noext10"}, "noext10"},
        PartCase{{"film.avi"}, ""}, PartCase{{".avi", "a.avi", "b.avi"}, ""}));

TEST(FollowingPartsTest, AppendsEveryPartWithoutRenumbering) {
  TempFolder folder;
  playlist_test::Harness h;
  h.realFiles = true;
  std::vector<std::string> movies;
  for (int i = 0; i < 8; ++i) movies.push_back(folder.file("other" + std::to_string(i) + ".mkv"));
  const std::string first = folder.file("m.cd1.avi");
  movies.push_back(first);
  h.model.addMovies(movies);
  movies.push_back(folder.file("m.cd2.avi"));
  movies.push_back(folder.file("m.cd3.avi"));
  h.model.appendFollowingParts(first);
  EXPECT_EQ(h.model.PlaylistMovies(), movies);
  const auto& rows = h.model.movieRows();
  ASSERT_EQ(rows.size(), 11u);
  EXPECT_EQ(rows[0], "1. other0.mkv");
  EXPECT_EQ(rows[9], "10. m.cd2.avi");
  EXPECT_EQ(rows[10], "11. m.cd3.avi");
}

TEST(SubtitleScoreTest, ScoresNamesAgainstTheMovie) {
  struct Row {
    const char* subtitle;
    const char* movie;
    double score;
  };
  const Row rows[] = {
      {"movie", "movie", 100},
      {"Movie", "movie", 95},
      {"movie.eng", "movie", 1000.0 / 15},
      {"MOVIE", "movie", 75},
      {"Film.eng", "Film", 800.0 / 13},
      {"other", "movie", 0},
      {"", "", 0},
      {"\xC5\xBDluť", "\xC5\xBEluť", 1125.0 / 12},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.subtitle) + " / " + row.movie);
    EXPECT_NEAR(playlist::subtitleMatchScore(row.subtitle, row.movie), row.score, 1e-9);
  }
}

TEST(FolderScanTest, FindsMoviesOnceEvenThroughLinkLoops) {
  TempFolder folder;
  folder.file("b.AVI");
  folder.file("noextension");
  folder.file("notes.txt");
  folder.file("sub/a.mkv");
  folder.file(".hidden/c.avi");
  std::filesystem::create_directory_symlink(folder.str(), folder.str() + "sub/loop");
  std::vector<std::string> found = playlist::scanFolder(folder.str(), {"avi", "mkv"});
  std::vector<std::string> names;
  for (const std::size_t i : playlist::nameSortOrder(found)) {
    names.emplace_back(playlist::fileNamePart(found[i]));
  }
  EXPECT_EQ(names, (std::vector<std::string>{"a.mkv", "b.AVI"}));
}

TEST(NameSortTest, OrdersByFileNameIgnoringCaseAndFolders) {
  const std::vector<std::string> paths = {"/z/b.avi", "/a/C.avi",          "/y/a.avi",
                                          "/x/B.avi", "/w/\xC3\x81gi.avi", "/v/\xC3\xA1gi.avi"};
  std::vector<std::string> sorted;
  for (const std::size_t i : playlist::nameSortOrder(paths)) sorted.push_back(paths[i]);
  // Equal names keep their order; Á and á fold together.
  EXPECT_EQ(sorted, (std::vector<std::string>{"/y/a.avi", "/z/b.avi", "/x/B.avi", "/a/C.avi",
                                              "/w/\xC3\x81gi.avi", "/v/\xC3\xA1gi.avi"}));
}

}  // namespace
