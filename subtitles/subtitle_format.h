#pragma once
// Recognising and repairing the five subtitle line formats. Lines are sequences
// of characters; positions in comments count from 1 like the formats' columns.
// Pure functions; safe from any thread.
#include <cstddef>
#include <string>
#include <vector>

#include "subtitles/subtitle_entry.h"

namespace subtitles {

using TextLines = std::vector<std::u32string>;

// The text check: at least one character, characters plus two per line at most
// 10,485,760, and fewer than 40 % of the characters outside the accepted set.
bool IsPlainText(std::size_t characters, std::size_t badCharacters, std::size_t lineCount);

// Score of a SubRip time line ("00:00:00,000 --> 00:00:00,000" scores 100); a line is
// a time line at 50 or more. Lines shorter than 7 characters score 0.
double TimeLineScore(std::u32string_view line);
inline bool isTimeLine(std::u32string_view line) {
  return TimeLineScore(line) >= 50;
}

// Score of a time-range line ("00:00:00.00,00:00:00.00" scores 100); accepted at 50.
// Lines shorter than 5 characters score 0.
double TimeRangeScore(std::u32string_view line);

// Which of the five formats the lines use; None when no test holds.
SubtitleType DetectSubtitleType(const TextLines& lines);

// Repairs small damage in place and says whether the lines can be parsed. Trims every
// line first (trailing blanks and backspaces, then leading blanks). Runs in one pass
// over the lines for every format.
bool RepairSubtitleLines(TextLines& lines, SubtitleType type);

// Character-class helpers shared by the format code.
inline bool isDigit(char32_t c) {
  return c >= U'0' && c <= U'9';
}
bool startsWith(std::u32string_view line, std::u32string_view prefix);

}  // namespace subtitles
