// The playlist window's rules without a window: where its pieces go, what
// each key does, how a dragged entry travels, and the file dialog filters.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <vector>

#include "playlist/dialog_filters.h"
#include "playlist/window_input.h"
#include "playlist/window_layout.h"
#include "tests/playlist/playlist_test_support.h"

namespace playlist {
namespace {

struct LayoutCase {
  int cw, ch;
  bool shown;
  int a;
  Box movieList, subtitleList;
  Edges flip;
};

TEST(PlaylistLayoutTest, ListsAndFlipFollowTheSizeAndTheSubtitleList) {
  const LayoutCase cases[] = {
      // Minimum size: a = 213 x 75 / 100 = 159, three quarters below the title bar.
      {250, 248, true, 159, {26, 25, 216, 157}, {26, 187, 216, 54}, {7, 172, 19, 180}},
      {250, 248, false, 159, {26, 25, 216, 215}, {}, {7, 232, 19, 240}},
      {439, 330, true, 221, {26, 25, 405, 219}, {26, 249, 405, 74}, {7, 234, 19, 242}},
      {800, 800, true, 573, {26, 25, 766, 571}, {26, 601, 766, 192}, {7, 586, 19, 594}},
      {800, 800, false, 573, {26, 25, 766, 767}, {}, {7, 784, 19, 792}},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.cw) + "x" + std::to_string(c.ch) + (c.shown ? " shown" : ""));
    const PlaylistLayout l = playlistLayout(c.cw, c.ch, c.shown);
    EXPECT_EQ(l.a, c.a);
    EXPECT_EQ(l.movieList, c.movieList);
    EXPECT_EQ(l.subtitleList, c.subtitleList);
    EXPECT_EQ(l.showHideSubtitles, c.flip);
    EXPECT_EQ(l.close, (Edges{c.cw - 14, 7, c.cw - 5, 16}));
  }
}

// Every client pixel is covered by a frame piece or a list (with the
// subtitles hidden, the one row between the movie list and the bottom edge
// shows the window colour), no piece leaves the window or reads outside its
// image, and the divider and the subtitle piece appear exactly while the
// subtitles show.
TEST(PlaylistLayoutTest, PiecesAndListsCoverTheWholeWindow) {
  for (const bool shown : {true, false}) {
    for (const auto& [cw, ch] : std::vector<std::pair<int, int>>{
             {250, 248}, {251, 249}, {439, 274}, {517, 613}, {800, 800}}) {
      SCOPED_TRACE(std::to_string(cw) + "x" + std::to_string(ch) + (shown ? " shown" : ""));
      const PlaylistLayout l = playlistLayout(cw, ch, shown);
      std::vector<char> covered(size_t(cw) * size_t(ch), 0);
      auto cover = [&](const Box& b) {
        for (int y = b.y; y < b.y + b.h; ++y)
          for (int x = b.x; x < b.x + b.w; ++x) {
            ASSERT_TRUE(x >= 0 && x < cw && y >= 0 && y < ch) << x << "," << y;
            covered[size_t(y) * size_t(cw) + size_t(x)] = 1;
          }
      };
      std::set<int> parts;
      for (const PieceDraw& p : l.pieces) {
        ASSERT_GE(p.target.w, 0);
        ASSERT_GE(p.target.h, 0);
        const auto size = kPlaylistPieceSizes[size_t(p.part - 1)];
        EXPECT_LE(p.source.x + p.source.w, size[0]) << "part " << p.part;
        EXPECT_LE(p.source.y + p.source.h, size[1]) << "part " << p.part;
        cover(p.target);
        parts.insert(p.part);
      }
      cover(l.movieList);
      cover(l.subtitleList);
      int gaps = 0;
      for (char c : covered) gaps += c == 0;
      EXPECT_EQ(gaps, shown ? 0 : cw - 15 - 26);
      EXPECT_EQ(parts.count(3) == 1, shown);
      EXPECT_EQ(parts.count(10) == 1, shown);
    }
  }
}

struct KeyCase {
  const char* name;
  ListKey key;
  KeyModifiers m;
  bool multi;
  ListAction action;
  bool toPlayer;
};

TEST(PlaylistKeysTest, KeysTheMovieListActsOnStayInTheWindow) {
  using A = ListAction;
  const KeyModifiers none, alt{false, false, true}, ctrl{false, true, false},
      shift{true, false, false};
  const KeyCase cases[] = {
      {"Enter plays, no full screen", ListKey::Enter, none, false, A::Play, false},
      {"Alt+Enter is full screen", ListKey::Enter, alt, false, A::None, true},
      {"Escape closes", ListKey::Escape, none, false, A::Close, false},
      {"F10 closes", ListKey::F10, none, false, A::Close, false},
      {"Ctrl+F10 to the player", ListKey::F10, ctrl, false, A::None, true},
      {"Down moves the cursor once", ListKey::Down, none, false, A::Navigate, false},
      {"Up moves the cursor once", ListKey::Up, none, false, A::Navigate, false},
      {"Home stays in the list", ListKey::Home, none, false, A::Navigate, false},
      {"Alt+Up moves the entry", ListKey::Up, alt, false, A::MoveUp, false},
      {"Alt+Down moves the entry", ListKey::Down, alt, false, A::MoveDown, false},
      {"Ctrl+Up to the player", ListKey::Up, ctrl, false, A::None, true},
      {"Left rewinds once", ListKey::Left, none, false, A::None, true},
      {"Alt+Right corrects the time once", ListKey::Right, alt, false, A::None, true},
      {"Insert adds movies", ListKey::Insert, none, false, A::AddMovies, false},
      {"Shift+Insert to the player", ListKey::Insert, shift, false, A::None, true},
      {"Delete removes one", ListKey::Delete, none, false, A::Remove, false},
      {"Delete after Ctrl+A removes all", ListKey::Delete, none, true, A::RemoveAll, false},
      {"Alt+Delete after Ctrl+A removes one", ListKey::Delete, alt, true, A::Remove, false},
      {"Ctrl+A selects all", ListKey::A, ctrl, false, A::SelectAll, false},
      {"A to the player", ListKey::A, none, false, A::None, true},
      {"Shift+L adds a folder", ListKey::L, shift, false, A::AddFolder, false},
      {"Space to the player", ListKey::Other, none, false, A::None, true},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    const KeyDecision d = movieListKey(c.key, c.m, c.multi);
    EXPECT_EQ(d.action, c.action);
    EXPECT_EQ(d.toPlayer, c.toPlayer);
    EXPECT_EQ(d.leaveMultiSelection, c.action != A::SelectAll);
  }
}

TEST(PlaylistKeysTest, SubtitleListAndWindowKeys) {
  using A = ListAction;
  const KeyModifiers none, shift{true, false, false};
  const KeyCase cases[] = {
      {"Escape closes", ListKey::Escape, none, false, A::Close, false},
      {"Insert adds a subtitle", ListKey::Insert, none, false, A::AddSubtitle, false},
      {"F5 searches again", ListKey::F5, none, false, A::RebuildChoices, false},
      {"Shift+L adds a folder", ListKey::L, shift, false, A::AddFolder, false},
      {"Enter takes the row, no full screen", ListKey::Enter, none, false, A::ChooseSubtitle,
       false},
      {"Down moves the cursor", ListKey::Down, none, false, A::Navigate, false},
      {"Left rewinds", ListKey::Left, none, false, A::None, true},
      {"Delete to the player", ListKey::Delete, none, false, A::None, true},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    const KeyDecision d = subtitleListKey(c.key, c.m);
    EXPECT_EQ(d.action, c.action);
    EXPECT_EQ(d.toPlayer, c.toPlayer);
  }
  EXPECT_EQ(windowKey(ListKey::Escape, none).action, A::Close);
  EXPECT_EQ(windowKey(ListKey::L, shift).action, A::AddFolder);
  EXPECT_TRUE(windowKey(ListKey::Enter, none).toPlayer);
}

TEST(PlaylistDragTest, DraggedEntryLandsOnTheTargetRowAndTheCurrentEntryFollows) {
  struct Case {
    int from, to, swaps;
    std::vector<int> order;  // movie numbers row by row afterwards
  };
  const Case cases[] = {
      {4, 1, 3, {0, 4, 1, 2, 3, 5}},  // row 5 to row 2: three swaps
      {0, 5, 5, {1, 2, 3, 4, 5, 0}},  // a fast drag that skipped every row
      {2, 2, 0, {0, 1, 2, 3, 4, 5}},
      {3, 99, 2, {0, 1, 2, 4, 5, 3}},  // beyond the last row: the last row
      {3, -7, 3, {3, 0, 1, 2, 4, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.from) + " -> " + std::to_string(c.to));
    playlist_test::Harness h;
    h.fill(6);
    h.model.makeCurrent(c.from);  // the dragged entry is the one playing
    h.model.select(c.from);
    EXPECT_EQ(dragSelectedTo(h.model, c.to), c.swaps);
    for (int row = 0; row < 6; ++row)
      EXPECT_EQ(h.model.PlaylistMovies()[size_t(row)],
                "/m/" + std::to_string(c.order[size_t(row)]) + ".avi");
    EXPECT_EQ(h.model.PlaylistMovies()[size_t(h.model.CurrentMovieIndex())],
              "/m/" + std::to_string(c.from) + ".avi");
    EXPECT_EQ(h.model.selectedIndex(), h.model.CurrentMovieIndex());
    EXPECT_EQ(h.model.movieRows()[0].substr(0, 3), "1. ");  // numbers stay in place
  }
}

TEST(PlaylistFilterTest, ExtensionPatternsIgnoreCaseAndNeverBreakTheFilter) {
  const std::pair<const char*, const char*> cases[] = {
      {"avi", "*.[aA][vV][iI]"},
      {"MP4", "*.[mM][pP]4"},
      {"a;b", "*.[aA]?[bB]"},
      {"a|b", "*.[aA]?[bB]"},
      {"my ext", "*.[mM][yY]?[eE][xX][tT]"},
      {"x(1)", "*.[xX]?1?"},
      {"a*?[]", "*.[aA]????"},
      {"\xc3\xa9t\xc3\xa9", "*.?[tT]?"},  // "été": one "?" per character
      {"m2-v_1", "*.[mM]2-[vV]_1"},
      {"", ""},
  };
  for (const auto& [extension, pattern] : cases) {
    SCOPED_TRACE(extension);
    EXPECT_EQ(extensionPattern(extension), pattern);
  }
  EXPECT_EQ(movieFilesFilter("Video files", "All files", {"avi", "AVI", "", "my ext"}),
            "Video files (*.[aA][vV][iI] *.[mM][yY]?[eE][xX][tT]);;All files (*)");
  EXPECT_EQ(movieFilesFilter("Video files", "All files", {}), "All files (*)");
  EXPECT_EQ(playlistFilesFilter("Tarvelino playlist file", "All files"),
            "Tarvelino playlist file (*.mpl) (*.[mM][pP][lL]);;All files (*)");
  EXPECT_EQ(filterNames(playlistFilesFilter("Liste;;x", "Alle")),
            (std::vector<std::string>{"Liste; x (*.mpl)", "Alle"}));
}

}  // namespace
}  // namespace playlist
