#include "playlist/window_layout.h"

namespace playlist {

namespace {

Box whole(int part) {
  return {0, 0, kPlaylistPieceSizes[part - 1][0], kPlaylistPieceSizes[part - 1][1]};
}

}  // namespace

PlaylistLayout playlistLayout(int cw, int ch, bool subtitlesShown) {
  PlaylistLayout l;
  l.a = (ch - 35) * 75 / 100;
  const int a = l.a;
  if (subtitlesShown) {
    l.movieList = {26, 25, cw - 34, a - 2};
    l.subtitleList = {26, a + 28, cw - 34, ch - a - 35};
    l.showHideSubtitles = {7, a + 13, 19, a + 21};
  } else {
    l.movieList = {26, 25, cw - 34, ch - 33};
    l.showHideSubtitles = {7, ch - 16, 19, ch - 8};
  }
  l.addSubtitle = {7, a + 29, 19, a + 41};
  l.close = {cw - 14, 7, cw - 5, 16};
  l.bottomZone = {0, ch - 5, cw - 8, 5};
  l.cornerZone = {cw - 8, ch - 8, 8, 8};
  l.rightZone = {cw - 5, 0, 5, ch - 8};

  auto& p = l.pieces;
  p.push_back({1, whole(1), {0, 0, 26, 104}});
  if (subtitlesShown) {
    // Left column: filler down to the divider piece, the divider, filler again,
    // and the last 8 rows of the bottom piece.
    p.push_back({2, whole(2), {0, 104, 26, a + 13 - 104}});
    p.push_back({3, whole(3), {0, a + 13, 26, 28}});
    p.push_back({2, whole(2), {0, a + 41, 26, ch - 8 - (a + 41)}});
    p.push_back({4, {0, 8, 26, 8}, {0, ch - 8, 26, 8}});
    p.push_back({10, whole(10), {26, a + 23, cw - 8 - 26, 5}});
  } else {
    p.push_back({2, whole(2), {0, 104, 26, ch - 16 - 104}});
    p.push_back({4, whole(4), {0, ch - 16, 26, 16}});
  }
  p.push_back({5, whole(5), {26, 0, cw - 14 - 26, 26}});
  p.push_back({6, whole(6), {cw - 14, 0, 14, 26}});
  p.push_back({7, whole(7), {cw - 8, 26, 8, ch - 15 - 26}});
  p.push_back({8, whole(8), {cw - 15, ch - 15, 15, 15}});
  p.push_back({9, whole(9), {26, ch - 7, cw - 15 - 26, 7}});
  return l;
}

}  // namespace playlist
