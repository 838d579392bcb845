#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "audio/dc_equalizer.h"
#include "signals.h"

namespace {

using audio::SampleLayout;
using audio::TDCEqualizer;
using audio::TDCFFTSize;
using namespace audiotest;

constexpr int kDelay = 256;  // N/8 at N = 2048

std::unique_ptr<TDCEqualizer> playerEqualizer() {
  auto eq = std::make_unique<TDCEqualizer>();
  eq->setFFTSize(TDCFFTSize::fts2048);
  return eq;
}

std::vector<double> run(TDCEqualizer& eq, const std::vector<double>& in, int channels,
                        SampleLayout l) {
  std::vector<uint8_t> b = encode(in, l);
  eq.process(b.data(), int64_t(b.size()), bitsOf(l), channels, isFloat(l));
  return decode(b, l);
}

TEST(EqualizerGainTest, StoresDoubledDecadesPerBin) {
  struct Row {
    int slot, bin, value, readSlot, readBin, expected;
  };
  const Row rows[] = {
      {0, 16, -100, 0, 16, -100}, {0, 16, 20, 0, 16, 20},   {3, 100, 127, 3, 100, 127},
      {0, 5, -128, 0, 5, -128},   {10, 0, 5, 0, 0, 0},      {0, 8192, 5, 0, 8191, 0},
      {-1, 0, 5, 0, 0, 0},        {0, 8191, 7, 0, 8191, 7}, {2, 40, 33, 1, 40, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.slot << "/" << r.bin << "=" << r.value);
    TDCEqualizer eq;
    eq.setBinGain(r.slot, r.bin, int8_t(r.value));
    EXPECT_EQ(eq.getBinGain(r.readSlot, r.readBin), r.expected);
  }
  TDCEqualizer eq;
  EXPECT_EQ(eq.getBinGain(10, 0), 0);
  EXPECT_EQ(eq.getBinGain(0, -1), 0);
}

TEST(EqualizerGainTest, BandSliderSetsItsBinsOfSlotZeroOnly) {
  struct Row {
    int band, slider, first, last;
  };
  const Row rows[] = {{3, -100, 16, 28}, {0, 50, 0, 2}, {9, 100, 559, 1023}, {5, -7, 48, 99}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.band);
    TDCEqualizer eq;
    eq.setBandValue(r.band, r.slider);
    for (int j = r.first; j <= r.last; ++j) ASSERT_EQ(eq.getBinGain(0, j), -r.slider) << j;
    if (r.first > 0) {
      EXPECT_EQ(eq.getBinGain(0, r.first - 1), 0);
    }
    EXPECT_EQ(eq.getBinGain(0, r.last + 1), 0);
    EXPECT_EQ(eq.getBinGain(1, r.first), 0);
  }
}

// All bands flat: the output is the input delayed by 256 frames, within the
// filter's ripple (0.03 dB from bin 10 to bin 1000).
TEST(EqualizerResponseTest, FlatBandsAreTransparentAfterTheDelay) {
  struct Row {
    SampleLayout layout;
    double bin, amplitude;
  };
  const Row rows[] = {{SampleLayout::F32, 10, 0.5},      {SampleLayout::F32, 120.5, 0.5},
                      {SampleLayout::F32, 997, 0.5},     {SampleLayout::S16, 43.25, 20000},
                      {SampleLayout::S24, 300, 4000000}, {SampleLayout::S32, 77, 1.0e9},
                      {SampleLayout::U8, 50, 100}};
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << bitsOf(r.layout) << " bits, bin " << r.bin);
    auto eq = playerEqualizer();
    const auto in = sine(12000, 2, r.bin, r.amplitude);
    const auto out = run(*eq, in, 2, r.layout);
    double worst = 0;
    for (int i = 2048; i < 12000; ++i)
      for (int c = 0; c < 2; ++c)
        worst = std::max(worst, std::abs(out[size_t(i) * 2 + c] - in[size_t(i - kDelay) * 2 + c]));
    // 0.03 dB is 0.35 % of the amplitude, plus one step of integer rounding.
    EXPECT_LT(worst, 0.0035 * r.amplitude + (r.layout == SampleLayout::F32 ? 0 : 1.0));
  }
}

// A band set to a level changes a sine inside it by that level and leaves
// sines two bands away alone. Bins at 48 kHz: 120 is in band 6, 400 in band
// 8, 38 in band 4, 800 in band 9.
TEST(EqualizerResponseTest, BandLevelChangesOnlyItsOwnRange) {
  struct Row {
    int band, slider;
    double bin, expectedDb, toleranceDb;
  };
  const Row rows[] = {
      {6, 100, 120, -20, 0.5}, {6, 50, 120, -10, 0.3}, {6, -50, 120, 10, 0.3},
      {6, 100, 400, 0, 0.05},  {6, 100, 38, 0, 0.05},  {8, 100, 400, -20, 0.5},
      {8, -100, 420, 20, 0.5}, {8, 100, 120, 0, 0.05}, {8, 100, 800, 0, 0.05},
      {9, 100, 800, -20, 0.5}, {9, 100, 280, 0, 0.05}, {4, 100, 120, 0, 0.05},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message()
                 << "band " << r.band << " at " << r.slider << ", bin " << r.bin);
    auto eq = playerEqualizer();
    eq->setBandValue(r.band, r.slider);
    const auto in = sine(16384, 1, r.bin, 0.1);
    const auto out = run(*eq, in, 1, SampleLayout::F32);
    const double db = 20 * std::log10(rms(out, 1, 0, 4096, 16384) / rms(in, 1, 0, 4096, 16384));
    EXPECT_NEAR(db, r.expectedDb, r.toleranceDb);
  }
}

// Splitting the stream into buffers or blocks of any size gives the same
// output as one large buffer.
TEST(EqualizerBlockTest, BufferAndBlockSizesDoNotChangeTheOutput) {
  struct Row {
    std::vector<int> bufferFrames;  // repeated until the signal ends
    int sampleSize;
    SampleLayout layout;
  };
  const Row rows[] = {
      {{1}, 8192, SampleLayout::F32},       {{7, 1000, 3}, 8192, SampleLayout::F32},
      {{1536}, 8192, SampleLayout::F32},    {{1537, 511}, 8192, SampleLayout::F32},
      {{9000}, 8192, SampleLayout::F32},    {{9000}, 100, SampleLayout::F32},
      {{9000}, 0, SampleLayout::F32},       {{333}, 1, SampleLayout::F32},
      {{1000, 1}, 8192, SampleLayout::S16}, {{4097}, 2000, SampleLayout::S24},
  };
  const int frames = 9000, channels = 2;
  const double amplitude = 1000;
  const auto in = noise(size_t(frames) * channels, amplitude, 42);
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << "first buffer " << r.bufferFrames[0] << ", block "
                                    << r.sampleSize << ", " << bitsOf(r.layout) << " bits");
    auto whole = playerEqualizer();
    const auto expected = run(*whole, in, channels, r.layout);

    auto eq = playerEqualizer();
    eq->setSampleSize(r.sampleSize);
    std::vector<uint8_t> b = encode(in, r.layout);
    const int frameBytes = bytesOf(r.layout) * channels;
    size_t at = 0;
    for (size_t k = 0; at < b.size(); ++k) {
      const size_t len =
          std::min(b.size() - at, size_t(r.bufferFrames[k % r.bufferFrames.size()]) * frameBytes);
      eq->process(b.data() + at, int64_t(len), bitsOf(r.layout), channels, isFloat(r.layout));
      at += len;
    }
    const auto got = decode(b, r.layout);
    const double tolerance = isFloat(r.layout) ? 1e-3 : 1.0;
    for (size_t k = 0; k < got.size(); ++k) ASSERT_NEAR(got[k], expected[k], tolerance) << k;
  }
}

TEST(EqualizerStateTest, SaturatesIntegerLayoutsAndNeverClipsFloat) {
  struct Row {
    SampleLayout layout;
    double low, high;  // layout limits (8-bit as value - 128)
  };
  const Row rows[] = {{SampleLayout::U8, -128, 127},
                      {SampleLayout::S16, -32768, 32767},
                      {SampleLayout::S24, -8388608, 8388607},
                      {SampleLayout::S32, -2147483647, 2147483647}};
  for (const Row& r : rows) {
    SCOPED_TRACE(bitsOf(r.layout));
    auto eq = playerEqualizer();
    for (int band = 0; band < 10; ++band) eq->setBandValue(band, -100);  // +20 dB
    std::vector<double> square(8000);
    for (size_t k = 0; k < square.size(); ++k) square[k] = (k / 100) % 2 ? r.high : r.low;
    const auto out = run(*eq, square, 1, r.layout);
    EXPECT_EQ(int64_t(*std::min_element(out.begin(), out.end())), int64_t(r.low));
    EXPECT_EQ(int64_t(*std::max_element(out.begin(), out.end())), int64_t(r.high));
  }
  auto eq = playerEqualizer();
  for (int band = 0; band < 10; ++band) eq->setBandValue(band, -100);
  const auto out = run(*eq, sine(8000, 1, 100, 0.9), 1, SampleLayout::F32);
  EXPECT_GT(*std::max_element(out.begin(), out.end()), 5.0);

  auto silent = playerEqualizer();
  std::vector<uint8_t> b(5000, 128);
  silent->process(b.data(), int64_t(b.size()), 8, 1, false);
  EXPECT_EQ(std::count(b.begin(), b.end(), 128), 5000);
}

// A NaN or infinity in float input is filtered as silence: it neither spoils
// its block nor the tail carried into the next buffer.
TEST(EqualizerStateTest, NonFiniteFloatSamplesDoNotSpread) {
  for (float bad : {NAN, INFINITY, -INFINITY}) {
    SCOPED_TRACE(bad);
    auto in = noise(6000, 0.5, 9);
    auto clean = in;
    in[2000] = bad;
    clean[2000] = 0.0;
    auto a = playerEqualizer(), b = playerEqualizer();
    const auto got = run(*a, in, 1, SampleLayout::F32);
    const auto expected = run(*b, clean, 1, SampleLayout::F32);
    for (size_t k = 0; k < got.size(); ++k) ASSERT_NEAR(got[k], expected[k], 1e-5) << k;
  }
}

// Per-channel filters: channels that appear with a later format get their
// own kernels; formats beyond ten channels are filtered on every channel.
TEST(EqualizerStateTest, EveryChannelOfANewFormatIsFiltered) {
  struct Row {
    int firstChannels, channels;
    bool seperate;
  };
  const Row rows[] = {{1, 2, true}, {2, 6, true}, {1, 12, true}, {2, 16, false}};
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.firstChannels << " then " << r.channels);
    auto eq = playerEqualizer();
    eq->setSeperate(r.seperate);
    run(*eq, sine(3000, r.firstChannels, 50, 0.5), r.firstChannels, SampleLayout::F32);
    eq->flush();
    const auto in = sine(6000, r.channels, 50, 0.5);
    const auto out = run(*eq, in, r.channels, SampleLayout::F32);
    for (int c = 0; c < r.channels; ++c)
      for (int i = 2048; i < 6000; i += 97)
        ASSERT_NEAR(out[size_t(i) * r.channels + c], in[size_t(i - kDelay) * r.channels + c], 0.003)
            << "channel " << c << " frame " << i;
  }
}

}  // namespace
