// Playlist files: reading and writing ".mpl", the automatic playlist, and
// loads that must not lose the list.
#include <gtest/gtest.h>

#include <random>

#include "playlist/playlist_file.h"
#include "playlist_test_support.h"

namespace {

using playlist_test::Harness;
using playlist_test::readAll;
using playlist_test::TempFolder;
using Lines = std::vector<std::string>;

struct FileCase {
  const char* name;
  std::string bytes;
  Lines movies;
  Lines subtitles;
};

class MplReadTest : public testing::TestWithParam<FileCase> {};

TEST_P(MplReadTest, ReadsPairsAndWritesThemBackInCanonicalForm) {
  const FileCase& c = GetParam();
  TempFolder folder;
  Harness h;
  ASSERT_EQ(h.model.loadFromList(folder.file("in.mpl", c.bytes), false, true),
            playlist::LoadResult::Loaded);
  EXPECT_EQ(h.model.PlaylistMovies(), c.movies);
  EXPECT_EQ(h.model.PlaylistSubtitles(), c.subtitles);
  EXPECT_TRUE(h.messages.empty());
  // Written with CR LF after every line, read back unchanged.
  const std::string out = folder.str() + "out.mpl";
  ASSERT_TRUE(h.model.savePlaylist(out, false));
  std::string expected;
  for (std::size_t i = 0; i < c.movies.size(); ++i) {
    expected += c.movies[i] + "\r\n" + c.subtitles[i] + "\r\n";
  }
  EXPECT_EQ(readAll(out), expected);
  Harness again;
  again.model.loadFromList(out, false, true);
  EXPECT_EQ(again.model.PlaylistMovies(), c.movies);
  EXPECT_EQ(again.model.PlaylistSubtitles(), c.subtitles);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MplReadTest,
    testing::Values(
        FileCase{"CrLf",
                 "/a.avi\r\n/a.srt\r\n/b.avi\r\nNo subtitle\r\n",
                 {"/a.avi", "/b.avi"},
                 {"/a.srt", "No subtitle"}},
        FileCase{"Lf", "/a.avi\n/a.srt\n", {"/a.avi"}, {"/a.srt"}},
        FileCase{"MissingLastLineEnd", "/a.avi\r\n/a.srt", {"/a.avi"}, {"/a.srt"}},
        FileCase{"OddLineCount",
                 "/a.avi\r\ns\r\n/c.avi\r\n",
                 {"/a.avi", "/c.avi"},
                 {"s", "No subtitle"}},
        FileCase{"NonAscii",
                 "/F\xC3\xADlmy/\xC5\xBDlu\xC5\xA5ou\xC4\x8Dk\xC3\xBD.avi\r\n/t/\xC3\xBC.srt\r\n",
                 {"/F\xC3\xADlmy/\xC5\xBDlu\xC5\xA5ou\xC4\x8Dk\xC3\xBD.avi"},
                 {"/t/\xC3\xBC.srt"}},
        FileCase{"LoneCrDropped", "/a\r.avi\r\nx\r\n", {"/a.avi"}, {"x"}},
        FileCase{"CtrlZEndsFile", "/a.avi\r\nx\r\n\x1A/b.avi\r\ny\r\n", {"/a.avi"}, {"x"}},
        FileCase{"ByteOrderMarkSkipped", "\xEF\xBB\xBF/a.avi\r\nx\r\n", {"/a.avi"}, {"x"}},
        FileCase{"EmptyLinesAreEntries", "\r\n\r\n", {""}, {""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MplLimitTest, SizeAndLineLimits) {
  struct Row {
    const char* name;
    int entriesBefore;
    std::size_t bytes;  // file of "/x.avi" + "s" pairs padded to this size, 0 = 1500 entries
    playlist::LoadResult result;
    bool replace;
    int countAfter;
  };
  const Row rows[] = {
      {"OneByteBelowLimitIsRead", 0, playlist::kMaxPlaylistFileBytes - 1,
       playlist::LoadResult::Loaded, true, 1},
      {"AppendAtLimitRefusedListKept", 3, playlist::kMaxPlaylistFileBytes,
       playlist::LoadResult::TooBig, false, 3},
      {"ReplaceAtAppendLimitIsRead", 3, playlist::kMaxPlaylistFileBytes,
       playlist::LoadResult::Loaded, true, 1},
      {"LongListReplacedWhole", 3, 0, playlist::LoadResult::Loaded, true, 1500},
      {"AppendTo999ReadsTwoLines", 999, 0, playlist::LoadResult::Loaded, false, 1000},
      {"AppendToThousandReadsNothing", 1000, 0, playlist::LoadResult::Loaded, false, 1000},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder folder;
    Harness h;
    h.fill(row.entriesBefore);
    std::string bytes;
    if (row.bytes == 0) {
      for (int i = 0; i < 1500; ++i) bytes += "/l/" + std::to_string(i) + ".avi\r\ns\r\n";
    } else {
      bytes = "/x.avi\r\n" + std::string(row.bytes - 10, 's') + "\r\n";
    }
    EXPECT_EQ(h.model.loadFromList(folder.file("l.mpl", bytes), true, row.replace), row.result);
    EXPECT_EQ(h.model.count(), row.countAfter);
  }
  // A replacing load refuses only what is larger than any list the player writes.
  for (const std::uintmax_t size :
       {playlist::kMaxReplacingPlaylistFileBytes - 1, playlist::kMaxReplacingPlaylistFileBytes}) {
    TempFolder folder;
    Harness h;
    h.fill(2);
    const std::string file = folder.file("huge.mpl", "/x.avi\r\ns\r\n\x1A");
    std::filesystem::resize_file(file, size);  // sparse: nothing is written
    const bool refused = size == playlist::kMaxReplacingPlaylistFileBytes;
    EXPECT_EQ(h.model.loadFromList(file, true, true),
              refused ? playlist::LoadResult::TooBig : playlist::LoadResult::Loaded);
    EXPECT_EQ(h.model.count(), refused ? 2 : 1);
  }
}

// Whatever the player saves it reads back whole at the next start, however
// long the list and its paths are.
TEST(AutomaticPlaylistTest, WhatIsSavedComesBackWhole) {
  const std::string longest = "/" + std::string(playlist::kMaxStoredPathBytes - 1, 'p');
  struct Row {
    const char* name;
    std::size_t entries;
    std::size_t pathBytes;  // each path padded to about this length
    std::size_t entriesBack;
  };
  const Row rows[] = {
      {"OverTheAppendByteLimit", 20000, 100, 20000},
      {"LongestPaths", 300, playlist::kMaxStoredPathBytes, 300},
      {"TooLongPathsLeftOut", 3, playlist::kMaxStoredPathBytes + 1, 0},
      {"MoreThanTheEntryLimit", playlist::kMaxPlaylistEntries + 1, 20,
       playlist::kMaxPlaylistEntries},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder folder;
    const std::string data = folder.str() + "data";
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < row.entries; ++i) {
      std::string path = "/m/" + std::to_string(i) + ".avi";
      path.insert(3, row.pathBytes - std::min(row.pathBytes, path.size()), 'x');
      paths.push_back(std::move(path));
    }
    Harness saved;
    saved.model.addMovies(paths);
    saved.model.makeCurrent(1);
    saved.model.saveAutomaticPlaylist(data, "Tarvelino");
    Harness loaded;
    loaded.settings.LastMovieSelectedInPlaylist = saved.settings.LastMovieSelectedInPlaylist;
    loaded.model.loadAutomaticPlaylist(data, "Tarvelino");
    paths.resize(row.entriesBack);
    EXPECT_TRUE(loaded.model.PlaylistMovies() == paths) << loaded.model.count();
    EXPECT_EQ(loaded.model.CurrentMovieIndex(), row.entriesBack > 1 ? 1 : -1);
    EXPECT_FALSE(std::filesystem::exists(data + "/Tarvelino.mpl.bak"));
  }
}

TEST(MplLoadTest, FailedReplaceKeepsTheList) {
  TempFolder folder;
  for (const std::string& path : {folder.str() + "missing.mpl", folder.str()}) {
    SCOPED_TRACE(path);
    Harness h;
    h.fill(4);
    h.model.makeCurrent(2);
    EXPECT_EQ(h.model.loadFromList(path, false, true), playlist::LoadResult::CannotOpen);
    EXPECT_EQ(h.model.count(), 4);
    EXPECT_EQ(h.model.CurrentMovieIndex(), 2);
    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0], "Error opening \"" + path + "\"!");
  }
}

TEST(MplWriteTest, LineBreaksInPathsNeverBreakThePairing) {
  TempFolder folder;
  Harness h;
  h.model.addMovies({"/ok1.avi", "/bad\r\nname.avi", "/ok2.avi", "/x\x1A.avi", "/ok3.avi"});
  const std::string out = folder.str() + "o.mpl";
  ASSERT_TRUE(h.model.savePlaylist(out, true));
  Harness again;
  again.model.loadFromList(out, true, true);
  EXPECT_EQ(again.model.PlaylistMovies(), (Lines{"/ok1.avi", "/ok2.avi", "/ok3.avi"}));
  EXPECT_EQ(again.model.PlaylistSubtitles(), Lines(3, "No subtitle"));
}

TEST(MplWriteTest, PathsStartingWithAByteOrderMarkSurviveTheRoundTrip) {
  const std::string bom = "\xEF\xBB\xBF";
  struct Row {
    const char* name;
    Lines movies;
    std::string fileStart;
  } rows[] = {
      {"FirstPath", {bom + "/a.avi", "/b.avi"}, bom + bom + "/a.avi\r\n"},
      {"FirstPathWithTwoMarks", {bom + bom + "/a.avi"}, bom + bom + bom + "/a.avi\r\n"},
      {"LaterPathOnly", {"/a.avi", bom + "/b.avi"}, "/a.avi\r\n"},
      {"FirstWrittenPath", {"/bad\n.avi", bom + "/b.avi"}, bom + bom + "/b.avi\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder folder;
    Harness h;
    h.model.addMovies(row.movies);
    const std::string out = folder.str() + "bom.mpl";
    ASSERT_TRUE(h.model.savePlaylist(out, true));
    EXPECT_EQ(readAll(out).substr(0, row.fileStart.size()), row.fileStart);
    Harness again;
    again.model.loadFromList(out, true, true);
    Lines expected;
    for (const std::string& movie : row.movies)
      if (playlist::storableInPlaylistFile(movie)) expected.push_back(movie);
    EXPECT_EQ(again.model.PlaylistMovies(), expected);
  }
}

TEST(MplFuzzTest, ArbitraryBytesKeepTheListsPaired) {
  std::mt19937 random(7);
  const std::string alphabet = std::string("ab/.\r\n\x1A\xEF\xBB\xBF\x00", 11);
  TempFolder folder;
  for (int round = 0; round < 300; ++round) {
    std::string bytes(random() % 200, '\0');
    for (char& c : bytes) c = round % 2 ? static_cast<char>(random()) : alphabet[random() % 11];
    Harness h;
    h.fill(round % 3);
    h.model.loadFromList(folder.file("f.mpl", bytes), true, round % 4 == 0);
    ASSERT_EQ(h.model.PlaylistMovies().size(), h.model.PlaylistSubtitles().size());
    ASSERT_EQ(h.model.movieRows().size(), h.model.PlaylistMovies().size());
  }
}

TEST(AutomaticPlaylistTest, SurvivesARunAndKeepsAnUnreadableFile) {
  TempFolder folder;
  const std::string data = folder.str() + "data";
  const std::string file = playlist::Playlist::automaticPlaylistPath(data, "Tarvelino");
  EXPECT_EQ(file, data + "/Tarvelino.mpl");
  {
    Harness h;
    h.fill(3);
    h.model.makeCurrent(1);
    ASSERT_TRUE(h.model.saveAutomaticPlaylist(data, "Tarvelino"));
    EXPECT_EQ(h.settings.LastMovieSelectedInPlaylist, 2);
  }
  struct Row {
    int lastSelected;
    int current;
  };
  for (const Row row : {Row{2, 1}, Row{0, -1}, Row{9, 2}, Row{-4, -1}}) {
    SCOPED_TRACE(row.lastSelected);
    Harness h;
    h.settings.LastMovieSelectedInPlaylist = row.lastSelected;
    h.model.loadAutomaticPlaylist(data, "Tarvelino");
    EXPECT_EQ(h.model.count(), 3);
    EXPECT_EQ(h.model.CurrentMovieIndex(), row.current);
    EXPECT_EQ(h.settings.LastMovieSelectedInPlaylist, row.current + 1);
  }
  // A file the player cannot read is kept beside the new one, not deleted, and
  // a later damaged start keeps its file as another copy.
  const std::string copies[] = {file + ".bak", file + ".1.bak", file + ".2.bak"};
  for (int start = 0; start < 3; ++start) {
    SCOPED_TRACE(start);
    const std::string marker = "damaged " + std::to_string(start);
    folder.file("data/Tarvelino.mpl", marker);
    std::filesystem::resize_file(file, playlist::kMaxReplacingPlaylistFileBytes);
    Harness h;
    h.model.loadAutomaticPlaylist(data, "Tarvelino");
    EXPECT_TRUE(h.model.empty());
    EXPECT_TRUE(h.model.saveAutomaticPlaylist(data, "Tarvelino"));
    EXPECT_FALSE(std::filesystem::exists(file));
    for (int copy = 0; copy <= start; ++copy) {
      std::ifstream in(copies[copy], std::ios::binary);
      std::string head(marker.size(), '\0');
      in.read(head.data(), static_cast<std::streamsize>(head.size()));
      EXPECT_EQ(head, "damaged " + std::to_string(copy)) << copies[copy];
    }
  }
}

TEST(SaveNameTest, AppendsTheExtensionUnlessTold) {
  EXPECT_EQ(playlist::Playlist::playlistSaveName("list", false), "list.mpl");
  EXPECT_EQ(playlist::Playlist::playlistSaveName("list.MPL", false), "list.MPL");
  EXPECT_EQ(playlist::Playlist::playlistSaveName("list", true), "list");
  Harness h;
  EXPECT_FALSE(h.model.checkSomethingToSave());
  EXPECT_EQ(h.messages, Lines{"Nothing to save!"});
}

}  // namespace
