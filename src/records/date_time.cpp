#include "records/date_time.h"

#include <cmath>
#include <cstdio>

namespace somnexa {
namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;
// Day number of 1899-12-30 in the days-from-1970 count used by the civil algorithm.
constexpr std::int64_t kEpochShift = -25'569;

// Howard Hinnant's days_from_civil, counting from 1970-01-01.
std::int64_t unixDaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromUnixDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<int>(y + (m <= 2));
    month = static_cast<int>(m);
    day = static_cast<int>(d);
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int parseDigits(std::string_view s, std::size_t pos, std::size_t count, bool& ok) {
    int value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char c = s[pos + i];
        if (c < '0' || c > '9') {
            ok = false;
            return 0;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

std::int64_t daysFromCivil(int year, int month, int day) {
    return unixDaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpochShift;
}

void civilFromDays(std::int64_t days, int& year, int& month, int& day) {
    civilFromUnixDays(days + kEpochShift, year, month, day);
}

bool isValidDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int last = month == 2 && leap ? 29 : kDays[month - 1];
    return day <= last;
}

// A negative day count keeps the time of day as a positive fraction of the day
// before the integer part (the convention of the stored form): -1.25 is
// 1899-12-29 06:00.
std::int64_t toMilliseconds(DateTime t) {
    const double v = t.days();
    const double whole = std::trunc(v);
    const auto timeMs = static_cast<std::int64_t>(std::llround(std::fabs(v - whole) * kMsPerDay));
    return static_cast<std::int64_t>(whole) * kMsPerDay + timeMs;
}

DateTime fromMilliseconds(std::int64_t ms) {
    const std::int64_t dayNo = floorDiv(ms, kMsPerDay);
    const double fraction = static_cast<double>(ms - dayNo * kMsPerDay) / kMsPerDay;
    return DateTime(dayNo >= 0 ? static_cast<double>(dayNo) + fraction : static_cast<double>(dayNo) - fraction);
}

std::optional<DateTime> DateTime::fromCalendar(int year, int month, int day, int hour, int minute, int second,
                                               int millisecond) {
    if (!isValidDate(year, month, day)) return std::nullopt;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        return std::nullopt;
    const std::int64_t d = daysFromCivil(year, month, day);
    const std::int64_t timeMs = ((hour * 60LL + minute) * 60LL + second) * 1000LL + millisecond;
    const double fraction = static_cast<double>(timeMs) / kMsPerDay;
    return DateTime(d >= 0 ? static_cast<double>(d) + fraction : static_cast<double>(d) - fraction);
}

CalendarTime DateTime::calendar() const {
    const std::int64_t ms = toMilliseconds(*this);
    const std::int64_t dayNo = floorDiv(ms, kMsPerDay);
    const std::int64_t timeMs = ms - dayNo * kMsPerDay;
    CalendarTime c;
    civilFromDays(dayNo, c.year, c.month, c.day);
    c.millisecond = static_cast<int>(timeMs % 1000);
    const std::int64_t secs = timeMs / 1000;
    c.second = static_cast<int>(secs % 60);
    c.minute = static_cast<int>((secs / 60) % 60);
    c.hour = static_cast<int>(secs / 3600);
    return c;
}

std::int64_t DateTime::dayNumber() const {
    const CalendarTime c = calendar();
    return daysFromCivil(c.year, c.month, c.day);
}

DateTime DateTime::datePart() const { return DateTime(static_cast<double>(dayNumber())); }

DateTime DateTime::addMilliseconds(std::int64_t ms) const { return fromMilliseconds(toMilliseconds(*this) + ms); }

std::string DateTime::format(DateTimeForm form) const {
    const CalendarTime c = calendar();
    char buf[32];
    switch (form) {
        case DateTimeForm::DateTimeText:
            std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", c.year, c.month, c.day, c.hour, c.minute,
                          c.second);
            break;
        case DateTimeForm::DateText:
            std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", c.year, c.month, c.day);
            break;
        case DateTimeForm::FileStamp:
            std::snprintf(buf, sizeof buf, "%04d%02d%02d%02d%02d%02d", c.year, c.month, c.day, c.hour, c.minute,
                          c.second);
            break;
    }
    return buf;
}

std::optional<DateTime> DateTime::parse(std::string_view s) {
    bool ok = true;
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, se = 0;
    if (s.size() == 14) {
        y = parseDigits(s, 0, 4, ok);
        mo = parseDigits(s, 4, 2, ok);
        d = parseDigits(s, 6, 2, ok);
        h = parseDigits(s, 8, 2, ok);
        mi = parseDigits(s, 10, 2, ok);
        se = parseDigits(s, 12, 2, ok);
    } else if (s.size() == 10 || s.size() == 19) {
        y = parseDigits(s, 0, 4, ok);
        ok = ok && s[4] == '-' && s[7] == '-';
        mo = parseDigits(s, 5, 2, ok);
        d = parseDigits(s, 8, 2, ok);
        if (s.size() == 19) {
            ok = ok && s[10] == ' ' && s[13] == ':' && s[16] == ':';
            h = parseDigits(s, 11, 2, ok);
            mi = parseDigits(s, 14, 2, ok);
            se = parseDigits(s, 17, 2, ok);
        }
    } else {
        return std::nullopt;
    }
    if (!ok) return std::nullopt;
    return fromCalendar(y, mo, d, h, mi, se);
}

}  // namespace somnexa
