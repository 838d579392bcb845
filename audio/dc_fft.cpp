#include "audio/dc_fft.h"

#include <cmath>
#include <cstring>
#include <numbers>
#include <utility>
#include <vector>

#include "audio/fft_kernels.h"
#include "audio/vector_unit.h"

namespace audio {
namespace fft_detail {

namespace {

struct Storage {
  std::vector<float> w[14][6];
  std::vector<int> swaps[14];  // index pairs k < reverse(k), flattened
  StageTwiddles stage[14] = {};
};

const Storage& tables() {
  static const Storage t = [] {
    Storage r;
    for (int lg = 1; lg <= 13; ++lg) {
      const int l = 1 << lg;
      std::vector<float>* s = r.w[lg];
      // Radix-4 stages use L/4 entries of each power; the radix-2 stage L/2 of w1.
      const int count = lg >= 2 ? l / 2 : 1;
      auto fill = [&](std::vector<float>& cr, std::vector<float>& ci, int power, int n) {
        cr.resize(n);
        ci.resize(n);
        for (int j = 0; j < n; ++j) {
          // Angles in double so each twiddle is the correctly rounded float.
          const double a = -2.0 * std::numbers::pi * double(int64_t(power) * j) / l;
          cr[j] = float(std::cos(a));
          ci[j] = float(std::sin(a));
        }
      };
      fill(s[0], s[1], 1, count);
      fill(s[2], s[3], 2, std::max(1, l / 4));
      fill(s[4], s[5], 3, std::max(1, l / 4));
      r.stage[lg] = {s[0].data(), s[1].data(), s[2].data(), s[3].data(), s[4].data(), s[5].data()};
      for (int k = 0; k < l; ++k) {
        int v = 0;
        for (int b = 0; b < lg; ++b) v |= ((k >> b) & 1) << (lg - 1 - b);
        if (k < v) r.swaps[lg].insert(r.swaps[lg].end(), {k, v});
      }
    }
    return r;
  }();
  return t;
}

// x * w and x * conj(w); every kernel variant uses exactly these operations.
inline void cmul(float xr, float xi, float wr, float wi, float& outR, float& outI) {
  outR = xr * wr - xi * wi;
  outI = xr * wi + xi * wr;
}
inline void cmulConj(float xr, float xi, float wr, float wi, float& outR, float& outI) {
  outR = xr * wr + xi * wi;
  outI = xi * wr - xr * wi;
}

}  // namespace

const StageTwiddles* stageTwiddles() {
  return tables().stage;
}

// The middle outputs of each radix-4 butterfly are swapped (frequency 4k+2 to
// the second quarter, 4k+1 to the third) so that the whole transform, mixed
// with one radix-2 stage, ends in plain bit-reversed order.
void radix4ForwardScalar(float* r, float* i, int m, const StageTwiddles& t, int from) {
  for (int j = from; j < m; ++j) {
    const float t0r = r[j] + r[j + 2 * m], t0i = i[j] + i[j + 2 * m];
    const float t1r = r[j] - r[j + 2 * m], t1i = i[j] - i[j + 2 * m];
    const float t2r = r[j + m] + r[j + 3 * m], t2i = i[j + m] + i[j + 3 * m];
    const float t3r = r[j + m] - r[j + 3 * m], t3i = i[j + m] - i[j + 3 * m];
    r[j] = t0r + t2r;
    i[j] = t0i + t2i;
    if (m == 1) {
      r[j + 1] = t0r - t2r;
      i[j + 1] = t0i - t2i;
      r[j + 2] = t1r + t3i;
      i[j + 2] = t1i - t3r;
      r[j + 3] = t1r - t3i;
      i[j + 3] = t1i + t3r;
      continue;
    }
    cmul(t0r - t2r, t0i - t2i, t.w2r[j], t.w2i[j], r[j + m], i[j + m]);
    cmul(t1r + t3i, t1i - t3r, t.w1r[j], t.w1i[j], r[j + 2 * m], i[j + 2 * m]);
    cmul(t1r - t3i, t1i + t3r, t.w3r[j], t.w3i[j], r[j + 3 * m], i[j + 3 * m]);
  }
}

void radix4InverseScalar(float* r, float* i, int m, const StageTwiddles& t, int from) {
  for (int j = from; j < m; ++j) {
    float y2r = r[j + m], y2i = i[j + m];
    float y1r = r[j + 2 * m], y1i = i[j + 2 * m];
    float y3r = r[j + 3 * m], y3i = i[j + 3 * m];
    if (m != 1) {
      cmulConj(r[j + m], i[j + m], t.w2r[j], t.w2i[j], y2r, y2i);
      cmulConj(r[j + 2 * m], i[j + 2 * m], t.w1r[j], t.w1i[j], y1r, y1i);
      cmulConj(r[j + 3 * m], i[j + 3 * m], t.w3r[j], t.w3i[j], y3r, y3i);
    }
    const float s0r = r[j] + y2r, s0i = i[j] + y2i;
    const float s1r = r[j] - y2r, s1i = i[j] - y2i;
    const float s2r = y1r + y3r, s2i = y1i + y3i;
    const float s3r = y1r - y3r, s3i = y1i - y3i;
    r[j] = s0r + s2r;
    i[j] = s0i + s2i;
    r[j + 2 * m] = s0r - s2r;
    i[j + 2 * m] = s0i - s2i;
    r[j + m] = s1r - s3i;
    i[j + m] = s1i + s3r;
    r[j + 3 * m] = s1r + s3i;
    i[j + 3 * m] = s1i - s3r;
  }
}

void radix2ForwardScalar(float* r, float* i, int h, const StageTwiddles& t, int from) {
  for (int j = from; j < h; ++j) {
    const float dr = r[j] - r[j + h], di = i[j] - i[j + h];
    r[j] += r[j + h];
    i[j] += i[j + h];
    cmul(dr, di, t.w1r[j], t.w1i[j], r[j + h], i[j + h]);
  }
}

void radix2InverseScalar(float* r, float* i, int h, const StageTwiddles& t, int from) {
  for (int j = from; j < h; ++j) {
    float br, bi;
    cmulConj(r[j + h], i[j + h], t.w1r[j], t.w1i[j], br, bi);
    const float ar = r[j], ai = i[j];
    r[j] = ar + br;
    i[j] = ai + bi;
    r[j + h] = ar - br;
    i[j + h] = ai - bi;
  }
}

void forwardScalar(float* re, float* im, int log2n) {
  const StageTwiddles* tw = stageTwiddles();
  const int n = 1 << log2n;
  int lg = log2n;
  if (lg & 1) {
    radix2ForwardScalar(re, im, n / 2, tw[lg], 0);
    --lg;
  }
  for (; lg >= 2; lg -= 2) {
    const int l = 1 << lg;
    for (int g = 0; g < n; g += l) radix4ForwardScalar(re + g, im + g, l / 4, tw[lg], 0);
  }
}

void inverseScalar(float* re, float* im, int log2n) {
  const StageTwiddles* tw = stageTwiddles();
  const int n = 1 << log2n;
  const int top = log2n & ~1;
  for (int lg = 2; lg <= top; lg += 2) {
    const int l = 1 << lg;
    for (int g = 0; g < n; g += l) radix4InverseScalar(re + g, im + g, l / 4, tw[lg], 0);
  }
  if (log2n & 1) radix2InverseScalar(re, im, n / 2, tw[log2n], 0);
}

void multiplyScalar(float* ar, float* ai, const float* br, const float* bi, int n) {
  for (int k = 0; k < n; ++k) cmul(ar[k], ai[k], br[k], bi[k], ar[k], ai[k]);
}

void scaleScalar(float* re, float* im, int n, float factor) {
  for (int k = 0; k < n; ++k) {
    re[k] *= factor;
    im[k] *= factor;
  }
}

}  // namespace fft_detail

using namespace fft_detail;

TDCFFT::TDCFFT() {
  stageTwiddles();
  clear();
}

void TDCFFT::setFFTSize(TDCFFTSize size) {
  size_ = size;
}

void TDCFFT::clear() {
  std::memset(re_, 0, sizeof re_);
  std::memset(im_, 0, sizeof im_);
}

namespace {
void bitReversePermute(float* re, float* im, int log2n) {
  // A precomputed list of the pairs to exchange: no data-dependent branch.
  const std::vector<int>& pairs = tables().swaps[log2n];
  for (size_t k = 0; k < pairs.size(); k += 2) {
    std::swap(re[pairs[k]], re[pairs[k + 1]]);
    std::swap(im[pairs[k]], im[pairs[k + 1]]);
  }
}
}  // namespace

void TDCFFT::forward() {
  const int lg = static_cast<int>(size_) + 1;
  if (activeVectorUnit() == VectorUnit::Avx2)
    forwardAvx2(re_, im_, lg);
  else
    forwardScalar(re_, im_, lg);
  if (reorder_) bitReversePermute(re_, im_, lg);
}

void TDCFFT::inverse() {
  const int lg = static_cast<int>(size_) + 1;
  const bool avx = activeVectorUnit() == VectorUnit::Avx2;
  if (reorder_) bitReversePermute(re_, im_, lg);
  if (avx)
    inverseAvx2(re_, im_, lg);
  else
    inverseScalar(re_, im_, lg);
  if (scale_) {
    const float factor = 1.0f / float(length());
    if (avx)
      scaleAvx2(re_, im_, length(), factor);
    else
      scaleScalar(re_, im_, length(), factor);
  }
}

void TDCFFT::multiplyBy(const TDCFFT& spectrum) {
  if (activeVectorUnit() == VectorUnit::Avx2)
    multiplyAvx2(re_, im_, spectrum.re_, spectrum.im_, length());
  else
    multiplyScalar(re_, im_, spectrum.re_, spectrum.im_, length());
}

}  // namespace audio
