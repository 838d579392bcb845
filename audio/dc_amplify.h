#pragma once
#include <array>
#include <atomic>
#include <cstdint>

namespace audio {

// Pre-amplifier: a fixed gain per channel slot in units of 1/10000
// (10000 = unity). Integer layouts multiply in 64 bits, divide truncating
// toward zero and saturate; floats are multiplied by gain / 10000 unclipped.
//
// Threads: process() on the streaming thread; setters from any thread (each
// gain is read once per block, so a block never sees a half-written value).
class TDCAmplify {
 public:
  static constexpr int kChannelSlots = 10;

  TDCAmplify();  // every slot 10000, enabled, shared gain, 8192 frames per block

  // Slot 0..9; returns false and changes nothing for a slot out of range.
  bool setChannelGain(int slot, int32_t gain);
  int32_t getChannelGain(int slot) const;  // 0 for a slot out of range

  void setEnabled(bool on) { enabled_.store(on, std::memory_order_relaxed); }
  bool enabled() const { return enabled_.load(std::memory_order_relaxed); }
  // Per-channel gains (slot c for channel c; channels past slot 9 use slot 0).
  void setSeperate(bool on) { seperate_.store(on, std::memory_order_relaxed); }
  bool seperate() const { return seperate_.load(std::memory_order_relaxed); }
  void setSampleSize(int frames) { sampleSize_.store(frames < 0 ? 0 : frames); }
  int sampleSize() const { return sampleSize_.load(std::memory_order_relaxed); }

  void process(uint8_t* buffer, int64_t size, int bits, int channels, bool isFloat);

 private:
  void processBlock(uint8_t* block, int64_t bytes, int bits, int channels, bool isFloat);

  std::array<std::atomic<int32_t>, kChannelSlots> gains_;
  std::atomic<bool> enabled_{true};
  std::atomic<bool> seperate_{false};
  std::atomic<int> sampleSize_{8192};
};

// The slot-0 gain for pre-amplification slider value P (-100..100, negative
// boosts): Round(10^(-P / 100) x 10000); -100 gives 100000 (+20 dB), 100 gives 1000.
int32_t preAmplificationGain(int sliderValue);

}  // namespace audio
