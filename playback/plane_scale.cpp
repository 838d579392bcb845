#include "playback/plane_scale.h"

#include <libyuv.h>

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TARVELINO_X86 1
#endif

namespace playback {

namespace {

// Weights sum to 64: two 8-bit pixels times these fit a signed 16-bit sum.
constexpr int kColumnBits = 6;
constexpr int kColumnOne = 1 << kColumnBits;
// Row weights go to libyuv's row blend, which takes 256ths.
constexpr int kRowBits = 8;
// A gather reads four bytes from the left pixel on; a permute block reads
// 128 bytes from its first pixel on.
constexpr int kRowPadding = 128;
constexpr int kBlock = 32;  // output columns a permute block makes

// The source position of an output pixel's centre in 1/(1 << bits) of a
// pixel: ((2i + 1) * src / dst - 1) / 2, floored, clamped to the first and
// last source pixel (whose right neighbour then weighs nothing).
int64_t sourcePosition(int i, int src, int dst, int bits) {
  const int64_t num = (int64_t(2) * i + 1) * src - dst;
  const int64_t den = int64_t(2) * dst;
  int64_t p = num * (int64_t(1) << bits);
  p = p >= 0 ? p / den : -((-p + den - 1) / den);
  return std::clamp<int64_t>(p, 0, int64_t(src - 1) << bits);
}

void filterColumnsScalar(const uint8_t* row, const int32_t* left, const int32_t* weights,
                         uint8_t* out, int from, int to) {
  for (int i = from; i < to; ++i) {
    const int w0 = weights[i] & 0xFF, w1 = (weights[i] >> 8) & 0xFF;
    const uint8_t* p = row + left[i];
    out[i] = uint8_t((p[0] * w0 + p[1] * w1 + kColumnOne / 2) >> kColumnBits);
  }
}

#ifdef TARVELINO_X86
// Eight output pixels a step: one gather fetches each pixel's left and right
// source pixels (and two more, weighted 0) as a 32-bit word; one multiply-add
// of bytes by their weights gives the sums.
__attribute__((target("avx2"))) void filterColumnsAvx2(const uint8_t* row, const int32_t* left,
                                                       const int32_t* weights, uint8_t* out,
                                                       int n) {
  const __m256i round = _mm256_set1_epi32(kColumnOne / 2);
  // The low byte of each 32-bit result, gathered to the front of its half.
  const __m256i pick =
      _mm256_setr_epi8(0, 4, 8, 12, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 4, 8, 12, -1,
                       -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
  const __m256i halves = _mm256_setr_epi32(0, 4, 0, 0, 0, 0, 0, 0);
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m256i at = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(left + i));
    const __m256i px = _mm256_i32gather_epi32(reinterpret_cast<const int*>(row), at, 1);
    const __m256i w = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(weights + i));
    // Low 16 bits: left * (64 - f) + right * f; high 16 bits: 0 (zero weights).
    __m256i sum = _mm256_maddubs_epi16(px, w);
    sum = _mm256_srli_epi32(_mm256_add_epi32(sum, round), kColumnBits);
    const __m256i bytes = _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(sum, pick), halves);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), _mm256_castsi256_si128(bytes));
  }
  filterColumnsScalar(row, left, weights, out, i, n);
}

// 32 output pixels a step: one two-register byte permute picks each pixel's
// left and right source bytes side by side from the 128 bytes at the block's
// first pixel, one multiply-add of bytes by their weights gives the sums.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void filterBlockPermute(
    const uint8_t* row, const uint8_t* pairs, const uint8_t* weights, uint8_t* out) {
  const __m512i lo = _mm512_loadu_si512(row);
  const __m512i hi = _mm512_loadu_si512(row + 64);
  const __m512i picked = _mm512_permutex2var_epi8(lo, _mm512_loadu_si512(pairs), hi);
  __m512i sum = _mm512_maddubs_epi16(picked, _mm512_loadu_si512(weights));
  sum = _mm512_srli_epi16(_mm512_add_epi16(sum, _mm512_set1_epi16(kColumnOne / 2)), kColumnBits);
  // The low byte of each 16-bit sum, to the front (all sums are below 256).
  const __m512i evenBytes =
      _mm512_set_epi8(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                      0, 0, 0, 0, 0, 0, 62, 60, 58, 56, 54, 52, 50, 48, 46, 44, 42, 40, 38, 36, 34,
                      32, 30, 28, 26, 24, 22, 20, 18, 16, 14, 12, 10, 8, 6, 4, 2, 0);
  // (The zero-masking and masked forms: the plain ones trip GCC 12's
  // uninitialized-value warning inside its own headers.)
  const __m512i bytes = _mm512_maskz_permutexvar_epi8(~__mmask64{0}, evenBytes, sum);
  _mm512_mask_storeu_epi8(out, __mmask64{0xFFFFFFFF}, bytes);
}
#endif

}  // namespace

bool PlaneScaler::runs(Columns columns) {
#ifdef TARVELINO_X86
  static const bool avx2 = __builtin_cpu_supports("avx2");
  static const bool vbmi = __builtin_cpu_supports("avx512f") &&
                           __builtin_cpu_supports("avx512bw") &&
                           __builtin_cpu_supports("avx512vbmi");
  switch (columns) {
    case Columns::Plain:
      return true;
    case Columns::Gather:
      return avx2;
    case Columns::Permute:
      return vbmi;
    case Columns::Best:
      return avx2 || vbmi;
  }
  return false;
#else
  return columns == Columns::Plain;
#endif
}

void PlaneScaler::makeColumnTable(int srcW, int dstW) {
  if (srcW == tableSrcW_ && dstW == tableDstW_) return;
  left_.resize(size_t(dstW));
  weights_.resize(size_t(dstW));
  for (int i = 0; i < dstW; ++i) {
    const int64_t p = sourcePosition(i, srcW, dstW, kColumnBits);
    const int f = int(p & (kColumnOne - 1));
    left_[size_t(i)] = int32_t(p >> kColumnBits);
    weights_[size_t(i)] = int32_t((kColumnOne - f) | (f << 8));
  }
  // Whole blocks only; the columns after the last one are filtered plainly.
  blocks_.resize(size_t(dstW / kBlock));
  for (size_t b = 0; b < blocks_.size(); ++b) {
    Block& block = blocks_[b];
    const size_t first = b * kBlock;
    block.base = left_[first];
    block.fits = left_[first + kBlock - 1] + 1 - block.base < 128;
    for (int j = 0; j < kBlock && block.fits; ++j) {
      const int at = left_[first + size_t(j)] - block.base;
      block.pairs[2 * j] = uint8_t(at);
      block.pairs[2 * j + 1] = uint8_t(at + 1);
      block.weights[2 * j] = uint8_t(weights_[first + size_t(j)] & 0xFF);
      block.weights[2 * j + 1] = uint8_t((weights_[first + size_t(j)] >> 8) & 0xFF);
    }
  }
  tableSrcW_ = srcW;
  tableDstW_ = dstW;
}

void PlaneScaler::filterRow(const uint8_t* row, uint8_t* out, int dstW, Columns columns) const {
#ifdef TARVELINO_X86
  if (columns == Columns::Best)
    columns = runs(Columns::Permute) ? Columns::Permute : Columns::Gather;
  if (columns == Columns::Permute) {
    int done = 0;
    for (const Block& block : blocks_) {
      if (!block.fits) break;  // the rest are filtered plainly
      filterBlockPermute(row + block.base, block.pairs, block.weights, out + done);
      done += kBlock;
    }
    filterColumnsScalar(row, left_.data(), weights_.data(), out, done, dstW);
    return;
  }
  if (columns == Columns::Gather) {
    filterColumnsAvx2(row, left_.data(), weights_.data(), out, dstW);
    return;
  }
#else
  (void)columns;
#endif
  filterColumnsScalar(row, left_.data(), weights_.data(), out, 0, dstW);
}

bool PlaneScaler::scale(const uint8_t* src, int srcStride, int srcW, int srcH, uint8_t* dst,
                        int dstStride, int dstW, int dstH, Columns columns) {
  if (!src || !dst || srcW <= 0 || srcH <= 0 || dstW <= 0 || dstH <= 0 || !runs(columns))
    return false;
  makeColumnTable(srcW, dstW);
  row_.resize(size_t(srcW) + kRowPadding);
  for (int y = 0; y < dstH; ++y) {
    const int64_t p = sourcePosition(y, srcH, dstH, kRowBits);
    const int top = int(p >> kRowBits), fraction = int(p & ((1 << kRowBits) - 1));
    const uint8_t* a = src + ptrdiff_t(top) * srcStride;
    const uint8_t* b = fraction ? a + srcStride : a;
    uint8_t* out = dst + ptrdiff_t(y) * dstStride;
    if (srcW == dstW) {
      // Every column is its own source column: the blended row is the result.
      libyuv::InterpolatePlane(a, srcStride, b, srcStride, out, dstW, dstW, 1, fraction);
      continue;
    }
    libyuv::InterpolatePlane(a, srcStride, b, srcStride, row_.data(), srcW, srcW, 1, fraction);
    // The last pixel repeated: the right neighbour of the last column.
    std::memset(row_.data() + srcW, row_[size_t(srcW) - 1], kRowPadding);
    filterRow(row_.data(), out, dstW, columns);
  }
  return true;
}

}  // namespace playback
