#pragma once
// How much of an on-screen message fits the window: the message keeps a share
// of its characters proportional to the room over its full width. Pure.
#include <cstddef>

namespace playback {

// Characters of an `n`-character message `fullWidthPx` wide that are drawn in
// a window `windowWidthPx` wide: the room is 80 % of the width, or 75 % less
// the clock's width while the clock shows. The result is min(n, round(n x
// room / full width)), halves to even; a room of zero or less (a narrow
// window) keeps nothing, and a message of no width keeps everything.
size_t osdKeptCharacters(size_t n, int fullWidthPx, int windowWidthPx, bool clockShown,
                         int clockWidthPx);

}  // namespace playback
