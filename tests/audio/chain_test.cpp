#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "audio/processing_chain.h"
#include "audio/vector_unit.h"
#include "signals.h"

namespace {

using audio::ProcessingChain;
using audio::SampleLayout;
using audio::StreamDescription;
using namespace audiotest;

StreamDescription format(int rate, int channels, SampleLayout l) {
  return *audio::describeStream(rate, channels, bitsOf(l), isFloat(l), audio::kWaveFormatPcm);
}

TEST(StreamDescriptionTest, AcceptsTheChainsWidthsAndMarksBitstreams) {
  struct Row {
    int bits;
    bool floatSubtype;
    uint16_t tag;
    bool accepted, isFloat, ac3, dts;
  };
  const Row rows[] = {
      {16, false, 0x0001, true, false, false, false},
      {8, false, 0x0001, true, false, false, false},
      {24, false, 0xFFFE, true, false, false, false},
      {32, true, 0xFFFE, true, true, false, false},
      {32, false, 0x0003, true, true, false, false},
      {32, false, 0x0001, true, false, false, false},
      {16, false, 0x0092, true, false, true, false},
      {16, false, 0x2000, true, false, true, false},
      {16, false, 0x0008, true, false, false, true},
      {16, false, 0x2001, true, false, false, true},
      {20, false, 0x0001, false, false, false, false},
      {64, true, 0x0003, false, false, false, false},
      {0, false, 0x0001, false, false, false, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.bits << " bits, tag " << r.tag);
    const auto d = audio::describeStream(48000, 2, r.bits, r.floatSubtype, r.tag);
    ASSERT_EQ(d.has_value(), r.accepted);
    if (!d) continue;
    EXPECT_EQ(d->IsFloat, r.isFloat);
    EXPECT_EQ(d->IsAc3Bitstream, r.ac3);
    EXPECT_EQ(d->IsDtsBitstream, r.dts);
  }
  EXPECT_FALSE(audio::describeStream(48000, 0, 16, false, 1));
  EXPECT_FALSE(audio::describeStream(0, 2, 16, false, 1));
}

// Every stage set far from neutral, so any processing would show.
void setAllStages(ProcessingChain& chain) {
  chain.dynamicAmplify().setEnabled(true);
  chain.dynamicAmplify().setState(6.0f, 0);  // high enough that the first block pulls it down
  chain.amplify().setChannelGain(0, audio::preAmplificationGain(-30));
  for (int band = 0; band < 10; ++band) chain.equalizer().setBandValue(band, 40 - 9 * band);
}

TEST(ProcessingChainTest, PassesBufferUntouchedWhenItMustNotProcess) {
  struct Row {
    const char* name;
    uint16_t tag;
    bool dspEnabled;
  };
  const Row rows[] = {{"AC-3 0x0092", 0x0092, true},
                      {"AC-3 0x2000", 0x2000, true},
                      {"DTS 0x0008", 0x0008, true},
                      {"DTS 0x2001", 0x2001, true},
                      {"PCM, DSP off", 0x0001, false}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    ProcessingChain chain;
    setAllStages(chain);
    chain.setDspEnabled(r.dspEnabled);
    chain.setFormat(*audio::describeStream(48000, 2, 16, false, r.tag));
    std::vector<uint8_t> b(4096);
    for (size_t k = 0; k < b.size(); ++k) b[k] = uint8_t(k * 7 + 3);
    const auto original = b;
    EXPECT_EQ(chain.process(b.data(), int64_t(b.size())), int64_t(b.size()));
    EXPECT_EQ(chain.format().Size, 4096);
    EXPECT_EQ(b, original);
  }
}

// The chain equals its stages applied one after another: dynamic amplifier,
// pre-amplifier, equalizer.
TEST(ProcessingChainTest, RunsTheStagesInOrder) {
  for (SampleLayout l : {SampleLayout::S16, SampleLayout::S24, SampleLayout::F32}) {
    SCOPED_TRACE(bitsOf(l));
    const double scale = isFloat(l) ? 1.0 : (l == SampleLayout::S16 ? 3000 : 800000);
    const auto in = noise(2 * 12000, scale, 17);
    ProcessingChain chain;
    setAllStages(chain);
    chain.setFormat(format(44100, 2, l));
    auto got = encode(in, l);
    chain.process(got.data(), int64_t(got.size()));

    ProcessingChain stages;
    setAllStages(stages);
    auto expected = encode(in, l);
    const auto n = int64_t(expected.size());
    stages.dynamicAmplify().process(expected.data(), n, 44100, bitsOf(l), 2, isFloat(l));
    stages.amplify().process(expected.data(), n, bitsOf(l), 2, isFloat(l));
    stages.equalizer().process(expected.data(), n, bitsOf(l), 2, isFloat(l));
    EXPECT_EQ(got, expected);
    EXPECT_NE(got, encode(in, l));
  }
}

// A flush, re-enabling the equalizer or a new format empties the overlap:
// silence after it stays exactly silent.
TEST(ProcessingChainTest, FormatChangeAndFlushClearTheOverlap) {
  enum class Clear { None, Flush, ReenableEqualizer };
  struct Row {
    const char* name;
    StreamDescription second;
    Clear clear;
    bool expectSilence;
  };
  const Row rows[] = {
      {"same format", format(48000, 1, SampleLayout::F32), Clear::None, false},
      {"same format, flushed", format(48000, 1, SampleLayout::F32), Clear::Flush, true},
      {"equalizer re-enabled", format(48000, 1, SampleLayout::F32), Clear::ReenableEqualizer, true},
      {"new rate", format(44100, 1, SampleLayout::F32), Clear::None, true},
      {"new channels", format(48000, 2, SampleLayout::F32), Clear::None, true},
      {"new width", format(48000, 1, SampleLayout::S16), Clear::None, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    ProcessingChain chain;
    chain.setFormat(format(48000, 1, SampleLayout::F32));
    auto loud = encode(noise(5000, 0.9, 3), SampleLayout::F32);
    chain.process(loud.data(), int64_t(loud.size()));
    if (r.clear == Clear::Flush) chain.flush();
    if (r.clear == Clear::ReenableEqualizer) {
      chain.equalizer().setEnabled(false);
      chain.equalizer().setEnabled(true);
    }
    chain.setFormat(r.second);
    std::vector<uint8_t> silence(8000, 0);
    chain.process(silence.data(), int64_t(silence.size()));
    EXPECT_EQ(std::count(silence.begin(), silence.end(), 0) == 8000, r.expectSilence);
  }
}

TEST(ProcessingChainTest, Avx2OutputMatchesScalar) {
  if (audio::detectedVectorUnit() != audio::VectorUnit::Avx2) GTEST_SKIP() << "no AVX2";
  const auto in = noise(2 * 30000, 0.2, 23);
  std::vector<double> outs[2];
  for (auto unit : {audio::VectorUnit::Scalar, audio::VectorUnit::Avx2}) {
    audio::setVectorUnit(unit);
    ProcessingChain chain;
    setAllStages(chain);
    chain.setFormat(format(48000, 2, SampleLayout::F32));
    auto b = encode(in, SampleLayout::F32);
    chain.process(b.data(), int64_t(b.size()));
    outs[int(unit)] = decode(b, SampleLayout::F32);
  }
  audio::setVectorUnit(audio::detectedVectorUnit());
  for (size_t k = 0; k < in.size(); ++k)
    ASSERT_NEAR(outs[0][k], outs[1][k], 1e-5 * (1 + std::abs(outs[0][k]))) << k;
}

// The streaming thread processes while another thread changes every stage's
// parameters and flushes; run under ThreadSanitizer this proves the hand-over
// is free of data races.
TEST(ProcessingChainTest, ParametersChangeWhileAudioFlows) {
  ProcessingChain chain;
  chain.setFormat(format(48000, 2, SampleLayout::F32));
  std::atomic<bool> done{false};
  std::thread ui([&] {
    for (int k = 0; !done.load(); ++k) {
      chain.amplify().setChannelGain(0, 5000 + k % 10000);
      chain.equalizer().setBandValue(k % 10, k % 200 - 100);
      chain.dynamicAmplify().setEnabled(k % 3 == 0);
      chain.equalizer().setSeperate(k % 7 == 0);
      if (k % 5 == 0) chain.flush();
      (void)chain.dynamicAmplify().currentGain();
      std::this_thread::yield();
    }
  });
  auto b = encode(noise(2 * 2048, 0.5, 1), SampleLayout::F32);
  for (int k = 0; k < 200; ++k) {
    chain.process(b.data(), int64_t(b.size()));
    for (double v : decode(b, SampleLayout::F32)) ASSERT_TRUE(std::isfinite(v));
    b = encode(noise(2 * 2048, 0.5, k), SampleLayout::F32);
  }
  done = true;
  ui.join();
}

}  // namespace
