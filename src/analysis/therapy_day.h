#pragma once
// The therapy-day convention and the small routines built on it.
//
// A therapy day D runs from D 12:00:00 up to, not including, D+1 12:00:00;
// the therapy day of a moment is the calendar date of the moment minus 12
// hours. Every usage figure of the analysis counts per therapy day.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "records/date_time.h"
#include "records/device_records.h"

namespace somnexa::storage {
class TDM;
}

namespace somnexa::analysis {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colour scale of the working pressure, 4 cmH2O (entry 0) to 20 cmH2O (entry 16).
extern const std::array<Rgb, 17> PressureColours;

// Whole cmH2O of a working pressure in tenths, clamped to 4..20.
int PressureLevel(std::int32_t workPressTenths);
// PressureColours entry of a working pressure in tenths.
Rgb PressureColour(std::int32_t workPressTenths);

// Working pressure of a session: StartPress (CPAP), MaxPress (AUTO), else InspPress.
std::int32_t WorkingPressure(const TStartEvent& settings);

// The therapy day of a moment, as its whole date (midnight).
DateTime TherapyDayOf(DateTime moment);
// "YYYY-MM-DD" of the therapy day of a moment.
std::string TherapyDayText(DateTime moment);

// x rounded half away from zero to the given number of decimals.
double RoundDigits(double x, std::uint8_t digits);
// |a - b| in whole seconds, rounded half away from zero.
std::int32_t SecondsBetween(DateTime a, DateTime b);

// Seconds of one session (openTime, times seconds long) that fall on any of
// days, the session being cut at every therapy-day end (at noon). Each piece
// counts its exact seconds, so a session whose days are all selected adds up
// to its length.
std::int32_t UsageInDays(std::int32_t times, const arTDate& days, DateTime openTime);

// "CPAP", "S", "S/T", "T", "AUTO"; any other mode the translated "Unknown".
std::string WorkModeName(std::int32_t mode, const storage::TDM& dm);

// ---- the day-piece query ----------------------------------------------------
// Cuts every session into at most two therapy-day pieces (its start day, and
// everything after it dated the next day), with the working pressure.

enum class PieceHead {
    AllColumns,     // rows of dates, openTime, endtime, WorkPress, times
    DistinctDates,  // the distinct dates only
};

// The query text up to, not including, its tail.
std::string DayPieceHead(PieceHead head);
// Tail of the analysis day list: every piece, newest first.
std::string DayPieceAllDaysTail();
// Tail of one month: pieces of sessions starting in the month of day.
std::string DayPieceMonthTail(DateTime dayInMonth);
// Tail of a range of days, both ends "YYYY-MM-DD" and included.
std::string DayPieceRangeTail(std::string_view begin, std::string_view end);

// The whole texts in the forms the windows use.
std::string DayPieceQueryAllDays();
std::string DayPieceQueryMonth(DateTime dayInMonth);
std::string DayPieceQueryRange(std::string_view begin, std::string_view end);

}  // namespace somnexa::analysis
