#pragma once
// The system's moment type: a count of days since 1899-12-30 held in a double,
// the fraction being the time of day. Databases, data files and SQL literals all
// carry moments in this form, so conversions to and from the calendar must be
// exact to the millisecond.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace somnexa {

struct CalendarTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// The three fixed text forms used across the system.
enum class DateTimeForm {
    DateTimeText,  // "YYYY-MM-DD HH:NN:SS" (SQL literals, lists)
    DateText,      // "YYYY-MM-DD" (therapy days, the per-day cache key)
    FileStamp,     // "YYYYMMDDHHNNSS" (data file names)
};

class DateTime {
public:
    constexpr DateTime() = default;
    constexpr explicit DateTime(double days) : days_(days) {}

    // Builds a moment from calendar fields; nullopt when they are not a real date and time.
    static std::optional<DateTime> fromCalendar(int year, int month, int day, int hour = 0, int minute = 0,
                                                int second = 0, int millisecond = 0);
    // Parses any of the three fixed forms (the time part of the first is optional).
    static std::optional<DateTime> parse(std::string_view text);

    constexpr double days() const { return days_; }
    // Calendar fields, rounded to the nearest millisecond.
    CalendarTime calendar() const;
    // Whole days since 1899-12-30 of the calendar date (the date part, midnight).
    std::int64_t dayNumber() const;
    DateTime datePart() const;

    std::string format(DateTimeForm form) const;

    DateTime addSeconds(double seconds) const { return DateTime(days_ + seconds / 86400.0); }
    DateTime addMilliseconds(std::int64_t ms) const;

    friend constexpr bool operator==(DateTime a, DateTime b) { return a.days_ == b.days_; }
    friend constexpr auto operator<=>(DateTime a, DateTime b) { return a.days_ <=> b.days_; }

private:
    double days_ = 0.0;
};

// Day numbers relative to 1899-12-30 for a proleptic Gregorian date, and back.
std::int64_t daysFromCivil(int year, int month, int day);
void civilFromDays(std::int64_t days, int& year, int& month, int& day);
bool isValidDate(int year, int month, int day);

// Milliseconds since 1899-12-30 00:00 for a moment, rounded; the exact integer
// form used when two moments must compare equal to the millisecond.
std::int64_t toMilliseconds(DateTime t);
DateTime fromMilliseconds(std::int64_t ms);

}  // namespace somnexa
