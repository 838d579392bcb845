#include "audio/dc_amplify.h"

#include <cmath>

#include "audio/sample_layout.h"

namespace audio {

TDCAmplify::TDCAmplify() {
  for (auto& g : gains_) g.store(10000, std::memory_order_relaxed);
}

bool TDCAmplify::setChannelGain(int slot, int32_t gain) {
  if (slot < 0 || slot >= kChannelSlots) return false;
  gains_[slot].store(gain, std::memory_order_relaxed);
  return true;
}

int32_t TDCAmplify::getChannelGain(int slot) const {
  if (slot < 0 || slot >= kChannelSlots) return 0;
  return gains_[slot].load(std::memory_order_relaxed);
}

void TDCAmplify::process(uint8_t* buffer, int64_t size, int bits, int channels, bool isFloat) {
  if (!enabled()) return;
  if (layoutOf(bits, isFloat) == SampleLayout::Unsupported || channels < 1 || size <= 0) return;
  forEachBlock(buffer, size, bits, channels, sampleSize(), [&](uint8_t* block, int64_t bytes) {
    processBlock(block, bytes, bits, channels, isFloat);
  });
}

void TDCAmplify::processBlock(uint8_t* block, int64_t bytes, int bits, int channels, bool isFloat) {
  const SampleLayout layout = layoutOf(bits, isFloat);
  const int64_t frames = bytes / (bits / 8) / channels;
  const bool sep = seperate();
  const int32_t shared = gains_[0].load(std::memory_order_relaxed);
  // Gains of the first ten channels, read once per block; later channels use slot 0.
  int32_t gain[kChannelSlots];
  for (int c = 0; c < kChannelSlots; ++c)
    gain[c] = sep ? gains_[c].load(std::memory_order_relaxed) : shared;

  if (layout == SampleLayout::F32) {
    float factor[kChannelSlots];
    for (int c = 0; c < kChannelSlots; ++c) factor[c] = float(double(gain[c]) / 10000.0);
    if (!sep) {
      // One factor for every sample: a plain loop the compiler vectorizes.
      const float f = factor[0];
      for (int64_t k = 0, count = frames * channels; k < count; ++k)
        writeFloat(block, k, readFloat(block, k) * f);
      return;
    }
    for (int64_t i = 0; i < frames; ++i)
      for (int c = 0; c < channels; ++c) {
        const int64_t k = i * channels + c;
        writeFloat(block, k, readFloat(block, k) * factor[c < kChannelSlots ? c : 0]);
      }
    return;
  }
  withLayout(layout, [&](auto l) {
    constexpr SampleLayout kL = decltype(l)::value;
    if (!sep) {
      const int64_t g = shared;
      for (int64_t k = 0, count = frames * channels; k < count; ++k)
        writeInt(block, kL, k, clipTo(kL, int64_t(readInt(block, kL, k)) * g / 10000));
      return;
    }
    for (int64_t i = 0; i < frames; ++i)
      for (int c = 0; c < channels; ++c) {
        const int64_t k = i * channels + c;
        const int64_t g = gain[c < kChannelSlots ? c : 0];
        // C++ integer division truncates toward zero, as the gain rule requires.
        writeInt(block, kL, k, clipTo(kL, int64_t(readInt(block, kL, k)) * g / 10000));
      }
  });
}

int32_t preAmplificationGain(int sliderValue) {
  return int32_t(std::nearbyint(std::pow(10.0, -sliderValue / 100.0) * 10000.0));
}

}  // namespace audio
