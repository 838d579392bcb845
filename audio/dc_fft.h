#pragma once
#include <cstdint>

namespace audio {

// Transform lengths: N = 2^(value + 1), fts2 (N = 2) to fts8192 (N = 8192).
enum class TDCFFTSize : int {
  fts2,
  fts4,
  fts8,
  fts16,
  fts32,
  fts64,
  fts128,
  fts256,
  fts512,
  fts1024,
  fts2048,
  fts4096,
  fts8192
};

inline constexpr int kMaxFFTPoints = 8192;

constexpr int fftLength(TDCFFTSize size) {
  return 2 << static_cast<int>(size);
}

// One in-place complex single-precision FFT over the first N of 8192 points.
// Points are stored split: point k is (re()[k], im()[k]).
// The forward transform uses exp(-2 pi i jk / N) and is unscaled; the inverse
// uses exp(+2 pi i jk / N) and multiplies by 1/N when the scale flag is set, so
// inverse(forward(x)) = x. With reorder set both work in natural bin order;
// with it clear the forward transform leaves the spectrum in bit-reversed order
// and the inverse expects that order, which is enough for point-wise products.
// Not thread-safe; one object per user. Twiddle tables are shared and built
// once on first construction.
class TDCFFT {
 public:
  TDCFFT();  // fts512, reorder and scale set, all points zero

  void setFFTSize(TDCFFTSize size);
  TDCFFTSize fftSize() const { return size_; }
  int length() const { return 2 << static_cast<int>(size_); }
  void setReorder(bool on) { reorder_ = on; }
  bool reorder() const { return reorder_; }
  void setScale(bool on) { scale_ = on; }
  bool scale() const { return scale_; }

  void clear();  // all 8192 points to zero
  void forward();
  void inverse();

  // Point-wise complex product over the first N points: this *= spectrum.
  void multiplyBy(const TDCFFT& spectrum);

  float* re() { return re_; }
  float* im() { return im_; }
  const float* re() const { return re_; }
  const float* im() const { return im_; }

 private:
  TDCFFTSize size_ = TDCFFTSize::fts512;
  bool reorder_ = true;
  bool scale_ = true;
  alignas(32) float re_[kMaxFFTPoints];
  alignas(32) float im_[kMaxFFTPoints];
};

}  // namespace audio
