#include "analysis/therapy_day.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "patient_fixture.h"
#include "storage/data_module.h"

namespace somnexa::analysis {
namespace {

using test::at;

TEST(PressureColours, ScaleAndClamping) {
    EXPECT_EQ(PressureColours[0], (Rgb{0, 0, 255}));
    EXPECT_EQ(PressureColours[8], (Rgb{0, 255, 0}));
    EXPECT_EQ(PressureColours[9], (Rgb{32, 224, 0}));
    EXPECT_EQ(PressureColours[16], (Rgb{255, 0, 0}));
    struct Case { int tenths; int level; };
    for (const Case c : {Case{0, 4}, Case{39, 4}, Case{49, 4}, Case{50, 5}, Case{125, 12}, Case{209, 20}, Case{400, 20}}) {
        EXPECT_EQ(PressureLevel(c.tenths), c.level) << c.tenths;
        EXPECT_EQ(PressureColour(c.tenths), PressureColours[static_cast<std::size_t>(c.level - 4)]);
    }
}

TEST(WorkingPressure, DependsOnTheMode) {
    TStartEvent s;
    s.StartPress = 60;
    s.InspPress = 120;
    s.MaxPress = 150;
    for (const auto& [mode, expected] : {std::pair{0, 60}, {1, 120}, {2, 120}, {3, 120}, {4, 150}, {9, 120}}) {
        s.WorkMode = mode;
        EXPECT_EQ(WorkingPressure(s), expected) << mode;
    }
}

TEST(TherapyDay, NoonIsTheDayBoundary) {
    EXPECT_EQ(TherapyDayText(at("2025-01-01 11:59:59")), "2024-12-31");
    EXPECT_EQ(TherapyDayText(at("2025-01-01 12:00:00")), "2025-01-01");
    EXPECT_EQ(TherapyDayText(at("2025-03-01 02:00:00")), "2025-02-28");
    EXPECT_EQ(TherapyDayText(at("2024-03-01 02:00:00")), "2024-02-29");
}

TEST(RoundDigits, HalfAwayFromZero) {
    EXPECT_DOUBLE_EQ(RoundDigits(2.5, 0), 3.0);
    EXPECT_DOUBLE_EQ(RoundDigits(-2.5, 0), -3.0);
    EXPECT_DOUBLE_EQ(RoundDigits(2.4999, 0), 2.0);
    EXPECT_DOUBLE_EQ(RoundDigits(1.2345, 2), 1.23);
    EXPECT_DOUBLE_EQ(RoundDigits(0.0, 3), 0.0);
}

TEST(SecondsBetween, RoundsTheAbsoluteDifference) {
    EXPECT_EQ(SecondsBetween(at("2025-01-01 22:00:00"), at("2025-01-02 06:00:00")), 28800);
    EXPECT_EQ(SecondsBetween(at("2025-01-02 06:00:00"), at("2025-01-01 22:00:00")), 28800);
    EXPECT_EQ(SecondsBetween(at("2025-01-01 12:00:00").addMilliseconds(-1), at("2025-01-01 10:00:00")), 7200);
    EXPECT_EQ(SecondsBetween(at("2025-01-01 12:00:00").addMilliseconds(499), at("2025-01-01 12:00:00")), 0);
}

struct UsageCase {
    const char* name;
    const char* open;
    int times;
    std::vector<const char*> days;
    int expected;
};

class UsageInDaysTest : public testing::TestWithParam<UsageCase> {};

TEST_P(UsageInDaysTest, SplitsAtEveryNoon) {
    const UsageCase& c = GetParam();
    arTDate days;
    for (const char* d : c.days) days.push_back(at(d));
    EXPECT_EQ(UsageInDays(c.times, days, at(c.open)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UsageInDaysTest,
    testing::Values(
        UsageCase{"EveningToMorning", "2025-01-06 22:00:00", 28800, {"2025-01-06"}, 28800},
        UsageCase{"EveningToMorningOtherDay", "2025-01-06 22:00:00", 28800, {"2025-01-07"}, 0},
        UsageCase{"MorningBeforeNoon", "2025-01-07 10:00:00", 10800, {"2025-01-06"}, 7200},
        UsageCase{"MorningAfterNoon", "2025-01-07 10:00:00", 10800, {"2025-01-07"}, 3600},
        UsageCase{"MorningBoth", "2025-01-07 10:00:00", 10800, {"2025-01-07", "2025-01-06"}, 10800},
        UsageCase{"EndsExactlyAtNoon", "2025-01-07 10:00:00", 7200, {"2025-01-06", "2025-01-07"}, 7200},
        UsageCase{"FortyHoursFirstDay", "2025-01-06 22:00:00", 144000, {"2025-01-06"}, 14 * 3600},
        UsageCase{"FortyHoursMiddleDay", "2025-01-06 22:00:00", 144000, {"2025-01-07"}, 24 * 3600},
        UsageCase{"FortyHoursLastDay", "2025-01-06 22:00:00", 144000, {"2025-01-08"}, 2 * 3600},
        UsageCase{"FortyHoursAllDays", "2025-01-06 22:00:00", 144000, {"2025-01-08", "2025-01-07", "2025-01-06"},
                  144000},
        UsageCase{"NewYearNight", "2024-12-31 22:00:00", 28800, {"2024-12-31"}, 28800},
        UsageCase{"NewYearNightNewDay", "2024-12-31 22:00:00", 28800, {"2025-01-01"}, 0},
        UsageCase{"NewYearAcrossNoon", "2024-12-31 20:00:00", 64800, {"2025-01-01"}, 7200},
        UsageCase{"MonthEndAcrossNoon", "2025-02-28 20:00:00", 64800, {"2025-02-28", "2025-03-01"}, 64800},
        UsageCase{"DayAtNoonValue", "2025-01-06 22:00:00", 3600, {"2025-01-06 12:00:00"}, 3600},
        UsageCase{"NoDays", "2025-01-06 22:00:00", 3600, {}, 0},
        UsageCase{"ZeroLength", "2025-01-06 22:00:00", 0, {"2025-01-06"}, 0},
        UsageCase{"NegativeLength", "2025-01-06 22:00:00", -50, {"2025-01-06"}, 0}),
    [](const testing::TestParamInfo<UsageCase>& info) { return info.param.name; });

TEST(WorkModeName, NamesAndTranslatedUnknown) {
    storage::MessageCatalogue catalogue;
    catalogue.table.add("Unknown", "未知");
    storage::TDM dm(nullptr, &catalogue);
    EXPECT_EQ(WorkModeName(0, dm), "CPAP");
    EXPECT_EQ(WorkModeName(1, dm), "S");
    EXPECT_EQ(WorkModeName(2, dm), "S/T");
    EXPECT_EQ(WorkModeName(3, dm), "T");
    EXPECT_EQ(WorkModeName(4, dm), "AUTO");
    EXPECT_EQ(WorkModeName(7, dm), "未知");
    EXPECT_EQ(WorkModeName(-1, dm), "未知");
}

// The day-piece query on a real patient database.
class DayPieces : public test::PatientFixture {
protected:
    // "date seconds pressure" of each row, in query order.
    std::vector<std::string> rows(const std::string& sql) {
        std::vector<std::string> out;
        EXPECT_GE(dm.ExecSQL(q, sql, storage::kPatientConnection, true), 0);
        for (q.First(); !q.Eof(); q.Next()) {
            std::string row = q.FieldByName("dates").AsDateTime().format(DateTimeForm::DateText);
            if (q.HasField("times"))
                row += " " + q.FieldByName("times").AsString() + " " + q.FieldByName("WorkPress").AsString();
            out.push_back(row);
        }
        // Newest first; the order of pieces of one day is not fixed.
        for (std::size_t i = 1; i < out.size(); ++i) EXPECT_GE(out[i - 1].substr(0, 10), out[i].substr(0, 10));
        std::sort(out.begin(), out.end(), std::greater<>());
        return out;
    }
};

TEST_F(DayPieces, CutsSessionsAtTheEndOfTheirStartDay) {
    addSession({"2025-01-06 22:00:00", 28800, 0, 80});    // one piece of 8 h
    addSession({"2025-01-08 10:00:00", 10800, 4, 150});   // 2 h on the 7th, 1 h on the 8th
    addSession({"2025-01-09 10:00:00", 7200, 1, 120});    // ends at noon: one piece
    addSession({"2025-01-10 22:00:00", 144000, 2, 200});  // 40 h: 14 h, then 26 h
    EXPECT_EQ(rows(DayPieceQueryAllDays()), (std::vector<std::string>{
                                                "2025-01-11 93600 200",
                                                "2025-01-10 50400 200",
                                                "2025-01-08 7200 120",
                                                "2025-01-08 3600 150",
                                                "2025-01-07 7200 150",
                                                "2025-01-06 28800 80",
                                            }));
    EXPECT_EQ(rows(DayPieceQueryRange("2025-01-07", "2025-01-10")),
              (std::vector<std::string>{"2025-01-10", "2025-01-08", "2025-01-07"}));
    EXPECT_TRUE(presenter.boxes.empty());
}

TEST_F(DayPieces, YearBoundaryInsideASession) {
    addSession({"2024-12-31 22:00:00", 28800, 0, 80});
    addSession({"2025-01-01 09:00:00", 14400, 0, 80});
    EXPECT_EQ(rows(DayPieceQueryAllDays()),
              (std::vector<std::string>{"2025-01-01 3600 80", "2024-12-31 28800 80", "2024-12-31 10800 80"}));
    EXPECT_EQ(rows(DayPieceQueryRange("2025-01-01", "2025-01-01")), (std::vector<std::string>{"2025-01-01"}));
    // The month tail selects by the session's start day.
    EXPECT_EQ(rows(DayPieceQueryMonth(at("2024-12-15"))),
              (std::vector<std::string>{"2025-01-01 3600 80", "2024-12-31 28800 80", "2024-12-31 10800 80"}));
    EXPECT_EQ(rows(DayPieceQueryMonth(at("2025-01-20"))), (std::vector<std::string>{}));
}

}  // namespace
}  // namespace somnexa::analysis
