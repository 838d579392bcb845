#include "moviememory/movie_memory.h"

#include <algorithm>
#include <filesystem>

#include "settings/atomic_file.h"
#include "texts/central_european.h"
#include "moviememory/rs_values.h"

namespace fs = std::filesystem;

namespace moviememory {

namespace {

struct IntField {
  std::string_view key;
  int MovieRecord::*member;
  int fallback;  // when the value is not a number
  int lowest;
  int highest;
};

constexpr IntField kIntFields[] = {
    {"PanScan=", &MovieRecord::PanScan, 0, -50, 100},
    {"VideoImageXPosition=", &MovieRecord::VideoImageXPosition, 0, -100, 100},
    {"VideoImageYPosition=", &MovieRecord::VideoImageYPosition, 0, -100, 100},
    {"VideoWindowWidth=", &MovieRecord::VideoWindowWidth, 0, 46, 8006},
    {"VideoWindowHeight=", &MovieRecord::VideoWindowHeight, 0, 36, 6006},
    {"Brightness=", &MovieRecord::Brightness, 2000, 0, 10000},
    {"Contrast=", &MovieRecord::Contrast, 10000, 0, 20000},
    {"Hue=", &MovieRecord::Hue, 0, -180, 180},
    {"Saturation=", &MovieRecord::Saturation, 10000, 0, 20000},
    {"AudioVolume=", &MovieRecord::AudioVolume, 5000, 0, 10000},
    {"SubtitleSize=", &MovieRecord::SubtitleSize, 100, 10, 1000},
    {"SubtitleFontColor=", &MovieRecord::SubtitleFontColor, 16777215, -16777215, 16777215},
    {"SubtitleFontStyle=", &MovieRecord::SubtitleFontStyle, 1, 0, 3},
    {"AverageVerticalDisplayZone=", &MovieRecord::AverageVerticalDisplayZone, 15, 0, 50},
};

struct BoolField {
  std::string_view key;
  bool MovieRecord::*member;
  bool fallback;
};

constexpr BoolField kBoolFields[] = {
    {"FullScreen=", &MovieRecord::FullScreen, false},
    {"TransparentBackground=", &MovieRecord::TransparentBackground, true},
    {"UseOutlineFont=", &MovieRecord::UseOutlineFont, true},
};

bool startsWith(std::string_view line, std::string_view key) {
  return line.size() >= key.size() && line.compare(0, key.size(), key) == 0;
}

bool holdsLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

// The number is limited in 64 bits before it is narrowed to the field.
int limited(std::string_view value, int fallback, int lowest, int highest) {
  const std::int64_t number = parseInteger(value).value_or(fallback);
  return static_cast<int>(std::clamp<std::int64_t>(number, lowest, highest));
}

void readLine(MovieRecord& record, std::string_view line, const FontInstalled& fontInstalled) {
  for (const IntField& field : kIntFields) {
    if (startsWith(line, field.key)) {
      record.*field.member =
          limited(line.substr(field.key.size()), field.fallback, field.lowest, field.highest);
      return;
    }
  }
  for (const BoolField& field : kBoolFields) {
    if (startsWith(line, field.key)) {
      record.*field.member = parseBoolean(line.substr(field.key.size())).value_or(field.fallback);
      return;
    }
  }
  if (startsWith(line, "LastAccessed=")) {
    record.LastAccessed = parseDateTime(line.substr(13)).value_or(0.0);
  } else if (startsWith(line, "LastVideoPosition=")) {
    record.LastVideoPosition = std::max(parseTimeOfDay(line.substr(18)).value_or(0.0), 0.0);
  } else if (startsWith(line, "AspectRatio=")) {
    const double ratio = parseDecimal(line.substr(12)).value_or(1.33);
    record.AspectRatio = ratio < 0 ? -1.0 : std::clamp(ratio, 0.1, 5.0);
  } else if (startsWith(line, "SubtitleFontName=")) {
    record.SubtitleFontName = std::string(line.substr(17));
    if (fontInstalled && !fontInstalled(record.SubtitleFontName)) record.SubtitleFontName = "Arial";
  } else if (startsWith(line, "BookMark") && line.size() >= 10 && line[8] >= '1' &&
             line[8] <= '9' && line[9] == '=') {
    const std::string_view value = line.substr(10);
    record.BookMark[line[8] - '1'] = validBookmark(value) ? std::string(value) : std::string();
  }
}

// Keeps the store within its capacity while a file is read: the least
// recently accessed record (the first of equals) goes.
void dropOldestBeyondCapacity(std::vector<MovieRecord>& records) {
  if (records.size() <= kCapacity) return;
  const auto oldest = std::min_element(
      records.begin(), records.end(),
      [](const MovieRecord& a, const MovieRecord& b) { return a.LastAccessed < b.LastAccessed; });
  records.erase(oldest);
}

}  // namespace

std::string recordName(std::string_view moviePath) {
  const std::size_t slash = moviePath.rfind('/');
  return std::string(slash == std::string_view::npos ? moviePath : moviePath.substr(slash + 1));
}

std::vector<MovieRecord> parseRecords(std::string_view text, const MovieRecord& sectionDefaults,
                                      const FontInstalled& fontInstalled) {
  std::vector<MovieRecord> records;
  bool inSection = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      dropOldestBeyondCapacity(records);
      records.push_back(sectionDefaults);
      records.back().Name = std::string(line.substr(1, line.size() - 2));
      inSection = true;
    } else if (inSection) {
      readLine(records.back(), line, fontInstalled);
    }
  }
  dropOldestBeyondCapacity(records);
  return records;
}

std::string formatRecords(const std::vector<MovieRecord>& records) {
  std::string text;
  text.reserve(records.size() * 640);
  auto add = [&text](std::string_view key, const std::string& value) {
    text += key;
    text += value;
    text += "\r\n";
  };
  auto number = [](long long value) { return std::to_string(value); };
  for (const MovieRecord& r : records) {
    if (holdsLineBreak(r.Name)) continue;
    add("[", r.Name + "]");
    add("LastAccessed=", formatDateTime(r.LastAccessed));
    add("PanScan=", number(r.PanScan));
    add("AspectRatio=", formatRatio(r.AspectRatio));
    add("VideoImageXPosition=", number(r.VideoImageXPosition));
    add("VideoImageYPosition=", number(r.VideoImageYPosition));
    add("VideoWindowWidth=", number(r.VideoWindowWidth));
    add("VideoWindowHeight=", number(r.VideoWindowHeight));
    add("LastVideoPosition=", formatTimeOfDay(r.LastVideoPosition));
    for (int slot = 0; slot < kBookmarkSlots; ++slot) {
      if (r.BookMark[slot].empty() || holdsLineBreak(r.BookMark[slot])) continue;
      add("BookMark" + std::to_string(slot + 1) + "=", r.BookMark[slot]);
    }
    add("Brightness=", number(r.Brightness));
    add("Contrast=", number(r.Contrast));
    add("Hue=", number(r.Hue));
    add("Saturation=", number(r.Saturation));
    add("FullScreen=", r.FullScreen ? "1" : "0");
    add("AudioVolume=", number(r.AudioVolume));
    std::string font = r.SubtitleFontName;
    std::erase_if(font, [](char c) { return c == '\r' || c == '\n'; });
    add("SubtitleFontName=", font);
    add("SubtitleSize=", number(r.SubtitleSize));
    add("SubtitleFontColor=", number(r.SubtitleFontColor));
    add("SubtitleFontStyle=",
        number(r.SubtitleFontStyle >= 0 && r.SubtitleFontStyle <= 3 ? r.SubtitleFontStyle : 0));
    add("TransparentBackground=", r.TransparentBackground ? "1" : "0");
    add("UseOutlineFont=", r.UseOutlineFont ? "1" : "0");
    add("AverageVerticalDisplayZone=", number(r.AverageVerticalDisplayZone));
  }
  return text;
}

LoadResult MovieMemory::load(const std::string& path, const MovieRecord& sectionDefaults,
                             const FontInstalled& fontInstalled) {
  clear();
  fileUnreadable_ = false;
  std::string text;
  switch (settings::readRegularFile(path, kMaxFileBytes, text)) {
    case settings::ReadStatus::Read:
      break;
    case settings::ReadStatus::Missing:
      return LoadResult::Missing;
    case settings::ReadStatus::TooBig:
      fileUnreadable_ = true;
      return LoadResult::Refused;
    case settings::ReadStatus::NotRegular:
    case settings::ReadStatus::CannotOpen:
    case settings::ReadStatus::ReadFailed:
      fileUnreadable_ = true;
      return LoadResult::Unreadable;
  }
  records_ = parseRecords(text, sectionDefaults, fontInstalled);
  for (const MovieRecord& record : records_)
    keys_.push_back(texts::lowerCaseCentralEuropean(record.Name));
  return LoadResult::Loaded;
}

bool MovieMemory::save(const std::string& path) {
  if (saving_) return false;
  saving_ = true;
  struct Release {
    bool& flag;
    ~Release() { flag = false; }
  } release{saving_};
  lastSave_ = std::chrono::steady_clock::now();
  std::error_code ec;
  if (fileUnreadable_ && fs::exists(path, ec)) {
    // A file that could not be read is kept for the user rather than replaced
    // by a store that does not hold its records; earlier copies stay too.
    if (!settings::keepAsBackup(path)) return false;
  }
  fileUnreadable_ = false;
  if (records_.empty()) {
    fs::remove(path, ec);
    return !ec;
  }
  const fs::path folder = fs::path(path).parent_path();
  if (!folder.empty()) fs::create_directories(folder, ec);
  return settings::writeFileAtomically(path, formatRecords(records_));
}

std::optional<std::size_t> MovieMemory::find(std::string_view movieFileName) const {
  const std::string key = texts::lowerCaseCentralEuropean(movieFileName);
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (keys_[i] == key) return i;
  }
  return std::nullopt;
}

MovieRecord& MovieMemory::recordFor(std::string_view movieFileName) {
  if (const auto found = find(movieFileName)) return records_[*found];
  std::size_t index = records_.size();
  if (records_.size() >= kCapacity) {
    index =
        static_cast<std::size_t>(std::min_element(records_.begin(), records_.end(),
                                                  [](const MovieRecord& a, const MovieRecord& b) {
                                                    return a.LastAccessed < b.LastAccessed;
                                                  }) -
                                 records_.begin());
    records_[index] = MovieRecord{};
  } else {
    records_.emplace_back();
    keys_.emplace_back();
  }
  records_[index].Name = std::string(movieFileName);
  keys_[index] = texts::lowerCaseCentralEuropean(movieFileName);
  return records_[index];
}

void MovieMemory::remove(std::size_t index) {
  if (index >= records_.size()) return;
  records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(index));
  keys_.erase(keys_.begin() + static_cast<std::ptrdiff_t>(index));
}

void MovieMemory::clear() {
  records_.clear();
  keys_.clear();
}

}  // namespace moviememory
