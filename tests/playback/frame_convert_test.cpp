// Conversion of decoded pictures of every accepted layout to 32-bit pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "playback/frame_convert.h"

namespace playback {
namespace {

// A uniform picture of one YUV colour in the given layout, rows padded.
struct Picture {
  std::vector<uint8_t> planes[3];
  PlanarFrame frame;
  Picture(PixelLayout layout, int w, int h, uint8_t y, uint8_t u, uint8_t v) {
    frame.layout = layout;
    frame.widthPx = w;
    frame.heightPx = h;
    const int cw = layout == PixelLayout::I444 ? w : (w + 1) / 2;
    const int ch = (layout == PixelLayout::I444 || layout == PixelLayout::I422) ? h : (h + 1) / 2;
    auto plane = [&](int i, int rowBytes, int rows, auto fill) {
      frame.strides[i] = rowBytes + 8;
      planes[i].assign(size_t(frame.strides[i]) * rows, 0);
      for (int r = 0; r < rows; ++r)
        for (int x = 0; x < rowBytes; ++x) planes[i][size_t(r) * frame.strides[i] + x] = fill(x);
      frame.planes[i] = planes[i].data();
    };
    if (layout == PixelLayout::BGRx) {
      plane(0, w * 4, h, [&](int x) { return uint8_t(x % 4 == 0 ? u : x % 4 == 1 ? v : y); });
      return;
    }
    plane(0, w, h, [&](int) { return y; });
    if (layout == PixelLayout::NV12) {
      plane(1, cw * 2, ch, [&](int x) { return x % 2 ? v : u; });
      return;
    }
    const bool swapped = layout == PixelLayout::YV12;
    plane(1, cw, ch, [&](int) { return swapped ? v : u; });
    plane(2, cw, ch, [&](int) { return swapped ? u : v; });
  }
};

struct ConvertCase {
  const char* name;
  PixelLayout layout;
  int srcW, srcH, dstW, dstH;
};

class FrameConvertTest : public ::testing::TestWithParam<ConvertCase> {};

// Limited-range BT.601 pure red is Y 81, U 90, V 240.
TEST_P(FrameConvertTest, GivesTheSameColourAtAnySize) {
  const auto& c = GetParam();
  Picture pic = c.layout == PixelLayout::BGRx ? Picture(c.layout, c.srcW, c.srcH, 10, 20, 230)
                                              : Picture(c.layout, c.srcW, c.srcH, 81, 90, 240);
  std::vector<uint8_t> out(size_t(c.dstW + 3) * 4 * c.dstH, 7);
  FrameConverter converter;
  ASSERT_TRUE(converter.convert(pic.frame, {out.data(), (c.dstW + 3) * 4, c.dstW, c.dstH}));
  for (int y : {0, c.dstH / 2, c.dstH - 1})
    for (int x : {0, c.dstW / 2, c.dstW - 1}) {
      const uint8_t* p = &out[(size_t(y) * (c.dstW + 3) + x) * 4];
      SCOPED_TRACE(::testing::Message() << x << "," << y);
      if (c.layout == PixelLayout::BGRx) {
        EXPECT_NEAR(p[0], 20, 3);
        EXPECT_NEAR(p[1], 230, 3);
        EXPECT_NEAR(p[2], 10, 3);
      } else {
        EXPECT_LE(p[0], 8);    // blue
        EXPECT_LE(p[1], 8);    // green
        EXPECT_GE(p[2], 247);  // red
      }
    }
  // Padding beyond the target's width is not written.
  EXPECT_EQ(out[size_t(c.dstW) * 4], 7);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, FrameConvertTest,
    ::testing::Values(ConvertCase{"I420Same", PixelLayout::I420, 64, 48, 64, 48},
                      ConvertCase{"I420Down", PixelLayout::I420, 64, 48, 30, 17},
                      ConvertCase{"I420UpOdd", PixelLayout::I420, 33, 21, 100, 75},
                      ConvertCase{"YV12Down", PixelLayout::YV12, 64, 48, 32, 24},
                      ConvertCase{"YV12Same", PixelLayout::YV12, 64, 48, 64, 48},
                      ConvertCase{"NV12Same", PixelLayout::NV12, 64, 48, 64, 48},
                      ConvertCase{"NV12Scaled", PixelLayout::NV12, 63, 47, 120, 90},
                      ConvertCase{"I422Same", PixelLayout::I422, 64, 48, 64, 48},
                      ConvertCase{"I422Scaled", PixelLayout::I422, 64, 48, 40, 30},
                      ConvertCase{"I444Same", PixelLayout::I444, 64, 48, 64, 48},
                      ConvertCase{"I444Scaled", PixelLayout::I444, 64, 48, 128, 96},
                      ConvertCase{"BGRxSame", PixelLayout::BGRx, 16, 16, 16, 16},
                      ConvertCase{"BGRxScaled", PixelLayout::BGRx, 16, 16, 37, 5},
                      ConvertCase{"I420NearRows", PixelLayout::I420, 200, 100, 200, 99},
                      ConvertCase{"NV12NearRows", PixelLayout::NV12, 202, 100, 202, 99},
                      ConvertCase{"I444NearUp", PixelLayout::I444, 100, 100, 100, 101},
                      ConvertCase{"BGRxNearColumns", PixelLayout::BGRx, 100, 100, 99, 100},
                      // No column from past a row's end when the target is wider.
                      ConvertCase{"I420WiderByOnePercent", PixelLayout::I420, 200, 100, 202, 100},
                      ConvertCase{"NV12WiderByOnePercent", PixelLayout::NV12, 200, 100, 202, 101}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FrameConvertRejectTest, RefusesInconsistentInput) {
  Picture pic(PixelLayout::I420, 16, 16, 81, 90, 240);
  std::vector<uint8_t> out(16 * 16 * 4, 7);
  const FrameTarget good{out.data(), 64, 16, 16};
  FrameConverter converter;
  const struct {
    const char* name;
    std::function<void(PlanarFrame&, FrameTarget&)> spoil;
  } rows[] = {
      {"no pixels", [](PlanarFrame&, FrameTarget& t) { t.pixels = nullptr; }},
      {"zero width", [](PlanarFrame&, FrameTarget& t) { t.widthPx = 0; }},
      {"short stride", [](PlanarFrame&, FrameTarget& t) { t.strideBytes = 60; }},
      {"empty frame", [](PlanarFrame& f, FrameTarget&) { f.heightPx = 0; }},
      {"missing plane", [](PlanarFrame& f, FrameTarget&) { f.planes[2] = nullptr; }},
      {"missing luma", [](PlanarFrame& f, FrameTarget&) { f.planes[0] = nullptr; }},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    PlanarFrame f = pic.frame;
    FrameTarget t = good;
    r.spoil(f, t);
    EXPECT_FALSE(converter.convert(f, t));
    EXPECT_EQ(out[0], 7);
  }
}

// A picture whose samples change from pixel to pixel, so a part converted
// from the wrong place or with the wrong chroma shows.
struct PatternPicture {
  std::vector<uint8_t> planes[3];
  PlanarFrame frame;
  PatternPicture(PixelLayout layout, int w, int h, int seed) {
    frame.layout = layout;
    frame.widthPx = w;
    frame.heightPx = h;
    const int cw = layout == PixelLayout::I444 ? w : (w + 1) / 2;
    const int ch = (layout == PixelLayout::I444 || layout == PixelLayout::I422) ? h : (h + 1) / 2;
    auto plane = [&](int i, int rowBytes, int rows) {
      frame.strides[i] = rowBytes + 4;
      planes[i].assign(size_t(frame.strides[i]) * rows, 0);
      for (int r = 0; r < rows; ++r)
        for (int x = 0; x < rowBytes; ++x)
          planes[i][size_t(r) * frame.strides[i] + x] =
              uint8_t(40 + (x * 7 + r * 13 + i * 50 + seed * 31) % 170);
      frame.planes[i] = planes[i].data();
    };
    if (layout == PixelLayout::BGRx) {
      plane(0, w * 4, h);
      return;
    }
    plane(0, w, h);
    if (layout == PixelLayout::NV12) {
      plane(1, cw * 2, ch);
      return;
    }
    plane(1, cw, ch);
    plane(2, cw, ch);
  }
};

class FrameConvertClipTest : public ::testing::TestWithParam<ConvertCase> {};

// A clipped conversion writes exactly the clip (its left and top edges made
// even) with the pixels a whole conversion gives there, and nothing else.
TEST_P(FrameConvertClipTest, WritesOnlyTheClipWithTheWholePicturesPixels) {
  const auto& c = GetParam();
  PatternPicture pic(c.layout, c.srcW, c.srcH, 0);
  const int stride = (c.dstW + 2) * 4;
  std::vector<uint8_t> whole(size_t(stride) * c.dstH, 0);
  FrameConverter reference;
  ASSERT_TRUE(reference.convert(pic.frame, {whole.data(), stride, c.dstW, c.dstH}));
  const struct {
    int left, top, width, height;
    int expectLeft, expectTop, expectRight, expectBottom;  // written rectangle
  } clips[] = {
      {0, 0, -1, -1, 0, 0, c.dstW, c.dstH},          // everything
      {0, 4, -1, 6, 0, 4, c.dstW, 10},               // a band of rows
      {3, 5, 7, 4, 2, 4, 10, 9},                     // odd edges move out
      {6, 2, 100000, 100000, 6, 2, c.dstW, c.dstH},  // beyond the edges
      {c.dstW - 1, c.dstH - 1, 1, 1, (c.dstW - 1) & ~1, (c.dstH - 1) & ~1, c.dstW, c.dstH},
      {4, 4, 0, 5, 0, 0, 0, 0},  // empty: nothing
  };
  for (const auto& clip : clips) {
    SCOPED_TRACE(::testing::Message()
                 << clip.left << "," << clip.top << " " << clip.width << "x" << clip.height);
    std::vector<uint8_t> out(whole.size(), 7);
    FrameConverter converter;
    ASSERT_TRUE(converter.convert(pic.frame, {out.data(), stride, c.dstW, c.dstH, clip.left,
                                              clip.top, clip.width, clip.height}));
    int wrong = 0;
    for (int y = 0; y < c.dstH; ++y)
      for (int x = 0; x < c.dstW; ++x) {
        const bool inside = x >= clip.expectLeft && x < clip.expectRight && y >= clip.expectTop &&
                            y < clip.expectBottom;
        const size_t at = size_t(y) * stride + size_t(x) * 4;
        for (int b = 0; b < 4; ++b) {
          const int expect = inside ? whole[at + b] : 7;
          if (std::abs(out[at + b] - expect) > 1) ++wrong;
        }
      }
    EXPECT_EQ(wrong, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, FrameConvertClipTest,
    ::testing::Values(ConvertCase{"I420Same", PixelLayout::I420, 24, 18, 24, 18},
                      ConvertCase{"I420Scaled", PixelLayout::I420, 40, 30, 23, 17},
                      ConvertCase{"YV12Same", PixelLayout::YV12, 24, 18, 24, 18},
                      ConvertCase{"NV12Same", PixelLayout::NV12, 24, 18, 24, 18},
                      ConvertCase{"NV12Scaled", PixelLayout::NV12, 24, 18, 31, 21},
                      ConvertCase{"I422Same", PixelLayout::I422, 24, 18, 24, 18},
                      ConvertCase{"I422Scaled", PixelLayout::I422, 24, 18, 30, 20},
                      ConvertCase{"I444Same", PixelLayout::I444, 24, 18, 24, 18},
                      ConvertCase{"I444Scaled", PixelLayout::I444, 24, 18, 17, 13},
                      ConvertCase{"BGRxSame", PixelLayout::BGRx, 24, 18, 24, 18},
                      ConvertCase{"BGRxScaled", PixelLayout::BGRx, 24, 18, 37, 19},
                      ConvertCase{"I420NearRows", PixelLayout::I420, 200, 100, 200, 99},
                      ConvertCase{"YV12NearRows", PixelLayout::YV12, 200, 100, 200, 101},
                      ConvertCase{"NV12NearRows", PixelLayout::NV12, 200, 100, 200, 99},
                      ConvertCase{"BGRxNearRows", PixelLayout::BGRx, 200, 100, 200, 99}),
    [](const auto& info) { return std::string(info.param.name); });

class FrameConvertNearTest : public ::testing::TestWithParam<ConvertCase> {};

// Within 1 % of the frame's size on both sides, every target pixel is the
// pixel a 1:1 conversion gives at the nearest source row and column: rows and
// columns are dropped or repeated, never blended, and each keeps its chroma.
TEST_P(FrameConvertNearTest, TakesTheNearestPixelOfAOneToOneConversion) {
  const auto& c = GetParam();
  PatternPicture pic(c.layout, c.srcW, c.srcH, 3);
  const int oneStride = c.srcW * 4, stride = (c.dstW + 1) * 4;
  std::vector<uint8_t> one(size_t(oneStride) * c.srcH, 0), out(size_t(stride) * c.dstH, 7);
  FrameConverter converter;
  ASSERT_TRUE(converter.convert(pic.frame, {one.data(), oneStride, c.srcW, c.srcH}));
  ASSERT_TRUE(converter.convert(pic.frame, {out.data(), stride, c.dstW, c.dstH}));
  // Centre of target pixel i, (i + 0.5) * source / target, truncated.
  const auto nearest = [](int i, int target, int source) {
    return int(std::floor((i + 0.5) * source / target));
  };
  int wrong = 0, dropped = 0;
  for (int y = 0; y < c.dstH; ++y)
    for (int x = 0; x < c.dstW; ++x) {
      const uint8_t* got = &out[size_t(y) * stride + size_t(x) * 4];
      const uint8_t* want = &one[size_t(nearest(y, c.dstH, c.srcH)) * oneStride +
                                 size_t(nearest(x, c.dstW, c.srcW)) * 4];
      if (std::memcmp(got, want, 4) != 0) ++wrong;
    }
  for (int y = 1; y < c.dstH; ++y)
    if (nearest(y, c.dstH, c.srcH) - nearest(y - 1, c.dstH, c.srcH) != 1) ++dropped;
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(dropped, std::abs(c.srcH - c.dstH));  // a row per pixel of difference
  EXPECT_EQ(out[size_t(c.dstW) * 4], 7);          // the row's padding stays
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, FrameConvertNearTest,
    ::testing::Values(ConvertCase{"I420MovieSize", PixelLayout::I420, 1920, 1080, 1920, 1078},
                      ConvertCase{"I420OddSize", PixelLayout::I420, 201, 101, 201, 100},
                      ConvertCase{"I420Taller", PixelLayout::I420, 200, 300, 200, 303},
                      ConvertCase{"YV12", PixelLayout::YV12, 640, 480, 640, 478},
                      ConvertCase{"NV12", PixelLayout::NV12, 202, 100, 202, 99},
                      ConvertCase{"I422Taller", PixelLayout::I422, 100, 100, 100, 101},
                      ConvertCase{"I444", PixelLayout::I444, 301, 200, 301, 199},
                      ConvertCase{"BGRx", PixelLayout::BGRx, 100, 100, 100, 101},
                      ConvertCase{"I420FourThree", PixelLayout::I420, 1440, 1080, 1437, 1080},
                      ConvertCase{"YV12Wider", PixelLayout::YV12, 640, 480, 643, 480},
                      ConvertCase{"NV12BothSides", PixelLayout::NV12, 202, 100, 200, 99},
                      ConvertCase{"I422BothSides", PixelLayout::I422, 301, 201, 300, 202},
                      ConvertCase{"I444BothSides", PixelLayout::I444, 301, 200, 300, 199},
                      ConvertCase{"BGRxBothSides", PixelLayout::BGRx, 100, 100, 99, 101}),
    [](const auto& info) { return std::string(info.param.name); });

// The scaled planes of a named frame serve later repaints of that frame at
// the same size; another frame, another size or an unnamed frame is scaled anew.
TEST(FrameConvertReuseTest, ReusesScaledPlanesOnlyForTheSameFrameAndSize) {
  const struct {
    const char* name;
    uint64_t firstId, secondId;
    int secondW;
    bool reused;
  } rows[] = {
      {"same frame, same size", 5, 5, 20, true},
      {"next frame", 5, 6, 20, false},
      {"unnamed frames", 0, 0, 20, false},
      {"same frame, new size", 5, 5, 22, false},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    PatternPicture first(PixelLayout::I420, 32, 24, 0);
    PatternPicture second(PixelLayout::I420, 32, 24, 1);
    FrameConverter converter;
    std::vector<uint8_t> out(22 * 15 * 4, 0);
    ASSERT_TRUE(converter.convert(first.frame, {out.data(), 22 * 4, 20, 15}, r.firstId));
    ASSERT_TRUE(converter.convert(second.frame, {out.data(), 22 * 4, r.secondW, 15}, r.secondId));
    std::vector<uint8_t> expect(out.size(), 0);
    FrameConverter fresh;
    ASSERT_TRUE(
        fresh.convert((r.reused ? first : second).frame, {expect.data(), 22 * 4, r.secondW, 15}));
    EXPECT_EQ(out, expect);
  }
}

}  // namespace
}  // namespace playback
