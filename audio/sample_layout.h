#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <type_traits>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Sample layouts of the chain: little-endian, interleaved frame by frame.
// 8-bit samples are unsigned around 128 and are handled as value - 128;
// 24-bit samples are packed in three bytes; 32-bit samples are either IEEE
// floats (never clipped) or signed integers clipped to +-2147483647.
namespace audio {

enum class SampleLayout { U8, S16, S24, S32, F32, Unsupported };

constexpr SampleLayout layoutOf(int bits, bool isFloat) {
  switch (bits) {
    case 8:
      return SampleLayout::U8;
    case 16:
      return SampleLayout::S16;
    case 24:
      return SampleLayout::S24;
    case 32:
      return isFloat ? SampleLayout::F32 : SampleLayout::S32;
    default:
      return SampleLayout::Unsupported;
  }
}

// Saturating conversions shared by every stage. The 32-bit integer low end is
// -2147483647 so that the range is symmetric.
constexpr int64_t clip8(int64_t v) {
  return std::clamp<int64_t>(v, -128, 127);
}
constexpr int64_t clip16(int64_t v) {
  return std::clamp<int64_t>(v, -32768, 32767);
}
constexpr int64_t clip24(int64_t v) {
  return std::clamp<int64_t>(v, -8388608, 8388607);
}
constexpr int64_t clip32(int64_t v) {
  return std::clamp<int64_t>(v, -2147483647, 2147483647);
}

// Reads sample i (counted in samples, not frames) as a signed value: 8-bit
// samples come back as value - 128, 24-bit ones sign-extended from bit 23.
inline int32_t readInt(const uint8_t* p, SampleLayout layout, int64_t i) {
  switch (layout) {
    case SampleLayout::U8:
      return int32_t(p[i]) - 128;
    case SampleLayout::S16: {
      int16_t v;
      std::memcpy(&v, p + 2 * i, 2);
      return v;
    }
    case SampleLayout::S24: {
      const uint8_t* q = p + 3 * i;
      uint32_t u = uint32_t(q[0]) | uint32_t(q[1]) << 8 | uint32_t(q[2]) << 16;
      return int32_t(u << 8) >> 8;
    }
    case SampleLayout::S32: {
      int32_t v;
      std::memcpy(&v, p + 4 * i, 4);
      return v;
    }
    default:
      return 0;
  }
}

// Stores an already clipped signed value (8-bit: -128..127, stored + 128).
inline void writeInt(uint8_t* p, SampleLayout layout, int64_t i, int64_t v) {
  switch (layout) {
    case SampleLayout::U8:
      p[i] = uint8_t(v + 128);
      break;
    case SampleLayout::S16: {
      int16_t s = int16_t(v);
      std::memcpy(p + 2 * i, &s, 2);
      break;
    }
    case SampleLayout::S24: {
      uint8_t* q = p + 3 * i;
      q[0] = uint8_t(v);
      q[1] = uint8_t(v >> 8);
      q[2] = uint8_t(v >> 16);
      break;
    }
    case SampleLayout::S32: {
      int32_t s = int32_t(v);
      std::memcpy(p + 4 * i, &s, 4);
      break;
    }
    default:
      break;
  }
}

// Clips a signed value to the layout's range (8-bit in its -128..127 form).
inline int64_t clipTo(SampleLayout layout, int64_t v) {
  switch (layout) {
    case SampleLayout::U8:
      return clip8(v);
    case SampleLayout::S16:
      return clip16(v);
    case SampleLayout::S24:
      return clip24(v);
    default:
      return clip32(v);
  }
}

inline float readFloat(const uint8_t* p, int64_t i) {
  float v;
  std::memcpy(&v, p + 4 * i, 4);
  return v;
}

inline void writeFloat(uint8_t* p, int64_t i, float v) {
  std::memcpy(p + 4 * i, &v, 4);
}

// Round to nearest, ties to even, of a value already limited to +-1e9.
inline int32_t roundHalfEven(float v) {
#if defined(__SSE2__)
  return _mm_cvtss_si32(_mm_set_ss(v));  // the default rounding mode: nearest, ties to even
#else
  return int32_t(std::nearbyint(v));
#endif
}

// Calls fn with the layout as a compile-time constant
// (std::integral_constant), so per-sample code needs no switch.
template <typename Fn>
void withLayout(SampleLayout layout, Fn fn) {
  using L = SampleLayout;
  switch (layout) {
    case L::U8:
      return fn(std::integral_constant<L, L::U8>{});
    case L::S16:
      return fn(std::integral_constant<L, L::S16>{});
    case L::S24:
      return fn(std::integral_constant<L, L::S24>{});
    case L::S32:
      return fn(std::integral_constant<L, L::S32>{});
    case L::F32:
      return fn(std::integral_constant<L, L::F32>{});
    default:
      return;
  }
}

// Runs fn(blockStart, blockBytes) over consecutive blocks of sampleSize frames
// (bytes = sampleSize x bytes per sample x channels); the last block takes what
// remains; sampleSize 0 means the whole buffer in one block.
template <typename Fn>
void forEachBlock(uint8_t* buffer, int64_t size, int bits, int channels, int sampleSize, Fn fn) {
  const int64_t blockBytes = int64_t(sampleSize) * (bits / 8) * channels;
  if (blockBytes <= 0) {
    fn(buffer, size);
    return;
  }
  for (int64_t at = 0; at < size; at += blockBytes)
    fn(buffer + at, std::min(blockBytes, size - at));
}

}  // namespace audio
