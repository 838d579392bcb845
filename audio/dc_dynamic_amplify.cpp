#include "audio/dc_dynamic_amplify.h"

#include <cmath>
#include <limits>

#include "audio/sample_layout.h"

namespace audio {

TDCDynamicAmplify::TDCDynamicAmplify() = default;

void TDCDynamicAmplify::setState(float currentGain, int32_t holdBytes) {
  currentGain_.store(currentGain, std::memory_order_relaxed);
  holdBytes_.store(holdBytes, std::memory_order_relaxed);
}

void TDCDynamicAmplify::process(uint8_t* buffer, int64_t size, int sampleRate, int bits,
                                int channels, bool isFloat) {
  if (!enabled()) return;
  if (layoutOf(bits, isFloat) == SampleLayout::Unsupported || channels < 1 || sampleRate < 1 ||
      size <= 0)
    return;
  forEachBlock(buffer, size, bits, channels, sampleSize(), [&](uint8_t* block, int64_t bytes) {
    processBlock(block, bytes, sampleRate, bits, channels, isFloat);
  });
}

namespace {

// Rounds p / 1000 to nearest, ties to even, in integers.
int64_t roundThousandths(int64_t p) {
  int64_t q = p / 1000, r = p % 1000;
  if (r < 0) r = -r;
  if (r > 500 || (r == 500 && (q & 1))) q += p < 0 ? -1 : 1;
  return q;
}

// Peak of a float block on the 16-bit scale: Round(|s| x 32767). NaN and
// infinity carry no level and are skipped; huge values are capped so the
// rounding stays inside 64 bits.
int64_t floatPeak(const uint8_t* block, int64_t count) {
  double peak = 0.0;
  for (int64_t k = 0; k < count; ++k) {
    const float v = readFloat(block, k);
    if (std::isfinite(v)) peak = std::max(peak, double(std::fabs(v)));
  }
  return int64_t(std::nearbyint(std::min(peak * 32767.0, 4.0e18)));
}

}  // namespace

void TDCDynamicAmplify::processBlock(uint8_t* block, int64_t bytes, int sampleRate, int bits,
                                     int channels, bool isFloat) {
  const SampleLayout layout = layoutOf(bits, isFloat);
  const int b = bits / 8;
  const int64_t frames = (bytes / b) / channels;
  // A block without one whole frame carries no level; deciding on it would
  // divide the ramp by zero frames.
  if (frames == 0) return;
  const int64_t count = frames * channels;

  const int64_t bytesPerSecond = int64_t(sampleRate) * b * channels;
  const int64_t holdLimit = roundThousandths(bytesPerSecond * releaseTime());
  const float ceiling = float(maxAmplification()) / 1000.0f;

  int64_t peak = 0;
  if (layout == SampleLayout::F32) {
    peak = floatPeak(block, count);
  } else {
    withLayout(layout, [&](auto l) {
      for (int64_t k = 0; k < count; ++k) {
        const int64_t v = readInt(block, decltype(l)::value, k);
        peak = std::max(peak, v < 0 ? -v : v);
      }
    });
  }
  float fullScale = 1.0f;
  switch (layout) {
    case SampleLayout::U8:
      fullScale = 128.0f;
      break;
    case SampleLayout::S16:
    case SampleLayout::F32:
      fullScale = 32768.0f;
      break;
    case SampleLayout::S24:
      fullScale = 8388608.0f;
      break;
    case SampleLayout::S32:
      fullScale = 2147483648.0f;
      break;
    default:
      break;
  }
  float target = peak == 0 ? std::numeric_limits<float>::infinity() : fullScale / float(peak);
  if (target > ceiling) target = ceiling;

  const float g0 = currentGain();
  float g1 = g0;
  const int32_t hold = holdBytes();
  if (target < g0) {
    holdBytes_.store(0, std::memory_order_relaxed);
    g1 = target;
  } else if (hold > holdLimit) {
    // The rise is the block's duration times the attack rate; it may overshoot
    // the target, which the next block's target then pulls back.
    g1 = float(double(g0) + double(bytes) * (attackTime() / 1000.0) / sampleRate / channels / b);
    if (g1 > ceiling) g1 = ceiling;
  } else {
    holdBytes_.store(int32_t(std::min<int64_t>(int64_t(hold) + bytes, INT32_MAX)),
                     std::memory_order_relaxed);
  }
  currentGain_.store(g1, std::memory_order_relaxed);

  // Linear ramp from the old gain: g(i) = G0 - D x i, D = (G0 - G1) / frames.
  const float step = (g0 - g1) / float(frames);
  withLayout(layout, [&](auto l) {
    constexpr SampleLayout kL = decltype(l)::value;
    for (int64_t i = 0; i < frames; ++i) {
      const float g = g0 - step * float(i);
      for (int c = 0; c < channels; ++c) {
        const int64_t k = i * channels + c;
        if constexpr (kL == SampleLayout::F32) {
          writeFloat(block, k, g * readFloat(block, k));
        } else {
          // The product in double keeps 32-bit samples exact; the conversion
          // truncates toward zero (|product| < 2^53 with any int32 ceiling).
          const int64_t v = int64_t(double(g) * double(readInt(block, kL, k)));
          writeInt(block, kL, k, clipTo(kL, v));
        }
      }
    }
  });
}

}  // namespace audio
