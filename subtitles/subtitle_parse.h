#pragma once
// Turning repaired subtitle lines into timed entries: parsing, completing and
// de-overlapping the times, and preparing the display lines. "|" is the line break
// inside an entry's text in every format. Pure functions; safe from any thread.
#include <cstdint>
#include <string>
#include <vector>

#include "subtitles/subtitle_entry.h"
#include "subtitles/subtitle_format.h"

namespace subtitles {

// An entry between parsing and display: times may still be kNoTime, the text still
// holds its formatting tags.
struct ParsedEntry {
  int64_t StartMs = kNoTime;
  int64_t EndMs = kNoTime;
  std::u32string text;
};

// Frame numbers convert with `movieFrameRate` (frames per second; 25 when not a
// positive number). `averageDisplayTime` is the setting AverageDisplayTime.
std::vector<ParsedEntry> ParseSubtitleLines(const TextLines& lines, SubtitleType type,
                                            double movieFrameRate, int averageDisplayTime);

// Completes missing times and removes overlaps between neighbours. Entries with an
// empty text are removed; every entry left has both times set.
void FinishSubtitleTimes(std::vector<ParsedEntry>& entries, int averageDisplayTime);

// Removes formatting tags (braces for MicroDvd, angle brackets for SubRip), splits
// the text into Lines and computes DisplayMs.
std::vector<SubtitleEntry> prepareDisplayTexts(std::vector<ParsedEntry>&& entries,
                                               SubtitleType type, int averageDisplayTime);

// Recomputes every DisplayMs from the entry's text length and the next entry's start:
// min(DisplayTime, next StartMs - StartMs), or DisplayTime for the last entry and
// for an entry whose successor starts earlier than itself.
void updateDisplayMs(std::vector<SubtitleEntry>& entries, int averageDisplayTime);

// Removes every "{...}" (open == '{') or "<...>" group: an opener followed later by a
// closer with no other opener between them, innermost first.
std::u32string removeTagGroups(std::u32string_view text, char32_t open, char32_t close);

}  // namespace subtitles
