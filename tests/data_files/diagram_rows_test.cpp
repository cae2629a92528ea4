// The shipped chart definitions: the channels the downloads write, the
// charts the views draw, and scales that the chart mappings can divide by.

#include "shipped_databases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace somnexa::testing {
namespace {

long long number(const Cell& cell)
{
    return cell ? std::stoll(*cell) : 0;
}

struct Chart {
    long long type, sort, isSys, code, pos, rows, cols, height, model, mode, rate, minY, maxY, dMin, dMax;
    std::string name, legend, units, formatY, formatX;
};

std::vector<Chart> charts(const std::string& where)
{
    std::vector<Chart> result;
    for (const auto& r : masterDatabase().rows(
             "select Type, SortIndex, IsSYS, Code, CodePos, Rows, Cols, Height, DiagramModel, DataMode, "
             "Rate, MinY, MaxY, DigitalMin, DigitalMax, Name, ChannleName, Units, TextFormatY, TextFormatX "
             "from tDiagram where " + where + " order by Type, SortIndex"))
        result.push_back({number(r[0]), number(r[1]), number(r[2]), number(r[3]), number(r[4]),
                          number(r[5]), number(r[6]), number(r[7]), number(r[8]), number(r[9]),
                          number(r[10]), number(r[11]), number(r[12]), number(r[13]), number(r[14]),
                          r[15].value_or(""), r[16].value_or(""), r[17].value_or(""),
                          r[18].value_or(""), r[19].value_or("")});
    return result;
}

// Realtime files hold exactly the pressure/flow pair, at one rate, because
// every non-system type-1 row becomes a channel of the file.
TEST(ShippedDiagrams, RealtimeChartsAreThePressureFlowPair)
{
    const auto rows = charts("Type = 1");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(std::tie(rows[0].code, rows[0].pos, rows[0].name), std::make_tuple(1LL, 0LL, std::string("Pressure")));
    EXPECT_EQ(std::tie(rows[1].code, rows[1].pos, rows[1].name), std::make_tuple(1LL, 1LL, std::string("Flow")));
    for (const auto& chart : rows) {
        EXPECT_EQ(chart.rate, 25);
        EXPECT_EQ(chart.isSys, 0);
        EXPECT_EQ(chart.model, 1);
        EXPECT_EQ(chart.dMin, 0);
        EXPECT_EQ(chart.dMax, 4095);
    }
    EXPECT_GT(rows[0].minY + 1, 0) << "pressure starts at 0";
    EXPECT_EQ(rows[1].minY, -rows[1].maxY) << "flow is centred";
}

TEST(ShippedDiagrams, LogChartsReadTheLogChannelsFirst)
{
    const auto rows = charts("Type = 2 and IsSYS = 0");
    ASSERT_GE(rows.size(), 2u);
    // The first channel of a log file decides its duration: pressure.
    EXPECT_EQ(std::tie(rows[0].code, rows[0].mode, rows[0].rate), std::make_tuple(16LL, 1LL, 1LL));
    EXPECT_EQ(std::tie(rows[1].code, rows[1].mode, rows[1].rate), std::make_tuple(17LL, 1LL, 1LL));
    EXPECT_EQ(rows[0].dMax, rows[0].maxY * 100) << "hundredths of cmH2O";
    EXPECT_EQ(rows[1].dMax, rows[1].maxY * 10) << "tenths of l/min";
    for (size_t i = 2; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].mode, 2) << rows[i].name;
        EXPECT_EQ(rows[i].model, 3) << rows[i].name;
        EXPECT_EQ(rows[i].rate, 0) << rows[i].name << ": adds nothing to log frames";
    }
}

TEST(ShippedDiagrams, EventChartsCoverCountedAndMarkableEvents)
{
    std::set<long long> charted;
    for (const auto& chart : charts("Type = 2 and DataMode = 2"))
        charted.insert(chart.code);
    for (long long code : {9, 19, 6, 7})
        EXPECT_TRUE(charted.count(code)) << code;
    const std::set<long long> drawable = {6, 7, 9, 10, 11, 19};
    for (const auto& row : masterDatabase().rows("select \"Index\" from tEventList")) {
        EXPECT_TRUE(charted.count(number(row[0]))) << "marked events of " << *row[0] << " have a chart";
        EXPECT_TRUE(drawable.count(number(row[0]))) << *row[0] << " is drawn as a duration event";
    }
}

TEST(ShippedDiagrams, ColumnChartsCoverStatisticsIndicesAndSessions)
{
    std::set<std::pair<long long, long long>> found;  // (DataMode, Code)
    for (const auto& chart : charts("Type = 3")) {
        EXPECT_EQ(chart.model, 4) << chart.name;
        EXPECT_EQ(chart.cols, 32) << chart.name << ": one column per day of the 32-day axis";
        found.insert({chart.mode, chart.code});
    }
    EXPECT_TRUE(found.count({3, 16}));
    EXPECT_TRUE(found.count({3, 17}));
    EXPECT_TRUE(found.count({5, 201}));
    EXPECT_EQ(std::count_if(found.begin(), found.end(), [](auto p) { return p.first == 4; }), 1);
    const auto sessions = charts("Type = 3 and DataMode = 5");
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_EQ(sessions[0].dMin, 43200) << "noon of the column day";
    EXPECT_EQ(sessions[0].dMax, 129600) << "noon of the next day";
}

// Every chart can be drawn: the mappings divide by Rows, Cols and both
// ranges; texts fit the fixed-width channel records of the data files.
TEST(ShippedDiagrams, EveryChartHasUsableScalesAndFittingTexts)
{
    const auto rows = charts("1 = 1");
    ASSERT_FALSE(rows.empty());
    std::set<std::tuple<long long, long long, long long>> keys;
    std::set<std::pair<long long, std::string>> names;
    for (const auto& chart : rows) {
        EXPECT_GT(chart.rows, 0) << chart.name;
        EXPECT_GT(chart.cols, 0) << chart.name;
        EXPECT_GT(chart.height, 0) << chart.name;
        EXPECT_GT(chart.maxY, chart.minY) << chart.name;
        EXPECT_GT(chart.dMax, chart.dMin) << chart.name;
        EXPECT_FALSE(chart.name.empty());
        EXPECT_LE(chart.name.size(), 20u) << chart.name;
        EXPECT_LE(chart.legend.size(), 50u) << chart.name;
        EXPECT_LE(chart.units.size(), 20u) << chart.name;
        EXPECT_LE(chart.formatY.size(), 20u) << chart.name;
        EXPECT_FALSE(chart.formatY.empty()) << chart.name;
        EXPECT_TRUE(keys.insert({chart.type, chart.code, chart.pos}).second)
            << chart.name << ": definitions are found by type, code and position";
        EXPECT_TRUE(names.insert({chart.type, chart.name}).second)
            << chart.name << ": the options page updates by name and type";
    }
}

TEST(ShippedDiagrams, ColoursAreRedInTheLowByteWithoutSystemColours)
{
    // Realtime pressure is blue, realtime flow green.
    const auto rows = masterDatabase().rows("select LineColor from tDiagram where Type = 1 order by SortIndex");
    ASSERT_EQ(rows.size(), 2u);
    const long long pressure = number(rows[0][0]), flow = number(rows[1][0]);
    EXPECT_GT((pressure >> 16) & 0xFF, pressure & 0xFF);
    EXPECT_GT((flow >> 8) & 0xFF, flow & 0xFF);
    EXPECT_EQ(masterDatabase().count("select count(*) from tDiagram where LineColor < 0 or LineColor > 16777215"), 0);
}

}  // namespace
}  // namespace somnexa::testing
