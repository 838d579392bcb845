// The remembered-settings file: value forms, ranges, round trips and hostile input.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "moviememory/movie_memory.h"
#include "moviememory/rs_values.h"

namespace {

using moviememory::MovieRecord;

MovieRecord parseOne(const std::string& lines) {
  const auto records = moviememory::parseRecords("[m.avi]\r\n" + lines, MovieRecord{});
  EXPECT_EQ(records.size(), 1u);
  return records.empty() ? MovieRecord{} : records.front();
}

struct IntCase {
  const char* line;
  int MovieRecord::*field;
  int expected;
};

class IntFieldTest : public testing::TestWithParam<IntCase> {};

TEST_P(IntFieldTest, LimitsBeforeNarrowing) {
  EXPECT_EQ(parseOne(GetParam().line).*GetParam().field, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IntFieldTest,
    testing::Values(
        IntCase{"PanScan=-51", &MovieRecord::PanScan, -50},
        IntCase{"PanScan=100", &MovieRecord::PanScan, 100},
        IntCase{"PanScan=300", &MovieRecord::PanScan, 100},
        IntCase{"PanScan=x", &MovieRecord::PanScan, 0},
        IntCase{"VideoImageXPosition=-101", &MovieRecord::VideoImageXPosition, -100},
        IntCase{"VideoImageYPosition=101", &MovieRecord::VideoImageYPosition, 100},
        IntCase{"VideoWindowWidth=10", &MovieRecord::VideoWindowWidth, 46},
        IntCase{"VideoWindowWidth=8007", &MovieRecord::VideoWindowWidth, 8006},
        IntCase{"VideoWindowHeight=", &MovieRecord::VideoWindowHeight, 36},
        IntCase{"VideoWindowHeight=6006", &MovieRecord::VideoWindowHeight, 6006},
        IntCase{"Brightness=abc", &MovieRecord::Brightness, 2000},
        IntCase{"Brightness=10001", &MovieRecord::Brightness, 10000},
        IntCase{"Contrast=-1", &MovieRecord::Contrast, 0},
        IntCase{"Hue=-181", &MovieRecord::Hue, -180},
        IntCase{"Saturation=20001", &MovieRecord::Saturation, 20000},
        IntCase{"AudioVolume=4294967296", &MovieRecord::AudioVolume, 10000},
        IntCase{"AudioVolume=99999999999999999999", &MovieRecord::AudioVolume, 5000},
        IntCase{"SubtitleSize=300", &MovieRecord::SubtitleSize, 300},
        IntCase{"SubtitleSize=1001", &MovieRecord::SubtitleSize, 1000},
        IntCase{"SubtitleSize=9", &MovieRecord::SubtitleSize, 10},
        IntCase{"SubtitleFontColor=255", &MovieRecord::SubtitleFontColor, 255},
        IntCase{"SubtitleFontColor=-16777216", &MovieRecord::SubtitleFontColor, -16777215},
        IntCase{"SubtitleFontStyle=2", &MovieRecord::SubtitleFontStyle, 2},
        IntCase{"SubtitleFontStyle=4", &MovieRecord::SubtitleFontStyle, 3},
        IntCase{"AverageVerticalDisplayZone=51", &MovieRecord::AverageVerticalDisplayZone, 50},
        IntCase{"AverageVerticalDisplayZone=+7", &MovieRecord::AverageVerticalDisplayZone, 7}));

TEST(RsValueTest, RatiosBooleansBookmarksAndTimes) {
  struct Ratio {
    const char* text;
    double value;
  };
  for (const Ratio r : {Ratio{"1,85", 1.85}, Ratio{"1.85", 1.85}, Ratio{"abc", 1.33},
                        Ratio{"-0.5", -1}, Ratio{"0.05", 0.1}, Ratio{"7", 5}, Ratio{"", 1.33},
                        Ratio{"1.2.3", 1.33}, Ratio{"-", 1.33}, Ratio{"2", 2}}) {
    SCOPED_TRACE(r.text);
    EXPECT_DOUBLE_EQ(parseOne(std::string("AspectRatio=") + r.text).AspectRatio, r.value);
  }
  struct Flag {
    const char* text;
    bool value;  // FullScreen, default false
  };
  for (const Flag f : {Flag{"1", true}, Flag{"0", false}, Flag{"-5", true}, Flag{"TRUE", true},
                       Flag{"fAlse", false}, Flag{"yes", false}}) {
    SCOPED_TRACE(f.text);
    EXPECT_EQ(parseOne(std::string("FullScreen=") + f.text).FullScreen, f.value);
  }
  struct Mark {
    const char* text;
    const char* kept;
  };
  for (const Mark m : {Mark{"1:02:03", ""}, Mark{"01:62:03", ""}, Mark{"99:59:59", "99:59:59"},
                       Mark{"00:00:00 ", ""}}) {
    SCOPED_TRACE(m.text);
    EXPECT_EQ(parseOne(std::string("BookMark3=") + m.text).BookMark[2], m.kept);
  }
  struct Date {
    const char* text;
    const char* written;  // "" = read as 0
  };
  for (const Date d :
       {Date{"07/03/2006 21:05:09", "07/03/2006 21:05:09"}, Date{"07/03/2006", "07/03/2006"},
        Date{"29/02/2004 00:00:01", "29/02/2004 00:00:01"}, Date{"29/02/2006", ""},
        Date{"07/13/2006", ""}, Date{"07/03/2006 24:00:00", ""}, Date{"x", ""}}) {
    SCOPED_TRACE(d.text);
    const double days = parseOne(std::string("LastAccessed=") + d.text).LastAccessed;
    EXPECT_EQ(*d.written ? moviememory::formatDateTime(days) : std::to_string(days),
              *d.written ? d.written : std::to_string(0.0));
  }
  EXPECT_EQ(moviememory::daysFromDate(1899, 12, 30), 0);
  EXPECT_EQ(moviememory::formatTimeOfDay(parseOne("LastVideoPosition=01:02:03").LastVideoPosition),
            "01:02:03");
  EXPECT_EQ(parseOne("LastVideoPosition=1:2").LastVideoPosition, 3720 / 86400.0);
  EXPECT_EQ(parseOne("LastVideoPosition=-01:00:00").LastVideoPosition, 0);
  for (const double ratio : {1.33, 1.785, 2.0, -1.0, 0.1, 1.8}) {
    SCOPED_TRACE(ratio);
    EXPECT_NEAR(parseOne("AspectRatio=" + moviememory::formatRatio(ratio)).AspectRatio,
                std::nearbyint(ratio * 100) / 100, 1e-12);
  }
  EXPECT_EQ(moviememory::formatRatio(1.8), "1.8");
  EXPECT_EQ(moviememory::formatRatio(-1), "-1");
}

MovieRecord extremeRecord(bool highest) {
  MovieRecord r;
  r.Name = highest ? "Velk\xC3\xBD film.mkv" : "a";
  r.LastAccessed = highest ? moviememory::daysFromDate(9999, 12, 31) + 86399 / 86400.0 : 1.0;
  r.PanScan = highest ? 100 : -50;
  r.AspectRatio = highest ? 5 : 0.1;
  r.VideoImageXPosition = r.VideoImageYPosition = highest ? 100 : -100;
  r.VideoWindowWidth = highest ? 8006 : 46;
  r.VideoWindowHeight = highest ? 6006 : 36;
  r.LastVideoPosition = highest ? 86399 / 86400.0 : 0;
  r.BookMark[highest ? 8 : 0] = highest ? "99:59:59" : "00:00:00";
  r.Brightness = highest ? 10000 : 0;
  r.Contrast = r.Saturation = highest ? 20000 : 0;
  r.Hue = highest ? 180 : -180;
  r.FullScreen = highest;
  r.AudioVolume = highest ? 10000 : 0;
  r.SubtitleFontName = highest ? "DejaVu Sans" : "";
  r.SubtitleSize = highest ? 1000 : 10;
  r.SubtitleFontColor = highest ? 16777215 : -16777215;
  r.SubtitleFontStyle = highest ? 3 : 0;
  r.TransparentBackground = r.UseOutlineFont = !highest;
  r.AverageVerticalDisplayZone = highest ? 50 : 0;
  return r;
}

// Records are equal when every field writes the same text (dates to the
// second, ratios to two decimals).
void expectSame(const MovieRecord& a, const MovieRecord& b) {
  EXPECT_EQ(moviememory::formatRecords({a}), moviememory::formatRecords({b}));
}

TEST(RsRoundTripTest, EveryFieldAtBothEndsOfItsRange) {
  const std::vector<MovieRecord> records = {extremeRecord(false), extremeRecord(true)};
  const std::string text = moviememory::formatRecords(records);
  EXPECT_EQ(text.substr(0, 34), "[a]\r\nLastAccessed=31/12/1899\r\nPanS");
  const auto back = moviememory::parseRecords(text, MovieRecord{});
  ASSERT_EQ(back.size(), 2u);
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    expectSame(back[i], records[i]);
  }
}

TEST(RsParseTest, SectionsDefaultsAndUnknownLines) {
  MovieRecord defaults;
  defaults.VideoWindowWidth = 640;
  defaults.SubtitleFontName = "Current";
  const auto records = moviememory::parseRecords(
      "Hue=5\n[]\n[one.avi]\nHue=7\nHue=9\nhue=11\nUnknown=1\n[two.avi]\r\n"
      "SubtitleFontName=Missing Face\r\n[x\n",
      defaults, [](const std::string& face) { return face != "Missing Face"; });
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].Name, "");
  EXPECT_EQ(records[1].Name, "one.avi");
  EXPECT_EQ(records[1].Hue, 9);
  EXPECT_EQ(records[1].VideoWindowWidth, 640);
  EXPECT_EQ(records[1].SubtitleFontName, "Current");
  EXPECT_EQ(records[2].SubtitleFontName, "Arial");
}

TEST(RsParseTest, HostileBytesNeitherCrashNorLoseCompleteRecords) {
  std::vector<MovieRecord> records;
  for (int i = 0; i < 5; ++i) {
    MovieRecord r = extremeRecord(i % 2);
    r.Name = "movie" + std::to_string(i) + ".avi";
    records.push_back(r);
  }
  const std::string text = moviememory::formatRecords(records);
  // Cut anywhere: every section whose last line made it in is read whole.
  for (std::size_t cut = 0; cut <= text.size(); cut += 7) {
    const auto back = moviememory::parseRecords(text.substr(0, cut), MovieRecord{});
    std::size_t complete = 0;
    for (const MovieRecord& r : records) {
      const std::size_t end =
          text.find("AverageVerticalDisplayZone=", text.find("[" + r.Name + "]"));
      if (text.find("\r\n", end) + 2 <= cut) ++complete;
    }
    ASSERT_GE(back.size(), complete) << cut;
    for (std::size_t i = 0; i < complete; ++i) expectSame(back[i], records[i]);
  }
  std::mt19937 random(11);
  for (int round = 0; round < 500; ++round) {
    std::string bytes = text;
    for (int flips = 0; flips < 20; ++flips)
      bytes[random() % bytes.size()] = static_cast<char>(random());
    const auto back = moviememory::parseRecords(bytes, MovieRecord{});
    ASSERT_LE(back.size(), moviememory::kCapacity);
    for (const MovieRecord& r : back) {
      ASSERT_GE(r.VideoWindowWidth, 0);
      ASSERT_TRUE(r.AspectRatio == -1 || (r.AspectRatio >= 0.1 && r.AspectRatio <= 5));
    }
  }
}

TEST(RsParseTest, ManySectionsKeepTheMostRecentRecords) {
  std::string text;
  for (int i = 0; i < 1000; ++i) {
    // Records 0..999 accessed on days 1000 - i: the first ones are the newest.
    text += "[m" + std::to_string(i) +
            "]\r\nLastAccessed=" + moviememory::formatDateTime(1000 - i) + "\r\n";
  }
  const auto records = moviememory::parseRecords(text, MovieRecord{});
  ASSERT_EQ(records.size(), moviememory::kCapacity);
  EXPECT_EQ(records.front().Name, "m0");
  EXPECT_EQ(records.back().Name, "m199");
}

}  // namespace
