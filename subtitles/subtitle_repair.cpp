// Repair of small damage in subtitle lines, one rule set per format.
#include <algorithm>
#include <string>

#include "subtitles/subtitle_format.h"

namespace subtitles {
namespace {

constexpr std::u32string_view kZeroTime = U"00:00:00.000";
constexpr std::u32string_view kZeroRange = U"00:00:00.00,00:00:00.00";

// Matches `pattern` at `pos`, where "0" in the pattern stands for any digit and "."
// for "." or "," when `commaIsDot` is set.
bool matchesAt(std::u32string_view line, std::size_t pos, std::u32string_view pattern,
               bool commaIsDot) {
  if (pos + pattern.size() > line.size()) return false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char32_t c = line[pos + i];
    switch (pattern[i]) {
      case U'0':
        if (!isDigit(c)) return false;
        break;
      case U'.':
        if (c != U'.' && !(commaIsDot && c == U',')) return false;
        break;
      default:
        if (c != pattern[i]) return false;
    }
  }
  return true;
}

void trimLine(std::u32string& line) {
  std::size_t end = line.size();
  while (end > 0 && (line[end - 1] == U' ' || line[end - 1] == U'\b')) --end;
  std::size_t start = 0;
  while (start < end && line[start] == U' ') ++start;
  line = line.substr(start, end - start);
}

// Closes a frame number that starts at `i`: stops at "}", skips digits and puts a
// "}" before any other character. False when the line ends first.
bool closeFrameNumber(std::u32string& line, std::size_t& i) {
  for (; i < line.size(); ++i) {
    if (line[i] == U'}') return true;
    if (!isDigit(line[i])) {
      line.insert(i, 1, U'}');
      return true;
    }
  }
  return false;
}

bool repairFrameLine(std::u32string& line) {
  if (line.size() < 4) line.insert(0, U"{0}{0}");
  if (line[0] != U'{') line.insert(0, isDigit(line[1]) ? U"{" : U"{0");
  std::size_t i = 1;
  if (!closeFrameNumber(line, i) || i + 1 >= line.size()) return false;
  std::size_t j = i + 1;
  if (line[j] != U'{') line.insert(j, !isDigit(line[j]) && line[j] != U'}' ? U"{}" : U"{");
  std::size_t k = j + 1;
  return closeFrameNumber(line, k);
}

bool repairMicroDvd(TextLines& lines) {
  std::erase_if(lines, [](const std::u32string& line) { return line.empty(); });
  return std::all_of(lines.begin(), lines.end(), repairFrameLine);
}

void normaliseTimeLine(std::u32string& line) {
  constexpr std::u32string_view pattern = U"00:00:00.000";
  if (line.size() <= 11) {
    line = std::u32string(kZeroTime) + U" --> " + std::u32string(kZeroTime);
    return;
  }
  if (!matchesAt(line, 0, pattern, true)) line.insert(0, kZeroTime);
  if (!matchesAt(line, line.size() - 12, pattern, true)) line.append(kZeroTime);
  line = line.substr(0, 12) + U" --> " + line.substr(line.size() - 12);
}

bool hasNonDigit(std::u32string_view line) {
  return std::any_of(line.begin(), line.end(), [](char32_t c) { return !isDigit(c); });
}

// One pass that builds the repaired lines. Inserting a blank line before an entry
// number needs no rescan: the lines before it would be judged exactly as before.
bool repairSubRip(TextLines& lines) {
  TextLines out;
  out.reserve(lines.size() + lines.size() / 4 + 2);
  std::size_t counter = 0;
  std::size_t latest = 0;  // index in `out` of the latest entry's number line
  auto startEntry = [&](std::u32string numberLine) {
    ++counter;
    if (counter > 1 && !out.empty() && !out.back().empty()) out.emplace_back();
    if (counter > 1) normaliseTimeLine(out[latest + 1]);
    latest = out.size();
    out.push_back(std::move(numberLine));
  };
  auto insertedNumber = [&] {
    std::string digits = std::to_string(std::max<std::size_t>(1, counter + 1));
    return std::u32string(digits.begin(), digits.end());
  };
  // A time line on the very first line still starts an entry.
  if (!lines.empty() && isTimeLine(lines[0])) startEntry(insertedNumber());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const bool nextIsTime = i + 1 < lines.size() && isTimeLine(lines[i + 1]);
    if (!lines[i].empty() && !hasNonDigit(lines[i])) {
      if (nextIsTime) {
        startEntry(std::move(lines[i]));
        continue;
      }
      out.push_back(std::move(lines[i]));
      continue;
    }
    out.push_back(std::move(lines[i]));
    if (nextIsTime) startEntry(insertedNumber());
  }
  if (counter > 0) normaliseTimeLine(out[latest + 1]);
  lines = std::move(out);
  return static_cast<double>(counter) >= static_cast<double>(lines.size()) / 12;
}

bool repairTimeRange(TextLines& lines) {
  constexpr std::u32string_view time = U"00:00:00.00";
  std::size_t count = 0;
  for (auto& line : lines) {
    if (TimeRangeScore(line) < 50) continue;
    ++count;
    if (line.size() <= 10) {
      line = kZeroRange;
      continue;
    }
    const bool begins = matchesAt(line, 0, time, false);
    const bool ends = matchesAt(line, line.size() - 11, time, false);
    if (begins && ends) continue;
    if (begins)
      line = line.substr(0, 11) + U",00:00:00.00";
    else if (ends)
      line = U"00:00:00.00," + line.substr(line.size() - 11);
    else
      line = kZeroRange;
  }
  return static_cast<double>(count) - 1 >= static_cast<double>(lines.size()) / 10;
}

bool repairSsa(const TextLines& lines) {
  return std::all_of(lines.begin(), lines.end(), [](const std::u32string& line) {
    if (!startsWith(line, U"Dialogue: Marked=")) return true;
    return line.size() >= 67 && matchesAt(line, 17, U"0,0:00:00.00,0:00:00.00", false);
  });
}

void repairTimePrefix(TextLines& lines) {
  for (auto& line : lines) {
    const bool prefixed = line.size() > 8 && matchesAt(line, 0, U"00:00:00:", false);
    if (!prefixed) line.insert(0, U"00:00:00:");
  }
}

}  // namespace

bool RepairSubtitleLines(TextLines& lines, SubtitleType type) {
  for (auto& line : lines) trimLine(line);
  switch (type) {
    case SubtitleType::MicroDvd:
      return repairMicroDvd(lines);
    case SubtitleType::SubRip:
      return repairSubRip(lines);
    case SubtitleType::TimeRange:
      return repairTimeRange(lines);
    case SubtitleType::Ssa:
      return repairSsa(lines);
    case SubtitleType::TimePrefix:
      repairTimePrefix(lines);
      return true;
    case SubtitleType::None:
      return false;
  }
  return false;
}

}  // namespace subtitles
