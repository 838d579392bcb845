#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <vector>

#include "audio/dc_fft.h"
#include "audio/vector_unit.h"

namespace {

using audio::TDCFFT;
using audio::TDCFFTSize;
using audio::VectorUnit;
using Cvec = std::vector<std::complex<double>>;

Cvec randomSignal(int n, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> d(-1.0, 1.0);
  Cvec x(n);
  for (auto& v : x) v = {float(d(rng)), float(d(rng))};
  return x;
}

Cvec directDft(const Cvec& x, int sign) {
  const int n = int(x.size());
  Cvec turn(n);  // exp(sign 2 pi i m / n), exact to double precision
  for (int m = 0; m < n; ++m) turn[m] = std::polar(1.0, sign * 2.0 * std::numbers::pi * m / n);
  Cvec y(n);
  for (int k = 0; k < n; ++k) {
    std::complex<double> s = 0;
    for (int j = 0; j < n; ++j) s += x[j] * turn[(int64_t(j) * k) % n];
    y[k] = s;
  }
  return y;
}

void load(TDCFFT& f, const Cvec& x) {
  f.clear();
  for (size_t k = 0; k < x.size(); ++k) {
    f.re()[k] = float(x[k].real());
    f.im()[k] = float(x[k].imag());
  }
}

// Largest deviation relative to the largest magnitude of the reference.
double relativeError(const TDCFFT& f, const Cvec& ref) {
  double err = 0, mag = 1e-30;
  for (size_t k = 0; k < ref.size(); ++k) {
    err = std::max(err, std::abs(std::complex<double>(f.re()[k], f.im()[k]) - ref[k]));
    mag = std::max(mag, std::abs(ref[k]));
  }
  return err / mag;
}

class FftTest : public testing::TestWithParam<std::tuple<int, VectorUnit>> {
 protected:
  void SetUp() override {
    if (audio::setVectorUnit(std::get<1>(GetParam())) != std::get<1>(GetParam()))
      GTEST_SKIP() << "vector unit not available";
  }
  void TearDown() override { audio::setVectorUnit(audio::detectedVectorUnit()); }
  TDCFFTSize size() const { return TDCFFTSize(std::get<0>(GetParam())); }
  int n() const { return audio::fftLength(size()); }
};

TEST_P(FftTest, NaturalOrderMatchesDirectTransforms) {
  const Cvec x = randomSignal(n(), 7 + n());
  auto f = std::make_unique<TDCFFT>();
  f->setFFTSize(size());
  load(*f, x);
  f->forward();
  EXPECT_LT(relativeError(*f, directDft(x, -1)), 2e-6);

  Cvec inv = directDft(x, +1);
  for (auto& v : inv) v /= n();
  load(*f, x);
  f->inverse();
  EXPECT_LT(relativeError(*f, inv), 2e-6);
}

TEST_P(FftTest, InverseUndoesForwardInBothOrders) {
  const Cvec x = randomSignal(n(), 11 + n());
  for (bool reorder : {true, false}) {
    SCOPED_TRACE(reorder ? "natural order" : "internal order");
    auto f = std::make_unique<TDCFFT>();
    f->setFFTSize(size());
    f->setReorder(reorder);
    load(*f, x);
    f->forward();
    f->inverse();
    EXPECT_LT(relativeError(*f, x), 1e-6);
    // Points beyond N never take part.
    for (int k = n(); k < audio::kMaxFFTPoints; ++k) ASSERT_EQ(f->re()[k], 0.0f) << k;
  }
}

// Products of spectra in the internal order give the circular convolution,
// which is all the equalizer needs from that order.
TEST_P(FftTest, InternalOrderProductIsCircularConvolution) {
  const Cvec a = randomSignal(n(), 3), b = randomSignal(n(), 5);
  Cvec conv(n());
  for (int k = 0; k < n(); ++k)
    for (int j = 0; j < n(); ++j) conv[k] += a[j] * b[(k - j + n()) % n()];
  auto fa = std::make_unique<TDCFFT>(), fb = std::make_unique<TDCFFT>();
  for (TDCFFT* f : {fa.get(), fb.get()}) {
    f->setFFTSize(size());
    f->setReorder(false);
  }
  load(*fa, a);
  load(*fb, b);
  fa->forward();
  fb->forward();
  fa->multiplyBy(*fb);
  fa->inverse();
  EXPECT_LT(relativeError(*fa, conv), 5e-6);
}

INSTANTIATE_TEST_SUITE_P(
    AllLengths, FftTest,
    testing::Combine(testing::Range(0, 13), testing::Values(VectorUnit::Scalar, VectorUnit::Avx2)),
    [](const auto& info) {
      return "N" + std::to_string(audio::fftLength(TDCFFTSize(std::get<0>(info.param)))) +
             (std::get<1>(info.param) == VectorUnit::Avx2 ? "Avx2" : "Scalar");
    });

TEST(FftVectorUnitTest, Avx2MatchesScalarForEveryLength) {
  if (audio::detectedVectorUnit() != VectorUnit::Avx2) GTEST_SKIP() << "no AVX2";
  for (int s = 0; s <= 12; ++s) {
    SCOPED_TRACE(audio::fftLength(TDCFFTSize(s)));
    const Cvec x = randomSignal(audio::fftLength(TDCFFTSize(s)), 99);
    auto scalar = std::make_unique<TDCFFT>(), vec = std::make_unique<TDCFFT>();
    for (auto [f, unit] :
         {std::pair{scalar.get(), VectorUnit::Scalar}, {vec.get(), VectorUnit::Avx2}}) {
      audio::setVectorUnit(unit);
      f->setFFTSize(TDCFFTSize(s));
      f->setReorder(false);
      load(*f, x);
      f->forward();
      f->multiplyBy(*f);
      f->inverse();
    }
    audio::setVectorUnit(audio::detectedVectorUnit());
    for (int k = 0; k < audio::fftLength(TDCFFTSize(s)); ++k) {
      ASSERT_NEAR(vec->re()[k], scalar->re()[k], 1e-5f * (1 + std::abs(scalar->re()[k]))) << k;
      ASSERT_NEAR(vec->im()[k], scalar->im()[k], 1e-5f * (1 + std::abs(scalar->im()[k]))) << k;
    }
  }
}

}  // namespace
