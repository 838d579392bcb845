// Completing and de-overlapping entry times after parsing.
#include <algorithm>
#include <cmath>

#include "subtitles/subtitle_parse.h"

namespace subtitles {
namespace {

constexpr char32_t kBreak = U'|';

// Leading and trailing breaks removed, runs of breaks shortened to one.
void tidyBreaks(std::u32string& text) {
  std::u32string out;
  out.reserve(text.size());
  for (char32_t c : text) {
    if (c == kBreak && (out.empty() || out.back() == kBreak)) continue;
    out.push_back(c);
  }
  if (!out.empty() && out.back() == kBreak) out.pop_back();
  text = std::move(out);
}

}  // namespace

void FinishSubtitleTimes(std::vector<ParsedEntry>& e, int averageDisplayTime) {
  const DisplayTimeLine displayTime(averageDisplayTime);
  auto D = [&](const ParsedEntry& x) { return displayTime(static_cast<int64_t>(x.text.size())); };
  std::erase_if(e, [](const ParsedEntry& x) { return x.text.empty(); });
  if (e.empty()) return;
  const std::size_t last = e.size() - 1;

  if (e[0].StartMs == kNoTime) e[0].StartMs = 0;
  if (e[last].EndMs == kNoTime && e[last].StartMs != kNoTime)
    e[last].EndMs = e[last].StartMs + D(e[last]);
  // An unknown next start never shortens a known end.
  for (std::size_t i = 0; i < last; ++i) {
    if (e[i].EndMs == e[i].StartMs && e[i].StartMs != kNoTime) {
      e[i].EndMs = e[i].StartMs + D(e[i]);
      if (e[i + 1].StartMs != kNoTime) e[i].EndMs = std::min(e[i].EndMs, e[i + 1].StartMs);
    }
  }
  for (std::size_t i = 1; i <= last; ++i)
    if (e[i].StartMs == kNoTime && e[i - 1].EndMs != kNoTime)
      e[i].StartMs = std::max(e[i].EndMs - D(e[i]), e[i - 1].EndMs);
  for (std::size_t i = 0; i < last; ++i)
    if (e[i].EndMs == kNoTime && e[i + 1].StartMs != kNoTime) e[i].EndMs = e[i + 1].StartMs;
  // Runs of entries without any time follow each other, each for its display time,
  // instead of being left without times (and never shown).
  for (std::size_t i = 0; i <= last; ++i) {
    if (e[i].StartMs == kNoTime) e[i].StartMs = i == 0 ? 0 : e[i - 1].EndMs;
    if (e[i].EndMs == kNoTime)
      e[i].EndMs =
          i < last && e[i + 1].StartMs != kNoTime ? e[i + 1].StartMs : e[i].StartMs + D(e[i]);
  }

  for (std::size_t i = 0; i < last; ++i) {
    auto& cur = e[i];
    auto& next = e[i + 1];
    if (cur.StartMs >= cur.EndMs) {
      cur.EndMs = std::min(next.StartMs, cur.StartMs + D(cur));
      if (cur.StartMs >= cur.EndMs && i >= 2 && e[i - 1].EndMs < cur.EndMs) {
        // The default display-time line, independent of AverageDisplayTime.
        const auto n = static_cast<long double>(cur.text.size());
        const auto back = static_cast<int64_t>(std::nearbyint(64.74L * n + 936.1L));
        cur.StartMs = std::max(e[i - 1].EndMs, cur.EndMs - back);
      }
    }
    if (next.StartMs < cur.EndMs) {
      if (cur.StartMs < next.StartMs)
        cur.EndMs = next.StartMs;
      else
        next.StartMs = std::max(cur.EndMs, next.EndMs - D(next));
    }
  }

  // Neighbours with the same text that touch become one entry.
  std::vector<ParsedEntry> merged;
  merged.reserve(e.size());
  for (auto& x : e) {
    if (!merged.empty() && merged.back().text == x.text && merged.back().EndMs == x.StartMs) {
      merged.back().EndMs = x.EndMs;
      continue;
    }
    merged.push_back(std::move(x));
  }
  e = std::move(merged);

  for (auto& x : e) tidyBreaks(x.text);
  // A text made only of breaks has nothing to show.
  std::erase_if(e, [](const ParsedEntry& x) { return x.text.empty(); });
  if (e.empty()) return;
  auto& first = e.front();
  if (first.StartMs >= first.EndMs) first.StartMs = std::max<int64_t>(first.EndMs - D(first), 0);
  auto& lastEntry = e.back();
  if (lastEntry.StartMs >= lastEntry.EndMs) lastEntry.EndMs = lastEntry.StartMs + D(lastEntry);
}

}  // namespace subtitles
