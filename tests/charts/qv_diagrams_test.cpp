// Drawing, mappings and read-out of the chart engine.

#include <gtest/gtest.h>

#include "chart_fixture.h"
#include "records/date_time.h"

#include <cmath>

namespace somnexa::charts {
namespace {

using test::countPixels;
using test::LineChartSetup;
using test::ramp;

const QRgb kLine = toQColor(0xB44600).rgb();

class LineChart : public testing::Test, protected LineChartSetup {};

TEST_F(LineChart, MapsTimeValueAndPixelsBothWays) {
    chart.StartTime = DateTime::fromCalendar(2019, 10, 31, 22, 0, 0)->days();
    chart.ReDrawDiagram();
    EXPECT_EQ(chart.DrawWidth, 750);
    int x = 0;
    ASSERT_TRUE(chart.timeToX(30, x));
    EXPECT_EQ(x, 450);
    EXPECT_DOUBLE_EQ(chart.GetPointTimeLength(100), 10.0);
    EXPECT_EQ(DateTime(chart.GetPointStartTime(450)).format(DateTimeForm::DateTimeText), "2019-10-31 22:00:30");
    EXPECT_DOUBLE_EQ(chart.GetLogicValue(1000), 10.0);
    EXPECT_DOUBLE_EQ(chart.GetLogicValue(-1000), -10.0);  // outside the range, not clamped
}

TEST_F(LineChart, DrawsEachSegmentAsItsOwnLineAndReadsItsSamples) {
    // 10 s from second 5 rising, 10 s from second 30 flat at 2000 (20.0 cmH2O).
    chart.SetData({ramp(5, 250, 400, 8), ramp(30, 250, 2000, 0)});
    chart.ReDrawDiagram();
    const QImage& image = chart.image();
    EXPECT_GT(countPixels(image, kLine, QRect(200, 0, 100, 160)), 0);
    EXPECT_EQ(countPixels(image, kLine, QRect(301, 0, 148, 160)), 0);  // not joined across the gap
    EXPECT_EQ(image.pixel(460, 160 - 2000 * 160 / 4000), kLine);
    EXPECT_EQ(chart.GetPointData(460), "20.0");
    // Sample Trunc((X − x0) · n / w) of the first segment: x0 = 200, n = 250, w = 100.
    EXPECT_EQ(chart.GetPointData(240), "12.0");  // sample 100: raw 1200
    // Only strictly inside a segment; nothing between them.
    EXPECT_EQ(chart.GetPointData(200), "0.0");
    EXPECT_EQ(chart.GetPointData(350), "0.0");
}

TEST_F(LineChart, SegmentShorterThanOneSecondIsNeitherDrawnNorRead) {
    chart.SetData({ramp(10, 24, 3000, 0)});
    chart.ReDrawDiagram();
    EXPECT_EQ(countPixels(chart.image(), kLine), 0);
    for (int x : {250, 251, 255}) EXPECT_EQ(chart.GetPointData(x), "0.0");
}

TEST_F(LineChart, RateZeroIsTakenAsOneByTheFirstRedrawWithData) {
    chart.Rate = 0;
    chart.ReDrawDiagram();
    EXPECT_EQ(chart.Rate, 0);  // no data yet
    EXPECT_EQ(chart.GetPointData(300), "0");
    chart.SetData({ramp(0, 30, 2000, 0)});  // 30 samples at one a second: half the span
    chart.ReDrawDiagram();
    EXPECT_EQ(chart.Rate, 1);
    EXPECT_EQ(chart.GetPointData(300), "20.0");
    EXPECT_GT(countPixels(chart.image(), kLine, QRect(150, 0, 300, 160)), 250);
}

TEST_F(LineChart, RawZeroReadsZeroWhateverTheRange) {
    chart.DigitalMin = -2000;
    chart.DigitalMax = 2000;
    chart.MinY = -100;
    chart.MaxY = 100;
    arTPoint samples = ramp(0, 1500, 0, 0);
    for (std::size_t j = 750; j < samples.size(); ++j) samples[j].y = 1000;
    chart.SetData({samples});
    chart.ReDrawDiagram();
    EXPECT_EQ(chart.GetPointData(200), "0.0");  // raw 0 would be 0.0 anyway: check a raw value that is not
    EXPECT_EQ(chart.GetPointData(500), "50.0");
    chart.MinY = 10;  // raw 0 is now 55 physically, yet reads 0
    EXPECT_EQ(chart.GetPointData(200), "0.0");
    EXPECT_DOUBLE_EQ(chart.GetLogicValue(0), 55.0);
}

struct LabelCase {
    int minY, maxY, rows;
    const char* format;
    std::vector<std::string> labels;
};

TEST(YAxis, LabelsShowMagnitudes) {
    test::ensureGuiApp();
    const LabelCase cases[] = {
        {-60, 60, 4, "0", {"60", "30", "0", "30", "60"}},
        {0, 40, 4, "0.0", {"40.0", "30.0", "20.0", "10.0", "0.0"}},
        {-100, 100, 3, "0", {"100", "34", "33", "100"}},  // integer steps, truncated
        {0, 40, 1, "0", {}},
        {0, 40, 0, "0", {}},
    };
    for (const LabelCase& c : cases) {
        FixedChartHost host(400, 100);
        TQvDiagrams chart(host);
        chart.MinY = c.minY;
        chart.MaxY = c.maxY;
        chart.Rows = c.rows;
        chart.TextFormatY = c.format;
        EXPECT_EQ(chart.yAxisLabels(), c.labels) << c.minY << ".." << c.maxY << " / " << c.rows;
    }
}

TEST_F(LineChart, OneRowDrawsGridAndTicksButNoLabels) {
    chart.ChannleName.clear();
    chart.Rows = 1;
    chart.ReDrawDiagram();
    const QImage& image = chart.image();
    // The tick at the top, the axis, and nothing written left of the ticks.
    EXPECT_EQ(image.pixel(152, 0), QColor(Qt::black).rgb());
    EXPECT_EQ(image.pixel(150, 80), QColor(Qt::black).rgb());
    EXPECT_EQ(countPixels(image, QColor(Qt::white).rgb(), QRect(60, 0, 88, 160)), 88 * 160);
    chart.Rows = 4;
    chart.ReDrawDiagram();
    EXPECT_LT(countPixels(image, QColor(Qt::white).rgb(), QRect(60, 0, 88, 160)), 88 * 160);
}

TEST_F(LineChart, CursorLineMovesAndZeroRemovesIt) {
    chart.SetData({ramp(0, 1500, 100, 2)});
    chart.ReDrawDiagram();
    const QImage before = chart.image().copy();
    chart.DrawCursorLine(300);
    EXPECT_EQ(chart.image().pixel(300, 100), toQColor(clBlue).rgb());
    chart.DrawCursorLine(400);
    EXPECT_EQ(chart.image().pixel(400, 100), toQColor(clBlue).rgb());
    EXPECT_EQ(chart.image().pixel(300, 100), before.pixel(300, 100));
    chart.DrawCursorLine(0);
    EXPECT_EQ(chart.image(), before);
    chart.DrawCursorLine(151);  // nothing drawn, nothing to remove
    EXPECT_EQ(chart.image(), before);
}

TEST_F(LineChart, LegendLinesAndColourKeys) {
    EXPECT_EQ(chart.AddColorKey(0x0000FF, "Mask on"), 1);
    EXPECT_EQ(chart.AddColorKey(0xFF0000, "Mask off"), 2);
    chart.ReDrawDiagram();
    const QImage& image = chart.image();
    EXPECT_GT(countPixels(image, QColor(Qt::red).rgb(), QRect(0, 0, 150, 60)), 20);  // legend text in red
    EXPECT_GT(countPixels(image, QColor(Qt::red).rgb(), QRect(10, 60, 12, 60)), 50);   // swatch of the first key
    EXPECT_GT(countPixels(image, QColor(Qt::blue).rgb(), QRect(10, 60, 12, 80)), 50);  // and of the second
    chart.ClearColorKey();
    chart.ReDrawDiagram();
    EXPECT_EQ(countPixels(image, QColor(Qt::blue).rgb()), 0);
}

// Undefined mappings draw what can be drawn and read "0".
TEST(GuardedCases, DrawWhatCanBeDrawnAndReadZero) {
    test::ensureGuiApp();
    struct Case {
        const char* name;
        int width, rows, cols, timeLength, dmin, dmax;
        std::uint8_t kind;
    };
    const Case cases[] = {
        {"rows 0", 600, 0, 0, 0, 0, 4000, kLineChart},    {"cols 0", 600, 4, 0, 60, 0, 4000, kColumnChart},
        {"time 0", 600, 4, 60, 0, 0, 4000, kLineChart},   {"time 0 rect", 600, 1, 60, 0, 0, 1, kRectangleChart},
        {"raw range 0", 600, 4, 60, 60, 5, 5, kLineChart}, {"raw range 0 col", 600, 4, 32, 60, 5, 5, kColumnChart},
        {"narrow", 150, 4, 60, 60, 0, 4000, kLineChart},  {"narrower", 90, 4, 60, 60, 0, 4000, kColumnChart},
        {"empty", 0, 4, 60, 60, 0, 4000, kLineChart},
    };
    for (const Case& c : cases) {
        FixedChartHost host(c.width, 120);
        TQvDiagrams chart(host);
        chart.DiagramModel = c.kind;
        chart.Rows = c.rows;
        chart.Cols = c.cols;
        chart.TimeLength = c.timeLength;
        chart.DigitalMin = c.dmin;
        chart.DigitalMax = c.dmax;
        chart.MaxY = 40;
        chart.Rate = 25;
        chart.TextFormatY = "0";
        chart.SetData({ramp(0, 1500, 1000, 1), {{0x00FF00, 0}, {1000, 0}, {2000, 500}}});
        chart.ReDrawDiagram();
        chart.DrawCoordinateX(1, "HH:NN:SS", 10);
        chart.DrawCursorLine(200);
        chart.MouseDown(Qt::LeftButton, {200, 50});
        chart.MouseMove(Qt::LeftButton, {260, 50}, {});
        chart.MouseUp(Qt::LeftButton, {260, 50});
        for (int x : {0, 149, 150, 151, 300, 599}) {
            const std::string text = chart.GetPointData(x);
            EXPECT_TRUE(text == "0" || text.empty() || c.kind == kColumnChart) << c.name << " " << x << " " << text;
        }
        EXPECT_TRUE(std::isfinite(chart.GetPointStartTime(300))) << c.name;
        EXPECT_TRUE(std::isfinite(chart.GetLogicValue(100))) << c.name;
    }
}

TEST(VerticalBarChart, DrawsGridLegendAndAxisOnly) {
    test::ensureGuiApp();
    FixedChartHost host(600, 120);
    TQvDiagrams chart(host);
    chart.DiagramModel = kVerticalBarChart;
    chart.Rows = 4;
    chart.Cols = 60;
    chart.TimeLength = 60;
    chart.DigitalMax = 4000;
    chart.LineColor = 0x00FF00;
    chart.ChannleName = "Bars";
    chart.SetData({ramp(0, 1500, 1000, 1)});
    chart.ReDrawDiagram();
    EXPECT_EQ(countPixels(chart.image(), QColor(Qt::green).rgb()), 0);
    EXPECT_GT(countPixels(chart.image(), toQColor(clGridGray).rgb()), 100);
    EXPECT_GT(countPixels(chart.image(), QColor(Qt::red).rgb()), 10);
    EXPECT_EQ(chart.GetPointData(300), "0");
}

class RectangleChart : public testing::Test {
protected:
    RectangleChart() : host(750, 40), chart(host) {
        test::ensureGuiApp();
        chart.DiagramModel = kRectangleChart;
        chart.Rows = 1;
        chart.Cols = 60;
        chart.TimeLength = 3600;  // six seconds a pixel
        chart.DigitalMax = 1;
        chart.LineColor = 0x1E1EDC;
        chart.TextFormatY = "0";
        // 120 s … 180 s (pixels 170 … 180), and a 1-second event at 1200 s (pixel 350 only).
        chart.SetData({{{120, 0}, {180, 0}, {1200, 0}, {1201, 0}}});
        chart.ReDrawDiagram();
    }
    FixedChartHost host;
    TQvDiagrams chart;
    const QRgb color = toQColor(0x1E1EDC).rgb();
};

TEST_F(RectangleChart, ReadsEventDurations) {
    EXPECT_EQ(chart.GetPointData(170), "60");
    EXPECT_EQ(chart.GetPointData(180), "60");
    EXPECT_EQ(chart.GetPointData(181), "0");
    EXPECT_EQ(chart.GetPointData(169), "0");
}

TEST_F(RectangleChart, OnePixelEventIsDrawnAtItsColumnAndReadOnlyThere) {
    EXPECT_EQ(chart.image().pixel(350, 20), color);
    EXPECT_NE(chart.image().pixel(351, 20), color);
    EXPECT_NE(chart.image().pixel(349, 20), color);
    EXPECT_EQ(chart.GetPointData(350), "1");
    EXPECT_EQ(chart.GetPointData(351), "0");
    EXPECT_EQ(chart.GetPointData(349), "0");
}

TEST_F(RectangleChart, HighlightFollowsThePressAndClears) {
    const QImage plain = chart.image().copy();
    chart.MouseDown(Qt::LeftButton, {175, 20});
    const QImage first = chart.image().copy();
    EXPECT_NE(first, plain);
    EXPECT_EQ(first.copy(300, 0, 100, 40), plain.copy(300, 0, 100, 40));  // the other event untouched
    chart.MouseDown(Qt::LeftButton, {350, 20});
    EXPECT_EQ(chart.image().copy(160, 0, 30, 40), plain.copy(160, 0, 30, 40));  // restored
    EXPECT_NE(chart.image().copy(340, 0, 20, 40), plain.copy(340, 0, 20, 40));
    chart.MouseDown(Qt::LeftButton, {350, 20});  // pressing the highlighted one again keeps it
    EXPECT_NE(chart.image().copy(340, 0, 20, 40), plain.copy(340, 0, 20, 40));
    chart.ClearSelectRect();
    EXPECT_EQ(chart.image(), plain);
}

TEST(ColumnChart, DrawsColumnsAndReadsEverySeries) {
    test::ensureGuiApp();
    FixedChartHost host(150 + 640, 150);
    TQvDiagrams chart(host);
    chart.DiagramModel = kColumnChart;
    chart.Rows = 6;
    chart.Cols = 32;
    chart.TimeLength = 32 * 86400;
    chart.DigitalMin = 0;
    chart.DigitalMax = 3000;
    // Series colour in point 0; columns 1 … 3 (top, bottom); a too-short column at 3.
    chart.SetData({{{0x00FF00, 0}, {1500, 0}, {3000, 1500}, {1000, 990}},
                   {{0xFF0000, 0}, {600, 0}}});
    chart.ReDrawDiagram();
    const QImage& image = chart.image();
    // Column 1 at 150 + 20 = 170: 75 rows of green from row 75 to the bottom.
    EXPECT_EQ(image.pixel(172, 100), QColor(Qt::green).rgb());
    EXPECT_EQ(image.pixel(172, 60), QColor(Qt::white).rgb());
    EXPECT_EQ(image.pixel(163, 100), QColor(Qt::black).rgb());  // black outline from 163
    EXPECT_EQ(image.pixel(178, 100), QColor(Qt::white).rgb());
    EXPECT_EQ(image.pixel(192, 40), QColor(Qt::green).rgb());  // column 2 floats from 75 up to 0
    EXPECT_EQ(image.pixel(192, 120), QColor(Qt::white).rgb());
    EXPECT_EQ(countPixels(image, QColor(Qt::green).rgb(), QRect(200, 0, 20, 150)), 0);  // column 3 too short
    EXPECT_EQ(chart.GetPointData(170), "1|1500|0|600|0");
    EXPECT_EQ(chart.GetPointData(190), "2|3000|1500");
    EXPECT_EQ(chart.GetPointData(150), "");
    EXPECT_EQ(chart.GetPointData(160), "1|1500|0|600|0");  // rounds to the nearest column
}

TEST(TimeAxis, DrawsTicksAndLabelsAndCutsThePictureToItsWidth) {
    test::ensureGuiApp();
    FixedChartHost host(900, 40);
    TQvDiagrams axis(host);
    axis.DrawWidth = 750;
    axis.Cols = 60;
    axis.TimeLength = 60;
    axis.StartTime = DateTime::fromCalendar(2019, 10, 31, 23, 59, 30)->days();
    axis.DrawCoordinateX(1, "HH:NN:SS", 10);
    EXPECT_TRUE(axis.IsTimeAxis);
    EXPECT_EQ(axis.image().pixel(250, 36), QColor(Qt::black).rgb());  // tick of column 10 (x = 150 + 100)
    EXPECT_GT(countPixels(axis.image(), QColor(Qt::black).rgb(), QRect(0, 0, 900, 25)), 50);  // labels
    EXPECT_EQ(axis.GetPicture().width(), 750);
    FixedChartHost other(900, 40);
    TQvDiagrams notAxis(other);
    notAxis.DrawCoordinateX(2, "HH:NN:SS", 10);
    EXPECT_FALSE(notAxis.IsTimeAxis);
}

}  // namespace
}  // namespace somnexa::charts
