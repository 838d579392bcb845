#include "subtitles/subtitle_parse.h"

#include <algorithm>
#include <cmath>

#include "subtitles/subtitle_text.h"

namespace subtitles {
namespace {

constexpr char32_t kBreak = U'|';

// Decimal value of the characters [first, last] (positions from 1); characters
// that are not digits or lie past the end count as 0.
int64_t field(std::u32string_view line, std::size_t first, std::size_t last) {
  int64_t value = 0;
  for (std::size_t p = first; p <= last; ++p) {
    const char32_t c = p <= line.size() ? line[p - 1] : U'0';
    value = value * 10 + (isDigit(c) ? c - U'0' : 0);
  }
  return value;
}

int64_t roundHalfEven(long double x) {
  return saturatedMs(x);
}

int64_t clockMs(int64_t h, int64_t m, int64_t s) {
  return h * 3600000 + m * 60000 + s * 1000;
}

// A frame number ("" for none) in milliseconds; only its first seven digits count.
int64_t frameMs(std::u32string_view digits, double rate) {
  if (digits.empty()) return kNoTime;
  digits = digits.substr(0, 7);
  int64_t frame = 0;
  for (char32_t c : digits) frame = frame * 10 + (isDigit(c) ? c - U'0' : 0);
  return roundHalfEven(static_cast<long double>(frame) * 1000 / rate);
}

void parseMicroDvd(const TextLines& lines, double rate, std::vector<ParsedEntry>& out) {
  for (const auto& line : lines) {
    const std::size_t close1 = line.find(U'}', 1);
    if (line.empty() || close1 == std::u32string::npos) continue;
    const std::size_t open2 = line.find(U'{', close1);
    if (open2 == std::u32string::npos) continue;
    const std::size_t close2 = line.find(U'}', open2 + 1);
    if (close2 == std::u32string::npos) continue;
    std::u32string_view view(line);
    out.push_back({frameMs(view.substr(1, close1 - 1), rate),
                   frameMs(view.substr(open2 + 1, close2 - open2 - 1), rate),
                   line.substr(close2 + 1)});
  }
}

bool isAllDigits(std::u32string_view line) {
  return !line.empty() && std::all_of(line.begin(), line.end(), isDigit);
}

std::u32string joinLines(const TextLines& lines, std::size_t first, std::size_t last) {
  std::u32string text;
  for (std::size_t i = first; i <= last && i < lines.size(); ++i) {
    if (i > first) text += kBreak;
    text += lines[i];
  }
  return text;
}

void parseSubRip(const TextLines& lines, std::vector<ParsedEntry>& out) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i)
    if (isAllDigits(lines[i]) && isTimeLine(lines[i + 1])) starts.push_back(i);
  for (std::size_t k = 0; k < starts.size(); ++k) {
    const std::size_t a = starts[k];
    const auto& t = lines[a + 1];
    ParsedEntry e;
    e.StartMs = clockMs(field(t, 1, 2), field(t, 4, 5), field(t, 7, 8)) + field(t, 10, 12);
    e.EndMs = clockMs(field(t, 18, 19), field(t, 21, 22), field(t, 24, 25)) + field(t, 27, 29);
    if (k + 1 < starts.size()) {
      const std::size_t b = starts[k + 1];
      e.text = joinLines(lines, a + 2, std::max(a + 2, b >= 2 ? b - 2 : 0));
    } else {
      std::size_t last = a + 2;
      while (last < lines.size() && !lines[last].empty()) ++last;
      if (last > a + 2) e.text = joinLines(lines, a + 2, last - 1);
    }
    out.push_back(std::move(e));
  }
}

bool isTimeRangeLine(std::u32string_view line) {
  if (line.size() != 23) return false;
  for (std::size_t p = 1; p <= 23; ++p) {
    const char32_t c = line[p - 1];
    bool ok;
    switch (p) {
      case 3:
      case 6:
      case 15:
      case 18:
        ok = c == U':';
        break;
      case 9:
      case 21:
        ok = c == U'.';
        break;
      case 12:
        ok = c == U',';
        break;
      default:
        ok = isDigit(c);
    }
    if (!ok) return false;
  }
  return true;
}

// Replaces every `from`, left to right without overlaps, in one pass into a new
// text: replacing in place would move the rest of the text at every hit, which
// takes seconds on a long line full of break markers.
void replaceAll(std::u32string& text, std::u32string_view from, std::u32string_view to) {
  std::size_t found = text.find(from);
  if (found == std::u32string::npos) return;
  std::u32string out;
  out.reserve(text.size());
  std::size_t done = 0;
  for (; found != std::u32string::npos; found = text.find(from, done)) {
    out.append(text, done, found - done);
    out.append(to);
    done = found + from.size();
  }
  out.append(text, done);
  text = std::move(out);
}

void parseTimeRange(const TextLines& lines, std::vector<ParsedEntry>& out) {
  std::size_t i = 0;
  while (i < lines.size() && !isTimeRangeLine(lines[i])) ++i;
  while (i < lines.size()) {
    const auto& t = lines[i];
    ParsedEntry e;
    e.StartMs = clockMs(field(t, 1, 2), field(t, 4, 5), field(t, 7, 8)) + 10 * field(t, 10, 11);
    e.EndMs = clockMs(field(t, 13, 14), field(t, 16, 17), field(t, 19, 20)) + 10 * field(t, 22, 23);
    std::size_t j = i + 1;
    while (j < lines.size() && !isTimeRangeLine(lines[j])) ++j;
    if (j > i + 1) e.text = joinLines(lines, i + 1, j - 1);
    if (!e.text.empty() && e.text.back() == kBreak) e.text.pop_back();
    replaceAll(e.text, U"[br]", U"|");
    out.push_back(std::move(e));
    i = j;
  }
}

// The text begins after the dialogue's last margin and effect fields. Lines without
// the usual ",0000,," or ",0000,!Effect," markers take everything after the ninth
// comma, where the text field of a dialogue line begins.
std::size_t ssaTextStart(std::u32string_view line) {
  const std::size_t plain = line.find(U",0000,,");
  const std::size_t effect = line.find(U",0000,!Effect,");
  if (plain != std::u32string_view::npos || effect != std::u32string_view::npos) {
    const std::size_t p1 = plain == std::u32string_view::npos ? 0 : plain + 1;
    const std::size_t p2 = effect == std::u32string_view::npos ? 0 : effect + 1;
    return std::max(p1 + 7, p2 + 14) - 1;  // zero-based
  }
  std::size_t pos = 0;
  for (int commas = 0; commas < 9; ++commas) {
    pos = line.find(U',', pos);
    if (pos == std::u32string_view::npos) return std::min<std::size_t>(13, line.size());
    ++pos;
  }
  return pos;
}

void parseSsa(const TextLines& lines, std::vector<ParsedEntry>& out) {
  for (const auto& line : lines) {
    if (!startsWith(line, U"Dialogue: Marked=")) continue;
    ParsedEntry e;
    e.StartMs = clockMs(field(line, 20, 20), field(line, 22, 23), field(line, 25, 26)) +
                10 * field(line, 28, 29);
    e.EndMs = clockMs(field(line, 31, 31), field(line, 33, 34), field(line, 36, 37)) +
              10 * field(line, 39, 40);
    const std::size_t start = ssaTextStart(line);
    if (start < line.size()) e.text = line.substr(start);
    replaceAll(e.text, U"\\N", U"|");
    out.push_back(std::move(e));
  }
}

void parseTimePrefix(const TextLines& lines, int averageDisplayTime,
                     std::vector<ParsedEntry>& out) {
  const DisplayTimeLine displayTime(averageDisplayTime);
  for (const auto& line : lines) {
    ParsedEntry e;
    e.StartMs = clockMs(field(line, 1, 2), field(line, 4, 5), field(line, 7, 8));
    if (line.size() > 9) e.text = line.substr(9);
    e.EndMs = e.StartMs + displayTime(static_cast<int64_t>(e.text.size()));
    out.push_back(std::move(e));
  }
  // An entry ends early for its successor only when that one starts later: an
  // unprefixed line (start 0) after a timed one must not wipe the timed entry out.
  for (std::size_t i = 0; i + 1 < out.size(); ++i)
    if (out[i + 1].StartMs > out[i].StartMs)
      out[i].EndMs = std::min(out[i].EndMs, out[i + 1].StartMs);
}

}  // namespace

DisplayTimeLine::DisplayTimeLine(int averageDisplayTime) {
  const long double x = static_cast<long double>(averageDisplayTime) / 2163;
  const long double w = std::pow(x, 0.05L);
  const long double s = 4 * std::pow(x, 2.5L);
  slope_ = (s - w) * 20.40816L;
  offset_ = 1000 * w - slope_;
}

int64_t DisplayTimeLine::operator()(int64_t chars) const {
  if (slope_ < 0) chars = std::min<int64_t>(chars, 50);
  return roundHalfEven(slope_ * static_cast<long double>(chars) + offset_);
}

int64_t DisplayTime(int64_t chars, int averageDisplayTime) {
  return DisplayTimeLine(averageDisplayTime)(chars);
}

std::vector<ParsedEntry> ParseSubtitleLines(const TextLines& lines, SubtitleType type,
                                            double movieFrameRate, int averageDisplayTime) {
  if (!(movieFrameRate > 0) || !std::isfinite(movieFrameRate)) movieFrameRate = 25.0;
  std::vector<ParsedEntry> out;
  out.reserve(type == SubtitleType::SubRip ? lines.size() / 3 : lines.size());
  switch (type) {
    case SubtitleType::MicroDvd:
      parseMicroDvd(lines, movieFrameRate, out);
      break;
    case SubtitleType::SubRip:
      parseSubRip(lines, out);
      break;
    case SubtitleType::TimeRange:
      parseTimeRange(lines, out);
      break;
    case SubtitleType::Ssa:
      parseSsa(lines, out);
      break;
    case SubtitleType::TimePrefix:
      parseTimePrefix(lines, averageDisplayTime, out);
      break;
    case SubtitleType::None:
      break;
  }
  return out;
}

std::u32string removeTagGroups(std::u32string_view text, char32_t open, char32_t close) {
  std::u32string out;
  out.reserve(text.size());
  std::vector<std::size_t> openers;  // positions in `out` of openers not yet closed
  for (char32_t c : text) {
    if (c == close && !openers.empty()) {
      out.resize(openers.back());
      openers.pop_back();
      continue;
    }
    if (c == open) openers.push_back(out.size());
    out.push_back(c);
  }
  return out;
}

void updateDisplayMs(std::vector<SubtitleEntry>& entries, int averageDisplayTime) {
  const DisplayTimeLine displayTime(averageDisplayTime);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    auto& e = entries[i];
    int64_t chars = 0;
    for (const auto& line : e.Lines) chars += static_cast<int64_t>(countUtf8Chars(line));
    chars += static_cast<int64_t>(e.Lines.empty() ? 0 : e.Lines.size() - 1);  // the "|" breaks
    e.DisplayMs = displayTime(chars);
    if (i + 1 < entries.size()) {
      const int64_t gap = entries[i + 1].StartMs - e.StartMs;
      if (gap >= 0) e.DisplayMs = std::min(e.DisplayMs, gap);
    }
    e.DisplayMs = std::max<int64_t>(e.DisplayMs, 0);
  }
}

std::vector<SubtitleEntry> prepareDisplayTexts(std::vector<ParsedEntry>&& entries,
                                               SubtitleType type, int averageDisplayTime) {
  std::vector<SubtitleEntry> out;
  out.reserve(entries.size());
  for (auto& p : entries) {
    std::u32string text = std::move(p.text);
    if (type == SubtitleType::MicroDvd) text = removeTagGroups(text, U'{', U'}');
    if (type == SubtitleType::SubRip) text = removeTagGroups(text, U'<', U'>');
    SubtitleEntry e;
    e.StartMs = p.StartMs;
    e.EndMs = p.EndMs;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
      if (i == text.size() || text[i] == kBreak) {
        e.Lines.push_back(toUtf8(std::u32string_view(text).substr(start, i - start)));
        start = i + 1;
      }
    }
    out.push_back(std::move(e));
  }
  updateDisplayMs(out, averageDisplayTime);
  return out;
}

}  // namespace subtitles
