#include "texts/language_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "language_test_support.h"

namespace {

using texts::LanguageParseStatus;
using texts_test::fileLines;
using texts_test::joinLines;
using texts_test::kFirstOptionsLine;

TEST(LanguageLine, Conversion) {
  struct Row {
    const char* in;
    bool options;
    const char* out;
  };
  const Row rows[] = {
      {"a\\nb", false, "a\r\nb"},
      {"a\\nb", true, "a\rb"},
      {"a\\tb\\t", false, "a\tb\t"},
      {"\\\\n", false, "\\\r\n"},  // two backslashes and n: one backslash and a break
      {"\\\\t", true, "\\\t"},
      {"\\N\\T", false, "\\N\\T"},  // case-sensitive
      {"\\", false, "\\"},
      {"\\n\\n", true, "\r\r"},
      {"x\\n\\ty", false, "x\r\n\ty"},
      {"", false, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.in);
    EXPECT_EQ(texts::convertLanguageLine(row.in, row.options), row.out);
  }
}

TEST(LanguageFile, EnglishRoundTripGivesTheBuiltInTable) {
  for (const char* end : {"\r\n", "\n"}) {
    texts::InterfaceTexts table;
    ASSERT_EQ(texts::parseLanguageText(joinLines(fileLines(texts::builtInTexts()), end), table),
              LanguageParseStatus::Ok);
    EXPECT_EQ(table.Titles, texts::builtInTexts().Titles);
    EXPECT_EQ(table.Options, texts::builtInTexts().Options);
    EXPECT_EQ(table.Misc, texts::builtInTexts().Misc);
    EXPECT_EQ(table.Menus, texts::builtInTexts().Menus);
  }
}

// Each row edits the 266 English lines (and may add raw bytes before or after).
struct EditRow {
  const char* name;
  std::function<void(std::vector<std::string>&)> edit;
  std::string prefix, suffix;
  LanguageParseStatus status;
  std::function<void(const texts::InterfaceTexts&)> check;
};

TEST(LanguageFile, LineRules) {
  const auto at = [](std::size_t i, std::string text) {
    return [i, text](std::vector<std::string>& l) { l.insert(l.begin() + i, text); };
  };
  const auto set = [](std::size_t i, std::string text) {
    return [i, text](std::vector<std::string>& l) { l[i] = text; };
  };
  const EditRow rows[] = {
      {"265 lines", [](auto& l) { l.pop_back(); }, "", "", LanguageParseStatus::TooFewLines, {}},
      {"no lines", [](auto& l) { l.clear(); }, "", "", LanguageParseStatus::TooFewLines, {}},
      {"surplus line", {}, "", "more\r\n", LanguageParseStatus::SurplusLine, {}},
      {"surplus line of blanks", {}, "", " \r\n", LanguageParseStatus::SurplusLine, {}},
      {"comments and empty lines after the end",
       {},
       "",
       "\r\n//x\r\n\r\n//",
       LanguageParseStatus::Ok,
       {}},
      {"comments between texts of one group", at(16, "// between"), "//a\r\n\r\n", "",
       LanguageParseStatus::Ok, [](const auto& t) { EXPECT_EQ(t.Hints[1], "Movie info"); }},
      {"indented comment after Options shifts the rest",
       at(kFirstOptionsLine + 12, " //x"),
       "",
       "",
       LanguageParseStatus::SurplusLine,
       {}},
      {"indented comment before Titles breaks an item count",
       at(0, " //x"),
       "",
       "",
       LanguageParseStatus::OptionsItemCount,
       {}},
      {"Options[7] with three items",
       set(kFirstOptionsLine + 7, "a\\nb\\nc"),
       "",
       "",
       LanguageParseStatus::OptionsItemCount,
       {}},
      {"Options[0] with two items",
       set(kFirstOptionsLine, "a\\nb"),
       "",
       "",
       LanguageParseStatus::OptionsItemCount,
       {}},
      {"Options[1] translated with ten items",
       set(kFirstOptionsLine + 1, "1\\n2\\n3\\n4\\n5\\n6\\n7\\n8\\n9\\n10"), "", "",
       LanguageParseStatus::Ok,
       [](const auto& t) { EXPECT_EQ(t.Options[1], "1\r2\r3\r4\r5\r6\r7\r8\r9\r10"); }},
      {"a break in Messages is CR LF", set(15 + 32, "a\\nb"), "", "", LanguageParseStatus::Ok,
       [](const auto& t) { EXPECT_EQ(t.Messages[0], "a\r\nb"); }},
      {"byte-order mark is skipped", set(0, "Info"), "\xEF\xBB\xBF", "", LanguageParseStatus::Ok,
       [](const auto& t) { EXPECT_EQ(t.Titles[0], "Info"); }},
      {"byte-order mark before a comment",
       {},
       "\xEF\xBB\xBF// credit\r\n",
       "",
       LanguageParseStatus::Ok,
       [](const auto& t) { EXPECT_EQ(t.Titles[0], "About"); }},
      {"Windows-1252 file",
       set(0,
           "\xDC"
           "ber \x80"),
       "", "", LanguageParseStatus::Ok,
       [](const auto& t) {
         EXPECT_EQ(t.Titles[0],
                   "\xC3\x9C"
                   "ber \xE2\x82\xAC");
       }},
      {"one stray byte decodes only its own line as Windows-1252",
       [](auto& l) {
         l[0] =
             "\xC3\x9C"
             "ber";
         l[1] = "Caf\xE9 \x80";
         l[kFirstOptionsLine + 12] = "Sch\xC3\xB6n";
       },
       "", "", LanguageParseStatus::Ok,
       [](const auto& t) {
         EXPECT_EQ(t.Titles[0],
                   "\xC3\x9C"
                   "ber");
         EXPECT_EQ(t.Titles[1], "Caf\xC3\xA9 \xE2\x82\xAC");
         EXPECT_EQ(t.Buttons[0], "Sch\xC3\xB6n");
       }},
      {"UTF-8 file",
       set(0,
           "\xC3\x9C"
           "ber"),
       "", "", LanguageParseStatus::Ok,
       [](const auto& t) {
         EXPECT_EQ(t.Titles[0],
                   "\xC3\x9C"
                   "ber");
       }},
      {"Pages text cut to 64", set(kFirstOptionsLine + 12 + 15, std::string(100, 'p')), "", "",
       LanguageParseStatus::Ok, [](const auto& t) { EXPECT_EQ(t.Pages[0], std::string(64, 'p')); }},
      {"Pages cut counts characters",
       set(kFirstOptionsLine + 12 + 15,
           [] {
             std::string s;
             for (int i = 0; i < 70; ++i) s += "\xC3\xA4";
             return s;
           }()),
       "", "", LanguageParseStatus::Ok, [](const auto& t) { EXPECT_EQ(t.Pages[0].size(), 128u); }},
      {"Buttons text cut to 128 after conversion",
       set(kFirstOptionsLine + 12, std::string(127, 'b') + "\\n"), "", "", LanguageParseStatus::Ok,
       [](const auto& t) { EXPECT_EQ(t.Buttons[0], std::string(127, 'b') + "\r"); }},
      {"key definitions cut to 5120", set(265, std::string(6000, 'k')), "", "",
       LanguageParseStatus::Ok, [](const auto& t) { EXPECT_EQ(t.Misc[0].size(), 5120u); }},
      {"overlong line is cut, not kept whole", set(0, std::string(200000, 't')), "", "",
       LanguageParseStatus::Ok, [](const auto& t) { EXPECT_EQ(t.Titles[0].size(), 256u); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    auto lines = fileLines(texts::builtInTexts());
    if (row.edit) row.edit(lines);
    texts::InterfaceTexts table = texts::builtInTexts();
    table.Titles[0] = "untouched";
    const auto status = texts::parseLanguageText(row.prefix + joinLines(lines) + row.suffix, table);
    EXPECT_EQ(status, row.status);
    if (status != LanguageParseStatus::Ok) {
      EXPECT_EQ(table.Titles[0], "untouched");
    }
    if (row.check && status == LanguageParseStatus::Ok) row.check(table);
  }
}

TEST(LanguageFile, FailedLineNumbers) {
  auto lines = fileLines(texts::builtInTexts());
  lines[kFirstOptionsLine + 3] = "one item";
  std::size_t failed = 0;
  texts::InterfaceTexts table;
  EXPECT_EQ(texts::parseLanguageText("// c\n\n" + joinLines(lines, "\n"), table, &failed),
            LanguageParseStatus::OptionsItemCount);
  EXPECT_EQ(failed, kFirstOptionsLine + 3 + 3);
  lines = fileLines(texts::builtInTexts());
  EXPECT_EQ(texts::parseLanguageText(joinLines(lines, "\n") + "\n//\nextra\n", table, &failed),
            LanguageParseStatus::SurplusLine);
  EXPECT_EQ(failed, 269u);
}

TEST(LanguageFile, ChunkedFeedingMatchesWholeText) {
  auto lines = fileLines(texts::builtInTexts());
  lines[0] =
      "\xC3\x9C"
      "ber";
  const std::string text = "\xEF\xBB\xBF" + joinLines(lines);
  for (std::size_t chunk : {1u, 2u, 3u, 7u, 4096u}) {
    SCOPED_TRACE(chunk);
    texts::LanguageFileParser parser;
    for (std::size_t pos = 0; pos < text.size(); pos += chunk) {
      parser.feed(std::string_view(text).substr(pos, chunk));
    }
    texts::InterfaceTexts table;
    ASSERT_EQ(parser.finish(table), LanguageParseStatus::Ok);
    EXPECT_EQ(table.Titles[0],
              "\xC3\x9C"
              "ber");
    EXPECT_EQ(table.Misc[0], texts::builtInTexts().Misc[0]);
  }
}

TEST(LanguageFile, RandomAndTruncatedInputNeverLeaveAHalfTable) {
  const std::string german = texts_test::readFile(texts_test::germanFile());
  ASSERT_GT(german.size(), 1000u);
  std::mt19937 random(20261209);
  for (int round = 0; round < 300; ++round) {
    std::string input;
    switch (round % 3) {
      case 0:  // truncated
        input = german.substr(0, random() % german.size());
        break;
      case 1: {  // random bytes spliced in
        input = german;
        for (int i = 0; i < 20; ++i) input[random() % input.size()] = static_cast<char>(random());
        break;
      }
      default:  // pure noise with many line ends
        input.resize(random() % 20000);
        for (char& c : input) c = (random() % 8 == 0) ? '\n' : static_cast<char>(random());
    }
    texts::InterfaceTexts table;
    table.Hints[0] = "marker";
    const auto status = texts::parseLanguageText(input, table);
    if (status == LanguageParseStatus::Ok) {
      for (std::size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(texts::optionItemCount(table.Options[i]),
                  texts::optionItemCount(texts::builtInTexts().Options[i]));
      }
      EXPECT_LE(table.Misc[0].size(), 5120u * 4);
    } else {
      EXPECT_EQ(table.Hints[0], "marker");
    }
  }
}

}  // namespace
