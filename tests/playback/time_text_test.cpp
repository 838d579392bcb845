// Texts of play positions, the three-field display and the jump field.
#include <gtest/gtest.h>

#include "playback/time_text.h"

namespace playback {
namespace {

TEST(TimeTextTest, FormatsTimesModuloADay) {
  const struct {
    int64_t ms;
    const char* text;
  } rows[] = {{0, "00:00:00"},       {999, "00:00:00"},      {61000, "00:01:01"},
              {3599999, "00:59:59"}, {86399000, "23:59:59"}, {90000000, "01:00:00"},
              {-5, "00:00:00"},      {7322500, "02:02:02"}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.ms);
    EXPECT_EQ(formatHms(r.ms), r.text);
  }
}

TEST(TimeTextTest, WritesPositionMessages) {
  const struct {
    int64_t pos, length;
    double rate;
    bool frames, tens;
    const char* text;
  } rows[] = {
      {60000, 120000, 25, true, false, "  1500 / 3000 (50%)"},
      {60000, 120000, 25, false, false, "00:01:00 / 00:02:00 (50%)"},
      {1234, 120000, 25, true, true, "    30 / 3000 (1%)"},
      {1234, 120000, 25, true, false, "    31 / 3000 (1%)"},
      {500, 0, 25, false, false, "00:00:00 / 00:00:00 (0%)"},  // no length
      {1001, 2000, 29.97, true, false, "    30 / 60 (50%)"},
      {1000, 1600, 25, false, false, "00:00:01 / 00:00:01 (62%)"},  // 62.5 rounds to even
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text);
    EXPECT_EQ(positionText(r.pos, r.length, r.rate, r.frames, r.tens), r.text);
  }
}

TEST(TimeTextTest, ShowsThreeFieldsThatAddUp) {
  const struct {
    int64_t pos, length;
    bool frames, playing;
    const char* text;
  } rows[] = {
      {3700, 10500, false, true, "00:00:10 - 00:00:03 - 00:00:07"},
      {0, 120000, false, false, "00:02:00 - 00:00:00 - 00:02:00"},
      {1234, 120000, true, true, "  3000 -     30 -   2970"},
      {1234, 120000, true, false, "  3000 -     31 -   2969"},
      {0, 0, false, true, "00:00:00 - 00:00:00 - 00:00:00"},
      // A position past the duration leaves nothing remaining in either form.
      {126000, 120000, true, true, "  3000 -   3150 -      0"},
      {126000, 120000, true, false, "  3000 -   3150 -      0"},
      {126000, 120000, false, true, "00:02:00 - 00:02:06 - 00:00:00"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text);
    EXPECT_EQ(playingTimes(r.pos, r.length, 25, r.frames, r.playing), r.text);
  }
  EXPECT_EQ(stoppedTimes(120000, 25, true), "  3000 -      0 -   3000");
  EXPECT_EQ(stoppedTimes(120000, 25, false), "00:02:00 - 00:00:00 - 00:02:00 ");
  EXPECT_EQ(noMovieTimes(true), "     0 -      0 -      0");
  EXPECT_EQ(noMovieTimes(false), "00:00:00 - 00:00:00 - 00:00:00");
}

TEST(TimeTextTest, ReadsOnlyWellFormedJumpTimes) {
  const struct {
    const char* text;
    std::optional<int64_t> seconds;
  } rows[] = {
      {"00:10:00", 600},           {"99:59:59", 359999},       {"01:00:00", 3600},
      {"1:00:00", std::nullopt},   {"00:61:00", std::nullopt}, {"00:00:60", std::nullopt},
      {"00-10-00", std::nullopt},  {"0a:10:00", std::nullopt}, {"", std::nullopt},
      {"000:10:00", std::nullopt},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text);
    EXPECT_EQ(parseJumpTime(r.text), r.seconds);
  }
  EXPECT_EQ(formatJumpTime(600), "00:10:00");
  EXPECT_EQ(formatJumpTime(360000), "100:00:00");
}

}  // namespace
}  // namespace playback
