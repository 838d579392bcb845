#pragma once
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "audio/dc_fft.h"

namespace audio {

// Ten-band spectral equalizer: a linear-phase FIR filter per channel slot whose
// magnitude is given bin by bin, applied by FFT convolution with overlap-add
// (hop H = 3N/4, tail T = N/4), in place and seamless across buffer boundaries.
// The output is delayed by N/8 frames (256 at N = 2048).
//
// Threads: process() runs on the streaming thread only. setBinGain,
// setBandValue, setEnabled, setSeperate and flush may be called from any
// thread without a lock; gain changes and flushes take effect at the start of
// the next process() call. setFFTSize and setSampleSize belong to set-up,
// before audio flows.
class TDCEqualizer {
 public:
  static constexpr int kChannelSlots = 10;
  static constexpr int kBins = kMaxFFTPoints;
  // First bin of each player band at N = 2048; band k covers
  // kBandBoundaries[k] up to, not including, kBandBoundaries[k + 1].
  static constexpr std::array<int, 11> kBandBoundaries = {0,   3,   9,   16,  29,  48,
                                                          100, 141, 280, 559, 1024};

  TDCEqualizer();  // fts1024, enabled, shared filter, 8192 frames per block
  ~TDCEqualizer();

  void setEnabled(bool on);  // turning it on zeroes the overlap tails
  bool enabled() const { return enabled_.load(std::memory_order_relaxed); }
  // Per-channel filters (slot c for channel c) instead of slot 0 for all.
  void setSeperate(bool on);
  bool seperate() const { return seperate_.load(std::memory_order_relaxed); }
  void setSampleSize(int frames);  // frames per block; 0: the whole buffer
  int sampleSize() const { return sampleSize_.load(std::memory_order_relaxed); }
  void setFFTSize(TDCFFTSize size);
  TDCFFTSize fftSize() const { return size_; }

  // Value in hundredths of a decade of amplitude (20 = x10^0.2, +4 dB); the
  // bin stores 2 x 10^(value / 100). Slot 0..9 and bin 0..8191, else ignored.
  void setBinGain(int slot, int bin, int8_t value);
  // Round(100 x log10(stored / 2)); 0 for an index out of range.
  int getBinGain(int slot, int bin) const;
  // Sets every bin of player band 0..9 of slot 0 to -sliderValue (a slider
  // at -100..100 where negative values boost). Other bands are ignored.
  void setBandValue(int band, int sliderValue);

  // Zeroes every channel's overlap tail before the next buffer is filtered.
  void flush();

  // Filters size bytes of interleaved samples in place. Returns at once when
  // disabled or when the layout is not one of the chain's.
  void process(uint8_t* buffer, int64_t size, int bits, int channels, bool isFloat);

 private:
  void rebuildKernels(int slots);
  // sep: the Seperate value this buffer was prepared with.
  void processBlock(uint8_t* block, int64_t frames, int bits, int channels, bool isFloat, bool sep);

  TDCFFTSize size_ = TDCFFTSize::fts1024;
  int n_ = 0, hop_ = 0, tail_ = 0, shift_ = 0;
  std::vector<float> window_;  // kernel window, N/4 + 1 taps

  // Written by any thread, read by the rebuild on the streaming thread.
  std::unique_ptr<std::atomic<float>[]> gains_;  // slot x kBins, stored doubled
  std::atomic<bool> outOfDate_{true};
  std::atomic<bool> flushPending_{true};
  std::atomic<bool> enabled_{true};
  std::atomic<bool> seperate_{false};
  std::atomic<int> sampleSize_{8192};

  // Streaming thread only.
  std::vector<std::unique_ptr<TDCFFT>> kernels_;  // filter spectra, one per slot
  std::unique_ptr<TDCFFT> work_;
  std::vector<float> tails_;  // channel x (kMaxFFTPoints / 4)
  int tailChannels_ = kChannelSlots;
  int builtSlots_ = 0;
};

}  // namespace audio
