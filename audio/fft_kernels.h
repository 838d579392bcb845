#pragma once
// Internal to the audio library: the transform kernels behind TDCFFT.
// Plain pointers only: the vector kernels are compiled for another
// instruction set and must not instantiate shared inline library code.

namespace audio::fft_detail {

// Twiddles of one stage whose groups are L points long, split re/im:
// radix-4 stages use w^j, w^2j, w^3j for j < L/4; the radix-2 stage w^j for
// j < L/2, with w = exp(-2 pi i / L).
struct StageTwiddles {
  const float *w1r, *w1i, *w2r, *w2i, *w3r, *w3i;
};

// Indexed by log2 L (1..13); built once, on first use.
const StageTwiddles* stageTwiddles();

// Scalar stage kernels over one group, for j = from .. m-1 (or h-1).
void radix4ForwardScalar(float* r, float* i, int m, const StageTwiddles& t, int from);
void radix4InverseScalar(float* r, float* i, int m, const StageTwiddles& t, int from);
void radix2ForwardScalar(float* r, float* i, int h, const StageTwiddles& t, int from);
void radix2InverseScalar(float* r, float* i, int h, const StageTwiddles& t, int from);

// Decimation in frequency, natural order in, bit-reversed order out.
void forwardScalar(float* re, float* im, int log2n);
// Decimation in time, bit-reversed order in, natural order out, unscaled.
void inverseScalar(float* re, float* im, int log2n);
void multiplyScalar(float* ar, float* ai, const float* br, const float* bi, int n);
void scaleScalar(float* re, float* im, int n, float factor);

void forwardAvx2(float* re, float* im, int log2n);
void inverseAvx2(float* re, float* im, int log2n);
void multiplyAvx2(float* ar, float* ai, const float* br, const float* bi, int n);
void scaleAvx2(float* re, float* im, int n, float factor);

}  // namespace audio::fft_detail
