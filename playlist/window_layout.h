#pragma once
// Where the pieces of the playlist window go for a client size: the ten frame
// images, the two lists, the resize zones and the widgets that move with the
// subtitle divider. Plain arithmetic in client pixels; pure.
#include <array>
#include <vector>

namespace playlist {

// A rectangle as left, top, width and height.
struct Box {
  int x = 0, y = 0, w = 0, h = 0;
  bool operator==(const Box&) const = default;
};

// A rectangle whose right and bottom edges are inside (the skin widgets' form).
struct Edges {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Edges&) const = default;
};

// Sizes of the frame images PLAYLISTPIECE1..10 (index 0 is piece 1).
inline constexpr std::array<std::array<int, 2>, 10> kPlaylistPieceSizes = {
    {{26, 104}, {26, 1}, {26, 28}, {26, 16}, {1, 26}, {14, 26}, {8, 1}, {15, 15}, {1, 7}, {1, 5}}};

// Client size limits of the window and its design size.
inline constexpr int kPlaylistMinWidth = 250, kPlaylistMaxWidth = 800;
inline constexpr int kPlaylistMinHeight = 248, kPlaylistMaxHeight = 800;
inline constexpr int kPlaylistDesignWidth = 242, kPlaylistDesignHeight = 221;

// One frame image drawn: part (1..10), the part of the image taken (stretched
// pieces take the whole image) and where it goes.
struct PieceDraw {
  int part = 0;
  Box source;
  Box target;
};

struct PlaylistLayout {
  // Height share of the movie list with subtitles shown: (ch - 35) x 75 / 100,
  // integer division.
  int a = 0;
  Box movieList;
  Box subtitleList;  // empty (0 x 0) when the subtitles are hidden
  Box bottomZone, cornerZone, rightZone;
  Edges close, addSubtitle, showHideSubtitles;
  std::vector<PieceDraw> pieces;  // in drawing order
};

// The layout for client size cw x ch (callers keep it inside the limits).
PlaylistLayout playlistLayout(int cw, int ch, bool subtitlesShown);

// Fixed widgets of the left column (inclusive edges).
inline constexpr Edges kAddMoviesButton{7, 26, 19, 38};
inline constexpr Edges kAddFolderButton{6, 42, 20, 54};
inline constexpr Edges kRemoveButton{8, 58, 18, 70};
inline constexpr Edges kSavePlaylistButton{7, 73, 19, 85};
inline constexpr Edges kLoadPlaylistButton{6, 90, 20, 102};
inline constexpr Edges kPreviousSettingsToggle{6, 106, 20, 121};
inline constexpr Edges kShuffleToggle{6, 126, 20, 141};

}  // namespace playlist
