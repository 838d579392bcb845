#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "audio/dc_amplify.h"
#include "audio/dc_dynamic_amplify.h"
#include "signals.h"

namespace {

using audio::SampleLayout;
using audio::TDCAmplify;
using audio::TDCDynamicAmplify;
using namespace audiotest;

TEST(BlockSplitTest, CutsBuffersIntoBlocksOfSampleSizeFrames) {
  struct Row {
    int64_t size;
    int bits, channels, sampleSize;
    std::vector<int64_t> blocks;
  };
  const Row rows[] = {
      {4096, 16, 2, 8192, {4096}},
      {40000 * 4, 16, 2, 8192, {32768, 32768, 32768, 32768, 28928}},
      {40000 * 4, 16, 2, 0, {160000}},
      {10, 24, 1, 3, {9, 1}},
      {7, 32, 2, 1, {7}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.size);
    std::vector<int64_t> got;
    std::vector<uint8_t> buffer(size_t(r.size));
    audio::forEachBlock(buffer.data(), r.size, r.bits, r.channels, r.sampleSize,
                        [&](uint8_t* block, int64_t bytes) {
                          EXPECT_EQ(block - buffer.data(),
                                    std::accumulate(got.begin(), got.end(), int64_t(0)));
                          got.push_back(bytes);
                        });
    EXPECT_EQ(got, r.blocks);
  }
}

TEST(PreAmplificationTest, SliderGivesDecadeGains) {
  const std::pair<int, int32_t> rows[] = {{-100, 100000}, {-40, 25119}, {-20, 15849},
                                          {0, 10000},     {1, 9772},    {100, 1000}};
  for (auto [slider, gain] : rows) EXPECT_EQ(audio::preAmplificationGain(slider), gain) << slider;
}

TEST(PreAmplificationTest, ScalesTruncatesAndSaturatesEachLayout) {
  struct Row {
    SampleLayout layout;
    int32_t gain;
    double in, expected;  // 8-bit as value - 128
  };
  const Row rows[] = {
      {SampleLayout::S16, 15849, 20000, 31698},
      {SampleLayout::S16, 25119, 20000, 32767},
      {SampleLayout::S16, 15000, -7, -10},
      {SampleLayout::S16, 100000, -32768, -32768},
      {SampleLayout::U8, 20000, -128, -128},
      {SampleLayout::U8, 20000, 127, 127},
      {SampleLayout::U8, 15000, -3, -4},
      {SampleLayout::U8, 10000, 0, 0},
      {SampleLayout::S24, 20000, 8388607, 8388607},
      {SampleLayout::S24, 20000, -8388608, -8388608},
      {SampleLayout::S24, 15000, -5, -7},
      {SampleLayout::S24, 10000, -8388608, -8388608},
      {SampleLayout::S32, 20000, 2147483647, 2147483647},
      {SampleLayout::S32, 10000, -2147483648.0, -2147483647},
      {SampleLayout::S32, 2147483647, 1000000000, 2147483647},
      {SampleLayout::S32, 5000, -2147483647, -1073741823},
      {SampleLayout::F32, 20000, 0.9, 1.8},
      {SampleLayout::F32, 100000, -0.5, -5.0},
      {SampleLayout::F32, 0, 0.5, 0.0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << bitsOf(r.layout) << " bits, " << r.in << " x " << r.gain);
    TDCAmplify amp;
    amp.setChannelGain(0, r.gain);
    auto b = encode({r.in, r.in}, r.layout);
    amp.process(b.data(), int64_t(b.size()), bitsOf(r.layout), 2, isFloat(r.layout));
    const auto out = decode(b, r.layout);
    if (isFloat(r.layout)) {
      EXPECT_FLOAT_EQ(float(out[1]), float(r.expected));
    } else {
      EXPECT_EQ(int64_t(out[0]), int64_t(r.expected));
      EXPECT_EQ(int64_t(out[1]), int64_t(r.expected));
    }
  }
}

TEST(PreAmplificationTest, SlotsApplyPerChannelOnlyWhenSeperate) {
  struct Row {
    bool seperate;
    int channels;
    std::vector<double> expected;
  };
  // Slot c has gain (c + 1) x 10000; input 100 on every channel.
  const Row rows[] = {{false, 3, {100, 100, 100}},
                      {true, 3, {100, 200, 300}},
                      {true, 12, {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 100, 100}}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.channels);
    TDCAmplify amp;
    for (int s = 0; s < 10; ++s) ASSERT_TRUE(amp.setChannelGain(s, (s + 1) * 10000));
    EXPECT_FALSE(amp.setChannelGain(10, 5));
    EXPECT_FALSE(amp.setChannelGain(-1, 5));
    EXPECT_EQ(amp.getChannelGain(10), 0);
    EXPECT_EQ(amp.getChannelGain(9), 100000);
    amp.setSeperate(r.seperate);
    auto b = encode(std::vector<double>(size_t(r.channels) * 2, 100.0), SampleLayout::S16);
    amp.process(b.data(), int64_t(b.size()), 16, r.channels, false);
    const auto out = decode(b, SampleLayout::S16);
    for (int c = 0; c < r.channels; ++c) EXPECT_EQ(out[size_t(r.channels + c)], r.expected[c]) << c;
  }
}

// A mono 16-bit stream at 1000 frames per second in blocks of 100 frames
// (0.1 s, 200 bytes); hold 300 ms = 600 bytes, attack 1.0 per second, ceiling 7.5.
class DynamicAmplifyStepTest : public testing::Test {
 protected:
  DynamicAmplifyStepTest() {
    agc_.setEnabled(true);
    agc_.setSampleSize(100);
    agc_.setReleaseTime(300);
    agc_.setMaxAmplification(7500);
  }
  // Runs one block of constant level; returns its first and last samples.
  std::pair<double, double> block(double level) {
    auto b = encode(std::vector<double>(100, level), SampleLayout::S16);
    agc_.process(b.data(), int64_t(b.size()), 1000, 16, 1, false);
    const auto out = decode(b, SampleLayout::S16);
    return {out.front(), out.back()};
  }
  TDCDynamicAmplify agc_;
};

TEST_F(DynamicAmplifyStepTest, HoldsThenRisesAndDropsAtOnceOnAStep) {
  struct Row {
    double level;
    float gain;
    int32_t hold;
    double first, last;
  };
  const Row rows[] = {
      // Quiet (target 4.0): the hold counts 600 bytes, then the gain rises 0.1 per block.
      {8192, 1.0f, 200, 8192, 8192},
      {8192, 1.0f, 400, 8192, 8192},
      {8192, 1.0f, 600, 8192, 8192},
      {8192, 1.0f, 800, 8192, 8192},
      {8192, 1.1f, 800, 8192, 9003},  // ramp 1.0 .. 1.1 - 0.001
      {8192, 1.2f, 800, 9011, 9822},
      // A loud step: target 32768 / 20000 = 1.6384 is above the gain, so it keeps rising.
      {20000, 1.3f, 800, 24000, 25980},
      // A step to full scale: the gain drops within this block and the hold restarts.
      {32767, 1.00003052f, 0, 32767, 32767},
      {32767, 1.00003052f, 200, 32767, 32767},
      // Silence targets the ceiling but only rises after the hold.
      {0, 1.00003052f, 400, 0, 0},
  };
  for (size_t k = 0; k < std::size(rows); ++k) {
    SCOPED_TRACE(k);
    const auto [first, last] = block(rows[k].level);
    EXPECT_NEAR(agc_.currentGain(), rows[k].gain, 1e-5);
    EXPECT_EQ(agc_.holdBytes(), rows[k].hold);
    EXPECT_NEAR(first, rows[k].first, 1.0);
    EXPECT_NEAR(last, rows[k].last, 1.0);
  }
}

TEST_F(DynamicAmplifyStepTest, RiseStopsAtTheCeilingAndFreezesWhenDisabled) {
  agc_.setState(7.45f, 100000);
  block(0);
  EXPECT_FLOAT_EQ(agc_.currentGain(), 7.5f);
  block(0);
  EXPECT_FLOAT_EQ(agc_.currentGain(), 7.5f);
  agc_.setEnabled(false);
  const auto [first, last] = block(30000);
  EXPECT_EQ(first, 30000);
  EXPECT_FLOAT_EQ(agc_.currentGain(), 7.5f);
}

// Every layout's target is full scale over the block's peak, and a drop from
// a high gain saturates the block's first samples at the layout's limits.
TEST(DynamicAmplifyTest, TargetsFullScaleOfEachLayout) {
  struct Row {
    SampleLayout layout;
    double peak;
    float target;
    double low, high;
  };
  const Row rows[] = {
      {SampleLayout::U8, 64, 2.0f, -128, 127},
      {SampleLayout::S16, 16384, 2.0f, -32768, 32767},
      {SampleLayout::S24, 4194304, 2.0f, -8388608, 8388607},
      {SampleLayout::S32, 1073741824, 2.0f, -2147483647, 2147483647},
      {SampleLayout::F32, 0.5, 32768.0f / 16384.0f, -2.0, 2.0},  // floats are never clipped
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(bitsOf(r.layout));
    TDCDynamicAmplify agc;
    agc.setEnabled(true);
    agc.setState(4.0f, 0);
    std::vector<double> in(200);
    for (size_t k = 0; k < in.size(); ++k) in[k] = k % 2 ? r.peak : -r.peak;
    auto b = encode(in, r.layout);
    agc.process(b.data(), int64_t(b.size()), 44100, bitsOf(r.layout), 2, isFloat(r.layout));
    EXPECT_FLOAT_EQ(agc.currentGain(), r.target);
    const auto out = decode(b, r.layout);
    EXPECT_EQ(out[0], r.low);
    EXPECT_EQ(out[1], r.high);
  }
}

// Input that cannot be measured leaves the state alone and fails nowhere:
// blocks without a whole frame, NaN, infinity and huge float values.
TEST(DynamicAmplifyTest, SurvivesDegenerateBlocks) {
  struct Row {
    std::vector<double> samples;
    int64_t bytes;  // -1: the whole encoded block
    float gain;
  };
  const Row rows[] = {
      {{1000, 1000}, 1, 1.0f},               // less than one 16-bit frame
      {{NAN, 0.5, INFINITY}, -1, 2.0f},      // only 0.5 counts
      {{-INFINITY, NAN}, -1, 7.5f},          // nothing counts: silence
      {{1e30, 0.25}, -1, 32768.0f / 4e18f},  // the peak is capped at 4e18
  };
  for (size_t k = 0; k < std::size(rows); ++k) {
    SCOPED_TRACE(k);
    const Row& r = rows[k];
    TDCDynamicAmplify agc;
    agc.setEnabled(true);
    agc.setMaxAmplification(7500);
    agc.setState(7.5f, 0);
    const SampleLayout l = k == 0 ? SampleLayout::S16 : SampleLayout::F32;
    auto b = encode(r.samples, l);
    agc.process(b.data(), r.bytes < 0 ? int64_t(b.size()) : r.bytes, 48000, bitsOf(l), 1,
                isFloat(l));
    EXPECT_FLOAT_EQ(agc.currentGain(), k == 0 ? 7.5f : r.gain);
  }
}

}  // namespace
