#include "audio/stream_description.h"

namespace audio {

std::optional<StreamDescription> describeStream(int sampleRate, int channels, int bits,
                                                bool floatSubtype, uint16_t formatTag) {
  if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return std::nullopt;
  if (sampleRate < 1 || channels < 1) return std::nullopt;
  StreamDescription d;
  d.SampleRate = sampleRate;
  d.Channels = channels;
  d.Bits = bits;
  d.IsFloat = floatSubtype || formatTag == kWaveFormatIeeeFloat;
  d.IsAc3Bitstream = formatTag == 0x0092 || formatTag == 0x2000;
  d.IsDtsBitstream = formatTag == 0x0008 || formatTag == 0x2001;
  return d;
}

}  // namespace audio
