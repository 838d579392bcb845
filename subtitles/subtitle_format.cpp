#include "subtitles/subtitle_format.h"

#include <cstdlib>

namespace subtitles {
namespace {

bool isNumberLine(std::u32string_view line) {
  if (line.empty()) return false;
  for (std::size_t i = 0; i + 1 < line.size(); ++i)
    if (!isDigit(line[i])) return false;
  return true;
}

// "{" digits "}{" digits "}" at the start of the line (the numbers may be empty).
bool startsWithFramePair(std::u32string_view line) {
  std::size_t i = 0;
  for (int group = 0; group < 2; ++group) {
    if (i >= line.size() || line[i] != U'{') return false;
    ++i;
    while (i < line.size() && isDigit(line[i])) ++i;
    if (i >= line.size() || line[i] != U'}') return false;
    ++i;
  }
  return true;
}

bool digitsAt(std::u32string_view line, std::initializer_list<std::size_t> positions) {
  for (std::size_t p : positions)
    if (p > line.size() || !isDigit(line[p - 1])) return false;
  return true;
}

bool charAt(std::u32string_view line, char32_t c, std::initializer_list<std::size_t> positions) {
  for (std::size_t p : positions)
    if (p > line.size() || line[p - 1] != c) return false;
  return true;
}

}  // namespace

bool startsWith(std::u32string_view line, std::u32string_view prefix) {
  return line.substr(0, prefix.size()) == prefix;
}

bool IsPlainText(std::size_t characters, std::size_t badCharacters, std::size_t lineCount) {
  // The character count is tested first: the share of bad characters divides by it.
  if (characters == 0) return false;
  if (characters + 2 * lineCount > 10485760) return false;
  return static_cast<double>(badCharacters) * 100 / static_cast<double>(characters) < 40;
}

double TimeLineScore(std::u32string_view line) {
  const std::size_t len = line.size();
  if (len < 7) return 0;
  int d = 0, c = 0, p = 0, b = 0, h = 0, g = 0, o = 0;
  int k = 0;  // position from 1 of the first "-->", 0 when absent
  for (std::size_t i = 0; i < len; ++i) {
    const char32_t ch = line[i];
    if (ch == U'-' && k == 0 && i + 2 < len && line[i + 1] == U'-' && line[i + 2] == U'>')
      k = static_cast<int>(i) + 1;
    if (isDigit(ch))
      ++d;
    else if (ch == U':')
      ++c;
    else if (ch == U',' || ch == U'.')
      ++p;
    else if (ch == U' ')
      ++b;
    else if (ch == U'-')
      ++h;
    else if (ch == U'>')
      ++g;
    else
      ++o;
  }
  const double shape = 29 - std::abs(d - 18) - std::abs(c - 4) - std::abs(p - 2) - std::abs(b - 2) -
                       std::abs(h - 2) - std::abs(g - 1);
  return shape * 75 / 29 - o * 75.0 / static_cast<double>(len) +
         (14 - std::abs(k - 14)) * 25.0 / 14;
}

double TimeRangeScore(std::u32string_view line) {
  const std::size_t len = line.size();
  if (len < 5) return 0;
  int d = 0, c = 0, t = 0, m = 0, o = 0;
  for (char32_t ch : line) {
    if (isDigit(ch))
      ++d;
    else if (ch == U':')
      ++c;
    else if (ch == U'.')
      ++t;
    else if (ch == U',')
      ++m;
    else
      ++o;
  }
  const double shape = 23 - std::abs(d - 16) - std::abs(c - 4) - std::abs(t - 2) - std::abs(m - 1);
  return shape * 100 / 23 - o * 100.0 / static_cast<double>(len);
}

SubtitleType DetectSubtitleType(const TextLines& lines) {
  const double n = static_cast<double>(lines.size());
  std::size_t framePairs = 0, empty = 0, numbers = 0, times = 0, ranges = 0, dialogues = 0;
  std::size_t prefixDigits = 0, prefixColons = 0;
  for (const auto& line : lines) {
    framePairs += startsWithFramePair(line);
    if (line.empty()) {
      ++empty;
    } else if (isNumberLine(line)) {
      ++numbers;
    } else if (isTimeLine(line)) {
      ++times;
    }
    ranges += line.size() == 23;
    dialogues += startsWith(line, U"Dialogue: Marked=");
    if (line.size() > 8) {
      prefixDigits += digitsAt(line, {1, 2, 4, 5, 7, 8});
      prefixColons += charAt(line, U':', {3, 6, 9});
    }
  }
  auto share = [](std::size_t count) { return static_cast<double>(count); };
  if (share(framePairs) >= 3 * n / 4) return SubtitleType::MicroDvd;
  if (share(empty) > n / 8.6 && share(numbers) > n / 6.4 && share(times) > n / 6.4)
    return SubtitleType::SubRip;
  if (share(empty) > n / 5 && share(ranges) > n / 4) return SubtitleType::TimeRange;
  if (n >= 20 && share(dialogues) >= (3 * n - 60) / 4) return SubtitleType::Ssa;
  auto near = [&](std::size_t count) {
    return share(count) >= 0.75 * n && share(count) <= 1.25 * n;
  };
  if (near(prefixDigits) && near(prefixColons)) return SubtitleType::TimePrefix;
  return SubtitleType::None;
}

}  // namespace subtitles
