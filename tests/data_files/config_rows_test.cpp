// The shipped toolbar, event, column-series and option rows, checked against
// what the windows that read them do with each value.

#include "shipped_databases.h"

#include <gtest/gtest.h>

#include <bit>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace somnexa::testing {
namespace {

long long number(const Cell& cell)
{
    return cell ? std::stoll(*cell) : 0;
}

std::vector<long long> itemIndexes(const std::string& toolbar)
{
    std::vector<long long> result;
    for (const auto& row : masterDatabase().rows(
             "select itemindex from tToolBar where ToolBarName = '" + toolbar + "' and caption <> '|' order by sortindex"))
        result.push_back(number(row[0]));
    return result;
}

TEST(ShippedToolbars, DataViewsOfferSpansWholeDayPagingOptionsAndPrint)
{
    const std::vector<long long> expected = {60, 300, 600, 1800, 3600, 7200, 14400, 28800, 0, -1, -2, -3, -4};
    EXPECT_EQ(itemIndexes("frmTableDetail"), expected);
    EXPECT_EQ(itemIndexes("frmTableEvent"), expected);
    // Spans and the whole day latch; the commands do not.
    for (const std::string toolbar : {"frmTableDetail", "frmTableEvent"})
        for (const auto& row : masterDatabase().rows(
                 "select itemindex, Down from tToolBar where caption <> '|' and ToolBarName = '" + toolbar + "'"))
            EXPECT_EQ(number(row[1]), number(row[0]) >= 0 ? -1 : 0) << toolbar << " " << *row[0];
}

TEST(ShippedToolbars, AnalysisAndColumnListCommands)
{
    EXPECT_EQ(itemIndexes("frmAnalysis"), (std::vector<long long>{1, 2, 3, 4, 5, 6, 99}));
    EXPECT_EQ(itemIndexes("frmTableColumnList"), (std::vector<long long>{-1, -2, -4}));
    EXPECT_EQ(masterDatabase().count("select count(*) from tToolBar where ToolBarName = 'frmAnalysis' "
                                     "and itemindex between 1 and 6 and Down = -1"), 6);
}

TEST(ShippedToolbars, SortIndexesAreUniquePerToolbar)
{
    EXPECT_EQ(masterDatabase().count("select count(*) from (select ToolBarName, sortindex from tToolBar "
                                     "group by ToolBarName, sortindex having count(*) > 1)"), 0);
}

// The first definition in sortid order starts a breath's group of values;
// each event packet kind gives two values.
TEST(ShippedEvents, RealtimeEventValuesCoverBothValuesOfEachPacket)
{
    const auto rows = masterDatabase().rows(
        "select Code, CodePos, Name, Coeff from realtimeevent where visible = -1 order by sortid");
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(number(rows[0][0]), 5);
    EXPECT_EQ(number(rows[0][1]), 1);
    std::set<std::pair<long long, long long>> seen;
    for (const auto& row : rows) {
        seen.insert({number(row[0]), number(row[1])});
        EXPECT_GT(std::stod(row[3].value_or("0")), 0.0) << *row[2];
    }
    EXPECT_EQ(seen, (std::set<std::pair<long long, long long>>{{5, 1}, {5, 2}, {6, 1}, {6, 2}, {7, 1}, {7, 2}}));
    EXPECT_EQ(masterDatabase().count("select count(*) from realtimeevent where lower(DisplayName) like '%insptime%' "
                                     "or lower(DisplayName) like '%insptv%' or lower(DisplayName) like '%exptime%'"), 3);
}

TEST(ShippedEvents, MarkableEventsAreUniqueAndOrdered)
{
    EXPECT_GE(masterDatabase().count("select count(*) from tEventList"), 4);
    EXPECT_EQ(masterDatabase().count("select count(distinct \"Index\") from tEventList"),
              masterDatabase().count("select count(*) from tEventList"));
    EXPECT_EQ(masterDatabase().count("select count(distinct sortindex) from tEventList"),
              masterDatabase().count("select count(*) from tEventList"));
}

TEST(ShippedColumns, DailyStatisticsAreComputedForPressureAndLeak)
{
    for (long long code : {16, 17}) {
        std::set<long long> kinds;
        for (const auto& row : masterDatabase().rows(
                 "select \"Index\" from tColumnList where Mode = 1 and CodePos = 0 and Code = " + std::to_string(code)))
            kinds.insert(number(row[0]));
        EXPECT_EQ(kinds, (std::set<long long>{0, 1, 2, 3})) << code;
    }
    EXPECT_EQ(masterDatabase().count("select count(*) from (select code, codepos from tColumnList where Mode=1 "
                                     "group by code, codepos)"), 2);
}

// A chart's series fill slots 0..n-1 in sortindex order (the read-out walks
// them in that order), belong to an existing column chart, and add only
// other existing slots.
TEST(ShippedColumns, DisplaySeriesFillTheSlotsOfTheirChart)
{
    std::set<long long> chartCodes;
    for (const auto& row : masterDatabase().rows("select Code from tDiagram where Type = 3"))
        chartCodes.insert(number(row[0]));
    std::map<long long, std::vector<std::pair<long long, long long>>> slots;  // chart -> (Index, AddIndex)
    for (const auto& row : masterDatabase().rows(
             "select DiagramCode, \"Index\", AddIndex from tColumnList where Visible = 1 order by sortindex"))
        slots[number(row[0])].push_back({number(row[1]), number(row[2])});
    EXPECT_EQ(slots.size(), chartCodes.size()) << "every column chart has series";
    for (const auto& [chart, series] : slots) {
        EXPECT_TRUE(chartCodes.count(chart)) << chart;
        for (size_t i = 0; i < series.size(); ++i) {
            EXPECT_EQ(series[i].first, static_cast<long long>(i)) << "chart " << chart;
            const long long addMask = series[i].second;
            EXPECT_EQ(addMask & (1LL << i), 0) << "chart " << chart << " adds itself";
            EXPECT_EQ(addMask >> series.size(), 0) << "chart " << chart << " adds a missing slot";
        }
    }
    // The AHI series is apnea plus hypopnea.
    const auto ahi = masterDatabase().rows(
        "select Code, AddIndex from tColumnList where Name = 'AHI' and Visible = 1");
    ASSERT_EQ(ahi.size(), 1u);
    EXPECT_EQ(number(ahi[0][0]), 9);
    const auto added = masterDatabase().rows(
        "select Code from tColumnList where Visible = 1 and DiagramCode = 100 and \"Index\" = " +
        std::to_string(std::countr_zero(static_cast<unsigned long long>(number(ahi[0][1])))));
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(number(added[0][0]), 19);
}

TEST(ShippedOptions, NewInstallationStartsInEnglish)
{
    const auto rows = masterDatabase().rows("select optName, value from sysOption");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], "Language");
    EXPECT_EQ(rows[0][1], "3");
    // Option names are unique and match without regard to case.
    EXPECT_EQ(masterDatabase().count("select count(*) from sysOption where optName = 'LANGUAGE'"), 1);
}

}  // namespace
}  // namespace somnexa::testing
