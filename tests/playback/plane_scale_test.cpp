// Bilinear scaling of one picture plane.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "playback/plane_scale.h"

namespace playback {
namespace {

struct ScaleCase {
  const char* name;
  int srcW, srcH, dstW, dstH;
};

// A plane of random bytes in rows with padding, which must never be read
// into the picture (it holds a value no pixel has).
struct Plane {
  int w, h, stride;
  std::vector<uint8_t> bytes;
  Plane(int width, int height, unsigned seed) : w(width), h(height), stride(width + 5) {
    bytes.assign(size_t(stride) * h, 255);
    std::mt19937 random(seed);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) bytes[size_t(y) * stride + x] = uint8_t(random() % 250);
  }
  double at(int x, int y) const { return bytes[size_t(y) * stride + x]; }
};

// The exact filter: centres lined up, two taps each way, edges clamped.
double exactBilinear(const Plane& p, int x, int y, int dstW, int dstH) {
  auto position = [](int i, int src, int dst) {
    return std::clamp((i + 0.5) * src / dst - 0.5, 0.0, double(src - 1));
  };
  const double sx = position(x, p.w, dstW), sy = position(y, p.h, dstH);
  const int x0 = int(sx), y0 = int(sy);
  const int x1 = std::min(x0 + 1, p.w - 1), y1 = std::min(y0 + 1, p.h - 1);
  const double fx = sx - x0, fy = sy - y0;
  const double top = p.at(x0, y0) * (1 - fx) + p.at(x1, y0) * fx;
  const double bottom = p.at(x0, y1) * (1 - fx) + p.at(x1, y1) * fx;
  return top * (1 - fy) + bottom * fy;
}

using Columns = PlaneScaler::Columns;
constexpr Columns kEveryFilter[] = {Columns::Plain, Columns::Gather, Columns::Permute};

class PlaneScaleTest : public ::testing::TestWithParam<ScaleCase> {};

// Random pictures are the hardest case: neighbours differ by up to 249, so a
// position off by a 64th of a pixel moves a value by up to 4 levels.
TEST_P(PlaneScaleTest, GivesTheExactBilinearPixelWithinTheWeightsRounding) {
  const ScaleCase& c = GetParam();
  const Plane src(c.srcW, c.srcH, unsigned(c.srcW * 31 + c.srcH));
  const int dstStride = c.dstW + 3;
  for (const Columns columns : kEveryFilter) {
    if (!PlaneScaler::runs(columns)) continue;
    SCOPED_TRACE(::testing::Message() << "column filter " << int(columns));
    std::vector<uint8_t> dst(size_t(dstStride) * c.dstH, 7);
    PlaneScaler scaler;
    ASSERT_TRUE(scaler.scale(src.bytes.data(), src.stride, c.srcW, c.srcH, dst.data(), dstStride,
                             c.dstW, c.dstH, columns));
    int worst = 0;
    for (int y = 0; y < c.dstH; ++y) {
      for (int x = 0; x < c.dstW; ++x) {
        const double want = exactBilinear(src, x, y, c.dstW, c.dstH);
        worst = std::max(worst, int(std::lround(std::abs(dst[size_t(y) * dstStride + x] - want))));
      }
      // Bytes past the target's width stay as they were.
      for (int x = c.dstW; x < dstStride; ++x) ASSERT_EQ(dst[size_t(y) * dstStride + x], 7);
    }
    EXPECT_LE(worst, 5);
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, PlaneScaleTest,
                         ::testing::Values(ScaleCase{"HdToWindow", 1920, 1080, 1280, 720},
                                           ScaleCase{"HdChromaToWindow", 960, 540, 640, 360},
                                           ScaleCase{"DownOdd", 64, 48, 30, 17},
                                           ScaleCase{"UpOdd", 33, 21, 100, 75},
                                           ScaleCase{"MoreThanHalved", 640, 480, 100, 61},
                                           ScaleCase{"WidthOnly", 100, 40, 9, 40},
                                           ScaleCase{"HeightOnly", 40, 100, 40, 13},
                                           ScaleCase{"NarrowerThanOneStep", 10, 6, 7, 5},
                                           ScaleCase{"OnePixelToMany", 1, 1, 19, 3},
                                           ScaleCase{"OneColumn", 1, 9, 3, 4},
                                           ScaleCase{"ManyToOnePixel", 17, 5, 1, 1},
                                           ScaleCase{"WiderByOne", 99, 10, 100, 10}),
                         [](const auto& info) { return std::string(info.param.name); });

// Every column filter this processor runs gives the plain filter's bytes,
// for every width (tail columns included) and for ratios where the permute
// blocks fit in their 128 source bytes and where they do not.
TEST(PlaneScaleKernelTest, EveryColumnFilterGivesThePlainFiltersBytes) {
  const Plane src(500, 3, 5);
  for (int srcW : {123, 500}) {
    for (int dstW = 1; dstW <= 300; ++dstW) {
      std::vector<uint8_t> plain(size_t(dstW) * 3);
      PlaneScaler reference;
      ASSERT_TRUE(reference.scale(src.bytes.data(), src.stride, srcW, src.h, plain.data(), dstW,
                                  dstW, 3, Columns::Plain));
      for (const Columns columns : {Columns::Gather, Columns::Permute, Columns::Best}) {
        if (!PlaneScaler::runs(columns)) continue;
        std::vector<uint8_t> out(size_t(dstW) * 3);
        PlaneScaler scaler;
        ASSERT_TRUE(scaler.scale(src.bytes.data(), src.stride, srcW, src.h, out.data(), dstW, dstW,
                                 3, columns));
        ASSERT_EQ(out, plain) << srcW << " to " << dstW << ", column filter " << int(columns);
      }
    }
  }
}

TEST(PlaneScaleKernelTest, RefusesEmptySizes) {
  std::vector<uint8_t> px(16, 1);
  PlaneScaler s;
  EXPECT_FALSE(s.scale(px.data(), 4, 0, 4, px.data(), 4, 4, 4));
  EXPECT_FALSE(s.scale(px.data(), 4, 4, 4, px.data(), 4, 4, 0));
  EXPECT_FALSE(s.scale(nullptr, 4, 4, 4, px.data(), 4, 4, 4));
}

}  // namespace
}  // namespace playback
