#include "audio/equalizer_sliders.h"

#include <algorithm>
#include <cmath>

#include "audio/processing_chain.h"

namespace audio {

int sliderNumber(int sliderValue) {
  return int(std::nearbyint(-sliderValue / 5.0));
}

int applyEqualizerSlider(ProcessingChain* chain, int index, int sliderValue) {
  const int s = std::clamp(sliderValue, -100, 100);
  if (!chain || index < 0 || index >= kEqualizerSliders) return s;
  if (index == 0)
    chain->amplify().setChannelGain(0, preAmplificationGain(s));
  else
    chain->equalizer().setBandValue(index - 1, s);
  return s;
}

int preAmplificationSlider(int32_t gain) {
  if (gain <= 0) return 100;
  return std::clamp(int(std::nearbyint(-100.0 * std::log10(gain / 10000.0))), -100, 100);
}

}  // namespace audio
