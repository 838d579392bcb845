// Subtitle discovery on real folders, the name score and threshold, attaching a
// chosen or dropped subtitle, and the engine element guard.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "texts/built_in_texts.h"
#include "subtitles/subtitle_search.h"

namespace fs = std::filesystem;

namespace subtitles {
namespace {

const char* kValidSubtitle = "{0}{25}One\n{50}{75}Two\n{100}{125}Three\n";

class FolderTest : public testing::Test {
 protected:
  FolderTest() {
    root_ =
        fs::temp_directory_path() / ("subtitle_search_" + std::to_string(::getpid()) + "_" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "m");
    fs::create_directories(root_ / "s");
  }
  ~FolderTest() override { fs::remove_all(root_); }
  // "m/Name" or "s/Name"; a trailing "!" writes a file that is not a subtitle, a
  // trailing "?" notes that read as a subtitle format but hold no entry.
  void add(std::string name) {
    const char mark = name.back();
    if (mark == '!' || mark == '?') name.pop_back();
    std::string notes;
    for (int i = 0; i < 20; ++i) notes += "Notes on the film, line " + std::to_string(i) + "\n";
    std::ofstream(root_ / name, std::ios::binary) << (mark == '!'   ? "\x01\x02\x03\x04\x05\x06 ab"
                                                      : mark == '?' ? notes
                                                                    : kValidSubtitle);
  }
  fs::path root_;
};

TEST_F(FolderTest, SearchFindsBestCheckedCandidate) {
  struct Row {
    const char* what;
    std::vector<std::string> files;
    std::string expected;  // "" for none
    bool searchHereFirst = false;
    const char* subtitleDirectory = "s";
  };
  const std::vector<Row> rows = {
      {"identical name wins", {"m/Film.srt", "m/Other.srt"}, "m/Film.srt"},
      {"unrelated name only", {"m/Other.srt"}, ""},
      {"longer name, one candidate", {"m/Film.eng.srt"}, "m/Film.eng.srt"},
      {"longer name, two candidates", {"m/Film.eng.srt", "m/Other.srt"}, "m/Film.eng.srt"},
      {"longer name, three candidates", {"m/Film.eng.srt", "m/A.srt", "s/B.srt"}, ""},
      {"longer name, two movies", {"m/Film2.avi", "m/Film.eng.srt"}, ""},
      {"identical name, two movies", {"m/Film2.AVI", "m/Film.srt"}, "m/Film.srt"},
      {"subtitle folder first", {"m/Film.srt", "s/Film.srt"}, "s/Film.srt", true},
      {"movie folder first", {"m/Film.srt", "s/Film.srt"}, "m/Film.srt"},
      {"failing best is skipped", {"m/Film.srt!", "m/Film.eng.srt"}, "m/Film.eng.srt"},
      {"nothing passes", {"m/Film.srt!"}, ""},
      {"notes named like the movie lose to a subtitle",
       {"m/Film.txt?", "m/Film.eng.srt"},
       "m/Film.eng.srt"},
      {"extension letter case", {"m/film.SRT"}, "m/film.SRT"},
      {"sub before txt", {"m/Film.txt", "m/Film.sub"}, "m/Film.sub"},
      {"subtitle folder is the movie folder",
       {"m/Film.eng.srt", "m/Other.srt"},
       "m/Film.eng.srt",
       false,
       "m"},
      {"missing subtitle folder", {"m/Film.srt"}, "m/Film.srt", true, "gone"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    for (const char* dir : {"m", "s"}) {
      fs::remove_all(root_ / dir);
      fs::create_directories(root_ / dir);
    }
    std::ofstream(root_ / "m" / "Film.avi") << "movie";
    for (const auto& f : r.files) add(f);
    settings::Settings s;
    s.SearchHereFirst = r.searchHereFirst;
    s.SubtitleDirectory = (root_ / r.subtitleDirectory).string();
    const std::string found = SearchSubtitle((root_ / "m" / "Film.avi").string(), s);
    if (r.expected.empty()) {
      EXPECT_EQ(found, "");
    } else {
      EXPECT_EQ(fs::path(found).lexically_normal(), (root_ / r.expected).lexically_normal());
    }
  }
}

// The search for all movies of one add lists each folder once, yet must give
// every movie exactly what its own search gives.
TEST_F(FolderTest, BatchSearchGivesEachMovieItsOwnResult) {
  struct Row {
    const char* what;
    std::vector<std::string> files;  // movies (".avi", ".mkv") and subtitles, as for add()
    bool searchHereFirst = false;
    const char* subtitleDirectory = "s";
  };
  const std::vector<Row> rows = {
      {"one folder, many movies",
       {"m/Film.avi", "m/Film2.avi", "m/Other.mkv", "m/Film.srt", "m/Film2.eng.srt",
        "m/Other.sub"}},
      {"failing candidates shared by movies",
       {"m/Film.avi", "m/Film2.avi", "m/Film.srt!", "m/Film2.srt!", "m/Film.txt?", "m/Film 2.srt"}},
      {"one movie, longer names", {"m/Film.avi", "m/Film.eng.srt", "s/Other.srt"}},
      {"longer name under the threshold",
       {"m/Film.avi", "m/A.avi", "m/Film.eng.srt", "m/A.srt", "s/B.srt"}},
      {"two movie folders",
       {"m/Film.avi", "m/Film.srt", "m/x/Film.avi", "m/x/Film.eng.srt", "m/y/Clip.avi",
        "m/y/Film.srt", "s/Clip.srt"}},
      {"subtitle folder first",
       {"m/Film.avi", "m/Film2.avi", "m/Film.srt", "s/Film.srt", "s/Film2.srt!"},
       true},
      {"subtitle folder is a movie folder",
       {"m/Film.avi", "m/Film.eng.srt", "m/Other.srt", "m/x/Film.avi", "m/x/Film.srt"},
       false,
       "m"},
      {"missing subtitle folder", {"m/Film.avi", "m/x/Other.avi", "m/Film.srt"}, true, "gone"},
      {"letter case and extensions",
       {"m/film.AVI", "m/FILM.mkv", "m/film.SRT", "m/Film.ssa", "m/FILM.txt"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    for (const char* dir : {"m", "s"}) {
      fs::remove_all(root_ / dir);
      fs::create_directories(root_ / dir);
    }
    std::vector<std::string> movies;
    for (const auto& f : r.files) {
      fs::create_directories((root_ / f).parent_path());
      const std::string extension = fs::path(f).extension().string();
      if (extension == ".avi" || extension == ".AVI" || extension == ".mkv") {
        std::ofstream(root_ / f) << "movie";
        movies.push_back((root_ / f).string());
      } else {
        add(f);
      }
    }
    settings::Settings s;
    s.SearchHereFirst = r.searchHereFirst;
    s.SubtitleDirectory = (root_ / r.subtitleDirectory).string();
    std::vector<std::string> oneByOne;
    for (const auto& movie : movies) oneByOne.push_back(SearchSubtitle(movie, s));
    EXPECT_NE(std::count(oneByOne.begin(), oneByOne.end(), ""),
              static_cast<std::ptrdiff_t>(oneByOne.size()));
    EXPECT_EQ(SearchSubtitles(movies, s), oneByOne);
    // The same movie twice in one add, and in another order, changes nothing.
    std::vector<std::string> twice(movies.rbegin(), movies.rend());
    twice.insert(twice.end(), movies.begin(), movies.end());
    std::vector<std::string> expected(oneByOne.rbegin(), oneByOne.rend());
    expected.insert(expected.end(), oneByOne.begin(), oneByOne.end());
    EXPECT_EQ(SearchSubtitles(twice, s), expected);
  }
}

TEST(NameScoreTest, ComparesFromBothEnds) {
  struct Row {
    const char* candidate;
    const char* movie;
    double score;
    bool playlistWeights = false;
  };
  for (const Row& r : std::vector<Row>{{"Film", "Film", 100},
                                       {"film", "FILM", 50},
                                       {"Film.eng", "Film", 800.0 / 13},
                                       {"Other", "Film", 0},
                                       {"\xC4\x8D"
                                        "aj",
                                        "\xC4\x8C"
                                        "aj",
                                        750.0 / 9},
                                       {"", "Film", 0},
                                       {"a", "a", 100},
                                       {"Movie", "movie", 95, true},
                                       {"movie.eng", "movie", 1000.0 / 15, true}}) {
    SCOPED_TRACE(testing::Message() << r.candidate << " / " << r.movie);
    const MatchWeights weights =
        r.playlistWeights ? MatchWeights{200, 150, 100, 75} : MatchWeights{};
    EXPECT_NEAR(subtitleNameScore(r.candidate, r.movie, weights), r.score, 1e-9);
  }
}

TEST(NameScoreTest, ThresholdFollowsMoviesAndCandidates) {
  struct Row {
    int movies;
    std::size_t candidates;
    double threshold;
  };
  for (const Row& r : std::vector<Row>{{0, 0, 25},
                                       {1, 1, 25},
                                       {1, 2, 50},
                                       {0, 3, 75.2623},
                                       {1, 9, 75.2623},
                                       {2, 0, 75},
                                       {2, 9, 75}}) {
    SCOPED_TRACE(testing::Message() << r.movies << " movies, " << r.candidates << " candidates");
    EXPECT_NEAR(searchThreshold(r.movies, r.candidates), r.threshold, 1e-3);
  }
  for (auto [path, base] :
       std::vector<std::pair<const char*, const char*>>{{"/a/b/Film.avi", "Film"},
                                                        {"Film", "Film"},
                                                        {"/a.b/Film", "Film"},
                                                        {"x.tar.gz", "x.tar"}}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(baseNameOf(path), base);
  }
}

TEST_F(FolderTest, DropTakesOneExistingSubtitleWhileMovieOpen) {
  add("m/x.SRT");
  fs::create_directories(root_ / "m" / "dir.srt");
  std::ofstream(root_ / "m" / "clip.avi") << "movie";
  const std::string sub = (root_ / "m" / "x.SRT").string();
  struct Row {
    std::vector<std::string> paths;
    bool movieOpen, subtitle;
  };
  for (const Row& r : std::vector<Row>{{{sub}, true, true},
                                       {{sub}, false, false},
                                       {{sub, sub}, true, false},
                                       {{(root_ / "m" / "none.srt").string()}, true, false},
                                       {{(root_ / "m" / "clip.avi").string()}, true, false},
                                       {{(root_ / "m" / "dir.srt").string()}, true, false}}) {
    SCOPED_TRACE(testing::Message() << r.paths.front() << (r.movieOpen ? " open" : ""));
    EXPECT_EQ(isDroppedSubtitle(r.paths, r.movieOpen), r.subtitle);
  }
  EXPECT_TRUE(canOpenSubtitle(false, true));
  EXPECT_FALSE(canOpenSubtitle(true, true));
  EXPECT_FALSE(canOpenSubtitle(false, false));
}

TEST_F(FolderTest, AttachLoadsAndReportsLikeTheOpenDialog) {
  add("m/good.srt");
  add("m/bad.srt!");
  const settings::Settings s;
  const auto& t = texts::builtInTexts();
  SubtitleStore store;
  store.setSubtitlesEnabled(false);
  AttachResult r = attachSubtitle(store, (root_ / "m" / "good.srt").string(), false, s, t, 25);
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.label, "good.srt");
  EXPECT_TRUE(r.clearMovieMode);
  EXPECT_TRUE(store.SubtitleLoaded());
  EXPECT_TRUE(store.SubtitlesEnabled());
  EXPECT_EQ(store.CurrentSubtitleFile(), (root_ / "m" / "good.srt").string());
  r = attachSubtitle(store, (root_ / "m" / "good.srt").string(), true, s, t, 25);
  EXPECT_FALSE(r.clearMovieMode);  // a subtitle was loaded before
  for (bool silent : {false, true}) {
    SCOPED_TRACE(silent);
    r = attachSubtitle(store, (root_ / "m" / "bad.srt").string(), silent, s, t, 25);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, silent ? "" : "This is not a text!");
    EXPECT_FALSE(store.SubtitleLoaded());
    EXPECT_TRUE(store.entries().empty());
  }
}

TEST(SelectFilterTest, GuardsAgainstEngineSubtitleRenderers) {
  struct Row {
    const char* name;
    const char* klass;
    bool disable, loaded;
    bool allow;
    std::optional<bool> enabled;
  };
  for (const Row& r : std::vector<Row>{
           {"DirectVobSub (auto-loading version)", "", true, true, false, true},
           {"DivXG400", "", false, true, true, false},
           {"DivXG400", "", false, false, true, true},
           {"textoverlay", "Mixer/Video/Overlay/Subtitle", true, false, false, true},
           {"assrender", "Mixer/Video/Overlay/Subtitle", false, true, true, false},
           {"dvdspu", "Mixer/Video/Overlay/SubPicture/DVD/Bluray", true, true, false, true},
           {"subtitleoverlay", "Video/Overlay/Subtitle", true, true, false, true},
           {"avdec_h264", "Codec/Decoder/Video", true, true, true, std::nullopt},
           {"subparse", "Codec/Parser/Subtitle", true, true, true, std::nullopt},
           {"videobalance", "Filter/Effect/Video", false, true, true, std::nullopt}}) {
    SCOPED_TRACE(testing::Message()
                 << r.name << (r.disable ? " disabled" : "") << (r.loaded ? " loaded" : ""));
    const FilterVerdict v = SelectFilter(r.name, r.klass, r.disable, r.loaded);
    EXPECT_EQ(v.allow, r.allow);
    EXPECT_EQ(v.subtitlesEnabled, r.enabled);
  }
}

}  // namespace
}  // namespace subtitles
