#include "analysis/patient_data.h"

#include <gtest/gtest.h>

#include <cstring>

#include "analysis/column_cache.h"
#include "analysis/period_figures.h"
#include "patient_fixture.h"

namespace somnexa::analysis {
namespace {

using test::at;

class PatientData : public test::PatientFixture {
protected:
    void addColumnValue(const std::string& day, int code, int mode, int value) {
        exec("insert into tColumnData (sDate, Code, CodePos, DataMode, [Values]) values ('" + day + "'," +
             std::to_string(code) + ",0," + std::to_string(mode) + ",'" + std::to_string(value) + "')");
    }
    TPatientData compute(std::vector<const char*> days) {
        TPatientData data;
        for (const char* d : days) data.Dates.push_back(at(d));
        ComputePatientData(dm, kPatientID, data);
        return data;
    }
};

TEST_F(PatientData, EmptyDatesGiveEmptyFigures) {
    addSession({"2025-01-06 22:00:00", 28800});
    addEvent("2025-01-06 23:00:00", 9);
    const TPatientData data = compute({});
    EXPECT_TRUE(data.Sessions.empty());
    EXPECT_TRUE(data.Analysis.empty());
    EXPECT_EQ(data.UseSeconds, 0.0);
    EXPECT_EQ(data.DateCount, 0);
    EXPECT_TRUE(presenter.boxes.empty());
}

TEST_F(PatientData, OneDay) {
    exec("insert into tPatients (PatientID, PatientName, Age) values ('20250101001', 'Ann O''Neil', 47)");
    addSession({"2025-01-06 22:00:00", 28800, 0, 80});
    addSession({"2025-01-07 07:00:00", 3600, 4, 120});   // same therapy day, newer
    addSession({"2025-01-07 22:00:00", 28800, 0, 80});   // next day
    addEvent("2025-01-06 23:00:00", 9);
    addEvent("2025-01-07 01:00:00", 9);
    addEvent("2025-01-07 02:00:00", 19);
    addEvent("2025-01-07 11:59:59", 6);
    addEvent("2025-01-07 12:00:00", 9);  // next therapy day
    addColumnValue("2025-01-06", 16, 0, 1230);
    addColumnValue("2025-01-06", 16, 2, 950);
    addColumnValue("2025-01-06", 17, 0, 305);
    addColumnValue("2025-01-07", 16, 0, 2000);

    const TPatientData data = compute({"2025-01-06 12:00:00"});
    EXPECT_STREQ(data.Info.PatientName, "Ann O'Neil");
    EXPECT_EQ(data.Info.Age, 47);
    ASSERT_EQ(data.Sessions.size(), 2u);
    EXPECT_EQ(data.Sessions[0].WorkMode, 4);
    EXPECT_EQ(data.Sessions[0].MaxPress, 120);
    EXPECT_EQ(DateTime(data.Sessions[0].OpenTime), at("2025-01-07 07:00:00"));
    EXPECT_EQ(data.Sessions[1].StartPress, 80);
    EXPECT_EQ(data.UseSeconds, 32400.0);
    EXPECT_EQ(data.DateCount, 1);
    ASSERT_EQ(data.Analysis.size(), 1u);
    const TAnalysis& day = data.Analysis[0];
    EXPECT_EQ(day.EventCount(9), 2);
    EXPECT_EQ(day.EventCount(19), 1);
    EXPECT_EQ(day.EventCount(6), 1);
    EXPECT_EQ(day.EventCount(7), 0);
    EXPECT_EQ(day.Parameter(16, 0), 1230.0);
    EXPECT_EQ(day.Parameter(16, 2), 950.0);
    EXPECT_EQ(day.Parameter(17, 0), 305.0);
    EXPECT_TRUE(presenter.boxes.empty());
}

TEST_F(PatientData, SessionsAllStartingOnTheFirstDayShareItsColumnStatistics) {
    // One 40-hour session: it starts on the 6th and ends on the 8th.
    addSession({"2025-01-06 22:00:00", 144000});
    addColumnValue("2025-01-06", 16, 0, 1500);
    addColumnValue("2025-01-08", 16, 0, 900);
    const TPatientData data = compute({"2025-01-08", "2025-01-06"});
    ASSERT_EQ(data.Analysis.size(), 2u);
    EXPECT_EQ(data.Analysis[0].Parameter(16, 0), 1500.0);
    EXPECT_EQ(data.Analysis[1].Parameter(16, 0), 1500.0);
    EXPECT_EQ(data.UseSeconds, 14 * 3600.0 + 2 * 3600.0);
}

TEST_F(PatientData, DaysWithSessionsStartingOnSeveralDaysKeepTheirOwn) {
    addSession({"2025-01-06 22:00:00", 28800});
    addSession({"2025-01-07 22:00:00", 28800});
    addColumnValue("2025-01-06", 16, 0, 1500);
    addColumnValue("2025-01-07", 16, 0, 900);
    const TPatientData data = compute({"2025-01-07", "2025-01-06"});
    EXPECT_EQ(data.Analysis[0].Parameter(16, 0), 900.0);
    EXPECT_EQ(data.Analysis[1].Parameter(16, 0), 1500.0);
    EXPECT_EQ(data.UseSeconds, 57600.0);
}

TEST_F(PatientData, NewYearNightInEveryFigure) {
    addSession({"2024-12-31 22:00:00", 28800, 0, 80});
    writeLogFile("2024-12-31 22:00:00", 28800, 1, [](int f, int code) { return code == 16 ? 800 + f % 3 : 20; });
    addEvent("2024-12-31 23:30:00", 9);
    addEvent("2025-01-01 02:00:00", 9);
    addEvent("2025-01-01 05:00:00", 19);
    RefreshColumnCache(dm);

    const TPatientData data = compute({"2024-12-31 12:00:00"});
    EXPECT_EQ(data.Sessions.size(), 1u);
    EXPECT_EQ(data.UseSeconds, 28800.0);
    EXPECT_EQ(data.Analysis[0].EventCount(9), 2);
    EXPECT_EQ(data.Analysis[0].EventCount(19), 1);
    EXPECT_EQ(data.Analysis[0].Parameter(16, 0), 802.0);
    EXPECT_EQ(data.Analysis[0].Parameter(17, 2), 20.0);

    const PeriodFigures f = ComputePeriodFigures(data);
    EXPECT_EQ(f.AHI.Count, 3);
    EXPECT_DOUBLE_EQ(f.AHI.Index, 3 / 8.0);
    EXPECT_DOUBLE_EQ(f.MaxP, 8.02);
    EXPECT_EQ(PeriodText(f, " - "), "2024-12-31");

    // New Year's Day itself has nothing.
    const TPatientData next = compute({"2025-01-01"});
    EXPECT_TRUE(next.Sessions.empty());
    EXPECT_EQ(next.UseSeconds, 0.0);
    EXPECT_EQ(next.Analysis[0].EventCount(9), 0);
}

TEST_F(PatientData, OlderDatabaseWithoutStartPress1) {
    addSession({"2025-01-06 22:00:00", 28800, 1, 120});
    exec("update tSession set StartPress1 = 45, ISlop = 3");
    TPatientData data = compute({"2025-01-06"});
    ASSERT_EQ(data.Sessions.size(), 1u);
    EXPECT_EQ(data.Sessions[0].StartPress1, 45);
    EXPECT_EQ(data.Sessions[0].ISlop, 3);
    exec("alter table tSession drop column StartPress1");
    data = compute({"2025-01-06"});
    ASSERT_EQ(data.Sessions.size(), 1u);
    EXPECT_EQ(data.Sessions[0].StartPress1, 0);
    EXPECT_EQ(data.Sessions[0].ISlop, 0);
    EXPECT_EQ(data.Sessions[0].InspPress, 120);
}

TEST_F(PatientData, DayHasLogFile) {
    addSession({"2025-01-07 10:00:00", 3600});
    addSession({"2025-01-08 22:00:00", 3600});
    writeLogFile("2025-01-08 22:00:00", 10, 1, [](int, int) { return 1; });
    EXPECT_FALSE(DayHasLogFile(dm, "2025-01-06"));  // session without its file
    EXPECT_TRUE(DayHasLogFile(dm, "2025-01-08"));
    EXPECT_FALSE(DayHasLogFile(dm, "2025-01-09"));
}

TEST_F(PatientData, DaySessionRange) {
    addSession({"2025-01-06 10:00:00", 10800});  // ends 13:00 on the 6th
    addSession({"2025-01-06 22:00:00", 28800});
    addSession({"2025-01-07 11:00:00", 7200});   // ends 13:00 on the 7th
    DateTime start, end;
    DaySessionRange(dm, at("2025-01-06 12:00:00"), start, end);
    EXPECT_EQ(start, at("2025-01-06 10:00:00"));
    EXPECT_EQ(end, at("2025-01-07 13:00:00"));
    DaySessionRange(dm, at("2025-02-06 12:00:00"), start, end);
    EXPECT_EQ(start.days(), 0.0);
    EXPECT_EQ(end.days(), 0.0);
}

TEST(TAnalysisOperations, LookupsByValue) {
    TAnalysis a;
    EXPECT_EQ(a.FindEventType(9), -1);
    a.SetEventCount(9, 3);
    a.SetEventCount(19, 4);
    a.SetEventCount(9, 5);
    EXPECT_EQ(a.IndexList.size(), 2u);
    EXPECT_EQ(a.EventCountAt(a.FindEventType(9)), 5);
    EXPECT_EQ(a.EventCountAt(-1), 0);
    EXPECT_EQ(a.EventCountAt(2), 0);
    a.IndexList.push_back({9, 7});  // a duplicate: the last one wins
    EXPECT_EQ(a.FindEventType(9), 2);

    a.SetParameter(16, 1, 950);
    a.SetParameter(17, 7, 1);  // the entry exists, nothing stored
    EXPECT_EQ(a.ParaMeterList.size(), 2u);
    EXPECT_EQ(a.ParameterAt(a.FindParameter(16), 1), 950.0);
    EXPECT_EQ(a.ParameterAt(a.FindParameter(16), 4), 0.0);
    EXPECT_EQ(a.ParameterAt(a.FindParameter(17), 0), 0.0);
    EXPECT_EQ(a.ParameterAt(5, 0), 0.0);
}

TEST(AnalysisSelectionTest, PickDayAndReportDays) {
    AnalysisSelection s;
    EXPECT_EQ(s.ReportDays, (std::vector<std::int32_t>{0}));
    EXPECT_EQ(s.ReportPictures.size(), 1u);
    s.PickDay(at("2025-01-06 03:00:00"));
    EXPECT_EQ(s.CurrentDay, at("2025-01-06 12:00:00"));
    EXPECT_EQ(s.PatientData.Dates, (arTDate{at("2025-01-06 12:00:00")}));
    s.PatientData.Dates = {at("2025-01-08"), at("2025-01-07"), at("2025-01-06")};
    s.ResetReportDays();
    EXPECT_EQ(s.ReportDays, (std::vector<std::int32_t>{0, 1, 2}));
}

}  // namespace
}  // namespace somnexa::analysis
