#include "moviememory/rs_values.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ctime>

namespace moviememory {

namespace {

constexpr std::int64_t kUnixEpochDays = 25569;  // 1 January 1970 in days since 30 December 1899
constexpr std::int64_t kMsPerDay = 86'400'000;
// Dates from 1 January 0001 to 31 December 9999.
constexpr double kFirstDay = -693593;
constexpr double kLastDay = 2958465;

struct Civil {
  int year;
  int month;
  int day;
};

Civil dateFromDays(std::int64_t days) {
  std::int64_t z = days - kUnixEpochDays + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {static_cast<int>(yoe + era * 400 + (month <= 2)), month, day};
}

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// Reads minDigits..maxDigits decimal digits at pos.
std::optional<int> readNumber(std::string_view text, std::size_t& pos, std::size_t minDigits,
                              std::size_t maxDigits) {
  std::size_t digits = 0;
  int value = 0;
  while (pos < text.size() && digits < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
    value = value * 10 + (text[pos++] - '0');
    ++digits;
  }
  if (digits < minDigits) return std::nullopt;
  return value;
}

bool expect(std::string_view text, std::size_t& pos, char c) {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}

// "h:n[:s]" from pos to the end of text, in seconds.
std::optional<int> readTime(std::string_view text, std::size_t pos) {
  const auto hours = readNumber(text, pos, 1, 2);
  if (!hours || !expect(text, pos, ':')) return std::nullopt;
  const auto minutes = readNumber(text, pos, 1, 2);
  if (!minutes) return std::nullopt;
  int seconds = 0;
  if (pos < text.size()) {
    if (!expect(text, pos, ':')) return std::nullopt;
    const auto read = readNumber(text, pos, 1, 2);
    if (!read) return std::nullopt;
    seconds = *read;
  }
  if (pos != text.size() || *hours > 23 || *minutes > 59 || seconds > 59) return std::nullopt;
  return *hours * 3600 + *minutes * 60 + seconds;
}

std::string twoDigits(int value) {
  return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

// Whole milliseconds of the time of day of a day count, and the day itself.
void splitDays(double days, std::int64_t& wholeDays, std::int64_t& msOfDay) {
  if (!std::isfinite(days) || days < kFirstDay || days > kLastDay + 1) days = 0;
  const double whole = std::floor(days);
  wholeDays = static_cast<std::int64_t>(whole);
  msOfDay = std::llround((days - whole) * kMsPerDay);
  if (msOfDay >= kMsPerDay) {
    ++wholeDays;
    msOfDay -= kMsPerDay;
  }
}

}  // namespace

std::optional<std::int64_t> parseInteger(std::string_view text) {
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

std::optional<bool> parseBoolean(std::string_view text) {
  if (const auto number = parseInteger(text)) return *number != 0;
  auto equalsWord = [text](std::string_view word) {
    if (text.size() != word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
      const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] + 32) : text[i];
      if (c != word[i]) return false;
    }
    return true;
  };
  if (equalsWord("true")) return true;
  if (equalsWord("false")) return false;
  return std::nullopt;
}

std::int64_t daysFromDate(int year, int month, int day) {
  const std::int64_t y = year - (month <= 2);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468 + kUnixEpochDays;
}

std::optional<double> parseDateTime(std::string_view text) {
  std::size_t pos = 0;
  const auto day = readNumber(text, pos, 1, 2);
  if (!day || !expect(text, pos, '/')) return std::nullopt;
  const auto month = readNumber(text, pos, 1, 2);
  if (!month || !expect(text, pos, '/')) return std::nullopt;
  const auto year = readNumber(text, pos, 4, 4);
  if (!year || *year < 1 || *month < 1 || *month > 12 || *day < 1 ||
      *day > daysInMonth(*year, *month)) {
    return std::nullopt;
  }
  double value = static_cast<double>(daysFromDate(*year, *month, *day));
  if (pos == text.size()) return value;
  if (!expect(text, pos, ' ')) return std::nullopt;
  const auto seconds = readTime(text, pos);
  if (!seconds) return std::nullopt;
  // The time of day counts forward from midnight also before 1899.
  return value + *seconds / 86400.0;
}

std::string formatDateTime(double days) {
  std::int64_t wholeDays = 0;
  std::int64_t msOfDay = 0;
  splitDays(days, wholeDays, msOfDay);
  const Civil date = dateFromDays(wholeDays);
  std::string year = std::to_string(date.year);
  if (year.size() < 4) year.insert(0, 4 - year.size(), '0');
  std::string text = twoDigits(date.day) + "/" + twoDigits(date.month) + "/" + year;
  if (msOfDay / 1000 != 0) text += " " + formatTimeOfDay(static_cast<double>(msOfDay) / kMsPerDay);
  return text;
}

std::optional<double> parseTimeOfDay(std::string_view text) {
  const auto seconds = readTime(text, 0);
  if (!seconds) return std::nullopt;
  return *seconds / 86400.0;
}

std::string formatTimeOfDay(double days) {
  std::int64_t wholeDays = 0;
  std::int64_t msOfDay = 0;
  splitDays(days, wholeDays, msOfDay);
  const int seconds = static_cast<int>(msOfDay / 1000);
  return twoDigits(seconds / 3600) + ":" + twoDigits(seconds / 60 % 60) + ":" +
         twoDigits(seconds % 60);
}

double nowAsDays() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return static_cast<double>(daysFromDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday)) +
         (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) / 86400.0;
}

std::optional<double> parseDecimal(std::string_view text) {
  std::string normal;
  bool separator = false;
  bool digit = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '-' && i == 0) {
      normal += c;
    } else if (c >= '0' && c <= '9') {
      normal += c;
      digit = true;
    } else if ((c == '.' || c == ',') && !separator) {
      normal += '.';
      separator = true;
    } else {
      return std::nullopt;
    }
  }
  if (!digit) return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
  if (error != std::errc() || end != normal.data() + normal.size()) return std::nullopt;
  return value;
}

std::string formatRatio(double ratio) {
  if (!std::isfinite(ratio)) ratio = 0;
  const double hundredths = std::nearbyint(std::clamp(ratio, -1e12, 1e12) * 100);
  const std::int64_t n = static_cast<std::int64_t>(hundredths);
  const std::int64_t magnitude = n < 0 ? -n : n;
  std::string text = (n < 0 ? "-" : "") + std::to_string(magnitude / 100);
  const int fraction = static_cast<int>(magnitude % 100);
  if (fraction % 10 != 0)
    text += "." + twoDigits(fraction);
  else if (fraction != 0)
    text += "." + std::to_string(fraction / 10);
  return text;
}

bool validBookmark(std::string_view text) {
  auto digit = [](char c, char highest) { return c >= '0' && c <= highest; };
  return text.size() == 8 && digit(text[0], '9') && digit(text[1], '9') && text[2] == ':' &&
         digit(text[3], '5') && digit(text[4], '9') && text[5] == ':' && digit(text[6], '5') &&
         digit(text[7], '9');
}

}  // namespace moviememory
