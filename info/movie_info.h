#pragma once
// The value column of the movie information window, computed from a probed
// movie: codec descriptions, counts, length, frame count, resolution, rates and
// the average video bit rate estimated from the file size. Pure functions.
#include <string>

#include "info/stream_info.h"

namespace info {

// The thirteen values, in the window's row order. Empty when no stream
// supplies them; the two stream counts start at "0".
struct MovieInfoValues {
  std::string VideoCompression;
  std::string VideoStreams = "0";
  std::string Time;
  std::string Frames;
  std::string Resolution;
  std::string FramesPerSecond;
  std::string VideoBitrate;  // Kbps, or "Error" when the estimate is negative
  std::string BitDepth;
  std::string AudioStreams = "0";
  std::string AudioCompression;
  std::string AudioBitrate;  // Kbps
  std::string AudioSampleRate;
  std::string AudioChannels;
};

// Fixed-point text with three decimals when the value has a fractional part,
// none otherwise: 25 -> "25", 23.976 -> "23.976", 29.97002997 -> "29.970".
std::string formatInfoNumber(double value, char decimalSeparator = '.');

// The length as "59.500 sec.", "2 min. 5.250 sec." or "1 h 2 min. 5.250 sec.";
// "Unknown" when the length is not positive.
std::string formatInfoLength(double seconds, char decimalSeparator = '.');

// "Mono", "Stereo", otherwise the number followed by " Channels".
std::string channelsText(int channels);

// The window's values for a probed movie. The first video and the first audio
// stream supply the details. A stream without a FourCC or format tag is
// described by the engine's codec name. Without a known length the frame
// count is 0 and no video bit rate is shown.
MovieInfoValues movieInfoValues(const MediaInfo& media, char decimalSeparator = '.');

}  // namespace info
