// The profiles editor's list and deletions on the store, without a window.
#include "moviememory/profiles_session.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace moviememory {
namespace {

// A store loaded from a remembered-settings file with these sections (a
// hand-edited file can hold names that differ only in case).
class ProfilesSessionTest : public testing::Test {
 protected:
  ProfilesSessionTest() {
    char pattern[] = "/tmp/tarvelino-profiles-XXXXXX";
    if (mkdtemp(pattern)) folder_ = pattern;
  }
  ~ProfilesSessionTest() override {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  void load(const std::vector<std::string>& sections) {
    std::ofstream out(file(), std::ios::binary);
    for (const std::string& name : sections) out << "[" << name << "]\r\nLastAccessed=0\r\n";
    out.close();
    ASSERT_EQ(store_.load(file(), MovieRecord{}), LoadResult::Loaded);
  }
  std::string file() const { return (folder_ / "Tarvelino.rs").string(); }
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const MovieRecord& r : store_.records()) out.push_back(r.Name);
    return out;
  }

  std::filesystem::path folder_;
  MovieMemory store_;
};

TEST_F(ProfilesSessionTest, RowsAreSortedWithoutRegardToCase) {
  load({"zeta.avi", "Alpha.mkv", "beta.avi", "movie.avi", "Movie.avi"});
  ProfilesSession session(store_, "");
  EXPECT_EQ(session.rows(), (std::vector<std::string>{"Alpha.mkv", "beta.avi", "movie.avi",
                                                      "Movie.avi", "zeta.avi"}));
}

// Two files that differ only in case are two movies on Linux: deleting a row
// deletes the record that row shows, never the other movie's.
TEST_F(ProfilesSessionTest, DeletingRowsRemovesTheRecordsTheyShow) {
  struct Case {
    std::vector<int> selected;
    int focused;
    std::vector<std::string> left;
    int focusAfter;
  };
  const Case cases[] = {
      // rows: b.avi, movie.avi, Movie.avi
      {{2}, 2, {"movie.avi", "b.avi"}, 1},
      {{1}, 1, {"Movie.avi", "b.avi"}, 1},
      {{0, 2}, 0, {"movie.avi"}, 0},
      {{0, 1, 2}, 1, {}, -1},
      {{1}, -1, {"movie.avi", "Movie.avi", "b.avi"}, -1},  // no focused row: nothing
      {{}, 0, {"movie.avi", "Movie.avi", "b.avi"}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.selected) + " focus " + std::to_string(c.focused));
    load({"movie.avi", "Movie.avi", "b.avi"});
    ProfilesSession session(store_, "");
    EXPECT_EQ(session.deleteSelected(c.selected, c.focused), c.focusAfter);
    EXPECT_EQ(names(), c.left);
    EXPECT_EQ(session.rows().size(), c.left.size());
    EXPECT_EQ(session.changed(), c.left.size() != 3);
  }
}

TEST_F(ProfilesSessionTest, OpenMovieRecordGoneAfterDeletion) {
  load({"a.avi", "b.avi"});
  ProfilesSession none(store_, "");
  none.deleteAll();
  EXPECT_FALSE(none.openMovieRecordGone());  // no movie open

  load({"a.avi", "b.avi"});
  ProfilesSession session(store_, "/films/B.AVI");
  EXPECT_FALSE(session.openMovieRecordGone());  // found without regard to case
  session.deleteSelected({0}, 0);
  EXPECT_FALSE(session.openMovieRecordGone());
  session.deleteSelected({0}, 0);
  EXPECT_TRUE(session.openMovieRecordGone());
}

TEST_F(ProfilesSessionTest, DeleteAllOfAnEmptyStoreChangesNothing) {
  ProfilesSession session(store_, "");
  session.deleteAll();
  EXPECT_FALSE(session.changed());
  load({"a.avi"});
  ProfilesSession full(store_, "");
  full.deleteAll();
  EXPECT_TRUE(full.changed());
  EXPECT_EQ(store_.size(), 0u);
}

}  // namespace
}  // namespace moviememory
