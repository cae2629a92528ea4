#pragma once
// The date-time rules of the Jet dialect on the system's day-count form
// (days since 1899-12-30, the fraction being the time of day): date literals
// and date texts, DateAdd, DateDiff, DatePart and DateValue. Arithmetic runs
// on whole milliseconds, so a moment reached by two roads compares equal.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "records/date_time.h"

namespace somnexa::storage {

enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

// "yyyy", "q", "m", "y", "d", "w", "ww", "h", "n", "s" in any letter case.
std::optional<Interval> parseInterval(std::string_view text);

// Texts of a date literal or of CDate: "YYYY-MM-DD", "YYYY/MM/DD", "M/D/YYYY",
// each optionally followed by "HH:NN[:SS]" and AM/PM; or a time alone ("HH:NN[:SS]").
std::optional<DateTime> parseJetDate(std::string_view text);

// nullopt when the result leaves the years 100..9999.
std::optional<double> dateAdd(Interval interval, double number, double moment);
std::int64_t dateDiff(Interval interval, double first, double second);
int datePart(Interval interval, double moment);
// The date part of a moment (its midnight), as a day count.
double dateValue(double moment);
// 1 = Sunday ... 7 = Saturday.
int weekdayOf(std::int64_t dayNumber);

// Shortest text that reads back to the same double ("43769.5", "12", "-1").
std::string shortestNumberText(double value);

// Format(value, pattern) for moments: yyyy yy q m mm mmm mmmm d dd ddd dddd
// h hh n nn s ss AM/PM, quoted and backslash-escaped literals; "m" right after
// an hour reads as minutes.
std::string formatMoment(double moment, std::string_view pattern);
// Whether a Format pattern speaks of date or time parts.
bool isDatePattern(std::string_view pattern);
// Format(value, pattern) for numbers: "0", "0.00", "#,##0.0" and the like.
std::string formatNumber(double value, std::string_view pattern);

}  // namespace somnexa::storage
