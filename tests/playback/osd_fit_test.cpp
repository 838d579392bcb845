// How many characters of an on-screen message fit the window.
#include <gtest/gtest.h>

#include "playback/osd_fit.h"

namespace playback {
namespace {

TEST(OsdFitTest, KeepsTheCharactersThatFitTheRoom) {
  const struct {
    size_t n;
    int full, window;
    bool clock;
    int clockWidth;
    size_t kept;
  } rows[] = {
      {10, 100, 500, false, 0, 10},  // 400 px of room: all
      {10, 500, 500, false, 0, 8},   // 80 % of the width
      {10, 500, 500, true, 50, 6},   // 375 - 50 = 325 px: 6.5, halves to even
      {20, 1000, 500, false, 0, 8},  // 400 / 1000 of 20
      {10, 500, 500, true, 400, 0},  // the clock takes all the room
      {10, 500, 10, true, 50, 0},    // narrow window: negative room keeps nothing
      {10, 0, 500, false, 0, 10},    // a message of no width
      {0, 0, 500, false, 0, 0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.n * 1000 + r.window);
    EXPECT_EQ(osdKeptCharacters(r.n, r.full, r.window, r.clock, r.clockWidth), r.kept);
  }
}

}  // namespace
}  // namespace playback
