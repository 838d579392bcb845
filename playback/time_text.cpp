#include "playback/time_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace playback {

namespace {

int64_t roundEven(double x) {
  if (!std::isfinite(x)) return 0;
  return static_cast<int64_t>(std::nearbyint(x));
}

std::string sixWide(int64_t n) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%6lld", static_cast<long long>(n));
  return buf;
}

}  // namespace

std::string formatHms(int64_t ms) {
  if (ms < 0) ms = 0;
  const int64_t s = ms / 1000;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", int(s / 3600 % 24), int(s / 60 % 60),
                int(s % 60));
  return buf;
}

int64_t parseHms(const std::string& t) {
  if (t.size() != 8 || t[2] != ':' || t[5] != ':') return 0;
  for (int i : {0, 1, 3, 4, 6, 7})
    if (t[i] < '0' || t[i] > '9') return 0;
  const int64_t h = std::atoi(t.substr(0, 2).c_str());
  const int64_t m = std::atoi(t.substr(3, 2).c_str());
  const int64_t s = std::atoi(t.substr(6, 2).c_str());
  return ((h * 60 + m) * 60 + s) * 1000;
}

int64_t framesOf(int64_t ms, double rate) {
  return roundEven(double(ms) * rate / 1000.0);
}

int64_t framesOfInTens(int64_t ms, double rate) {
  return roundEven(double(ms) * rate / 10000.0) * 10;
}

int64_t percentOf(int64_t positionMs, int64_t durationMs) {
  // A live stream or a broken file reports no length: no percentage then.
  if (durationMs <= 0) return 0;
  return roundEven(double(positionMs) * 100.0 / double(durationMs));
}

std::string positionText(int64_t positionMs, int64_t durationMs, double rate, bool showFrames,
                         bool inTens) {
  const std::string percent = " (" + std::to_string(percentOf(positionMs, durationMs)) + "%)";
  if (showFrames) {
    const int64_t pos = inTens ? framesOfInTens(positionMs, rate) : framesOf(positionMs, rate);
    return sixWide(pos) + " / " + std::to_string(framesOf(durationMs, rate)) + percent;
  }
  return formatHms(positionMs) + " / " + formatHms(durationMs) + percent;
}

std::string playingTimes(int64_t positionMs, int64_t durationMs, double rate, bool showFrames,
                         bool playing) {
  if (showFrames) {
    auto frames = [&](int64_t ms) {
      return playing ? framesOfInTens(ms, rate) : framesOf(ms, rate);
    };
    // A position past the duration (a stream longer than it said) leaves no
    // remaining frames, as the times form reads a negative remainder as 0.
    return sixWide(framesOf(durationMs, rate)) + " - " + sixWide(frames(positionMs)) + " - " +
           sixWide(frames(std::max<int64_t>(durationMs - positionMs, 0)));
  }
  const std::string position = formatHms(positionMs);
  return formatHms(durationMs) + " - " + position + " - " +
         formatHms(durationMs - parseHms(position));
}

std::string stoppedTimes(int64_t durationMs, double rate, bool showFrames) {
  if (showFrames) {
    const std::string d = sixWide(framesOf(durationMs, rate));
    return d + " -      0 - " + d;
  }
  const std::string d = formatHms(durationMs);
  return d + " - 00:00:00 - " + d + " ";
}

std::string noMovieTimes(bool showFrames) {
  return showFrames ? "     0 -      0 -      0" : "00:00:00 - 00:00:00 - 00:00:00";
}

std::string formatJumpTime(int64_t seconds) {
  if (seconds < 0) seconds = 0;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02lld:%02d:%02d", static_cast<long long>(seconds / 3600),
                int(seconds / 60 % 60), int(seconds % 60));
  return buf;
}

std::optional<int64_t> parseJumpTime(const std::string& t) {
  if (t.size() != 8 || t[2] != ':' || t[5] != ':') return std::nullopt;
  for (int i : {0, 1, 3, 4, 6, 7})
    if (t[i] < '0' || t[i] > '9') return std::nullopt;
  if (t[3] > '5' || t[6] > '5') return std::nullopt;
  return parseHms(t) / 1000;
}

}  // namespace playback
