#include "analysis/period_figures.h"

#include <algorithm>
#include <cmath>

#include "analysis/number_text.h"
#include "records/qv_func.h"

namespace somnexa::analysis {

namespace {

constexpr int kPressure = codes::kLogPressure;  // hundredths of cmH2O
constexpr int kLeak = codes::kLogLeak;          // tenths of l/min

void addIndex(IndexFigure& figure, std::int64_t count, double use) {
    figure.Count += count;
    figure.Index += static_cast<double>(count) / use * 3600.0;
}

std::string indexWithCount(const IndexFigure& f, int decimals) {
    return FormatFixed(f.Index, decimals) + "(" + std::to_string(f.Count) + ")";
}

std::string total(const PeriodFigures& f) {
    return FormatDuration(static_cast<std::int32_t>(std::trunc(f.UseSeconds)));
}

}  // namespace

PeriodFigures ComputePeriodFigures(const TPatientData& data, FigureRules rules) {
    PeriodFigures f;
    f.DayCount = static_cast<std::int32_t>(data.Dates.size());
    f.SessionCount = static_cast<std::int32_t>(data.Sessions.size());
    f.UseSeconds = data.UseSeconds;
    if (!data.Dates.empty()) {
        f.FirstDay = data.Dates.front().format(DateTimeForm::DateText);
        f.LastDay = data.Dates.back().format(DateTimeForm::DateText);
    }
    const double use = data.UseSeconds != 0.0 ? data.UseSeconds : 1.0;

    double sumP = 0.0;
    double sumF = 0.0;
    for (const TAnalysis& day : data.Analysis) {
        const std::int64_t apnea = day.EventCount(codes::kApnea);
        const std::int64_t hypopnea = day.EventCount(codes::kHypopnea);
        addIndex(f.AI, apnea, use);
        addIndex(f.HI, hypopnea, use);
        addIndex(f.AHI, apnea + hypopnea, use);
        addIndex(f.SI, day.EventCount(codes::kSnore), use);
        addIndex(f.FI, day.EventCount(codes::kFlowLimitation), use);

        f.MaxP = std::max(f.MaxP, day.Parameter(kPressure, kMaximum) / 100.0);
        const double meanP = day.Parameter(kPressure, kMean) / 100.0;
        if (meanP > 0) {
            sumP += meanP;
            ++f.DaysWithPressure;
        }
        f.MaxF = std::max(f.MaxF, day.Parameter(kLeak, kMaximum) / 10.0);
        sumF += day.Parameter(kLeak, kMean) / 10.0;
    }

    f.SingleDay = rules == FigureRules::ByDayCount && data.Analysis.size() < 2;
    if (f.SingleDay) {
        const TAnalysis day = data.Analysis.empty() ? TAnalysis{} : data.Analysis.front();
        f.MaxP = day.Parameter(kPressure, kMaximum) / 100.0;
        f.P95 = day.Parameter(kPressure, kPercentile95) / 100.0;
        f.P90 = day.Parameter(kPressure, kPercentile90) / 100.0;
        f.AvgP = day.Parameter(kPressure, kMean) / 100.0;
        f.MaxF = day.Parameter(kLeak, kMaximum) / 10.0;
        f.F95 = day.Parameter(kLeak, kPercentile95) / 10.0;
        f.F90 = day.Parameter(kLeak, kPercentile90) / 10.0;
        f.AvgF = day.Parameter(kLeak, kMean) / 10.0;
    } else {
        // Over a period the percentiles are shares of the period's maximum, and
        // both means divide by the days that had a pressure mean.
        f.P95 = f.MaxP * 0.95;
        f.P90 = f.MaxP * 0.9;
        f.F95 = f.MaxF * 0.95;
        f.F90 = f.MaxF * 0.9;
        if (f.DaysWithPressure > 0) {
            f.AvgP = sumP / f.DaysWithPressure;
            f.AvgF = sumF / f.DaysWithPressure;
        }
    }
    return f;
}

std::string PeriodText(const PeriodFigures& f, const std::string& separator) {
    if (f.DayCount <= 0) return {};
    if (f.DayCount == 1) return f.FirstDay;
    return f.LastDay + separator + f.FirstDay;
}

std::vector<NamedText> ReportFigureTexts(const PeriodFigures& f) {
    auto fixed1 = [](double v) { return FormatFixed(v, 1); };
    auto fixed2 = [](double v) { return FormatFixed(v, 2); };
    return {
        {"mmoDate", PeriodText(f, " - ")},
        {"mmoNumber", std::to_string(f.SessionCount)},
        {"mmoTotal", total(f)},
        {"mmoCountAI", std::to_string(f.AI.Count)},
        {"mmoAI", fixed2(f.AI.Index)},
        {"mmoCountHI", std::to_string(f.HI.Count)},
        {"mmoHI", fixed2(f.HI.Index)},
        {"mmoCountAHI", std::to_string(f.AHI.Count)},
        {"mmoAHI", fixed2(f.AHI.Index)},
        {"mmoCountSI", std::to_string(f.SI.Count)},
        {"mmoSI", fixed2(f.SI.Index)},
        {"mmoCountFI", std::to_string(f.FI.Count)},
        {"mmoFI", fixed2(f.FI.Index)},
        {"mmoMaxP", fixed1(f.MaxP)},
        {"mmo95thP", fixed1(f.P95)},
        {"mmo90thP", fixed1(f.P90)},
        {"mmoAvgP", fixed1(f.AvgP)},
        {"mmoMaxF", fixed1(f.MaxF)},
        {"mmo95thF", fixed1(f.F95)},
        {"mmo90thF", fixed1(f.F90)},
        {"mmoAvgF", fixed1(f.AvgF)},
    };
}

std::vector<NamedText> TableFigureTexts(const PeriodFigures& f) {
    auto fixed1 = [](double v) { return FormatFixed(v, 1); };
    std::vector<NamedText> texts = {
        {"lblUsingDate", f.SingleDay ? PeriodText(f, "  -  ") : f.LastDay + "  -  " + f.FirstDay},
        {"lblNumber", std::to_string(f.SessionCount)},
        {"lblTotal", total(f)},
        {"lblDays", std::to_string(f.DayCount)},
    };
    if (f.SingleDay) {
        for (const auto& [name, figure] : {std::pair{"lblAI", &f.AI}, std::pair{"lblHI", &f.HI},
                                           std::pair{"lblAHI", &f.AHI}, std::pair{"lblSI", &f.SI},
                                           std::pair{"lblFI", &f.FI}})
            texts.push_back({name, indexWithCount(*figure, 2)});
    } else {
        texts.push_back({"lblAI", indexWithCount(f.AI, 1)});
        texts.push_back({"lblHI", indexWithCount(f.HI, 1)});
        texts.push_back({"lblAHI", indexWithCount(f.AHI, 1)});
        texts.push_back({"lblSI", indexWithCount(f.SI, 1)});
        texts.push_back({"lblFI", FormatFixed(f.FI.Index, 1)});
    }
    texts.push_back({"lblMaxP", fixed1(f.MaxP)});
    texts.push_back({"lbl95thP", fixed1(f.P95)});
    texts.push_back({"lblAvgP", fixed1(f.AvgP)});
    texts.push_back({"lblMaxF", fixed1(f.MaxF)});
    // Hidden on the page; the period form shows it unformatted.
    texts.push_back({"lbl95thF", f.SingleDay ? fixed1(f.F95) : FormatGeneral(f.F95)});
    texts.push_back({"lblAvgF", fixed1(f.AvgF)});
    return texts;
}

std::string TextOf(const std::vector<NamedText>& texts, const std::string& name) {
    for (const NamedText& t : texts)
        if (t.Name == name) return t.Text;
    return {};
}

}  // namespace somnexa::analysis
