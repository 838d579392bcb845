// Loading subtitle files of every format and encoding into the store: the entries
// each file must produce (repairs and time completion included), the messages of
// failed loads, and robustness against arbitrary bytes.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

#include <sys/stat.h>

#include "texts/built_in_texts.h"
#include "subtitles/subtitle_store.h"

namespace subtitles {
namespace {

struct Expected {
  int64_t start, end;
  std::vector<std::string> lines;
};

struct FileCase {
  const char* name;
  std::string bytes;
  std::vector<Expected> entries;  // empty: the load must fail
  std::string message = {};       // expected message of a failed load
  int fontScript = 1;
};

std::string utf16(std::u16string_view text, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t c : text) {
    const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
    out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
  }
  return out;
}

const std::string kSubRipBody =
    "1\r\n00:00:01,000 --> 00:00:02,500\r\nHello\r\nworld\r\n\r\n"
    "2\r\n00:00:03,000 --> 00:00:04,000\r\n<i>Second</i>\r\n";
const std::vector<Expected> kSubRipEntries = {{1000, 2500, {"Hello", "world"}},
                                              {3000, 4000, {"Second"}}};

const std::string kSeriousErrors =
    "This text file appears to be a subtitle. However, it contains serious errors which can be "
    "corrected only with a specialized program (like Titlewright).";

std::string ssaFile() {
  std::string s = "[Script Info]\r\n";
  for (int i = 0; i < 16; ++i) s += "Comment: header line " + std::string(1, 'a' + i) + "\r\n";
  s += "Dialogue: Marked=0,0:00:01.00,0:00:02.50,Default,NTP,0000,0000,0000,,Hello\\NWorld\r\n";
  s += "Dialogue: Marked=0,0:00:03.00,0:00:04.00,Default,,0000,0000,0000,,A line with no name\r\n";
  s += "Dialogue: Marked=0,0:00:05.00,0:00:06.00,Main,Bob,0010,0010,0010,Fade,Third text\r\n";
  return s;
}

// Twenty lines of prose pass as SSA, which then has no dialogue at all.
std::string proseFile() {
  std::string s;
  for (int i = 0; i < 20; ++i) s += "Just prose.\n";
  return s;
}

std::vector<FileCase> fileCases() {
  return {
      {"SubRipBasic", kSubRipBody, kSubRipEntries},
      {"SubRipMissingBlankAndDots",
       "1\n00:00:01.000 --> 00:00:02.000\nFirst\nline\n2\n00:00:03.000 --> 00:00:04.000\nSecond\n\n"
       "3\n00:00:05.000 --> 00:00:06.000\nThird\n\n4\n00:00:07.000 --> 00:00:08.000\nFourth\n",
       {{1000, 2000, {"First", "line"}},
        {3000, 4000, {"Second"}},
        {5000, 6000, {"Third"}},
        {7000, 8000, {"Fourth"}}}},
      {"SubRipTimeLineOnFirstLine",
       "00:00:01,000 --> 00:00:02,000\nAlpha\n\n2\n00:00:03,000 --> 00:00:04,000\nBeta\n\n"
       "3\n00:00:05,000 --> 00:00:06,000\nGamma\n",
       {{1000, 2000, {"Alpha"}}, {3000, 4000, {"Beta"}}, {5000, 6000, {"Gamma"}}}},
      {"SubRipRepeatsMerge",
       "1\n00:00:01,000 --> 00:00:02,000\nSame\n\n2\n00:00:02,000 --> 00:00:03,000\nSame\n\n"
       "3\n00:00:04,000 --> 00:00:05,000\nOther\n",
       {{1000, 3000, {"Same"}}, {4000, 5000, {"Other"}}}},
      {"SubRipCoordinatesAfterEnd",
       "1\n00:00:01,000 --> 00:00:02,000 X1:1\nHello\n\n2\n00:00:03,000 --> 00:00:04,000\nBye\n",
       {{1000, 2260, {"Hello"}}, {3000, 4000, {"Bye"}}}},
      {"SubRipOnlyEmptyTexts",
       "1\n00:00:01,000 --> 00:00:02,000\n\n2\n00:00:03,000 --> 00:00:04,000\n\n",
       {},
       kSeriousErrors},
      {"MicroDvdMissingTimes",
       "{10}{50}Hello|World\n{100}{}Open end\n{}{}Nothing known\n{200}{250}{y:i}Tagged\nHi\n",
       {{400, 2000, {"Hello", "World"}},
        {4000, 5454, {"Open end"}},
        {5454, 8000, {"Nothing known"}},
        {8000, 10000, {"Tagged"}},
        {10000, 11066, {"Hi"}}}},
      {"MicroDvdLineWithoutFrames",
       "{0}{25}One\r\nHello there\r\n{50}{75}Two\r\n{100}{125}Three\r\n",
       {{0, 1000, {"One"}},
        {1000, 2000, {"Hello there"}},
        {2000, 3000, {"Two"}},
        {4000, 5000, {"Three"}}}},
      {"MicroDvdUnclosedFrameFails", "{1}{2}a\n{3}{4}b\n{5}{6}c\n{12}\n", {}, kSeriousErrors},
      {"TimeRange",
       "00:00:01.00,00:00:02.50\nHello[br]World\n\n00:00:03.00,00:00:04.00\nSecond\n\n"
       "00:00:05.00,00:00:06.0\nThird\n\n00:00:07.00,00:00:08.00\nFourth\n",
       {{1000, 2500, {"Hello", "World"}},
        {3000, 4000, {"Second"}},
        {5000, 6260, {"Third"}},
        {7000, 8000, {"Fourth"}}}},
      {"Ssa",
       ssaFile(),
       {{1000, 2500, {"Hello", "World"}},
        {3000, 4000, {"A line with no name"}},
        {5000, 6000, {"Third text"}}}},
      {"SsaWithoutDialogue", proseFile(), {}, kSeriousErrors},
      {"TimePrefixWithoutTexts", "00:00:01:\n00:00:05:\n00:00:09: \n", {}, kSeriousErrors},
      {"MicroDvdOnlyBreaks", "{10}{50}|\n{60}{70}||\n{80}{90}|||\n", {}, kSeriousErrors},
      {"TimePrefixUnprefixedLine",
       "00:00:01:Hello|World\n00:00:05:Second\nUnprefixed line\n00:00:09:Third\n",
       {{1000, 2648, {"Hello", "World"}},
        {5000, 6325, {"Second"}},
        {6325, 8232, {"Unprefixed line"}},
        {9000, 10260, {"Third"}}}},
      // Encodings: the same SubRip text in every form the player reads.
      {"Utf8WithMark", "\xEF\xBB\xBF" + kSubRipBody, kSubRipEntries},
      {"Utf16LittleEndian",
       utf16(u"1\r\n00:00:01,000 --> 00:00:02,500\r\nHello\r\nworld\r\n\r\n"
             u"2\r\n00:00:03,000 --> 00:00:04,000\r\n<i>Second</i>\r\n",
             false),
       kSubRipEntries},
      {"Utf16BigEndian",
       utf16(u"1\r\n00:00:01,000 --> 00:00:02,500\r\nHello\r\nworld\r\n\r\n"
             u"2\r\n00:00:03,000 --> 00:00:04,000\r\n<i>Second</i>\r\n",
             true),
       kSubRipEntries},
      {"Utf16LineFeedsOnly",
       utf16(u"1\n00:00:01,000 --> 00:00:02,500\nHello\nworld\n\n"
             u"2\n00:00:03,000 --> 00:00:04,000\n<i>Second</i>\n",
             false),
       kSubRipEntries},
      {"EightBitCarriageReturnsOnly",
       "1\r00:00:01,000 --> 00:00:02,500\rHello\rworld\r\r2\r00:00:03,000 --> 00:00:04,000\r"
       "<i>Second</i>\r",
       kSubRipEntries},
      {"PlainUtf8",
       "{0}{25}\xC4\x8C\x65\xC5\xA1tina\n{50}{75}\xD0\x9F\xD1\x80\xD0\xB8\n{100}{125}x\n",
       {{0, 1000, {"\xC4\x8C\x65\xC5\xA1tina"}},
        {2000, 3000, {"\xD0\x9F\xD1\x80\xD0\xB8"}},
        {4000, 5000, {"x"}}}},
      {"CodePage1250",
       "{0}{25}\xC8\x65\x9Atina\n{50}{75}\x9E\x6Elut\xFD\n{100}{125}x\n",
       {{0, 1000, {"\xC4\x8C\x65\xC5\xA1tina"}},
        {2000, 3000, {"\xC5\xBEnlut\xC3\xBD"}},
        {4000, 5000, {"x"}}},
       "",
       238},
      {"CodePage1251",
       "{0}{25}\xCF\xF0\xE8\xE2\xE5\xF2\n{50}{75}\xEC\xE8\xF0\n{100}{125}x\n",
       {{0, 1000, {"\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"}},
        {2000, 3000, {"\xD0\xBC\xD0\xB8\xD1\x80"}},
        {4000, 5000, {"x"}}},
       "",
       204},
      {"Utf16MarkOnOddSizeIsEightBit",
       "\xFF\xFE{10}{20}Hello\r\n{30}{40}World!\r\n{50}{60}More\r\n{70}{80}End.\r\n",
       {{0, 1200, {"\xC3\xBF\xC3\xBEHello"}},
        {1200, 1600, {"World!"}},
        {2000, 2400, {"More"}},
        {2800, 3200, {"End."}}}},
      // Failures and their messages.
      {"EmptyFile", "", {}, "This is not a text!"},
      {"OnlyEmptyLines", "\r\n\r\n\n", {}, "This is not a text!"},
      {"ManyTabsAndSigns", "{1}{2}\t\t+=\t\n{3}{4}\t\t=\n", {}, "This is not a text!"},
      {"Binary",
       std::string("\x00\x01\x02\x03\x10\x11\x12\x7F\x00\x05", 10),
       {},
       "This is not a text!"},
      {"BinaryNotUtf8",
       std::string("\x80\x81\x90\x00\x01\x02\x03"
                   "ab",
                   9),
       {},
       "This is not a text!"},
      {"UnknownType", "Just a letter.\nNothing more.\n", {}, "Unknown subtitle type!"},
  };
}

class SubtitleFileTest : public testing::TestWithParam<FileCase> {};

TEST_P(SubtitleFileTest, LoadsEntries) {
  const FileCase& c = GetParam();
  settings::Settings s;
  s.SubtitleFontScript = c.fontScript;
  SubtitleStore store;
  const LoadResult r = store.LoadSubtitleData(c.bytes, "x.srt", s, texts::builtInTexts());
  if (c.entries.empty()) {
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, c.message);
    EXPECT_TRUE(store.entries().empty());
    EXPECT_FALSE(store.SubtitleLoaded());
    return;
  }
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_TRUE(r.message.empty());
  ASSERT_EQ(store.entries().size(), c.entries.size());
  for (std::size_t i = 0; i < c.entries.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(store.entries()[i].StartMs, c.entries[i].start);
    EXPECT_EQ(store.entries()[i].EndMs, c.entries[i].end);
    EXPECT_EQ(store.entries()[i].Lines, c.entries[i].lines);
    EXPECT_GE(store.entries()[i].DisplayMs, 0);
  }
}

// The check accepts exactly the files the load accepts: discovery must never
// prefer a file that then loads nothing.
TEST_P(SubtitleFileTest, CheckAgreesWithLoad) {
  const FileCase& c = GetParam();
  settings::Settings s;
  s.SubtitleFontScript = c.fontScript;
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("subtitle_check_" + std::to_string(::getpid()) + "_" + c.name))
                               .string();
  std::ofstream(path, std::ios::binary) << c.bytes;
  SubtitleStore store;
  const bool loads = store.LoadSubtitle(path, s, texts::builtInTexts()).ok;
  EXPECT_EQ(loads, !c.entries.empty());
  EXPECT_EQ(SubtitleStore::CheckSubtitleFile(path, s), loads);
  std::filesystem::remove(path);
}

INSTANTIATE_TEST_SUITE_P(Files, SubtitleFileTest, testing::ValuesIn(fileCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// DisplayMs: the display time of the tag-free text (breaks counted), never past the
// next entry's start.
TEST(DisplayMsTest, UsesTagFreeTextCappedAtNextStart) {
  SubtitleStore store;
  ASSERT_TRUE(store
                  .LoadSubtitleData("{0}{25}A long line of text here\n{10}{30}B\n"
                                    "{100}{125}{y:i}Tagged|two\n{200}{225}x\n",
                                    "x.sub", settings::Settings{}, texts::builtInTexts())
                  .ok);
  std::vector<int64_t> display;
  for (const auto& e : store.entries()) display.push_back(e.DisplayMs);
  EXPECT_EQ(display, (std::vector<int64_t>{400, 1001, DisplayTime(10, 2200), 1001}));
}

// Failures that depend on the file itself rather than its text: the message names
// the file exactly as passed in, and appears once.
class SubtitleFolderTest : public testing::Test {
 protected:
  SubtitleFolderTest() {
    dir_ = std::filesystem::temp_directory_path() /
           ("subtitle_load_" + std::to_string(::getpid()) + "_" +
            testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  ~SubtitleFolderTest() override { std::filesystem::remove_all(dir_); }
  std::string write(const std::string& name, const std::string& bytes) {
    const auto path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  std::filesystem::path dir_;
  settings::Settings settings_;
  SubtitleStore store_;
};

TEST_F(SubtitleFolderTest, ReportsFileFailures) {
  struct Row {
    const char* what;
    std::string path;
    std::uintmax_t size;  // 0: leave the file as it is
    std::string message;
  };
  const std::string big = (dir_ / "big.sub").string();
  const std::string wide = (dir_ / "wide.srt").string();
  std::vector<Row> rows = {
      {"missing", (dir_ / "none.srt").string(), 0, ""},
      {"folder", dir_.string(), 0, "Can't open \"" + dir_.string() + "\" for reading!"},
      {"past the block limit", big, 1048704,
       "The file \"" + big + "\" is too big to be a subtitle!"},
      {"five mebibytes", big, 5 * 1048576, "The file \"" + big + "\" is too big to be a subtitle!"},
      {"UTF-16 past the limit", wide, 2 + 2 * 1048577,
       "The file \"" + wide + "\" is too big to be a subtitle!"},
  };
  const std::string pipe = (dir_ / "pipe.srt").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  rows.push_back({"pipe", pipe, 0, "Can't open \"" + pipe + "\" for reading!"});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    if (row.size) {
      std::ofstream(row.path, std::ios::binary) << (row.path == wide ? "\xFF\xFE" : "{1}{2}");
      std::filesystem::resize_file(row.path, row.size);
    }
    const auto started = std::chrono::steady_clock::now();
    const LoadResult r = store_.LoadSubtitle(row.path, settings_, texts::builtInTexts());
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(200));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, row.message);
    EXPECT_FALSE(SubtitleStore::CheckSubtitleFile(row.path, settings_));
  }
}

TEST_F(SubtitleFolderTest, AcceptsFileAtBlockLimitAndCheckAgreesWithLoad) {
  std::string body = kSubRipBody.substr(0, kSubRipBody.size() - 2);
  body.resize(1048703, ' ');  // trailing blanks on the last line: still the same two entries
  const std::string path = write("limit.srt", body);
  EXPECT_TRUE(SubtitleStore::CheckSubtitleFile(path, settings_));
  const LoadResult r = store_.LoadSubtitle(path, settings_, texts::builtInTexts());
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(store_.entries().size(), 2u);
  EXPECT_EQ(store_.SubtitleTimeCorrection(), 0);
  // A failed load empties the store whatever it held.
  EXPECT_FALSE(
      store_.LoadSubtitle(write("bad.srt", "nothing"), settings_, texts::builtInTexts()).ok);
  EXPECT_TRUE(store_.entries().empty());
}

// Files of about 1 MiB built to stress one text step each: every row must load
// in time proportional to its size (a replace or erase loop that moves the rest of
// the text at each hit takes many seconds here and freezes the interface).
TEST(SubtitleSpeedTest, LargeFilesLoadInLinearTime) {
  constexpr std::size_t kSize = 1000000;
  auto repeat = [](std::string_view piece, std::size_t bytes) {
    std::string out;
    while (out.size() + piece.size() <= bytes) out += piece;
    return out;
  };
  auto ssa = [](const std::string& text) {
    std::string s;
    for (int i = 0; i < 20; ++i)
      s += "Dialogue: Marked=0,0:00:0" + std::to_string(i % 10) +
           ".00,0:00:09.00,Default,,0000,0000,0000,," + (i == 0 ? text : "x") + "\n";
    return s;
  };
  const std::string range = "00:00:01.00,00:00:02.00\n";
  struct Row {
    const char* what;
    std::string bytes;
    std::size_t firstEntryLines;
  };
  const Row rows[] = {
      {"SSA line breaks", ssa(repeat("a\\N", kSize)), kSize / 3},
      {"SSA breaks only", ssa("a" + repeat("\\N", kSize)), 1},
      {"time-range breaks",
       range + repeat("b[br]", kSize) + "\n\n" + range + "xx\n\n" + range + "yy\n", kSize / 5},
      {"frame-numbered braces", "{1}{2}" + repeat("{x}y|", kSize) + "\n{3}{4}z\n", kSize / 5},
      {"nested braces", "{1}{2}" + repeat("{", kSize / 2) + repeat("}", kSize / 2) + "a\n{3}{4}z\n",
       1},
      {"SubRip tags",
       "1\n00:00:01,000 --> 00:00:02,000\n" + repeat("<i>w</i>", kSize) + "\n\n2\n" +
           "00:00:03,000 --> 00:00:04,000\nz\n",
       1},
      {"time prefix breaks", "00:00:01:" + repeat("c|", kSize) + "\n00:00:05:z\n", kSize / 2},
  };
  settings::Settings s;
  SubtitleStore store;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const auto started = std::chrono::steady_clock::now();
    const LoadResult r = store.LoadSubtitleData(row.bytes, "big", s, texts::builtInTexts());
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_LT(took, std::chrono::seconds(2));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(store.entries().front().Lines.size(), row.firstEntryLines);
  }
}

// Random bytes, and every truncation of valid files, must load or fail cleanly.
TEST(SubtitleFuzzTest, SurvivesArbitraryBytes) {
  std::mt19937 rng(12345);
  settings::Settings s;
  SubtitleStore store;
  std::vector<std::string> seeds;
  for (const auto& c : fileCases()) seeds.push_back(c.bytes);
  const std::string alphabet = "0123456789{}<>|:,.-> \r\n\\N[]DialogueMarked=";
  for (int round = 0; round < 3000; ++round) {
    std::string bytes;
    const int kind = round % 3;
    if (kind == 0) {
      bytes.resize(rng() % 400);
      for (char& b : bytes) b = static_cast<char>(rng());
    } else if (kind == 1) {
      const std::string& seed = seeds[rng() % seeds.size()];
      bytes = seed.substr(0, seed.empty() ? 0 : rng() % (seed.size() + 1));
    } else {
      const std::string& seed = seeds[rng() % seeds.size()];
      bytes = seed;
      for (int k = 0; k < 1 + static_cast<int>(rng() % 8) && !bytes.empty(); ++k)
        bytes[rng() % bytes.size()] = alphabet[rng() % alphabet.size()];
    }
    s.SubtitleFontScript = (round % 5 == 0) ? 128 : 238;
    const LoadResult r = store.LoadSubtitleData(bytes, "fuzz", s, texts::builtInTexts());
    if (r.ok) {
      ASSERT_FALSE(store.entries().empty());
      for (const auto& e : store.entries()) {
        ASSERT_FALSE(e.Lines.empty());
        ASSERT_GE(e.DisplayMs, 0);
      }
    }
  }
}

}  // namespace
}  // namespace subtitles
