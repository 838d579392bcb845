// Format rules: display time, line scores, the text check, detection, repair and
// tag removal.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "subtitles/subtitle_format.h"
#include "subtitles/subtitle_parse.h"
#include "subtitles/subtitle_text.h"

namespace subtitles {
namespace {

std::u32string u(std::string_view s) {
  return fromUtf8(s);
}

TextLines lines(std::initializer_list<std::string_view> l) {
  TextLines out;
  for (auto s : l) out.push_back(u(s));
  return out;
}

TEST(DisplayTimeTest, FollowsLineThroughOneAndFiftyCharacters) {
  struct Row {
    int average;
    int64_t chars, ms;
  };
  for (const Row& r : std::vector<Row>{{2200, 1, 1001},
                                       {2200, 20, 2231},
                                       {2200, 50, 4173},
                                       {2163, 20, 2163},
                                       {2163, 0, 939},
                                       {1000, 1, 962},
                                       {1000, 50, 581},
                                       {1000, 400, 581},  // a falling line stops at fifty
                                       {9999, 1, 1080}}) {
    SCOPED_TRACE(testing::Message() << r.average << " " << r.chars);
    EXPECT_EQ(DisplayTime(r.chars, r.average), r.ms);
  }
}

TEST(LineScoreTest, ScoresTimeLinesAndRanges) {
  struct Row {
    const char* line;
    bool timeLine, timeRange;
  };
  // A time range is close enough to a SubRip time line, and the other way round.
  for (const Row& r :
       std::vector<Row>{{"00:00:00.000 --> 00:00:00.000", true, true},
                        {"00:00:01,000 --> 00:00:02,000 X1:1", true, false},
                        {"0:0:1,0 --> 0:0:2,0", true, false},
                        {"00:00:01,000 --> 00:00:02,000 X1:100 X2:200 Y1:10 Y2:20", false, false},
                        {"Hello, world!", false, false},
                        {"1:2-->", false, false},
                        {"00:00:01.00,00:00:02.00", true, true},
                        {"00:00:05.00,00:00:06.0", true, true},
                        {"0:00:01.00,0:00:02.00", false, true},
                        {"0:0", false, false},
                        {"12345678901234567890", false, true}}) {
    SCOPED_TRACE(r.line);
    EXPECT_EQ(isTimeLine(u(r.line)), r.timeLine);
    EXPECT_EQ(TimeRangeScore(u(r.line)) >= 50, r.timeRange);
  }
  EXPECT_DOUBLE_EQ(TimeLineScore(u("00:00:00.000 --> 00:00:00.000")), 100);
  EXPECT_DOUBLE_EQ(TimeRangeScore(u("00:00:00.00,00:00:00.00")), 100);
}

TEST(DetectTest, RecognisesEachFormat) {
  TextLines dialogues19, dialogues20;
  for (int i = 0; i < 20; ++i) {
    auto line = u("Dialogue: Marked=0,0:00:01.00,0:00:02.00,Default,,0000,0000,0000,,Hi there");
    if (i < 19) dialogues19.push_back(line);
    dialogues20.push_back(line);
  }
  struct Row {
    const char* name;
    TextLines text;
    SubtitleType type;
  };
  const std::vector<Row> rows = {
      {"frames", lines({"{1}{2}a", "{}{}b", "{3}{4}c", "plain"}), SubtitleType::MicroDvd},
      {"half frames", lines({"{1}{2}a", "x", "{3}{4}c", "plain"}), SubtitleType::None},
      {"subrip",
       lines({"1", "00:00:01,000 --> 00:00:02,000", "a", "", "2", "00:00:03,000 --> 00:00:04,000",
              "b"}),
       SubtitleType::SubRip},
      {"ranges",
       lines({"00:00:01.00,00:00:02.00", "alpha", "", "00:00:03.00,00:00:04.00", "beta", "",
              "00:00:05.00,00:00:06.00", "gamma"}),
       SubtitleType::TimeRange},
      {"nineteen dialogues", dialogues19, SubtitleType::None},
      {"twenty dialogues", dialogues20, SubtitleType::Ssa},
      {"prefix", lines({"00:00:01:a", "00:00:02:b", "00:00:03:c", "no prefix here"}),
       SubtitleType::TimePrefix},
      {"prose", lines({"It was a dark night.", "Nothing happened."}), SubtitleType::None},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(DetectSubtitleType(r.text), r.type);
  }
}

TEST(RepairTest, ClosesFrameNumbers) {
  struct Row {
    const char* in;
    const char* out;  // nullptr: the repair fails
  };
  for (const Row& r : std::vector<Row>{{"Hi", "{0}{0}Hi"},
                                       {"Hello there", "{0}{}Hello there"},
                                       {"12}{34}x", "{12}{34}x"},
                                       {"1}{2}abc", "{01}{2}abc"},
                                       {"{12{34}x", "{12}{34}x"},
                                       {"{12}34}x", "{12}{34}x"},
                                       {"{12}}x", "{12}{}x"},
                                       {"{12}x", "{12}{}x"},
                                       {"{12}{34x", "{12}{34}x"},
                                       {"  {1}{2}text \b ", "{1}{2}text"},
                                       {"{12}{34", nullptr},
                                       {"{12}", nullptr},
                                       {"{1234", nullptr}}) {
    SCOPED_TRACE(r.in);
    TextLines text = lines({"", r.in, ""});
    const bool ok = RepairSubtitleLines(text, SubtitleType::MicroDvd);
    EXPECT_EQ(ok, r.out != nullptr);
    if (ok) {
      EXPECT_EQ(text, lines({r.out}));
    }
  }
}

TEST(RepairTest, NormalisesTimeRangesAndPrefixes) {
  TextLines ranges =
      lines({"00:00:01.00,00:00:02.00", "x", "00:00:05.00,00:00:06.0", "00:00:0,00:00:07.00",
             "00:00:01.00,00:00", "0:00:01.00,0:00:02.00", "1:2:3.4,5.6"});
  EXPECT_TRUE(RepairSubtitleLines(ranges, SubtitleType::TimeRange));
  EXPECT_EQ(ranges, lines({"00:00:01.00,00:00:02.00", "x", "00:00:05.00,00:00:00.00",
                           "00:00:00.00,00:00:07.00", "00:00:01.00,00:00:00.00",
                           "00:00:00.00,00:00:00.00", "1:2:3.4,5.6"}));
  TextLines prefixed = lines({"00:00:01:a", "00:00:01", "text"});
  EXPECT_TRUE(RepairSubtitleLines(prefixed, SubtitleType::TimePrefix));
  EXPECT_EQ(prefixed, lines({"00:00:01:a", "00:00:00:00:00:01", "00:00:00:text"}));
}

// The repair as first described: restart the scan from the first line, with the
// counter at 0, whenever a blank line is put before an entry number.
bool restartingSubRipRepair(TextLines& l) {
  for (auto& line : l) {
    while (!line.empty() && (line.back() == U' ' || line.back() == U'\b')) line.pop_back();
    line.erase(0, line.find_first_not_of(U' ') == std::u32string::npos
                      ? line.size()
                      : line.find_first_not_of(U' '));
  }
  auto normalise = [](std::u32string& t) {
    auto isTime = [&](std::size_t p) {
      if (p + 12 > t.size()) return false;
      for (std::size_t i = 0; i < 12; ++i) {
        const char32_t c = t[p + i], want = U"00:00:00.000"[i];
        if (want == U'0' ? !isDigit(c) : want == U'.' ? (c != U'.' && c != U',') : c != want)
          return false;
      }
      return true;
    };
    if (t.size() <= 11) {
      t = U"00:00:00.000 --> 00:00:00.000";
      return;
    }
    if (!isTime(0)) t = U"00:00:00.000" + t;
    if (!isTime(t.size() - 12)) t += U"00:00:00.000";
    t = t.substr(0, 12) + U" --> " + t.substr(t.size() - 12);
  };
  auto digitsOnly = [](const std::u32string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), isDigit);
  };
  if (!l.empty() && isTimeLine(l[0])) l.insert(l.begin(), U"1");
  std::size_t counter = 0;
restart:
  counter = 0;
  long latest = -1;
  for (std::size_t i = 0; i < l.size(); ++i) {
    const bool next = i + 1 < l.size() && isTimeLine(l[i + 1]);
    const auto number = [&] {
      std::string n = std::to_string(std::max<std::size_t>(1, std::min(counter + 1, l.size())));
      return std::u32string(n.begin(), n.end());
    };
    if (l[i].empty() && next) {
      l.insert(l.begin() + static_cast<long>(i) + 1, number());
    } else if (!l[i].empty() && !digitsOnly(l[i]) && next) {
      l.insert(l.begin() + static_cast<long>(i) + 1, number());
    } else if (digitsOnly(l[i]) && next) {
      ++counter;
      if (counter > 1 && !l[i - 1].empty()) {
        l.insert(l.begin() + static_cast<long>(i), U"");
        goto restart;
      }
      if (latest >= 0) normalise(l[latest + 1]);
      latest = static_cast<long>(i);
    }
  }
  if (latest >= 0) normalise(l[latest + 1]);
  return static_cast<double>(counter) >= static_cast<double>(l.size()) / 12;
}

TEST(RepairTest, SubRipSinglePassMatchesRestartingScan) {
  const std::vector<std::string_view> vocabulary = {"",
                                                    "",
                                                    "1",
                                                    "2",
                                                    "17",
                                                    "00:00:01,000 --> 00:00:02,000",
                                                    "00:00:03.500 --> 00:00:04.000 X1:1",
                                                    "0:0:1,0 --> 0:0:2,0",
                                                    "Some text",
                                                    "Text 2",
                                                    "42a",
                                                    " 7 ",
                                                    "-->",
                                                    "00:00:05,000-->"};
  std::mt19937 rng(777);
  for (int round = 0; round < 3000; ++round) {
    TextLines text;
    const int count = static_cast<int>(rng() % 40);
    for (int i = 0; i < count; ++i) text.push_back(u(vocabulary[rng() % vocabulary.size()]));
    TextLines expected = text;
    const bool expectedOk = restartingSubRipRepair(expected);
    SCOPED_TRACE(round);
    EXPECT_EQ(RepairSubtitleLines(text, SubtitleType::SubRip), expectedOk);
    ASSERT_EQ(text, expected);
  }
}

TEST(RepairTest, SubRipWithoutBlankLinesRepairsInLinearTime) {
  TextLines text;
  for (int i = 0; i < 30000; ++i)
    for (auto s : {"1", "00:00:01,000 --> 00:00:02,000", "Words on a line"}) text.push_back(u(s));
  const auto started = std::chrono::steady_clock::now();
  EXPECT_TRUE(RepairSubtitleLines(text, SubtitleType::SubRip));
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
  EXPECT_EQ(text.size(), 30000u * 4 - 1);
}

TEST(TagTest, RemovesBraceAndAngleGroups) {
  struct Row {
    const char* in;
    const char* out;
    char32_t open, close;
  };
  for (const Row& r : std::vector<Row>{{"{y:i}Text", "Text", U'{', U'}'},
                                       {"a{b{c}d}e", "ae", U'{', U'}'},
                                       {"a}b{c", "a}b{c", U'{', U'}'},
                                       {"{a}b}", "b}", U'{', U'}'},
                                       {"{{}", "{", U'{', U'}'},
                                       {"x{", "x{", U'{', U'}'},
                                       {"<i>x</i> <b>y", "x y", U'<', U'>'},
                                       {"a > b", "a > b", U'<', U'>'}}) {
    SCOPED_TRACE(r.in);
    EXPECT_EQ(toUtf8(removeTagGroups(u(r.in), r.open, r.close)), r.out);
  }
}

}  // namespace
}  // namespace subtitles
