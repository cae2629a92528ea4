#include "analysis/therapy_day.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "storage/data_module.h"

namespace somnexa::analysis {

const std::array<Rgb, 17> PressureColours = {{
    {0, 0, 255},   {0, 32, 224},  {0, 64, 192},  {0, 96, 160},  {0, 128, 128}, {0, 160, 96},
    {0, 192, 64},  {0, 224, 32},  {0, 255, 0},   {32, 224, 0},  {64, 192, 0},  {96, 160, 0},
    {128, 128, 0}, {160, 96, 0},  {192, 64, 0},  {224, 32, 0},  {255, 0, 0},
}};

int PressureLevel(std::int32_t workPressTenths) { return std::clamp(workPressTenths / 10, 4, 20); }

Rgb PressureColour(std::int32_t workPressTenths) {
    return PressureColours[static_cast<std::size_t>(PressureLevel(workPressTenths) - 4)];
}

std::int32_t WorkingPressure(const TStartEvent& settings) {
    if (settings.WorkMode == 0) return settings.StartPress;
    if (settings.WorkMode == 4) return settings.MaxPress;
    return settings.InspPress;
}

DateTime TherapyDayOf(DateTime moment) { return moment.addSeconds(-43200.0).datePart(); }

std::string TherapyDayText(DateTime moment) { return TherapyDayOf(moment).format(DateTimeForm::DateText); }

double RoundDigits(double x, std::uint8_t digits) {
    const double s = std::pow(10.0, digits);
    const double t = x > 0 ? x * s + 0.5 : x * s - 0.5;
    return std::trunc(t) / s;
}

std::int32_t SecondsBetween(DateTime a, DateTime b) {
    const double seconds = std::trunc(RoundDigits(std::fabs(a.days() - b.days()) * 86400.0, 0));
    // Moments from damaged data must not overflow the result.
    if (!(seconds < static_cast<double>(INT32_MAX))) return std::isnan(seconds) ? 0 : INT32_MAX;
    return static_cast<std::int32_t>(seconds);
}

std::int32_t UsageInDays(std::int32_t times, const arTDate& days, DateTime openTime) {
    // Whole milliseconds, so that every piece ends exactly at the next noon
    // and the pieces of a session add up to its length.
    constexpr std::int64_t kDayMs = 86400 * 1000;
    constexpr std::int64_t kHalfDayMs = kDayMs / 2;
    std::int64_t result = 0;
    std::int64_t cur = toMilliseconds(openTime);
    const std::int64_t end = cur + std::int64_t{times} * 1000;
    while (end > cur) {
        const std::int64_t shifted = cur - kHalfDayMs;
        const std::int64_t day = shifted / kDayMs - (shifted % kDayMs < 0 ? 1 : 0);
        const std::int64_t nextNoon = (day + 1) * kDayMs + kHalfDayMs;
        const std::int64_t pieceEnd = std::min(end, nextNoon);
        for (const DateTime& d : days)
            if (d.dayNumber() == day) result += (pieceEnd - cur + 500) / 1000;
        cur = nextNoon;
    }
    return static_cast<std::int32_t>(std::min<std::int64_t>(result, INT32_MAX));
}

std::string WorkModeName(std::int32_t mode, const storage::TDM& dm) {
    switch (mode) {
        case 0: return "CPAP";
        case 1: return "S";
        case 2: return "S/T";
        case 3: return "T";
        case 4: return "AUTO";
        default: return dm.CatalogueText("Unknown");
    }
}

namespace {

const std::string kPieceSource =
    " (SELECT datevalue(dateadd('h', -12, opentime)) AS Dates1, opentime, dateadd('s', times, opentime) AS "
    "endtime, times as times1, iif(WorkMode=0, StartPress, iif(WorkMode=4, MaxPress, inspPress)) as WorkPress "
    "FROM tsession) ";

std::string dayText(int year, int month, int day) {
    return DateTime::fromCalendar(year, month, day)->format(DateTimeForm::DateText);
}

}  // namespace

std::string DayPieceHead(PieceHead head) {
    std::string sql = head == PieceHead::DistinctDates ? "SELECT distinct dates from " : "SELECT * from ";
    sql +=
        "(SELECT dates1 as dates, openTime, endtime, WorkPress, (IIf(datevalue(dateadd('h', -12, endtime)) = "
        "dates1, times1, datediff('s',opentime,dateadd('h', 36, dates1)))) AS times FROM ";
    sql += kPieceSource;
    sql += " ";
    sql += "UNION ALL ";
    sql += "SELECT dateadd('d', 1, dates1) as dates, opentime, endtime, WorkPress, ";
    sql += "datediff('s', dateadd('h', 36, dates1), endtime) as times ";
    sql += "FROM ";
    sql += kPieceSource;
    sql += " WHERE datevalue(dateadd('h', -12, endtime)) <> dates1";
    return sql;
}

std::string DayPieceAllDaysTail() { return ") where times > 0 ORDER BY dates DESC"; }

std::string DayPieceMonthTail(DateTime dayInMonth) {
    const CalendarTime c = dayInMonth.calendar();
    const int nextYear = c.month == 12 ? c.year + 1 : c.year;
    const int nextMonth = c.month == 12 ? 1 : c.month + 1;
    return ") where dateadd('h',-12,opentime) between #" + dayText(c.year, c.month, 1) + "# and #" +
           dayText(nextYear, nextMonth, 1) + "# " + "and times > 0 ORDER BY dates DESC";
}

std::string DayPieceRangeTail(std::string_view begin, std::string_view end) {
    return ") where times > 0 and  CDate(dates) >=CDate('" + std::string(begin) + "')  and  dates <=CDate('" +
           std::string(end) + "')  ORDER BY dates DESC";
}

std::string DayPieceQueryAllDays() { return DayPieceHead(PieceHead::AllColumns) + DayPieceAllDaysTail(); }

std::string DayPieceQueryMonth(DateTime dayInMonth) {
    return DayPieceHead(PieceHead::AllColumns) + DayPieceMonthTail(dayInMonth);
}

std::string DayPieceQueryRange(std::string_view begin, std::string_view end) {
    return DayPieceHead(PieceHead::DistinctDates) + DayPieceRangeTail(begin, end);
}

}  // namespace somnexa::analysis
