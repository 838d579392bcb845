#include "audio/processing_chain.h"

namespace audio {

ProcessingChain::ProcessingChain() {
  dynamicAmplify_.setEnabled(false);
  dynamicAmplify_.setAttackTime(1000);
  dynamicAmplify_.setReleaseTime(3000);
  dynamicAmplify_.setMaxAmplification(7500);
  equalizer_.setFFTSize(TDCFFTSize::fts2048);
  equalizer_.setEnabled(true);
}

void ProcessingChain::setFormat(const StreamDescription& format) {
  if (!format.sameFormat(format_)) equalizer_.flush();
  format_ = format;
}

int64_t ProcessingChain::process(uint8_t* buffer, int64_t size) {
  format_.Size = int32_t(size);
  const StreamDescription& f = format_;
  if (f.IsAc3Bitstream || f.IsDtsBitstream || !dspEnabled()) return size;
  dynamicAmplify_.process(buffer, size, f.SampleRate, f.Bits, f.Channels, f.IsFloat);
  amplify_.process(buffer, size, f.Bits, f.Channels, f.IsFloat);
  equalizer_.process(buffer, size, f.Bits, f.Channels, f.IsFloat);
  return size;
}

}  // namespace audio
