#include "audio/dc_equalizer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "audio/sample_layout.h"

namespace audio {

namespace {
constexpr int kMaxTail = kMaxFFTPoints / 4;
}

TDCEqualizer::TDCEqualizer()
    : gains_(std::make_unique<std::atomic<float>[]>(size_t(kChannelSlots) * kBins)),
      work_(std::make_unique<TDCFFT>()),
      tails_(size_t(kChannelSlots) * kMaxTail, 0.0f) {
  for (size_t k = 0; k < size_t(kChannelSlots) * kBins; ++k)
    gains_[k].store(2.0f, std::memory_order_relaxed);
  for (int s = 0; s < kChannelSlots; ++s) {
    kernels_.push_back(std::make_unique<TDCFFT>());
    kernels_.back()->setReorder(false);
  }
  work_->setReorder(false);
  setFFTSize(TDCFFTSize::fts1024);
}

TDCEqualizer::~TDCEqualizer() = default;

void TDCEqualizer::setFFTSize(TDCFFTSize size) {
  size_ = size;
  n_ = fftLength(size);
  hop_ = 3 * n_ / 4;
  tail_ = n_ / 4;
  shift_ = n_ / 8;
  for (auto& k : kernels_) k->setFFTSize(size);
  work_->setFFTSize(size);
  // Raised cosine of period N/4 + 2: tap 0 becomes 0 and tap N/4 keeps a small weight.
  window_.resize(size_t(tail_) + 1);
  const double period = double(tail_ + 2);
  for (int m = 0; m <= tail_; ++m)
    window_[m] = float(0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * m / period));
  std::fill(tails_.begin(), tails_.end(), 0.0f);
  outOfDate_.store(true, std::memory_order_release);
}

void TDCEqualizer::setEnabled(bool on) {
  if (on && !enabled_.load(std::memory_order_relaxed)) flush();
  enabled_.store(on, std::memory_order_relaxed);
}

void TDCEqualizer::setSeperate(bool on) {
  if (seperate_.exchange(on, std::memory_order_relaxed) != on)
    outOfDate_.store(true, std::memory_order_release);
}

void TDCEqualizer::setSampleSize(int frames) {
  sampleSize_.store(std::max(0, frames), std::memory_order_relaxed);
}

void TDCEqualizer::setBinGain(int slot, int bin, int8_t value) {
  if (slot < 0 || slot >= kChannelSlots || bin < 0 || bin >= kBins) return;
  gains_[size_t(slot) * kBins + bin].store(float(2.0 * std::pow(10.0, value / 100.0)),
                                           std::memory_order_relaxed);
  outOfDate_.store(true, std::memory_order_release);
}

int TDCEqualizer::getBinGain(int slot, int bin) const {
  if (slot < 0 || slot >= kChannelSlots || bin < 0 || bin >= kBins) return 0;
  const float g = gains_[size_t(slot) * kBins + bin].load(std::memory_order_relaxed);
  return int(std::nearbyint(100.0 * std::log10(double(g) / 2.0)));
}

void TDCEqualizer::setBandValue(int band, int sliderValue) {
  if (band < 0 || band >= 10) return;
  const int8_t value = int8_t(std::clamp(-sliderValue, -128, 127));
  for (int j = kBandBoundaries[band]; j < kBandBoundaries[band + 1]; ++j) setBinGain(0, j, value);
}

void TDCEqualizer::flush() {
  flushPending_.store(true, std::memory_order_release);
}

void TDCEqualizer::rebuildKernels(int slots) {
  for (int s = 0; s < slots; ++s) {
    TDCFFT& k = *kernels_[s];
    float* re = k.re();
    float* im = k.im();
    k.clear();
    // One-sided spectrum of the doubled gains, then the zero-phase response.
    for (int j = 0; j < n_ / 2; ++j)
      re[j] = gains_[size_t(s) * kBins + j].load(std::memory_order_relaxed);
    k.setReorder(true);
    k.inverse();
    // Shift by N/8 and keep N/4 + 1 taps centred on tap N/8, windowed. Only
    // the real parts matter for a real signal, so the imaginary parts are zeroed.
    for (int t = 0; t < n_; ++t) im[(t + shift_) % n_] = re[t];
    for (int t = 0; t < n_; ++t) re[t] = t <= tail_ ? im[t] * window_[t] : 0.0f;
    std::fill(im, im + n_, 0.0f);
    k.setReorder(false);
    k.forward();
  }
  builtSlots_ = slots;
}

void TDCEqualizer::process(uint8_t* buffer, int64_t size, int bits, int channels, bool isFloat) {
  if (!enabled()) return;
  const SampleLayout layout = layoutOf(bits, isFloat);
  if (layout == SampleLayout::Unsupported || channels < 1 || size <= 0) return;

  if (channels > tailChannels_) {
    // A format with more channels than slots: every channel gets its own tail
    // (the extra ones filtered by slot 0). Grows once per format change only.
    tails_.assign(size_t(channels) * kMaxTail, 0.0f);
    tailChannels_ = channels;
  }
  if (flushPending_.exchange(false, std::memory_order_acquire))
    std::fill(tails_.begin(), tails_.end(), 0.0f);

  const bool sep = seperate();
  const int slots = sep ? std::min(channels, int(kChannelSlots)) : 1;
  // Cleared before reading the gains, so a change made during the rebuild
  // marks the kernels out of date again. Channels added by a format change
  // get their kernels even when no gain changed.
  if (outOfDate_.exchange(false, std::memory_order_acquire) || slots > builtSlots_)
    rebuildKernels(slots);

  const int bytesPerFrame = (bits / 8) * channels;
  forEachBlock(buffer, size, bits, channels, sampleSize(), [&](uint8_t* block, int64_t bytes) {
    processBlock(block, bytes / bytesPerFrame, bits, channels, isFloat, sep);
  });
}

namespace {

// Loads n samples of one channel into the transform's real parts. A NaN or
// infinity in float input would spread through the whole transform block and
// the tail after it; such a sample is filtered as silence instead.
template <SampleLayout L>
void loadChannel(const uint8_t* block, int channels, int64_t first, int n, float* re) {
  for (int k = 0; k < n; ++k) {
    const int64_t i = (first + k) * channels;
    if constexpr (L == SampleLayout::F32) {
      const float v = readFloat(block, i);
      re[k] = std::isfinite(v) ? v : 0.0f;
    } else if constexpr (L == SampleLayout::S32) {
      re[k] = float(double(readInt(block, L, i)) / 32768.0);
    } else {
      re[k] = float(readInt(block, L, i));
    }
  }
}

// Stores the filtered values back: integers rounded half to even and
// saturated; 32-bit integers were scaled down by 32768 on loading and lose
// their low 15 bits; floats pass unclipped.
template <SampleLayout L>
void storeChannel(uint8_t* block, int channels, int64_t first, int n, const float* re) {
  for (int k = 0; k < n; ++k) {
    const int64_t i = (first + k) * channels;
    if constexpr (L == SampleLayout::F32) {
      writeFloat(block, i, re[k]);
    } else {
      // Limited first so the rounding never overflows; anything that large saturates anyway.
      const int64_t r = roundHalfEven(std::clamp(re[k], -1e9f, 1e9f));
      writeInt(block, L, i, L == SampleLayout::S32 ? clip32(r * 32768) : clipTo(L, r));
    }
  }
}

}  // namespace

void TDCEqualizer::processBlock(uint8_t* block, int64_t frames, int bits, int channels,
                                bool isFloat, bool sep) {
  const SampleLayout layout = layoutOf(bits, isFloat);
  TDCFFT& w = *work_;
  float* re = w.re();
  float* im = w.im();
  for (int c = 0; c < channels; ++c) {
    const TDCFFT& kernel = *kernels_[sep && c < builtSlots_ ? c : 0];
    float* tail = &tails_[size_t(c) * kMaxTail];
    for (int64_t pos = 0; pos < frames; pos += hop_) {
      const int n = int(std::min<int64_t>(frames - pos, hop_));
      std::fill(re, re + n_, 0.0f);
      std::fill(im, im + n_, 0.0f);
      withLayout(layout, [&](auto l) {
        loadChannel<decltype(l)::value>(block + size_t(c) * (bits / 8), channels, pos, n, re);
      });
      w.forward();
      w.multiplyBy(kernel);
      w.inverse();
      for (int t = 0; t < tail_; ++t) re[t] += tail[t];
      // A short block leaves its tail right after its last sample, so the next
      // call continues the stream seamlessly.
      for (int t = 0; t < tail_; ++t) tail[t] = re[n + t];
      withLayout(layout, [&](auto l) {
        storeChannel<decltype(l)::value>(block + size_t(c) * (bits / 8), channels, pos, n, re);
      });
    }
  }
}

}  // namespace audio
