#pragma once
// The value forms of the remembered-settings file: integers, booleans,
// "dd/mm/yyyy hh:nn:ss" dates, "hh:nn:ss" times, two-decimal ratios and
// bookmark times. Readers return nothing for text that is not of the form.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace moviememory {

// Signed decimal with optional sign; nothing when not a whole 64-bit number.
std::optional<std::int64_t> parseInteger(std::string_view text);
// "0" false, other integers true, "True"/"False" in any letter case.
std::optional<bool> parseBoolean(std::string_view text);

// Days since 30 December 1899 of a calendar date (proleptic Gregorian).
std::int64_t daysFromDate(int year, int month, int day);
// "dd/mm/yyyy" with an optional " hh:nn:ss" (or " hh:nn"); nothing otherwise.
std::optional<double> parseDateTime(std::string_view text);
// "dd/mm/yyyy hh:nn:ss", or only the date when the time is midnight.
std::string formatDateTime(double days);
// "hh:nn:ss" (or "hh:nn") within one day, as a fraction of a day.
std::optional<double> parseTimeOfDay(std::string_view text);
// The time of day of a fraction of a day as "hh:nn:ss", seconds truncated.
std::string formatTimeOfDay(double days);
// The local time now.
double nowAsDays();

// Optional "-", digits with at most one "." or ",". Nothing otherwise.
std::optional<double> parseDecimal(std::string_view text);
// Rounded to two decimals in the shortest form: 1.33, 1.8, 2, -1.
std::string formatRatio(double ratio);

// Exactly "dd:[0-5]d:[0-5]d".
bool validBookmark(std::string_view text);

}  // namespace moviememory
