#include "video/picture_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace video {
namespace {

std::string show(const Rect& r) {
  std::ostringstream s;
  s << "(" << r.Left << ", " << r.Top << ", " << r.Width << " x " << r.Height << ")";
  return s.str();
}

TEST(RoundEvenTest, ExactQuotientRoundsHalvesToEven) {
  struct Row {
    int64_t numerator, denominator;
    int32_t expected;
  } rows[] = {
      {1050, 100, 10},
      {-1050, 100, -10},
      {10250, 100, 102},
      {-10250, 100, -102},
      {1150, 100, 12},
      {-1150, 100, -12},
      {1025, 50, 20},
      {1075, 50, 22},
      {1049, 100, 10},
      {1051, 100, 11},
      {-1051, 100, -11},
      {7, 3, 2},
      {-7, 3, -2},
      {0, 7, 0},
      {5, 0, 0},
      {5, -2, 0},
      {INT64_MAX, 1, INT32_MAX},
      {INT64_MIN, 1, INT32_MIN},
      {INT64_MAX, INT64_MAX, 1},
      {INT64_MIN + 1, INT64_MAX, -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.numerator << " / " << row.denominator);
    EXPECT_EQ(roundEvenQuotient(row.numerator, row.denominator), row.expected);
  }
}

TEST(RoundEvenTest, RoundsHalvesToEvenAndSaturates) {
  struct Row {
    long double x;
    int32_t expected;
  } rows[] = {
      {0.5L, 0},          {1.5L, 2},           {2.5L, 2},    {-0.5L, 0},           {-1.5L, -2},
      {-2.5L, -2},        {2.4999L, 2},        {2.5001L, 3}, {-7.07L, -7},         {719.1L, 719},
      {1e30L, INT32_MAX}, {-1e30L, INT32_MIN}, {NAN, 0},     {INFINITY, INT32_MAX}};
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<double>(row.x));
    EXPECT_EQ(roundEven(row.x), row.expected);
  }
}

struct LayoutCase {
  const char* name;
  PictureState picture;
  bool keep;
  int Wa, Ha, P;
  Rect expected;
};

// Exact rectangles: worked examples of the layout rules and the guarded faults.
TEST(LayoutPictureTest, ComputesExactRectangles) {
  const LayoutCase rows[] = {
      {"720x576 at 1.78 in 640x480", {720, 576, 1.78, 0, 0}, true, 640, 480, 0, {0, 60, 640, 360}},
      {"same in full screen with pan-scan 10",
       {720, 576, 1.78, 0, 0},
       true,
       1280,
       1024,
       10,
       {-128, 80, 1536, 864}},
      {"free fills the surface", {720, 576, 1.78, 0, 0}, false, 640, 480, 0, {0, 0, 640, 480}},
      {"free with offset x 10 moves right by a tenth",
       {720, 576, 1.78, 10, 0},
       false,
       640,
       480,
       0,
       {64, 0, 640, 480}},
      {"free with offset y 10 moves up",
       {720, 576, 1.78, 0, 10},
       false,
       640,
       480,
       0,
       {0, -48, 640, 480}},
      {"2.39 picture in 4:3 window has bars",
       {1920, 804, 2.39, 0, 0},
       true,
       640,
       480,
       0,
       {0, 106, 640, 268}},
      {"portrait picture in wide window",
       {480, 640, 0.75, 0, 0},
       true,
       640,
       480,
       0,
       {140, 0, 360, 480}},
      {"square in odd window", {500, 500, 1.0, 0, 0}, true, 641, 479, 0, {81, 0, 479, 479}},
      {"offsets at +100 move a whole picture",
       {720, 576, 1.78, 100, 100},
       true,
       640,
       480,
       0,
       {640, -300, 640, 360}},
      {"offsets beyond the range are limited",
       {720, 576, 1.78, 500, -500},
       true,
       640,
       480,
       0,
       {640, 420, 640, 360}},
      {"pan-scan 100 doubles and centres",
       {720, 576, 1.33, 0, 0},
       true,
       1280,
       1024,
       100,
       {-1280, -930, 3840, 2884}},
      {"pan-scan -50 keeps one pixel",
       {720, 576, 1.78, 0, 0},
       true,
       1280,
       1024,
       -50,
       {640, 511, 1, 1}},
      {"pan-scan -50 free keeps one pixel",
       {720, 576, 1.78, 0, 0},
       false,
       1280,
       1024,
       -50,
       {640, 512, 1, 1}},
      {"pan-scan below the range is limited",
       {720, 576, 1.78, 0, 0},
       false,
       1280,
       1024,
       -90,
       {640, 512, 1, 1}},
      {"no native size keeps the ratio", {0, 0, 1.33, 0, 0}, true, 640, 360, 0, {80, 0, 479, 360}},
      {"no native size, wide ratio", {0, 0, 2.0, 0, 0}, true, 640, 480, 0, {0, 80, 640, 320}},
      {"zero ratio is taken as 1.33", {0, 0, 0.0, 0, 0}, true, 640, 360, 0, {80, 0, 479, 360}},
      {"NaN ratio is taken as 1.33", {0, 0, NAN, 0, 0}, true, 640, 360, 0, {80, 0, 479, 360}},
      {"1-pixel window", {1920, 1080, 1.78, 0, 0}, true, 1, 1, 0, {0, 0, 1, 1}},
      {"empty surface", {1920, 1080, 1.78, 0, 0}, true, 640, 0, 0, {0, 0, 0, 0}},
      {"negative surface", {1920, 1080, 1.78, 0, 0}, false, -5, 100, 0, {0, 0, 0, 0}},
      {"tiny picture with extreme ratio", {1, 1, 5.0, 0, 0}, true, 500, 500, 0, {0, 200, 500, 100}},
      // Exact halves go to the even neighbour in every term.
      {"4:3 on 1680x1050 with pan-scan 1: top -10.5 gives -10",
       {640, 480, 1.33, 0, 0},
       true,
       1680,
       1050,
       1,
       {128, -10, 1423, 1071}},
      {"free 1025 wide with offset 10: 102.5 gives 102",
       {720, 576, 1.78, 10, 0},
       false,
       1025,
       576,
       0,
       {102, 0, 1025, 576}},
      {"free 1025 wide with offset -10: -102.5 gives -102",
       {720, 576, 1.78, -10, 0},
       false,
       1025,
       576,
       0,
       {-102, 0, 1025, 576}},
      {"free 1045 wide with offset 10: 104.5 gives 104",
       {720, 576, 1.78, 10, 0},
       false,
       1045,
       576,
       0,
       {104, 0, 1045, 576}},
      {"free 1035 wide with offset 10: 103.5 gives 104",
       {720, 576, 1.78, 10, 0},
       false,
       1035,
       576,
       0,
       {104, 0, 1035, 576}},
      {"free 1050 high with offset y 1: 10.5 gives 10",
       {720, 576, 1.78, 0, 1},
       false,
       640,
       1050,
       0,
       {0, -10, 640, 1050}},
      {"free full screen 1025x768 pan-scan 1: growth 20.5 gives 20",
       {720, 576, 1.78, 0, 0},
       false,
       1025,
       768,
       1,
       {-10, -8, 1045, 783}},
      {"tall monitor 1050x1680 pan-scan 1: left -10.5 gives -10",
       {720, 576, 1.78, 0, 0},
       true,
       1050,
       1680,
       1,
       {-10, 539, 1071, 602}},
      {"width 303 x 720 / 480 = 454.5 gives 454",
       {720, 480, 1.5, 0, 0},
       true,
       1000,
       303,
       0,
       {273, 0, 454, 303}},
      {"width 329 x 720 / 480 = 493.5 gives 494",
       {720, 480, 1.5, 0, 0},
       true,
       1000,
       329,
       0,
       {253, 0, 494, 329}},
  };
  for (const LayoutCase& row : rows) {
    SCOPED_TRACE(row.name);
    Rect r = LayoutPicture(row.picture, row.keep, row.Wa, row.Ha, row.P);
    EXPECT_EQ(r, row.expected) << show(r);
  }
}

// Every ratio mode against pictures of several shapes in odd and even windows:
// the picture fills one side, is centred in the other, keeps its ratio, never
// leaves the surface and never has an empty or negative size.
TEST(LayoutPictureTest, StaysInsideWindowAndKeepsShape) {
  const struct {
    int w, h;
  } pictures[] = {{480, 640}, {500, 500}, {640, 480}, {1920, 1080}, {1920, 804}, {0, 0}};
  const double ratios[] = {0.5, 1.0, 1.33, 1.78, 2.39, 3.0};
  const struct {
    int w, h;
  } windows[] = {{640, 480}, {641, 479}, {1280, 720}, {333, 777}, {2, 1}, {1, 1}, {45, 31}};
  for (auto pic : pictures)
    for (double ratio : ratios)
      for (bool keep : {true, false})
        for (auto win : windows) {
          std::ostringstream trace;
          trace << pic.w << "x" << pic.h << " r" << ratio << (keep ? " keep " : " free ") << win.w
                << "x" << win.h;
          SCOPED_TRACE(trace.str());
          PictureState p{pic.w, pic.h, ratio, 0, 0};
          Rect r = LayoutPicture(p, keep, win.w, win.h, 0);
          ASSERT_GE(r.Width, 1);
          ASSERT_GE(r.Height, 1);
          EXPECT_GE(r.Left, 0);
          EXPECT_GE(r.Top, 0);
          EXPECT_LE(r.Left + r.Width, win.w);
          EXPECT_LE(r.Top + r.Height, win.h);
          EXPECT_TRUE(r.Width == win.w || r.Height == win.h);
          EXPECT_LE(std::abs(2 * r.Left + r.Width - win.w), 1);
          EXPECT_LE(std::abs(2 * r.Top + r.Height - win.h), 1);
          if (keep && r.Width > 50 && r.Height > 50) {
            EXPECT_NEAR(double(r.Width) / r.Height, ratio, ratio * 0.02);
          }
        }
}

// In full screen pan-scan enlarges the picture around the monitor's centre:
// deliberately larger than the monitor for positive amounts, inside for negative.
TEST(LayoutPictureTest, PanScanGrowsAroundTheCentre) {
  const int amounts[] = {-50, -49, -25, -1, 0, 1, 7, 10, 50, 99, 100};
  for (bool keep : {true, false})
    for (double ratio : {1.33, 1.78, 2.39})
      for (int P : amounts) {
        SCOPED_TRACE(testing::Message() << "P " << P << " r " << ratio << " keep " << keep);
        PictureState p{720, 576, ratio, 0, 0};
        Rect r0 = LayoutPicture(p, keep, 1280, 1024, 0);
        Rect r = LayoutPicture(p, keep, 1280, 1024, P);
        ASSERT_GE(r.Width, 1);
        ASSERT_GE(r.Height, 1);
        if (P > 0) {
          EXPECT_GT(r.Width, r0.Width);
          EXPECT_GT(r.Height, r0.Height);
        } else if (P < 0) {
          EXPECT_LE(r.Width, r0.Width);
          EXPECT_LE(r.Height, r0.Height);
          EXPECT_GE(r.Left, 0);
          EXPECT_GE(r.Top, 0);
        }
        // Centre stays within a couple of pixels of the monitor's centre.
        EXPECT_LE(std::abs(2 * r.Left + r.Width - 1280), 3);
        EXPECT_LE(std::abs(2 * r.Top + r.Height - 1024), 3);
      }
}

TEST(AutomaticPanScanAmountTest, CutsAThirdOfTheBars) {
  struct Row {
    int Mw, Mh;
    double r;
    int expected;
  } rows[] = {
      {1280, 1024, 1.78, 7}, {1680, 1050, 1.33, 0}, {1280, 1024, 2.39, 15}, {1024, 768, 2.39, 13},
      {1024, 768, 1.33, 0},  {1024, 768, 1.34, 0},  // 2 or less gives 0
      {800, 600, 20.0, 50},  {1280, 0, 1.78, 0},    {0, 0, 1.78, 0},        {1280, 1024, 0.0, 0},
      {1280, 1024, NAN, 0},  {1280, 1024, -1.0, 0}, {1, 1024, 1e9, 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.Mw << "x" << row.Mh << " r " << row.r);
    EXPECT_EQ(AutomaticPanScanAmount(row.Mw, row.Mh, row.r), row.expected);
  }
}

// The amount is 50 (Mh - H0) / (3 H0) percent; an exact half goes to the even
// neighbour. H0 500: 3.5 and 4.5 give 4, 2.5 gives 2 and so 0. H0 320: 17.5
// gives 18, 37.5 gives 38.
TEST(AutomaticPanScanAmountTest, HalfPercentsGoToTheEvenNeighbour) {
  const struct {
    int Mw, Mh;
    double r;
    int expected;
  } rows[] = {{665, 605, 1.33, 4},
              {665, 635, 1.33, 4},
              {665, 575, 1.33, 0},
              {640, 656, 2.0, 18},
              {640, 1040, 2.0, 38}};
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.Mw << "x" << row.Mh << " r " << row.r);
    EXPECT_EQ(AutomaticPanScanAmount(row.Mw, row.Mh, row.r), row.expected);
  }
}

TEST(CorrectedSizeTest, KeepsPixelCountAndRatio) {
  struct Row {
    int w, h;
    double r;
    int A, B;
    bool valid;
  } rows[] = {{720, 576, 1.78, 859, 483, true}, {1920, 1080, 1.78, 1921, 1079, true},
              {640, 480, 1.33, 639, 481, true}, {0, 0, 1.33, 0, 0, false},
              {720, 0, 1.33, 0, 0, false},      {1, 1, 5.0, 2, 0, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.w << "x" << row.h << " r " << row.r);
    CorrectedSize c = correctedSize(row.w, row.h, row.r);
    EXPECT_EQ(c.A, row.A);
    EXPECT_EQ(c.B, row.B);
    EXPECT_EQ(c.valid, row.valid);
  }
}

TEST(RatioTextTest, NativeRatioAndFormatting) {
  struct Native {
    int w, h;
    double expected;
  } natives[] = {{1920, 1080, 1.78}, {720, 576, 1.25}, {1920, 804, 2.39}, {640, 480, 1.33},
                 {0, 0, 1.33},       {720, 0, 1.33},   {1, 300, 0.10},    {9000, 10, 5.00}};
  for (const Native& row : natives) {
    SCOPED_TRACE(testing::Message() << row.w << "x" << row.h);
    EXPECT_DOUBLE_EQ(nativeRatio(row.w, row.h), row.expected);
  }
  struct Text {
    double r;
    char sep;
    const char* expected;
  } texts[] = {{1.78, '.', "1.78"}, {1.33, ',', "1,33"}, {1.0, '.', "1"},
               {0.5, '.', "0.5"},   {3.0, ',', "3"},     {57 / 100.0, '.', "0.57"}};
  for (const Text& row : texts) {
    SCOPED_TRACE(row.expected);
    EXPECT_EQ(formatRatio(row.r, row.sep), row.expected);
  }
}

}  // namespace
}  // namespace video
