// AVX2 variants of the transform kernels. Every arithmetic step matches the
// scalar kernels operation for operation (no fused multiply-add), so results
// agree with them up to float rounding; groups too short for a full vector
// fall back to the scalar kernels.
#include <immintrin.h>

#include "audio/fft_kernels.h"

#if defined(__x86_64__) || defined(__i386__)
// Only this file's own functions get AVX2; the shared kernels above stay plain.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

namespace audio::fft_detail {
namespace {

struct V8 {
  using T = __m256;
  static constexpr int kWidth = 8;
  static T load(const float* p) { return _mm256_loadu_ps(p); }
  static void store(float* p, T v) { _mm256_storeu_ps(p, v); }
  static T add(T a, T b) { return _mm256_add_ps(a, b); }
  static T sub(T a, T b) { return _mm256_sub_ps(a, b); }
  static T mul(T a, T b) { return _mm256_mul_ps(a, b); }
};

struct V4 {
  using T = __m128;
  static constexpr int kWidth = 4;
  static T load(const float* p) { return _mm_loadu_ps(p); }
  static void store(float* p, T v) { _mm_storeu_ps(p, v); }
  static T add(T a, T b) { return _mm_add_ps(a, b); }
  static T sub(T a, T b) { return _mm_sub_ps(a, b); }
  static T mul(T a, T b) { return _mm_mul_ps(a, b); }
};

// out = x * w, stored at p.
template <class O>
inline void cmulStore(float* pr, float* pi, typename O::T xr, typename O::T xi, const float* wr,
                      const float* wi) {
  const typename O::T vr = O::load(wr), vi = O::load(wi);
  O::store(pr, O::sub(O::mul(xr, vr), O::mul(xi, vi)));
  O::store(pi, O::add(O::mul(xr, vi), O::mul(xi, vr)));
}

// out = x * conj(w), loaded from p.
template <class O>
inline void cmulConjLoad(const float* pr, const float* pi, const float* wr, const float* wi,
                         typename O::T& outR, typename O::T& outI) {
  const typename O::T xr = O::load(pr), xi = O::load(pi), vr = O::load(wr), vi = O::load(wi);
  outR = O::add(O::mul(xr, vr), O::mul(xi, vi));
  outI = O::sub(O::mul(xi, vr), O::mul(xr, vi));
}

template <class O>
void radix4Forward(float* r, float* i, int m, const StageTwiddles& t) {
  using T = typename O::T;
  for (int j = 0; j < m; j += O::kWidth) {
    const T a0r = O::load(r + j), a0i = O::load(i + j);
    const T a1r = O::load(r + j + m), a1i = O::load(i + j + m);
    const T a2r = O::load(r + j + 2 * m), a2i = O::load(i + j + 2 * m);
    const T a3r = O::load(r + j + 3 * m), a3i = O::load(i + j + 3 * m);
    const T t0r = O::add(a0r, a2r), t0i = O::add(a0i, a2i);
    const T t1r = O::sub(a0r, a2r), t1i = O::sub(a0i, a2i);
    const T t2r = O::add(a1r, a3r), t2i = O::add(a1i, a3i);
    const T t3r = O::sub(a1r, a3r), t3i = O::sub(a1i, a3i);
    O::store(r + j, O::add(t0r, t2r));
    O::store(i + j, O::add(t0i, t2i));
    cmulStore<O>(r + j + m, i + j + m, O::sub(t0r, t2r), O::sub(t0i, t2i), t.w2r + j, t.w2i + j);
    cmulStore<O>(r + j + 2 * m, i + j + 2 * m, O::add(t1r, t3i), O::sub(t1i, t3r), t.w1r + j,
                 t.w1i + j);
    cmulStore<O>(r + j + 3 * m, i + j + 3 * m, O::sub(t1r, t3i), O::add(t1i, t3r), t.w3r + j,
                 t.w3i + j);
  }
}

template <class O>
void radix4Inverse(float* r, float* i, int m, const StageTwiddles& t) {
  using T = typename O::T;
  for (int j = 0; j < m; j += O::kWidth) {
    T y1r, y1i, y2r, y2i, y3r, y3i;
    cmulConjLoad<O>(r + j + m, i + j + m, t.w2r + j, t.w2i + j, y2r, y2i);
    cmulConjLoad<O>(r + j + 2 * m, i + j + 2 * m, t.w1r + j, t.w1i + j, y1r, y1i);
    cmulConjLoad<O>(r + j + 3 * m, i + j + 3 * m, t.w3r + j, t.w3i + j, y3r, y3i);
    const T y0r = O::load(r + j), y0i = O::load(i + j);
    const T s0r = O::add(y0r, y2r), s0i = O::add(y0i, y2i);
    const T s1r = O::sub(y0r, y2r), s1i = O::sub(y0i, y2i);
    const T s2r = O::add(y1r, y3r), s2i = O::add(y1i, y3i);
    const T s3r = O::sub(y1r, y3r), s3i = O::sub(y1i, y3i);
    O::store(r + j, O::add(s0r, s2r));
    O::store(i + j, O::add(s0i, s2i));
    O::store(r + j + 2 * m, O::sub(s0r, s2r));
    O::store(i + j + 2 * m, O::sub(s0i, s2i));
    O::store(r + j + m, O::sub(s1r, s3i));
    O::store(i + j + m, O::add(s1i, s3r));
    O::store(r + j + 3 * m, O::add(s1r, s3i));
    O::store(i + j + 3 * m, O::sub(s1i, s3r));
  }
}

// Transposes four 4-float rows inside each 128-bit lane.
inline void transpose4(__m256& a, __m256& b, __m256& c, __m256& d) {
  const __m256 t0 = _mm256_unpacklo_ps(a, b), t1 = _mm256_unpackhi_ps(a, b);
  const __m256 t2 = _mm256_unpacklo_ps(c, d), t3 = _mm256_unpackhi_ps(c, d);
  a = _mm256_shuffle_ps(t0, t2, 0x44);
  b = _mm256_shuffle_ps(t0, t2, 0xEE);
  c = _mm256_shuffle_ps(t1, t3, 0x44);
  d = _mm256_shuffle_ps(t1, t3, 0xEE);
}

// Loads 32 floats from p as four registers, transposed (see transpose4).
inline void loadTransposed(const float* p, __m256& a, __m256& b, __m256& c, __m256& d) {
  a = _mm256_loadu_ps(p);
  b = _mm256_loadu_ps(p + 8);
  c = _mm256_loadu_ps(p + 16);
  d = _mm256_loadu_ps(p + 24);
  transpose4(a, b, c, d);
}

// Transposes four registers back and stores them as 32 floats at p.
inline void storeTransposed(float* p, __m256 a, __m256 b, __m256 c, __m256 d) {
  transpose4(a, b, c, d);
  _mm256_storeu_ps(p, a);
  _mm256_storeu_ps(p + 8, b);
  _mm256_storeu_ps(p + 16, c);
  _mm256_storeu_ps(p + 24, d);
}

// The last forward stage (groups of 4 points, unit twiddles), eight groups at
// a time: after the transpose each register holds one point of eight groups.
void lastForwardStage(float* r, float* i, int n) {
  for (int g = 0; g < n; g += 32) {
    __m256 ar[4], ai[4];
    loadTransposed(r + g, ar[0], ar[1], ar[2], ar[3]);
    loadTransposed(i + g, ai[0], ai[1], ai[2], ai[3]);
    const __m256 t0r = _mm256_add_ps(ar[0], ar[2]), t0i = _mm256_add_ps(ai[0], ai[2]);
    const __m256 t1r = _mm256_sub_ps(ar[0], ar[2]), t1i = _mm256_sub_ps(ai[0], ai[2]);
    const __m256 t2r = _mm256_add_ps(ar[1], ar[3]), t2i = _mm256_add_ps(ai[1], ai[3]);
    const __m256 t3r = _mm256_sub_ps(ar[1], ar[3]), t3i = _mm256_sub_ps(ai[1], ai[3]);
    __m256 yr0 = _mm256_add_ps(t0r, t2r), yi0 = _mm256_add_ps(t0i, t2i);
    __m256 yr1 = _mm256_sub_ps(t0r, t2r), yi1 = _mm256_sub_ps(t0i, t2i);
    __m256 yr2 = _mm256_add_ps(t1r, t3i), yi2 = _mm256_sub_ps(t1i, t3r);
    __m256 yr3 = _mm256_sub_ps(t1r, t3i), yi3 = _mm256_add_ps(t1i, t3r);
    storeTransposed(r + g, yr0, yr1, yr2, yr3);
    storeTransposed(i + g, yi0, yi1, yi2, yi3);
  }
}

// The first inverse stage, the mirror of lastForwardStage.
void firstInverseStage(float* r, float* i, int n) {
  for (int g = 0; g < n; g += 32) {
    __m256 y0r, y2r, y1r, y3r, y0i, y2i, y1i, y3i;
    loadTransposed(r + g, y0r, y2r, y1r, y3r);
    loadTransposed(i + g, y0i, y2i, y1i, y3i);
    const __m256 s0r = _mm256_add_ps(y0r, y2r), s0i = _mm256_add_ps(y0i, y2i);
    const __m256 s1r = _mm256_sub_ps(y0r, y2r), s1i = _mm256_sub_ps(y0i, y2i);
    const __m256 s2r = _mm256_add_ps(y1r, y3r), s2i = _mm256_add_ps(y1i, y3i);
    const __m256 s3r = _mm256_sub_ps(y1r, y3r), s3i = _mm256_sub_ps(y1i, y3i);
    __m256 a0r = _mm256_add_ps(s0r, s2r), a0i = _mm256_add_ps(s0i, s2i);
    __m256 a1r = _mm256_sub_ps(s1r, s3i), a1i = _mm256_add_ps(s1i, s3r);
    __m256 a2r = _mm256_sub_ps(s0r, s2r), a2i = _mm256_sub_ps(s0i, s2i);
    __m256 a3r = _mm256_add_ps(s1r, s3i), a3i = _mm256_sub_ps(s1i, s3r);
    storeTransposed(r + g, a0r, a1r, a2r, a3r);
    storeTransposed(i + g, a0i, a1i, a2i, a3i);
  }
}

void radix4ForwardStage(float* re, float* im, int n, int lg, const StageTwiddles& t) {
  const int l = 1 << lg, m = l / 4;
  if (m == 1 && n >= 32) return lastForwardStage(re, im, n);
  for (int g = 0; g < n; g += l) {
    if (m >= 8)
      radix4Forward<V8>(re + g, im + g, m, t);
    else if (m == 4)
      radix4Forward<V4>(re + g, im + g, m, t);
    else
      radix4ForwardScalar(re + g, im + g, m, t, 0);
  }
}

void radix4InverseStage(float* re, float* im, int n, int lg, const StageTwiddles& t) {
  const int l = 1 << lg, m = l / 4;
  if (m == 1 && n >= 32) return firstInverseStage(re, im, n);
  for (int g = 0; g < n; g += l) {
    if (m >= 8)
      radix4Inverse<V8>(re + g, im + g, m, t);
    else if (m == 4)
      radix4Inverse<V4>(re + g, im + g, m, t);
    else
      radix4InverseScalar(re + g, im + g, m, t, 0);
  }
}

}  // namespace

void forwardAvx2(float* re, float* im, int log2n) {
  const StageTwiddles* tw = stageTwiddles();
  const int n = 1 << log2n;
  int lg = log2n;
  if (lg & 1) {
    const int h = n / 2;
    const StageTwiddles& t = tw[lg];
    int j = 0;
    for (; j + 8 <= h; j += 8) {
      const __m256 ar = _mm256_loadu_ps(re + j), ai = _mm256_loadu_ps(im + j);
      const __m256 br = _mm256_loadu_ps(re + j + h), bi = _mm256_loadu_ps(im + j + h);
      _mm256_storeu_ps(re + j, _mm256_add_ps(ar, br));
      _mm256_storeu_ps(im + j, _mm256_add_ps(ai, bi));
      cmulStore<V8>(re + j + h, im + j + h, _mm256_sub_ps(ar, br), _mm256_sub_ps(ai, bi), t.w1r + j,
                    t.w1i + j);
    }
    radix2ForwardScalar(re, im, h, t, j);
    --lg;
  }
  for (; lg >= 2; lg -= 2) radix4ForwardStage(re, im, n, lg, tw[lg]);
}

void inverseAvx2(float* re, float* im, int log2n) {
  const StageTwiddles* tw = stageTwiddles();
  const int n = 1 << log2n;
  const int top = log2n & ~1;
  for (int lg = 2; lg <= top; lg += 2) radix4InverseStage(re, im, n, lg, tw[lg]);
  if (log2n & 1) {
    const int h = n / 2;
    const StageTwiddles& t = tw[log2n];
    int j = 0;
    for (; j + 8 <= h; j += 8) {
      __m256 br, bi;
      cmulConjLoad<V8>(re + j + h, im + j + h, t.w1r + j, t.w1i + j, br, bi);
      const __m256 ar = _mm256_loadu_ps(re + j), ai = _mm256_loadu_ps(im + j);
      _mm256_storeu_ps(re + j, _mm256_add_ps(ar, br));
      _mm256_storeu_ps(im + j, _mm256_add_ps(ai, bi));
      _mm256_storeu_ps(re + j + h, _mm256_sub_ps(ar, br));
      _mm256_storeu_ps(im + j + h, _mm256_sub_ps(ai, bi));
    }
    radix2InverseScalar(re, im, h, t, j);
  }
}

void multiplyAvx2(float* ar, float* ai, const float* br, const float* bi, int n) {
  int k = 0;
  for (; k + 8 <= n; k += 8) {
    const __m256 xr = _mm256_loadu_ps(ar + k), xi = _mm256_loadu_ps(ai + k);
    cmulStore<V8>(ar + k, ai + k, xr, xi, br + k, bi + k);
  }
  if (k < n) multiplyScalar(ar + k, ai + k, br + k, bi + k, n - k);
}

void scaleAvx2(float* re, float* im, int n, float factor) {
  const __m256 f = _mm256_set1_ps(factor);
  int k = 0;
  for (; k + 8 <= n; k += 8) {
    _mm256_storeu_ps(re + k, _mm256_mul_ps(_mm256_loadu_ps(re + k), f));
    _mm256_storeu_ps(im + k, _mm256_mul_ps(_mm256_loadu_ps(im + k), f));
  }
  if (k < n) scaleScalar(re + k, im + k, n - k, factor);
}

}  // namespace audio::fft_detail

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
#else
namespace audio::fft_detail {
void forwardAvx2(float* re, float* im, int log2n) {
  forwardScalar(re, im, log2n);
}
void inverseAvx2(float* re, float* im, int log2n) {
  inverseScalar(re, im, log2n);
}
void multiplyAvx2(float* ar, float* ai, const float* br, const float* bi, int n) {
  multiplyScalar(ar, ai, br, bi, n);
}
void scaleAvx2(float* re, float* im, int n, float factor) {
  scaleScalar(re, im, n, factor);
}
}  // namespace audio::fft_detail
#endif
