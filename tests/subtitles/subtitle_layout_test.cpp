// Subtitle layout and placement with a fixed-width metric: every character is
// as wide in pixels as the font size in points. With a 1000-pixel screen at
// 262.5 pixels per inch and SubtitleSize 100 the base size is 10 points, so
// HorizontalDisplayArea 10 leaves room for 10 characters.
#include <gtest/gtest.h>

#include "subtitles/subtitle_layout.h"
#include "subtitles/subtitle_look.h"
#include "subtitles/subtitle_placement.h"
#include "subtitles/subtitle_text.h"
#include "texts/built_in_texts.h"

namespace subtitles {
namespace {

constexpr double kDpi = 262.5;

int fixedWidth(const std::string& line, int sizePt) {
  return int(countUtf8Chars(line)) * sizePt;
}

using Lines = std::vector<std::string>;

TEST(SubtitleLayoutTest, LaysOutEveryModeCombination) {
  struct Row {
    const char* name;
    bool split, wrapAll, resize;
    int area, screen;
    Lines in, out;
    float scale;
  } rows[] = {
      {"two fitting lines stay",
       true,
       false,
       false,
       10,
       1000,
       {"Hello", "World"},
       {"Hello", "World"},
       1},
      {"long line wraps at blanks",
       true,
       false,
       false,
       10,
       1000,
       {"one two three four"},
       {"one two", "three four"},
       1},
      {"word wider than the width",
       true,
       false,
       false,
       10,
       1000,
       {"abcdefghijklmnopqrstuvwxy"},
       {"abcdefghij", "klmnopqrst", "uvwxy"},
       1},
      {"no break after a dash",
       true,
       false,
       false,
       10,
       1000,
       {"aaaa - bbbbbb"},
       {"aaaa", "- bbbbbb"},
       1},
      {"no break before ' ?'",
       true,
       false,
       false,
       10,
       1000,
       {"bb aaaaaa ?"},
       {"bb", "aaaaaa ?"},
       1},
      {"no break before ' !' and ' :'",
       true,
       false,
       false,
       10,
       1000,
       {"bb aaaa ! c :"},
       {"bb aaaa !", "c :"},
       1},
      {"wrap all joins and re-wraps",
       false,
       true,
       false,
       100,
       1000,
       {"one", "two three"},
       {"one two three"},
       1},
      {"dialogue dashes",
       false,
       true,
       false,
       100,
       1000,
       {"Where?", "- Here. - Now!"},
       {"Where?", "- Here.", "- Now!"},
       1},
      {"no break inside a word",
       false,
       true,
       false,
       100,
       1000,
       {"a well-Known b"},
       {"a well-Known b"},
       1},
      {"split and wrap all keep breaks",
       true,
       true,
       false,
       100,
       1000,
       {"one", "two"},
       {"one", "two"},
       1},
      {"split and wrap all wrap too",
       true,
       true,
       false,
       10,
       1000,
       {"Yes. - No way out"},
       {"Yes.", "- No way", "out"},
       1},
      {"wrapping wins over resizing",
       true,
       false,
       true,
       10,
       1000,
       {"one two three"},
       {"one two", "three"},
       1},
      {"resize shrinks the widest line",
       false,
       false,
       true,
       10,
       1000,
       {"abcdefghijklmnopqrst", "short"},
       {"abcdefghijklmnopqrst", "short"},
       0.5f},
      {"resize keeps size 2 when none fits",
       false,
       false,
       true,
       1,
       1000,
       {"abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz"},
       {"abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz"},
       0.2f},
      {"resize with nothing to try",
       false,
       false,
       true,
       10,
       100,
       {"abcdefghijklmnopqrst"},
       {"abcdefghijklmnopqrst"},
       1},
      {"resize leaves fitting lines", false, false, true, 100, 1000, {"short"}, {"short"}, 1},
      {"plain keeps long lines",
       false,
       false,
       false,
       10,
       1000,
       {"one two three four"},
       {"one two three four"},
       1},
      {"lines are trimmed",
       false,
       false,
       false,
       100,
       1000,
       {"  padded\t ", "\x01x\x02"},
       {"padded", "x"},
       1},
      {"wrapped lines are trimmed",
       true,
       false,
       false,
       10,
       1000,
       {"  aaaa    bbbb   "},
       {"aaaa", "bbbb"},
       1},
      {"marks in the text survive",
       true,
       false,
       false,
       100,
       1000,
       {"a\x01"
        "b \x02 c-d"},
       {"a\x01"
        "b \x02 c-d"},
       1},
      {"no lines", true, true, false, 10, 1000, {}, {}, 1},
      {"tiny screen still ends", true, false, false, 1, 10, {"ab cd"}, {"a", "b", "c", "d"}, 1},
      {"UTF-8 characters count once",
       true,
       false,
       false,
       10,
       1000,
       {"čćžšđ čćžšđ"},
       {"čćžšđ", "čćžšđ"},
       1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    LayoutOptions o;
    o.AutoSplitLine = r.split;
    o.WrapAllText = r.wrapAll;
    o.AutoResizeFont = r.resize;
    o.HorizontalDisplayArea = r.area;
    const SubtitleLayout layout = LayOutSubtitle(r.in, o, r.screen, kDpi, fixedWidth);
    EXPECT_EQ(layout.DisplayLines, r.out);
    EXPECT_FLOAT_EQ(layout.FontScale, r.scale);
  }
}

TEST(SubtitleLayoutTest, WrapsToAnyWidth) {
  struct Row {
    std::u32string text;
    int width;
    std::vector<std::u32string> out;
  } rows[] = {
      {U"abc de", 0, {U"a", U"b", U"c", U"d", U"e"}},
      {U"abc de", -5, {U"a", U"b", U"c", U"d", U"e"}},
      {U"abc de", 10, {U"a", U"b", U"c", U"d", U"e"}},
      {U"abc de", 30, {U"abc", U"de"}},
      {U"ab\r\n\ncd", 100, {U"ab", U"", U"cd"}},
      {U"", 100, {U""}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.width);
    EXPECT_EQ(wrapText(r.text, r.width, 10, fixedWidth), r.out);
  }
}

TEST(SubtitleLayoutTest, BreaksBeforeDialogueDashes) {
  struct Row {
    std::u32string in, out;
  } rows[] = {
      {U"Where? - Here. - Now!", U"Where?\n- Here.\n- Now!"},
      {U"Yes.-No", U"Yes.\n-No"},
      {U"Yes.   -   Привет", U"Yes.\n-   Привет"},
      {U"Yes. - no", U"Yes. - no"},    // not an uppercase letter
      {U"well-Known", U"well-Known"},  // no sentence end before
      {U"End. -   ", U"End. -   "},    // only blanks after the dash
      {U"End. -", U"End. -"},          // dash is the last character
      {U"-A", U"-A"},                  // nothing before the dash
      {U". -A", U".\n-A"},
      {U"-A", U"-A"},
      {U"a.", U"a."},
  };
  for (const Row& r : rows) EXPECT_EQ(breakDialogueDashes(r.in), r.out) << toUtf8(r.in);
}

TEST(SubtitleLayoutTest, RecognisesUppercaseLetters) {
  for (char32_t c :
       {U'A', U'Z', U'Č', U'Ł', U'Ÿ', U'Ω', U'Ж', U'Ё', U'Ա', U'Ⅻ', U'Ⓐ', U'Ａ', U'Ḁ'}) {
    EXPECT_TRUE(isUppercaseLetter(c)) << uint32_t(c);
  }
  for (char32_t c : {U'a', U'z', U'č', U'ł', U'ω', U'ж', U'1', U'-', U' ', U'×', U'ı', U'中'}) {
    EXPECT_FALSE(isUppercaseLetter(c)) << uint32_t(c);
  }
}

TEST(SubtitleLayoutTest, FontSizeNeverRoundsToZero) {
  struct Row {
    int width, size;
    double dpi, scale;
    int points;
  } rows[] = {
      {1280, 100, 96, 1, 35},                           // 35.0
      {1024, 100, 96, 1, 28},                           // 28.0, as SubtitleSize x 28 x W / 102400
      {1000, 100, 96, 0.5, 14},                         // 13.67
      {10, 10, 96, 1, 1},                               // 0.027 would be 0
      {0, 100, 96, 1, 1},       {1280, 100, 0, 1, 35},  // no pixel density known: 96
  };
  for (const Row& r : rows)
    EXPECT_EQ(subtitleFontSize(r.width, r.size, r.dpi, r.scale), r.points) << r.width;
}

TEST(SubtitlePlacementTest, StrokeOffsetsFollowTheFontSize) {
  struct Row {
    int size;
    size_t outlines, shadows;
    Offset firstOutline, lastShadow;
  } rows[] = {
      {9, 0, 0, {}, {}},
      {10, 4, 0, {-1, -1}, {}},
      {15, 4, 0, {-1, -1}, {}},
      {16, 13, 4, {-2, -2}, {3, 3}},
      {25, 13, 4, {-2, -2}, {3, 3}},
      {26, 13, 4, {-2, -2}, {4, 4}},
      {42, 13, 4, {-2, -2}, {4, 4}},
      {43, 19, 4, {-3, -3}, {4, 4}},
      {44, 19, 4, {-3, -3}, {7, 5}},
      {54, 19, 4, {-3, -3}, {7, 5}},
      {55, 19, 4, {-3, -3}, {8, 7}},
      {400, 19, 4, {-3, -3}, {8, 7}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.size);
    const auto outline = outlineOffsets(r.size);
    const auto shadow = shadowOffsets(r.size);
    ASSERT_EQ(outline.size(), r.outlines);
    ASSERT_EQ(shadow.size(), r.shadows);
    if (r.outlines) {
      EXPECT_EQ(outline.front(), r.firstOutline);
    }
    if (r.shadows) {
      EXPECT_EQ(shadow.back(), r.lastShadow);
    }
  }
  // The medium table strokes its first offset twice.
  EXPECT_EQ(outlineOffsets(20)[1], (Offset{-2, -2}));
  // Every stroke lies within three pixels of the text.
  for (const Offset& o : outlineOffsets(60)) EXPECT_LE(std::max(std::abs(o.dx), std::abs(o.dy)), 3);
}

TEST(SubtitlePlacementTest, OutlineAndKeyColours) {
  struct Row {
    uint32_t text, outline, key;
  } rows[] = {
      {0x000000, 0xFFFFFF, 0xC0C0C0},  // named dark: white stroke
      {0x000080, 0xFFFFFF, 0xC0C0E0}, {0xFF0000, 0xFFFFFF, 0xFFC0C0},
      {0x808080, 0xFFFFFF, 0xE0E0E0}, {0x202020, 0x000000, 0x080808},  // not named: black stroke
      {0xFFFFFF, 0x000000, 0x3F3F3F}, {0x000003, 0x000000, 0x010101},  // key would be black
      {0x010101, 0x000000, 0x020202},                                  // key would equal the text
      {0x000004, 0x000000, 0x000001}, {0x00FF00, 0x000000, 0x003F00},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.text);
    const OutlineColors c = outlineColors(r.text);
    EXPECT_EQ(c.outline, r.outline);
    EXPECT_EQ(c.key, r.key);
    EXPECT_NE(c.key, r.text);
    EXPECT_NE(c.key, c.outline);
  }
}

TEST(SubtitlePlacementTest, DrawingSizeFitsTheWindowWidth) {
  const Lines lines{"abcdefghijklmnopqrst", "short"};
  struct Row {
    float scale;
    int area;
    bool fit;
    int width;
    int size;
  } rows[] = {
      {1, 10, true, 1000, 5},    // 200 px at 10 points, 100 px allowed
      {1, 10, false, 1000, 10},  // plain mode keeps its size
      {0.5f, 10, true, 1000, 5}, {1, 100, true, 1000, 10},
      {1, 1, true, 100, 1},  // never below 1 point
  };
  for (const Row& r : rows)
    EXPECT_EQ(drawingFontSize(lines, r.scale, 100, r.area, r.fit, r.width, kDpi, fixedWidth),
              r.size)
        << r.area;
  EXPECT_EQ(drawingFontSize({}, 1, 100, 10, true, 1000, kDpi, fixedWidth), 10);
}

TEST(SubtitlePlacementTest, PlacesPlainLinesInTheZone) {
  struct Row {
    int lines, lineHeight, height, zone;
    std::vector<int> tops;
    int zoneTop;
  } rows[] = {
      {2, 20, 200, 15, {150, 170}, 149},  // block middle 30 px above the bottom
      {2, 20, 200, 0, {160, 180}, 159},   // never below the bottom edge
      {1, 20, 200, 50, {90}, 89},
      {3, 100, 200, 15, {0, 100, 200}, -1},  // taller than the window: first line kept
      {0, 20, 200, 15, {}, 169},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.lines * 1000 + r.zone);
    const DirectPlacement p = placeDirect(r.lines, r.lineHeight, r.height, r.zone);
    EXPECT_EQ(p.lineTops, r.tops);
    EXPECT_EQ(p.zoneTop, r.zoneTop);
  }
}

TEST(SubtitlePlacementTest, PlacesTheOutlineBitmap) {
  struct Row {
    int widest, lines, lineHeight, width, height, zone;
    OutlinePlacement expect;
  } rows[] = {
      {100, 2, 20, 400, 200, 15, {109, 51, 147, 149, 148}},
      {100, 2, 20, 400, 200, 0, {109, 51, 147, 156, 155}},   // at most height - bitmap + 5
      {100, 12, 20, 400, 200, 15, {109, 251, 147, 0, -1}},   // never above the top
      {500, 1, 20, 400, 200, 15, {509, 31, -52, 159, 158}},  // wider than the window
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.lines * 1000 + r.zone);
    const OutlinePlacement p =
        placeOutline(r.widest, r.lines, r.lineHeight, r.width, r.height, r.zone);
    EXPECT_EQ(p.bitmapWidth, r.expect.bitmapWidth);
    EXPECT_EQ(p.bitmapHeight, r.expect.bitmapHeight);
    EXPECT_EQ(p.x, r.expect.x);
    EXPECT_EQ(p.y, r.expect.y);
    EXPECT_EQ(p.zoneTop, r.expect.zoneTop);
  }
  EXPECT_EQ(outlineLineX(109, 100), 3);
}

TEST(SubtitleLookTest, MoveAndSizeStepsWithTheirMessages) {
  const struct {
    int zone;
    bool up;
    int moved;
  } moves[] = {{15, true, 16}, {50, true, 50}, {0, false, 0}, {1, false, 0}, {49, true, 50}};
  for (const auto& m : moves) EXPECT_EQ(movedZone(m.zone, m.up), m.moved) << m.zone;
  const struct {
    int size;
    bool larger;
    int resized;
  } sizes[] = {{97, true, 100},  {998, true, 1000}, {1000, true, 1000}, {100, true, 105},
               {100, false, 95}, {12, false, 10},   {10, false, 10},    {103, false, 100}};
  for (const auto& r : sizes) EXPECT_EQ(resizedSubtitle(r.size, r.larger), r.resized) << r.size;
  const auto& t = texts::builtInTexts();
  EXPECT_EQ(zoneMessage(t, 50), "Subtitle vertical position: 50%");
  EXPECT_EQ(sizeMessage(t, 100), "Subtitle size: 100%");
}

// The font dialog's size and back: 1280 x 100 x 28 / 102400 = 35 points;
// halves go to the even neighbour; chosen sizes keep SubtitleSize in 10..1000.
TEST(SubtitleLookTest, FontDialogSizeAndBack) {
  const struct {
    int screenWidth, size, points;
  } opened[] = {{1280, 100, 35}, {1024, 100, 28}, {1920, 100, 52}, {1280, 10, 4},
                {2560, 50, 35},  {128, 10, 0},    {5120, 10, 14}};
  for (const auto& o : opened)
    EXPECT_EQ(fontDialogPoints(o.screenWidth, o.size), o.points) << o.screenWidth << " " << o.size;
  const struct {
    double points;
    int screenWidth, size;
  } chosen[] = {{35, 1280, 100}, {70, 1280, 200}, {1, 1280, 10},  {400, 1280, 1000},
                {28, 1024, 100}, {12, 0, 1000},   {36, 1280, 103}};
  for (const auto& c : chosen)
    EXPECT_EQ(subtitleSizeForPoints(c.points, c.screenWidth), c.size) << c.points;
}

}  // namespace
}  // namespace subtitles
