#include "subtitles/subtitle_store.h"

#include <algorithm>
#include <cmath>
#include <queue>

#include "subtitles/subtitle_format.h"
#include "subtitles/subtitle_parse.h"

namespace subtitles {
namespace {

// Indices of the message texts this store composes.
enum Msg {
  kCantOpen = 3,
  kForReading = 4,
  kTheFile = 5,
  kTooBig = 6,
  kCantReadFrom = 7,
  kUnknownType = 8,
  kSeriousErrors = 9,
  kEnabled = 35,
  kDisabled = 36,
  kTimeCorrection = 37,
  kNotText = 59,
};

std::string quoted(const std::string& path) {
  return "\"" + path + "\"";
}

// The reading, text check, detection and repair shared by loading and checking.
struct PreparedLines {
  std::optional<int> failure;  // message index, or -1 for a silent failure
  TextEncoding encoding = TextEncoding::Utf8;
  SubtitleType type = SubtitleType::None;
  TextLines lines;
};

PreparedLines prepareLines(SubtitleText&& text) {
  PreparedLines out;
  switch (text.status) {
    case ReadStatus::Ok:
      break;
    case ReadStatus::Missing:
      out.failure = -1;
      return out;
    case ReadStatus::CantOpen:
      out.failure = kCantOpen;
      return out;
    case ReadStatus::TooBig:
      out.failure = kTooBig;
      return out;
    case ReadStatus::CantRead:
      out.failure = kCantReadFrom;
      return out;
  }
  out.encoding = text.encoding;
  if (!IsPlainText(text.characters, text.badCharacters, text.lines.size())) {
    out.failure = kNotText;
    return out;
  }
  out.type = DetectSubtitleType(text.lines);
  if (out.type == SubtitleType::None) {
    out.failure = kUnknownType;
    return out;
  }
  out.lines = std::move(text.lines);
  if (!RepairSubtitleLines(out.lines, out.type)) out.failure = kSeriousErrors;
  return out;
}

// Everything a load does before it builds the display texts. The check runs the
// same steps, so a file it accepts always loads: a file that reads, looks like a
// subtitle and repairs but yields no entry at all fails both.
struct PreparedEntries {
  std::optional<int> failure;
  TextEncoding encoding = TextEncoding::Utf8;
  SubtitleType type = SubtitleType::None;
  std::vector<ParsedEntry> entries;
};

PreparedEntries prepareEntries(SubtitleText&& text, int averageDisplayTime, double movieFrameRate) {
  PreparedLines prepared = prepareLines(std::move(text));
  PreparedEntries out;
  out.failure = prepared.failure;
  out.encoding = prepared.encoding;
  out.type = prepared.type;
  if (out.failure) return out;
  out.entries =
      ParseSubtitleLines(prepared.lines, prepared.type, movieFrameRate, averageDisplayTime);
  prepared.lines = {};
  FinishSubtitleTimes(out.entries, averageDisplayTime);
  // A subtitle without a single entry to show would leave the player pointing at
  // entries that do not exist: it fails like any other damaged subtitle.
  if (out.entries.empty()) out.failure = kSeriousErrors;
  return out;
}

std::string failureMessage(int which, const std::string& path, const texts::InterfaceTexts& t) {
  const auto& m = t.Messages;
  switch (which) {
    case kCantOpen:
      return m[kCantOpen] + " " + quoted(path) + " " + m[kForReading];
    case kTooBig:
      return m[kTheFile] + " " + quoted(path) + " " + m[kTooBig];
    case kCantReadFrom:
      return m[kCantReadFrom] + " " + quoted(path) + "!";
    case -1:
      return {};
    default:
      return m[static_cast<std::size_t>(which)];
  }
}

}  // namespace

LoadResult SubtitleStore::LoadSubtitle(const std::string& path, const settings::Settings& settings,
                                       const texts::InterfaceTexts& texts, double movieFrameRate) {
  clear();
  return loadText(readSubtitleText(path, settings.SubtitleFontScript), path, settings, texts,
                  movieFrameRate);
}

LoadResult SubtitleStore::LoadSubtitleData(std::string_view bytes, const std::string& name,
                                           const settings::Settings& settings,
                                           const texts::InterfaceTexts& texts,
                                           double movieFrameRate) {
  clear();
  return loadText(decodeSubtitleBytes(bytes, settings.SubtitleFontScript), name, settings, texts,
                  movieFrameRate);
}

LoadResult SubtitleStore::loadText(SubtitleText&& text, const std::string& path,
                                   const settings::Settings& settings,
                                   const texts::InterfaceTexts& texts, double movieFrameRate) {
  const int average = settings.AverageDisplayTime;
  PreparedEntries prepared = prepareEntries(std::move(text), average, movieFrameRate);
  if (prepared.failure) return {false, failureMessage(*prepared.failure, path, texts)};
  entries_ = prepareDisplayTexts(std::move(prepared.entries), prepared.type, average);
  type_ = prepared.type;
  encoding_ = prepared.encoding;
  averageDisplayTime_ = average;
  timeCorrection_ = 0;
  loaded_ = true;
  indexValid_ = false;
  return {true, {}};
}

bool SubtitleStore::CheckSubtitleFile(const std::string& path, const settings::Settings& settings) {
  // The frame rate only scales times; it never decides whether an entry is left.
  return !prepareEntries(readSubtitleText(path, settings.SubtitleFontScript),
                         settings.AverageDisplayTime, 25.0)
              .failure.has_value();
}

void SubtitleStore::RecomputeDisplayTimes(int averageDisplayTime) {
  const DisplayTimeLine displayTime(averageDisplayTime);
  for (size_t i = 0; i < entries_.size(); ++i) {
    SubtitleEntry& e = entries_[i];
    int64_t chars = 0;
    for (const std::string& line : e.Lines) chars += static_cast<int64_t>(line.size());
    if (!e.Lines.empty()) chars += static_cast<int64_t>(e.Lines.size()) - 1;
    int64_t ms = displayTime(chars);
    if (i + 1 < entries_.size())
      ms = std::min(ms, std::max<int64_t>(0, entries_[i + 1].StartMs - e.StartMs));
    e.DisplayMs = ms;
  }
  indexValid_ = false;
}

void SubtitleStore::assign(std::vector<SubtitleEntry> entries, SubtitleType type) {
  clear();
  entries_ = std::move(entries);
  type_ = type;
  timeCorrection_ = 0;
  loaded_ = !entries_.empty();
}

void SubtitleStore::clear() {
  entries_.clear();
  type_ = SubtitleType::None;
  loaded_ = false;
  indexValid_ = false;
}

bool SubtitleStore::SubtitleUnicode() const {
  return encoding_ == TextEncoding::Utf8Bom || encoding_ == TextEncoding::Utf16Le ||
         encoding_ == TextEncoding::Utf16Be;
}

void SubtitleStore::RescaleFrameTimes(double frameRate) {
  if (!loaded_ || type_ != SubtitleType::MicroDvd) return;
  if (!(frameRate > 0) || !std::isfinite(frameRate) || frameRate == 25.0) return;
  auto scale = [&](int64_t t) { return saturatedMs(static_cast<long double>(t) * 25 / frameRate); };
  for (auto& e : entries_) {
    e.StartMs = scale(e.StartMs);
    e.EndMs = scale(e.EndMs);
  }
  updateDisplayMs(entries_, averageDisplayTime_);
  indexValid_ = false;
}

int64_t SubtitleStore::endLimit(const SubtitleEntry& e, bool autoCalculationTime) const {
  return autoCalculationTime ? e.StartMs + e.DisplayMs : e.EndMs;
}

void SubtitleStore::rebuildIndex(bool autoCalculationTime) const {
  // Sweep over the start and end times; at every time where an entry begins or
  // ends, the due entry is the lowest index among those running.
  struct Event {
    int64_t time;
    int entry;
    bool begins;
  };
  std::vector<Event> events;
  events.reserve(2 * entries_.size());
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const int64_t start = entries_[i].StartMs, end = endLimit(entries_[i], autoCalculationTime);
    if (start >= end) continue;  // never due
    events.push_back({start, static_cast<int>(i), true});
    events.push_back({end, static_cast<int>(i), false});
  }
  std::sort(events.begin(), events.end(),
            [](const Event& a, const Event& b) { return a.time < b.time; });
  bounds_.clear();
  due_.clear();
  std::vector<char> running(entries_.size(), 0);
  std::priority_queue<int, std::vector<int>, std::greater<int>> lowest;
  for (std::size_t k = 0; k < events.size();) {
    const int64_t time = events[k].time;
    for (; k < events.size() && events[k].time == time; ++k) {
      running[events[k].entry] = events[k].begins;
      if (events[k].begins) lowest.push(events[k].entry);
    }
    while (!lowest.empty() && !running[lowest.top()]) lowest.pop();
    bounds_.push_back(time);
    due_.push_back(lowest.empty() ? -1 : lowest.top());
  }
  indexAutoCalculation_ = autoCalculationTime;
  indexValid_ = true;
  lastSegment_ = 0;
}

int SubtitleStore::entryAt(int64_t positionMs, bool autoCalculationTime) const {
  if (entries_.empty()) return -1;
  if (positionMs < entries_.front().StartMs) return -1;
  if (positionMs >= endLimit(entries_.back(), autoCalculationTime)) return -1;
  if (!indexValid_ || indexAutoCalculation_ != autoCalculationTime)
    rebuildIndex(autoCalculationTime);
  if (bounds_.empty() || positionMs < bounds_.front()) return -1;
  auto inSegment = [&](std::size_t k) {
    return k < bounds_.size() && bounds_[k] <= positionMs &&
           (k + 1 == bounds_.size() || positionMs < bounds_[k + 1]);
  };
  if (!inSegment(lastSegment_)) {
    if (inSegment(lastSegment_ + 1)) {
      ++lastSegment_;
    } else {
      lastSegment_ = static_cast<std::size_t>(
          std::upper_bound(bounds_.begin(), bounds_.end(), positionMs) - bounds_.begin() - 1);
    }
  }
  return due_[lastSegment_];
}

SubtitleStep SubtitleStore::UpdateSubtitle(int64_t position100ns, bool displayLinesEmpty,
                                           bool autoCalculationTime) {
  const int shown = displayLinesEmpty ? -1 : shown_;
  SubtitleStep step;
  if (!(loaded_ && enabled_)) {
    if (!displayLinesEmpty) step.change = SubtitleChange::Clear;
    shown_ = -1;
    return step;
  }
  const int due = entryAt(position100ns / 10000, autoCalculationTime);
  if (due < 0) {
    if (shown >= 0) step.change = SubtitleChange::Clear;
    shown_ = -1;
    return step;
  }
  if (due == shown) return step;
  step.change = SubtitleChange::Show;
  step.entry = due;
  step.paintDirectly = shown == -1;
  shown_ = due;
  return step;
}

std::optional<std::string> SubtitleStore::ToggleSubtitles(const texts::InterfaceTexts& texts) {
  if (!loaded_) return std::nullopt;
  enabled_ = !enabled_;
  return texts.Messages[enabled_ ? kEnabled : kDisabled];
}

std::optional<std::string> SubtitleStore::ShiftSubtitleTimes(int64_t deltaMs,
                                                             const texts::InterfaceTexts& texts) {
  if (!loaded_ || !enabled_) return std::nullopt;
  for (auto& e : entries_) {
    e.StartMs += deltaMs;
    e.EndMs += deltaMs;
  }
  indexValid_ = false;
  timeCorrection_ += deltaMs / 100;
  // Tenths of a second written with exactly one decimal.
  const int64_t magnitude = timeCorrection_ < 0 ? -timeCorrection_ : timeCorrection_;
  std::string value = (timeCorrection_ < 0 ? "-" : "") + std::to_string(magnitude / 10) + "." +
                      std::to_string(magnitude % 10);
  return texts.Messages[kTimeCorrection] + ": " + value + " sec";
}

}  // namespace subtitles
