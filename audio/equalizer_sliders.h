#pragma once
// What the equalizer window's eleven sliders mean for the sound. A slider
// holds S in -100..100 with 0 in the middle; negative values boost: the gain
// is -S / 5 dB (the top, -100, is +20 dB; the bottom, 100, is -20 dB).
// Slider 0 is the pre-amplification, sliders 1..10 are bands 0..9.
// Plain C++; the chain's setters may be called from the interface thread.
#include <cstdint>

namespace audio {

class ProcessingChain;

inline constexpr int kEqualizerSliders = 11;

// The number shown above a slider: Round(-S / 5) dB, halves to even.
int sliderNumber(int sliderValue);

// Applies slider index (0 pre-amplification, 1..10 bands 0..9) at S, clamped
// to -100..100, to the chain; returns the clamped value. A null chain (no
// sample tap) changes nothing.
int applyEqualizerSlider(ProcessingChain* chain, int index, int sliderValue);

// The pre-amplification slider for a stored gain in 1/10000:
// Round(-100 x log10(gain / 10000)), clamped to -100..100; gives back the
// slider value a gain was made from.
int preAmplificationSlider(int32_t gain);

}  // namespace audio
