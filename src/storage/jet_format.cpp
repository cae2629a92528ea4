// Format() of the dialect: date-time patterns and simple number patterns.

#include <cmath>
#include <cstdio>

#include "storage/jet_dates.h"

namespace somnexa::storage {
namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::size_t runLength(std::string_view p, std::size_t i) {
    const char c = lower(p[i]);
    std::size_t n = 1;
    while (i + n < p.size() && lower(p[i + n]) == c) ++n;
    return n;
}

void appendNumber(std::string& out, long long v, int width) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%0*lld", width, v);
    out += buf;
}

constexpr const char* kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};
constexpr const char* kDayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

}  // namespace

bool isDatePattern(std::string_view p) {
    bool quoted = false;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const char c = lower(p[i]);
        if (c == '"') quoted = !quoted;
        else if (quoted) continue;
        else if (c == '\\') ++i;
        else if (c == 'y' || c == 'm' || c == 'd' || c == 'h' || c == 'n' || c == 's' || c == 'q') return true;
    }
    return false;
}

std::string formatMoment(double moment, std::string_view p) {
    const CalendarTime c = DateTime(moment).calendar();
    const std::int64_t dayNo = DateTime(moment).dayNumber();
    std::string out;
    out.reserve(p.size() + 8);
    bool afterHour = false;  // "m" right after an hour (literals between allowed) means minutes
    for (std::size_t i = 0; i < p.size();) {
        const char ch = lower(p[i]);
        if (ch == '"') {
            const std::size_t end = p.find('"', i + 1);
            const std::size_t stop = end == std::string_view::npos ? p.size() : end;
            out.append(p.substr(i + 1, stop - i - 1));
            i = stop + 1;
            continue;
        }
        if (ch == '\\') {
            if (i + 1 < p.size()) out.push_back(p[i + 1]);
            i += 2;
            continue;
        }
        if ((ch == 'a' || ch == 'A') && i + 5 <= p.size() &&
            (p.substr(i, 5) == "AM/PM" || p.substr(i, 5) == "am/pm")) {
            const bool upper = p[i] == 'A';
            out += c.hour < 12 ? (upper ? "AM" : "am") : (upper ? "PM" : "pm");
            i += 5;
            continue;
        }
        const std::size_t n = runLength(p, i);
        switch (ch) {
            case 'y':
                if (n >= 3) appendNumber(out, c.year, 4), afterHour = false;
                else if (n == 2) appendNumber(out, c.year % 100, 2);
                else appendNumber(out, datePart(Interval::DayOfYear, moment), 1);
                break;
            case 'q': appendNumber(out, (c.month - 1) / 3 + 1, 1); break;
            case 'm':
                if (afterHour && n <= 2) appendNumber(out, c.minute, static_cast<int>(n));
                else if (n >= 4) out += kMonthNames[c.month - 1];
                else if (n == 3) out.append(kMonthNames[c.month - 1], 3);
                else appendNumber(out, c.month, static_cast<int>(n));
                break;
            case 'd':
                if (n >= 4) out += kDayNames[weekdayOf(dayNo) - 1];
                else if (n == 3) out.append(kDayNames[weekdayOf(dayNo) - 1], 3);
                else appendNumber(out, c.day, static_cast<int>(n));
                break;
            case 'h': appendNumber(out, c.hour, n >= 2 ? 2 : 1); break;
            case 'n': appendNumber(out, c.minute, n >= 2 ? 2 : 1); break;
            case 's': appendNumber(out, c.second, n >= 2 ? 2 : 1); break;
            default: out.append(p.substr(i, n)); break;
        }
        if (ch == 'h') afterHour = true;
        else if (ch == 'y' || ch == 'd' || ch == 'q' || ch == 's' || ch == 'm' || ch == 'n') afterHour = false;
        i += n;
    }
    return out;
}

std::string formatNumber(double value, std::string_view p) {
    int decimals = 0;
    bool thousands = false;
    bool percent = false;
    const std::size_t dot = p.find('.');
    if (dot != std::string_view::npos)
        for (std::size_t i = dot + 1; i < p.size() && (p[i] == '0' || p[i] == '#'); ++i) ++decimals;
    for (std::size_t i = 0; i < p.size() && i < dot; ++i) thousands = thousands || p[i] == ',';
    percent = p.find('%') != std::string_view::npos;
    if (percent) value *= 100;
    // Halves round away from zero, as the dialect's Format does.
    const double scale = std::pow(10.0, decimals);
    if (std::fabs(value) * scale < 1e15) value = std::round(value * scale) / scale;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    std::string digits = buf;
    if (thousands) {
        const std::string_view all = digits;
        const std::size_t start = all[0] == '-' ? 1 : 0;
        std::size_t end = all.find('.');
        if (end == std::string_view::npos) end = all.size();
        std::string grouped(all.substr(0, start));
        for (std::size_t k = start; k < end; ++k) {
            if (k > start && (end - k) % 3 == 0) grouped.push_back(',');
            grouped.push_back(all[k]);
        }
        grouped.append(all.substr(end));
        digits = std::move(grouped);
    }
    if (percent) digits += "%";
    return digits;
}

}  // namespace somnexa::storage
