#include "storage/jet_dates.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace somnexa::storage {
namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The same conversions as toMilliseconds / fromMilliseconds of the date-time
// type, written out here because every row of a date query runs through them.
inline std::int64_t momentMs(double v) {
    const double whole = std::trunc(v);
    const double fraction = (v - whole < 0 ? whole - v : v - whole) * kMsPerDay;
    return static_cast<std::int64_t>(whole) * kMsPerDay + static_cast<std::int64_t>(fraction + 0.5);
}

inline double msMoment(std::int64_t ms) {
    const std::int64_t dayNo = floorDiv(ms, kMsPerDay);
    const double fraction = static_cast<double>(ms - dayNo * kMsPerDay) / kMsPerDay;
    return dayNo >= 0 ? static_cast<double>(dayNo) + fraction : static_cast<double>(dayNo) - fraction;
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

struct Civil {
    int year, month, day;
    std::int64_t timeMs;  // milliseconds into the day
    std::int64_t dayNo;
};

Civil civilOf(double moment) {
    const std::int64_t ms = momentMs(moment);
    Civil c{};
    c.dayNo = floorDiv(ms, kMsPerDay);
    c.timeMs = ms - c.dayNo * kMsPerDay;
    civilFromDays(c.dayNo, c.year, c.month, c.day);
    return c;
}

// 100-01-01 .. 9999-12-31 23:59:59.999: day numbers -657434 .. 2958465.
constexpr std::int64_t kFirstMs = -657'434LL * kMsPerDay;
constexpr std::int64_t kLastMs = 2'958'466LL * kMsPerDay - 1;
bool inRange(std::int64_t ms) { return ms >= kFirstMs && ms <= kLastMs; }

int lastDayOfMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// Reads an unsigned number of 1..maxDigits digits at pos.
bool readNumber(std::string_view s, std::size_t& pos, int maxDigits, int& value) {
    std::size_t start = pos;
    value = 0;
    while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9' && static_cast<int>(pos - start) < maxDigits)
        value = value * 10 + (s[pos++] - '0');
    return pos > start;
}

void skipSpaces(std::string_view s, std::size_t& pos) {
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t')) ++pos;
}

// "HH:NN[:SS[.mmm]] [AM|PM]" from pos to the end.
bool parseTime(std::string_view s, std::size_t& pos, std::int64_t& timeMs) {
    int h = 0, mi = 0, se = 0, ms = 0;
    if (!readNumber(s, pos, 2, h)) return false;
    if (pos >= s.size() || s[pos] != ':') return false;
    ++pos;
    if (!readNumber(s, pos, 2, mi)) return false;
    if (pos < s.size() && s[pos] == ':') {
        ++pos;
        if (!readNumber(s, pos, 2, se)) return false;
        if (pos < s.size() && s[pos] == '.') {
            ++pos;
            std::size_t start = pos;
            if (!readNumber(s, pos, 3, ms)) return false;
            for (std::size_t k = pos - start; k < 3; ++k) ms *= 10;
        }
    }
    skipSpaces(s, pos);
    if (pos + 2 <= s.size() && (equalsNoCase(s.substr(pos, 2), "am") || equalsNoCase(s.substr(pos, 2), "pm"))) {
        const bool pm = lower(s[pos]) == 'p';
        if (h < 1 || h > 12) return false;
        h = (h % 12) + (pm ? 12 : 0);
        pos += 2;
    }
    if (h > 23 || mi > 59 || se > 59) return false;
    timeMs = ((h * 60LL + mi) * 60LL + se) * 1000LL + ms;
    return true;
}

}  // namespace

std::optional<Interval> parseInterval(std::string_view t) {
    // Called for every row a date function sees: decide on length and letters.
    if (t.size() == 1) {
        switch (lower(t[0])) {
            case 'q': return Interval::Quarter;
            case 'm': return Interval::Month;
            case 'y': return Interval::DayOfYear;
            case 'd': return Interval::Day;
            case 'w': return Interval::Weekday;
            case 'h': return Interval::Hour;
            case 'n': return Interval::Minute;
            case 's': return Interval::Second;
            default: return std::nullopt;
        }
    }
    if (equalsNoCase(t, "ww")) return Interval::Week;
    if (equalsNoCase(t, "yyyy")) return Interval::Year;
    return std::nullopt;
}

std::optional<DateTime> parseJetDate(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    if (s.empty()) return std::nullopt;
    std::size_t pos = 0;
    int a = 0, b = 0, c = 0;
    const std::size_t firstStart = pos;
    if (!readNumber(s, pos, 4, a)) return std::nullopt;
    const std::size_t firstLen = pos - firstStart;
    std::int64_t timeMs = 0;
    if (pos < s.size() && s[pos] == ':') {
        // A time alone: the day 1899-12-30.
        pos = 0;
        if (!parseTime(s, pos, timeMs) || pos != s.size()) return std::nullopt;
        return fromMilliseconds(timeMs);
    }
    if (pos >= s.size() || (s[pos] != '-' && s[pos] != '/')) return std::nullopt;
    const char sep = s[pos++];
    if (!readNumber(s, pos, 2, b)) return std::nullopt;
    if (pos >= s.size() || s[pos] != sep) return std::nullopt;
    ++pos;
    const std::size_t thirdStart = pos;
    if (!readNumber(s, pos, 4, c)) return std::nullopt;
    int year = 0, month = 0, day = 0;
    if (firstLen == 4) {
        year = a, month = b, day = c;
    } else if (sep == '/' && pos - thirdStart == 4) {
        month = a, day = b, year = c;  // the dialect's own M/D/YYYY
    } else {
        return std::nullopt;
    }
    if (!isValidDate(year, month, day) || year < 100) return std::nullopt;
    if (pos < s.size()) {
        if (s[pos] != ' ' && s[pos] != 'T') return std::nullopt;
        ++pos;
        skipSpaces(s, pos);
        if (!parseTime(s, pos, timeMs) || pos != s.size()) return std::nullopt;
    }
    return fromMilliseconds(daysFromCivil(year, month, day) * kMsPerDay + timeMs);
}

std::optional<double> dateAdd(Interval interval, double number, double moment) {
    if (!(std::fabs(number) < 1e15)) return std::nullopt;
    // A whole number (the usual case) needs no rounding; others round half to even.
    const auto n = static_cast<std::int64_t>(number == std::trunc(number) ? number : std::nearbyint(number));
    const std::int64_t ms = momentMs(moment);
    std::int64_t unit = 0;
    switch (interval) {
        case Interval::Year:
        case Interval::Quarter:
        case Interval::Month: {
            const Civil c = civilOf(moment);
            const std::int64_t months = interval == Interval::Year ? 12 : interval == Interval::Quarter ? 3 : 1;
            const std::int64_t total = c.year * 12LL + (c.month - 1) + n * months;
            const std::int64_t year = floorDiv(total, 12);
            if (year < 100 || year > 9999) return std::nullopt;
            const int month = static_cast<int>(total - year * 12) + 1;
            const int day = std::min(c.day, lastDayOfMonth(static_cast<int>(year), month));
            return msMoment(daysFromCivil(static_cast<int>(year), month, day) * kMsPerDay + c.timeMs);
        }
        case Interval::DayOfYear:
        case Interval::Day:
        case Interval::Weekday: unit = kMsPerDay; break;
        case Interval::Week: unit = 7 * kMsPerDay; break;
        case Interval::Hour: unit = 3'600'000; break;
        case Interval::Minute: unit = 60'000; break;
        case Interval::Second: unit = 1'000; break;
    }
    std::int64_t step = 0;
    std::int64_t result = 0;
    if (__builtin_mul_overflow(n, unit, &step) || __builtin_add_overflow(ms, step, &result) || !inRange(result))
        return std::nullopt;
    return msMoment(result);
}

int weekdayOf(std::int64_t dayNumber) { return static_cast<int>(((dayNumber + 6) % 7 + 7) % 7) + 1; }

std::int64_t dateDiff(Interval interval, double first, double second) {
    const std::int64_t msA = momentMs(first);
    const std::int64_t msB = momentMs(second);
    switch (interval) {
        case Interval::Hour: return floorDiv(msB, 3'600'000) - floorDiv(msA, 3'600'000);
        case Interval::Minute: return floorDiv(msB, 60'000) - floorDiv(msA, 60'000);
        case Interval::Second: return floorDiv(msB, 1'000) - floorDiv(msA, 1'000);
        case Interval::DayOfYear:
        case Interval::Day: return floorDiv(msB, kMsPerDay) - floorDiv(msA, kMsPerDay);
        case Interval::Weekday: return (floorDiv(msB, kMsPerDay) - floorDiv(msA, kMsPerDay)) / 7;
        case Interval::Week:
            // Sundays crossed; day 1 (1899-12-31) is a Sunday.
            return floorDiv(floorDiv(msB, kMsPerDay) - 1, 7) - floorDiv(floorDiv(msA, kMsPerDay) - 1, 7);
        default: break;
    }
    const Civil a = civilOf(first);
    const Civil b = civilOf(second);
    switch (interval) {
        case Interval::Year: return b.year - a.year;
        case Interval::Quarter: return (b.year * 4LL + (b.month - 1) / 3) - (a.year * 4LL + (a.month - 1) / 3);
        default: return (b.year * 12LL + b.month) - (a.year * 12LL + a.month);
    }
}

int datePart(Interval interval, double moment) {
    const Civil c = civilOf(moment);
    switch (interval) {
        case Interval::Year: return c.year;
        case Interval::Quarter: return (c.month - 1) / 3 + 1;
        case Interval::Month: return c.month;
        case Interval::DayOfYear: return static_cast<int>(c.dayNo - daysFromCivil(c.year, 1, 1)) + 1;
        case Interval::Day: return c.day;
        case Interval::Weekday: return weekdayOf(c.dayNo);
        case Interval::Week: {
            const std::int64_t jan1 = daysFromCivil(c.year, 1, 1);
            return static_cast<int>((c.dayNo - jan1 + (weekdayOf(jan1) - 1)) / 7) + 1;
        }
        case Interval::Hour: return static_cast<int>(c.timeMs / 3'600'000);
        case Interval::Minute: return static_cast<int>(c.timeMs / 60'000 % 60);
        case Interval::Second: return static_cast<int>(c.timeMs / 1'000 % 60);
    }
    return 0;
}

double dateValue(double moment) {
    return static_cast<double>(floorDiv(momentMs(moment), kMsPerDay));
}

std::string shortestNumberText(double value) {
    if (value == 0) return "0";  // also for -0
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

}  // namespace somnexa::storage
