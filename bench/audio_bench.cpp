// Speed of the audio chain and its FFT.
//   Chain/<layout>/<unit>: one second of 48 kHz stereo audio through the full
//     chain (dynamic amplifier on, pre-amplifier boosting, all ten bands set)
//     in 1024-frame buffers; the "xRealTime" counter is seconds of audio per
//     second of one core.
//   Fft2048/<unit>/<reorder>: one forward plus one scaled inverse 2048-point
//     transform; FftwFft2048 does the same with FFTW's measured plans.
#include <benchmark/benchmark.h>

#include <complex>
#include <cstring>
#include <random>
#include <vector>

#include "audio/dc_fft.h"
#include "audio/processing_chain.h"
#include "audio/sample_layout.h"
#include "audio/vector_unit.h"

#ifdef TARVELINO_BENCH_FFTW
#include <fftw3.h>
#endif

namespace {

constexpr int kRate = 48000, kChannels = 2, kBufferFrames = 1024;

std::vector<uint8_t> noiseBuffer(audio::SampleLayout layout, int bits, size_t samples) {
  std::mt19937 rng(1);
  std::uniform_real_distribution<double> d(-0.3, 0.3);
  std::vector<uint8_t> b(samples * (bits / 8));
  for (size_t k = 0; k < samples; ++k) {
    if (layout == audio::SampleLayout::F32)
      audio::writeFloat(b.data(), int64_t(k), float(d(rng)));
    else
      audio::writeInt(b.data(), layout, int64_t(k),
                      int64_t(d(rng) * (layout == audio::SampleLayout::S16 ? 32767 : 8388607)));
  }
  return b;
}

void Chain(benchmark::State& state) {
  const int bits = int(state.range(0));
  const bool isFloat = bits == 32;
  const auto unit = audio::VectorUnit(state.range(1));
  if (audio::setVectorUnit(unit) != unit) return state.SkipWithError("vector unit not available");
  const audio::SampleLayout layout = audio::layoutOf(bits, isFloat);

  audio::ProcessingChain chain;
  chain.dynamicAmplify().setEnabled(true);
  chain.amplify().setChannelGain(0, audio::preAmplificationGain(-10));
  for (int band = 0; band < 10; ++band) chain.equalizer().setBandValue(band, 60 - 13 * band);
  chain.setFormat(*audio::describeStream(kRate, kChannels, bits, isFloat, audio::kWaveFormatPcm));

  const auto source = noiseBuffer(layout, bits, size_t(kRate) * kChannels);
  const size_t bufferBytes = size_t(kBufferFrames) * kChannels * (bits / 8);
  std::vector<uint8_t> work(bufferBytes);
  for (auto _ : state) {
    for (size_t at = 0; at < source.size(); at += bufferBytes) {
      const size_t len = std::min(bufferBytes, source.size() - at);
      std::memcpy(work.data(), source.data() + at, len);
      chain.process(work.data(), int64_t(len));
      benchmark::DoNotOptimize(work.data());
    }
  }
  state.counters["xRealTime"] = benchmark::Counter(1.0, benchmark::Counter::kIsIterationInvariantRate);
  audio::setVectorUnit(audio::detectedVectorUnit());
}
BENCHMARK(Chain)
    ->ArgNames({"bits", "avx2"})
    ->Args({32, 0})
    ->Args({32, 1})
    ->Args({16, 1})
    ->Args({24, 1})
    ->Args({16, 0})
    ->Args({24, 0})
    ->Unit(benchmark::kMillisecond);

void Fft2048(benchmark::State& state) {
  const auto unit = audio::VectorUnit(state.range(0));
  if (audio::setVectorUnit(unit) != unit) return state.SkipWithError("vector unit not available");
  auto f = std::make_unique<audio::TDCFFT>();
  f->setFFTSize(audio::TDCFFTSize::fts2048);
  f->setReorder(state.range(1) != 0);
  std::mt19937 rng(2);
  std::uniform_real_distribution<float> d(-1, 1);
  for (int k = 0; k < 2048; ++k) f->re()[k] = d(rng), f->im()[k] = d(rng);
  for (auto _ : state) {
    f->forward();
    f->inverse();
    benchmark::DoNotOptimize(f->re());
  }
  audio::setVectorUnit(audio::detectedVectorUnit());
}
BENCHMARK(Fft2048)->ArgNames({"avx2", "reorder"})->Args({0, 0})->Args({1, 0})->Args({1, 1});

#ifdef TARVELINO_BENCH_FFTW
void FftwFft2048(benchmark::State& state) {
  auto* data = fftwf_alloc_complex(2048);
  fftwf_plan fwd = fftwf_plan_dft_1d(2048, data, data, FFTW_FORWARD, FFTW_MEASURE);
  fftwf_plan bwd = fftwf_plan_dft_1d(2048, data, data, FFTW_BACKWARD, FFTW_MEASURE);
  std::mt19937 rng(2);
  std::uniform_real_distribution<float> d(-1, 1);
  for (int k = 0; k < 2048; ++k) data[k][0] = d(rng), data[k][1] = d(rng);
  const float scale = 1.0f / 2048;
  for (auto _ : state) {
    fftwf_execute(fwd);
    fftwf_execute(bwd);
    for (int k = 0; k < 2048; ++k) data[k][0] *= scale, data[k][1] *= scale;
    benchmark::DoNotOptimize(data);
  }
  fftwf_destroy_plan(fwd);
  fftwf_destroy_plan(bwd);
  fftwf_free(data);
}
BENCHMARK(FftwFft2048);
#endif

}  // namespace
