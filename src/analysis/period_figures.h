#pragma once
// The figures of a selection of therapy days: event counts and indices per
// hour of use, pressure and leak figures, the period and its use. The
// statistics table and the printed report show these.

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/analysis_records.h"

namespace somnexa::analysis {

// Which pressure and leak figures a selection gets.
enum class FigureRules {
    // One analysed day (fewer than two entries in Analysis): the day's own
    // maximum, percentiles and mean; several days: the period rules.
    ByDayCount,
    // The period rules whatever the number of days (after a range query).
    Period,
};

struct IndexFigure {
    std::int64_t Count = 0;  // events over all days
    double Index = 0.0;      // events per hour of use
};

struct PeriodFigures {
    std::int32_t DayCount = 0;
    std::int32_t SessionCount = 0;
    double UseSeconds = 0.0;
    std::string FirstDay;  // first entry of Dates (the newest), "YYYY-MM-DD"
    std::string LastDay;   // last entry (the oldest)

    IndexFigure AI;   // apnea, type 9
    IndexFigure HI;   // hypopnea, type 19
    IndexFigure AHI;  // types 9 and 19
    IndexFigure SI;   // snore, type 6
    IndexFigure FI;   // flow limitation, type 7

    bool SingleDay = false;  // the pressure and leak figures are one day's own
    // cmH2O
    double MaxP = 0, P95 = 0, P90 = 0, AvgP = 0;
    // l/min
    double MaxF = 0, F95 = 0, F90 = 0, AvgF = 0;
    std::int32_t DaysWithPressure = 0;
};

PeriodFigures ComputePeriodFigures(const TPatientData& data, FigureRules rules = FigureRules::ByDayCount);

// A text for a named memo or label of a window or report.
struct NamedText {
    std::string Name;
    std::string Text;
    friend bool operator==(const NamedText&, const NamedText&) = default;
};

// "YYYY-MM-DD" of one day; for several, the oldest + separator + the newest.
std::string PeriodText(const PeriodFigures& f, const std::string& separator);

// The printed report's memos: mmoDate, mmoNumber, mmoTotal, mmoCountAI, mmoAI,
// ... mmoCountFI, mmoFI, mmoMaxP, mmo95thP, mmo90thP, mmoAvgP, mmoMaxF,
// mmo95thF, mmo90thF, mmoAvgF.
std::vector<NamedText> ReportFigureTexts(const PeriodFigures& f);

// The statistics table's labels: lblUsingDate, lblNumber, lblTotal, lblDays,
// lblAI, lblHI, lblAHI, lblSI, lblFI, lblMaxP, lbl95thP, lblAvgP, lblMaxF,
// lbl95thF, lblAvgF. The single-day form (counts per hour with two decimals,
// the day's own pressure and leak) when f.SingleDay, else the period form.
std::vector<NamedText> TableFigureTexts(const PeriodFigures& f);

// The text of one name in a list, empty when absent.
std::string TextOf(const std::vector<NamedText>& texts, const std::string& name);

}  // namespace somnexa::analysis
