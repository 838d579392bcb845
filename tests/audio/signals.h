#pragma once
// Test signals in every sample layout, and reading them back as numbers.
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <vector>

#include "audio/sample_layout.h"

namespace audiotest {

using audio::SampleLayout;

inline int bytesOf(SampleLayout l) {
  switch (l) {
    case SampleLayout::U8:
      return 1;
    case SampleLayout::S16:
      return 2;
    case SampleLayout::S24:
      return 3;
    default:
      return 4;
  }
}
inline int bitsOf(SampleLayout l) {
  return 8 * bytesOf(l);
}
inline bool isFloat(SampleLayout l) {
  return l == SampleLayout::F32;
}

// Interleaved samples as doubles (8-bit as value - 128), written to and read
// from the layout.
inline std::vector<uint8_t> encode(const std::vector<double>& v, SampleLayout l) {
  std::vector<uint8_t> out(v.size() * bytesOf(l));
  for (size_t k = 0; k < v.size(); ++k) {
    if (l == SampleLayout::F32)
      audio::writeFloat(out.data(), k, float(v[k]));
    else
      audio::writeInt(out.data(), l, k, audio::clipTo(l, std::llround(v[k])));
  }
  return out;
}

inline std::vector<double> decode(const std::vector<uint8_t>& b, SampleLayout l) {
  std::vector<double> out(b.size() / bytesOf(l));
  for (size_t k = 0; k < out.size(); ++k)
    out[k] = l == SampleLayout::F32 ? double(audio::readFloat(b.data(), k))
                                    : double(audio::readInt(b.data(), l, k));
  return out;
}

// Sine of `bin` cycles per 2048 frames, the same on every channel.
inline std::vector<double> sine(int frames, int channels, double bin, double amplitude) {
  std::vector<double> v(size_t(frames) * channels);
  for (int i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c)
      v[size_t(i) * channels + c] = amplitude * std::sin(2 * std::numbers::pi * bin * i / 2048.0);
  return v;
}

inline std::vector<double> noise(size_t count, double amplitude, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> d(-amplitude, amplitude);
  std::vector<double> v(count);
  for (auto& x : v) x = d(rng);
  return v;
}

// RMS of one channel over frames [from, to).
inline double rms(const std::vector<double>& v, int channels, int channel, int from, int to) {
  double s = 0;
  for (int i = from; i < to; ++i)
    s += v[size_t(i) * channels + channel] * v[size_t(i) * channels + channel];
  return std::sqrt(s / (to - from));
}

}  // namespace audiotest
