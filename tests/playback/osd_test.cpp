// The on-screen message's life and the display switch.
#include <gtest/gtest.h>

#include <cmath>

#include "playback/osd.h"

namespace playback {
namespace {

TEST(OsdTest, LivesByItsLength) {
  const struct {
    const char* text;
    double lifeMs;
  } rows[] = {
      {"Pause", 1110.75},            // 802.3 + 5 x 61.69, about 1.1 s
      {"0123456789", 1419.2},        // the ten-character example
      {"", 802.3},                   //
      {"\xc3\xa9t\xc3\xa9", 987.4},  // three characters, five bytes
      {"Volume: 100%", 1542.6},      //
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text);
    Osd osd;
    osd.show(r.text, true, 1000);
    EXPECT_NEAR(osd.durationMs(), r.lifeMs, 0.2);
    const int64_t end = 1000 + int64_t(std::ceil(r.lifeMs));
    EXPECT_FALSE(osd.expired(end - 2));
    EXPECT_EQ(osd.expired(end), !osd.empty());
  }
}

TEST(OsdTest, ShowsNothingWhileTheDisplayIsOff) {
  Osd osd;
  EXPECT_TRUE(osd.show("Play", true, 0));
  osd.shownText = "Play";
  EXPECT_FALSE(osd.show("Play", true, 10));  // same text painted already
  EXPECT_TRUE(osd.show("Play", false, 20));  // the pending message is dropped
  EXPECT_TRUE(osd.empty());
  EXPECT_FALSE(osd.expired(100000));
  EXPECT_FALSE(osd.replaceText("00:00:01"));  // nothing alive to rewrite
  osd.show("Stop", true, 30);
  osd.limitDuration(500);
  EXPECT_TRUE(osd.expired(530));
}

}  // namespace
}  // namespace playback
