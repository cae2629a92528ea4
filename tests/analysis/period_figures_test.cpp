#include "analysis/period_figures.h"

#include <gtest/gtest.h>

#include "analysis/number_text.h"
#include "patient_fixture.h"

namespace somnexa::analysis {
namespace {

using test::at;

struct Day {
    const char* date;
    int apnea = 0, hypopnea = 0, snore = 0, flow = 0;
    // raw units: pressure hundredths, leak tenths; DataMode 0, 1, 2, 3
    std::array<double, 4> pressure{};
    std::array<double, 4> leak{};
};

TPatientData selection(const std::vector<Day>& days, double useSeconds, int sessions = 1) {
    TPatientData data;
    for (const Day& d : days) {
        data.Dates.push_back(at(d.date));
        TAnalysis a;
        if (d.apnea) a.SetEventCount(9, d.apnea);
        if (d.hypopnea) a.SetEventCount(19, d.hypopnea);
        if (d.snore) a.SetEventCount(6, d.snore);
        if (d.flow) a.SetEventCount(7, d.flow);
        for (int m = 0; m < 4; ++m) {
            if (d.pressure[static_cast<std::size_t>(m)] != 0) a.SetParameter(16, m, d.pressure[static_cast<std::size_t>(m)]);
            if (d.leak[static_cast<std::size_t>(m)] != 0) a.SetParameter(17, m, d.leak[static_cast<std::size_t>(m)]);
        }
        data.Analysis.push_back(a);
    }
    data.DateCount = static_cast<std::int32_t>(days.size());
    data.UseSeconds = useSeconds;
    data.Sessions.resize(static_cast<std::size_t>(sessions));
    return data;
}

TEST(NumberText, FixedDecimalsRoundHalfAwayFromZero) {
    EXPECT_EQ(FormatFixed(8.15, 1), "8.2");
    EXPECT_EQ(FormatFixed(0.05, 1), "0.1");
    EXPECT_EQ(FormatFixed(0.25, 1), "0.3");
    EXPECT_EQ(FormatFixed(-0.25, 1), "-0.3");
    EXPECT_EQ(FormatFixed(-0.04, 1), "0.0");
    EXPECT_EQ(FormatFixed(9.0, 1), "9.0");
    EXPECT_EQ(FormatFixed(1.005, 2), "1.01");
    EXPECT_EQ(FormatFixed(2.0 / 3.0, 2), "0.67");
    EXPECT_EQ(FormatGeneral(4.5), "4.5");
    EXPECT_EQ(FormatGeneral(5.0), "5");
    EXPECT_EQ(FormatGeneral(0.1 * 3), "0.3");
    EXPECT_EQ(FormatGeneral(12.35), "12.35");
}

TEST(PeriodFigures, OneDayUsesItsOwnStatistics) {
    const TPatientData data = selection({{"2025-01-06", 4, 2, 1, 3, {1230, 1180, 950, 1100}, {305, 290, 120, 250}}},
                                        7200, 2);
    const PeriodFigures f = ComputePeriodFigures(data);
    EXPECT_TRUE(f.SingleDay);
    EXPECT_EQ(f.AI.Count, 4);
    EXPECT_DOUBLE_EQ(f.AI.Index, 2.0);
    EXPECT_DOUBLE_EQ(f.AHI.Index, 3.0);

    const auto report = ReportFigureTexts(f);
    EXPECT_EQ(TextOf(report, "mmoDate"), "2025-01-06");
    EXPECT_EQ(TextOf(report, "mmoNumber"), "2");
    EXPECT_EQ(TextOf(report, "mmoTotal"), "02:00:00");
    EXPECT_EQ(TextOf(report, "mmoCountAI"), "4");
    EXPECT_EQ(TextOf(report, "mmoAI"), "2.00");
    EXPECT_EQ(TextOf(report, "mmoCountAHI"), "6");
    EXPECT_EQ(TextOf(report, "mmoAHI"), "3.00");
    EXPECT_EQ(TextOf(report, "mmoSI"), "0.50");
    EXPECT_EQ(TextOf(report, "mmoFI"), "1.50");
    // The stored daily percentiles, not shares of the maximum.
    EXPECT_EQ(TextOf(report, "mmoMaxP"), "12.3");
    EXPECT_EQ(TextOf(report, "mmo95thP"), "11.8");
    EXPECT_EQ(TextOf(report, "mmo90thP"), "11.0");
    EXPECT_EQ(TextOf(report, "mmoAvgP"), "9.5");
    EXPECT_EQ(TextOf(report, "mmoMaxF"), "30.5");
    EXPECT_EQ(TextOf(report, "mmo95thF"), "29.0");
    EXPECT_EQ(TextOf(report, "mmo90thF"), "25.0");
    EXPECT_EQ(TextOf(report, "mmoAvgF"), "12.0");

    const auto table = TableFigureTexts(f);
    EXPECT_EQ(TextOf(table, "lblUsingDate"), "2025-01-06");
    EXPECT_EQ(TextOf(table, "lblDays"), "1");
    EXPECT_EQ(TextOf(table, "lblAI"), "2.00(4)");
    EXPECT_EQ(TextOf(table, "lblAHI"), "3.00(6)");
    EXPECT_EQ(TextOf(table, "lblFI"), "1.50(3)");
    EXPECT_EQ(TextOf(table, "lbl95thP"), "11.8");
    EXPECT_EQ(TextOf(table, "lblAvgF"), "12.0");
}

TEST(PeriodFigures, DayWithoutEventsReadsZero) {
    const auto table = TableFigureTexts(ComputePeriodFigures(selection({{"2025-01-06"}}, 3600)));
    EXPECT_EQ(TextOf(table, "lblAI"), "0.00(0)");
    EXPECT_EQ(TextOf(table, "lblHI"), "0.00(0)");
    EXPECT_EQ(TextOf(table, "lblAHI"), "0.00(0)");
}

TEST(PeriodFigures, SeveralDaysMeansCountOnlyDaysWithPressure) {
    const TPatientData data = selection(
        {
            {"2025-01-08", 1, 0, 0, 0, {1000, 900, 800, 850}, {400, 0, 100, 0}},
            {"2025-01-07", 0, 0, 0, 0, {0, 0, 0, 0}, {200, 0, 60, 0}},
            {"2025-01-06", 2, 3, 0, 1, {1500, 1400, 1000, 1300}, {300, 0, 140, 0}},
        },
        36000, 3);
    const PeriodFigures f = ComputePeriodFigures(data);
    EXPECT_FALSE(f.SingleDay);
    EXPECT_EQ(f.DaysWithPressure, 2);
    EXPECT_DOUBLE_EQ(f.MaxP, 15.0);
    EXPECT_DOUBLE_EQ(f.AvgP, 9.0);  // (8.0 + 10.0) / 2, the day without pressure left out
    EXPECT_DOUBLE_EQ(f.MaxF, 40.0);
    EXPECT_DOUBLE_EQ(f.AvgF, 15.0);  // (10 + 6 + 14) / 2: leak adds every day
    const auto report = ReportFigureTexts(f);
    EXPECT_EQ(TextOf(report, "mmoDate"), "2025-01-06 - 2025-01-08");
    EXPECT_EQ(TextOf(report, "mmoAvgP"), "9.0");
    EXPECT_EQ(TextOf(report, "mmo95thP"), "14.3");  // 95 % of the maximum, 14.25
    EXPECT_EQ(TextOf(report, "mmo90thP"), "13.5");
    EXPECT_EQ(TextOf(report, "mmo95thF"), "38.0");
    EXPECT_EQ(TextOf(report, "mmo90thF"), "36.0");
    EXPECT_EQ(TextOf(report, "mmoCountAHI"), "6");
    EXPECT_EQ(TextOf(report, "mmoAHI"), "0.60");
    EXPECT_EQ(TextOf(report, "mmoTotal"), "10:00:00");

    const auto table = TableFigureTexts(f);
    EXPECT_EQ(TextOf(table, "lblUsingDate"), "2025-01-06  -  2025-01-08");
    EXPECT_EQ(TextOf(table, "lblDays"), "3");
    EXPECT_EQ(TextOf(table, "lblAI"), "0.3(3)");
    EXPECT_EQ(TextOf(table, "lblAHI"), "0.6(6)");
    EXPECT_EQ(TextOf(table, "lblFI"), "0.1");
    EXPECT_EQ(TextOf(table, "lbl95thP"), "14.3");
    EXPECT_EQ(TextOf(table, "lbl95thF"), "38");
}

TEST(PeriodFigures, NoPressureMeansReadZero) {
    const PeriodFigures f = ComputePeriodFigures(
        selection({{"2025-01-07", 0, 0, 0, 0, {}, {100, 0, 50, 0}}, {"2025-01-06"}}, 3600));
    EXPECT_EQ(f.AvgP, 0.0);
    EXPECT_EQ(f.AvgF, 0.0);
    EXPECT_EQ(TextOf(ReportFigureTexts(f), "mmoMaxF"), "10.0");
}

TEST(PeriodFigures, NoUseCountsPerSecond) {
    const PeriodFigures f = ComputePeriodFigures(selection({{"2025-01-06", 2}}, 0));
    EXPECT_DOUBLE_EQ(f.AI.Index, 7200.0);
    EXPECT_EQ(TextOf(TableFigureTexts(f), "lblAI"), "7200.00(2)");
}

TEST(PeriodFigures, RangeOfOneDayTakesThePeriodRules) {
    const TPatientData data = selection({{"2025-01-06", 1, 0, 0, 0, {1000, 980, 800, 950}, {}}}, 3600);
    const PeriodFigures f = ComputePeriodFigures(data, FigureRules::Period);
    EXPECT_FALSE(f.SingleDay);
    EXPECT_DOUBLE_EQ(f.P95, 9.5);
    EXPECT_DOUBLE_EQ(f.AvgP, 8.0);
    const auto table = TableFigureTexts(f);
    EXPECT_EQ(TextOf(table, "lblUsingDate"), "2025-01-06  -  2025-01-06");
    EXPECT_EQ(TextOf(table, "lblAI"), "1.0(1)");
}

TEST(PeriodFigures, EmptySelection) {
    const PeriodFigures f = ComputePeriodFigures(TPatientData{});
    EXPECT_EQ(f.DayCount, 0);
    EXPECT_EQ(TextOf(ReportFigureTexts(f), "mmoDate"), "");
    EXPECT_EQ(TextOf(ReportFigureTexts(f), "mmoMaxP"), "0.0");
}

}  // namespace
}  // namespace somnexa::analysis
