#pragma once
// The records of the subtitle store and the automatic display time.
// Times are milliseconds of movie time held in 64 bits, so frame numbers at low
// frame rates and repeated time corrections cannot overflow.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace subtitles {

// The five line formats; None when a file matched none of them.
enum class SubtitleType {
  None = 0,
  MicroDvd = 1,
  SubRip = 2,
  TimeRange = 3,
  Ssa = 4,
  TimePrefix = 5
};

// Time value meaning "not given in the file" while parsing; finished entries never hold it.
inline constexpr int64_t kNoTime = -1;

// The furthest an entry time may lie from zero, in ms (about 73 million years):
// times computed with a frame rate saturate here, so the sum of two times (a
// start and its display time) never leaves 64 bits.
inline constexpr int64_t kMaxTimeMs = INT64_MAX / 4;

// ms rounded to the nearest integer, halves to even, limited to ±kMaxTimeMs.
inline int64_t saturatedMs(long double ms) {
  if (!(ms > -kMaxTimeMs)) return ms != ms ? 0 : -kMaxTimeMs;
  if (!(ms < kMaxTimeMs)) return kMaxTimeMs;
  return static_cast<int64_t>(std::nearbyint(ms));
}

struct SubtitleEntry {
  int64_t StartMs = kNoTime;       // start of display; may be negative after time corrections
  int64_t EndMs = kNoTime;         // end of display
  int64_t DisplayMs = 0;           // automatic display duration, >= 0
  std::vector<std::string> Lines;  // UTF-8 display lines without formatting tags; at least one
};

// Automatic display time in ms of a text of `chars` characters for the setting
// AverageDisplayTime (ms for 20 characters): a straight line through the one-character
// time 1000 * w and the fifty-character time 1000 * s, rounded half to even. When
// the line falls (AverageDisplayTime below about 1229) it is not extended past fifty
// characters, so a long text never gets a time shorter than a fifty-character one.
int64_t DisplayTime(int64_t chars, int averageDisplayTime);

// The same line with its constants worked out once, for many texts in a row.
class DisplayTimeLine {
 public:
  explicit DisplayTimeLine(int averageDisplayTime);
  int64_t operator()(int64_t chars) const;

 private:
  long double slope_;   // ms per character
  long double offset_;  // ms
};

}  // namespace subtitles
