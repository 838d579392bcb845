#pragma once
#include <cstdint>
#include <optional>

namespace audio {

// Describes the decoded stream the tap hands to the chain with every buffer.
// Filled when a format is accepted; Size is rewritten for each buffer.
struct StreamDescription {
  int32_t Size = 0;        // bytes in the buffer being handed over
  int32_t SampleRate = 0;  // frames per second
  int32_t Channels = 0;    // interleaved channels per frame
  int32_t Bits = 0;        // 8, 16, 24 or 32 bits per sample
  bool IsFloat = false;    // 32-bit samples are IEEE single precision
  bool IsAc3Bitstream = false;
  bool IsDtsBitstream = false;

  bool sameFormat(const StreamDescription& o) const {
    return SampleRate == o.SampleRate && Channels == o.Channels && Bits == o.Bits &&
           IsFloat == o.IsFloat && IsAc3Bitstream == o.IsAc3Bitstream &&
           IsDtsBitstream == o.IsDtsBitstream;
  }
};

// Wave format tags that decide float and bitstream handling.
inline constexpr uint16_t kWaveFormatPcm = 0x0001;
inline constexpr uint16_t kWaveFormatIeeeFloat = 0x0003;

// Accepts a decoded format the way the tap does: widths other than 8, 16, 24
// and 32 bits, rates or channel counts below 1 are refused (nullopt). Float is
// taken from the subtype flag or tag 3; tags 0x0092/0x2000 mark an AC-3 and
// 0x0008/0x2001 a DTS bitstream, which the chain passes through untouched.
std::optional<StreamDescription> describeStream(int sampleRate, int channels, int bits,
                                                bool floatSubtype, uint16_t formatTag);

}  // namespace audio
