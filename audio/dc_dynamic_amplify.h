#pragma once
#include <atomic>
#include <cstdint>

namespace audio {

// Automatic gain control deciding once per block: a block whose peak would
// clip at the current gain lowers the gain at once to the block's target
// (full scale / peak, at most the ceiling); after a hold of ReleaseTime ms of
// audio without a reduction the gain rises by AttackTime/1000 per second of
// audio, up to the ceiling. The gain is ramped linearly across each block.
//
// Threads: process() on the streaming thread; the setters from any thread.
// CurrentGain and HoldBytes survive disabling, flushes and new movies.
class TDCDynamicAmplify {
 public:
  TDCDynamicAmplify();  // disabled; attack 1000, release 3000, ceiling 10000, gain 1.0

  void setEnabled(bool on) { enabled_.store(on, std::memory_order_relaxed); }
  bool enabled() const { return enabled_.load(std::memory_order_relaxed); }
  void setSampleSize(int frames) { sampleSize_.store(frames < 0 ? 0 : frames); }
  int sampleSize() const { return sampleSize_.load(std::memory_order_relaxed); }
  // Rise rate in thousandths of gain per second of audio.
  void setAttackTime(int32_t v) { attackTime_.store(v, std::memory_order_relaxed); }
  int32_t attackTime() const { return attackTime_.load(std::memory_order_relaxed); }
  // Hold after a reduction, in milliseconds of audio.
  void setReleaseTime(int32_t ms) { releaseTime_.store(ms, std::memory_order_relaxed); }
  int32_t releaseTime() const { return releaseTime_.load(std::memory_order_relaxed); }
  // Gain ceiling in thousandths (7500: factor 7.5).
  void setMaxAmplification(int32_t v) { maxAmplification_.store(v, std::memory_order_relaxed); }
  int32_t maxAmplification() const { return maxAmplification_.load(std::memory_order_relaxed); }

  // The gain reached at the end of the last block, and the bytes processed
  // since the last reduction. Readable from any thread.
  float currentGain() const { return currentGain_.load(std::memory_order_relaxed); }
  int32_t holdBytes() const { return holdBytes_.load(std::memory_order_relaxed); }
  // Streaming thread or set-up only.
  void setState(float currentGain, int32_t holdBytes);

  void process(uint8_t* buffer, int64_t size, int sampleRate, int bits, int channels, bool isFloat);

 private:
  void processBlock(uint8_t* block, int64_t bytes, int sampleRate, int bits, int channels,
                    bool isFloat);

  std::atomic<bool> enabled_{false};
  std::atomic<int> sampleSize_{8192};
  std::atomic<int32_t> attackTime_{1000};
  std::atomic<int32_t> releaseTime_{3000};
  std::atomic<int32_t> maxAmplification_{10000};
  std::atomic<float> currentGain_{1.0f};
  std::atomic<int32_t> holdBytes_{0};
};

}  // namespace audio
