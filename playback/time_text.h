#pragma once
// Texts of play positions: "hh:nn:ss" times, frame counts, the position
// message of a move, the three-field time display, and the jump dialog's
// time field. Pure functions; rounding is to the nearest integer, ties to even.
#include <cstdint>
#include <optional>
#include <string>

namespace playback {

// "hh:nn:ss" of a length in milliseconds taken as a fraction of a day: whole
// seconds (truncated), hours counted modulo 24. Negative lengths read as 0.
std::string formatHms(int64_t ms);
// The length a "hh:nn:ss" text stands for, in ms (its digits, no checks
// beyond the shape); 0 for any other text.
int64_t parseHms(const std::string& text);

// Frames in ms at rate frames per second: round(ms * rate / 1000).
int64_t framesOf(int64_t ms, double rate);
// The same rounded to tens: round(ms * rate / 10000) * 10 (while playing).
int64_t framesOfInTens(int64_t ms, double rate);
// Position as a percentage of the duration, rounded; 0 for a duration of 0.
int64_t percentOf(int64_t positionMs, int64_t durationMs);

// The message of a move: "%6d / <frames> (<percent>%)" with showFrames, else
// "hh:nn:ss / hh:nn:ss (<percent>%)". inTens rounds the position to tens of
// frames (the live message while playing).
std::string positionText(int64_t positionMs, int64_t durationMs, double rate, bool showFrames,
                         bool inTens = false);

// The three-field display while a movie plays: duration, position and
// remaining time. In times the remaining time is the duration minus the
// position as shown, so the two shown values add up to the duration.
std::string playingTimes(int64_t positionMs, int64_t durationMs, double rate, bool showFrames,
                         bool playing);
// The display with a movie opened or stopped: duration, 0, duration.
std::string stoppedTimes(int64_t durationMs, double rate, bool showFrames);
// The display without a movie.
std::string noMovieTimes(bool showFrames);

// The jump dialog's field: hours (two digits at least), ":", minutes, ":",
// seconds, each of the last two with two digits.
std::string formatJumpTime(int64_t seconds);
// Seconds of a typed field of exactly 8 characters "dd:[0-5]d:[0-5]d";
// nothing for any other text.
std::optional<int64_t> parseJumpTime(const std::string& text);

}  // namespace playback
