// Mouse actions on charts and the messages they post to the owning view.

#include <gtest/gtest.h>

#include "chart_fixture.h"
#include "records/window_messages.h"

namespace somnexa::charts {
namespace {

using test::LineChartSetup;
using test::Message;

class LineChartMouse : public testing::Test, protected LineChartSetup {
protected:
    void SetUp() override {
        chart.SetData({test::ramp(0, 1500, 100, 2)});
        chart.ReDrawDiagram();
        recorder.take();
    }
};

TEST_F(LineChartMouse, DragSelectsAndTheBandIsGoneAfterwards) {
    const QImage before = chart.image().copy();
    chart.MouseDown(Qt::LeftButton, {400, 80});
    chart.MouseMove(Qt::LeftButton, {330, 80}, {});
    ASSERT_EQ(before.pixel(365, 20), QColor(Qt::white).rgb());
    EXPECT_EQ(chart.image().pixel(365, 20), toQColor(clHighlight).rgb());  // NOT-XOR on white
    chart.MouseMove(Qt::LeftButton, {300, 90}, {});
    chart.MouseUp(Qt::LeftButton, {300, 90});
    EXPECT_EQ(chart.image(), before);
    EXPECT_EQ(recorder.take(), (std::vector<Message>{{msg::WM_CHART_SELECT, 300 * 65536 + 400, 0}}));
}

TEST_F(LineChartMouse, ReleaseElsewhereThanTheLastMoveStillRemovesTheBand) {
    const QImage before = chart.image().copy();
    chart.MouseDown(Qt::LeftButton, {200, 80});
    chart.MouseMove(Qt::LeftButton, {260, 80}, {});
    chart.MouseUp(Qt::LeftButton, {280, 80});
    EXPECT_EQ(chart.image(), before);
    EXPECT_EQ(recorder.take(), (std::vector<Message>{{msg::WM_CHART_SELECT, 200 * 65536 + 280, 0}}));
}

TEST_F(LineChartMouse, PressAndReleaseAtOneXPostsNoSelection) {
    chart.MouseDown(Qt::LeftButton, {400, 80});
    chart.MouseUp(Qt::LeftButton, {400, 80});
    // Left of the plot both ends become 150.
    chart.MouseDown(Qt::LeftButton, {20, 80});
    chart.MouseMove(Qt::LeftButton, {100, 80}, {});
    chart.MouseUp(Qt::LeftButton, {100, 80});
    EXPECT_TRUE(recorder.take().empty());
}

TEST_F(LineChartMouse, OnlyTheLeftButtonSelects) {
    chart.MouseDown(Qt::RightButton, {400, 80});
    chart.MouseUp(Qt::RightButton, {500, 80});
    EXPECT_TRUE(recorder.take().empty());
}

TEST_F(LineChartMouse, HoverPostsThePositionOrTheLegendButtonPlace) {
    chart.MouseMove(Qt::NoButton, {300, 41}, {1234, 567});
    chart.MouseMove(Qt::NoButton, {300, 40}, {1234, 566});
    EXPECT_EQ(recorder.take(), (std::vector<Message>{{msg::WM_CHART_HOVER, 300, 1234 * 65536 + 567},
                                                     {msg::WM_CHART_HOVER, -7, (100 + 750) * 65536 + 200}}));
}

TEST(RectangleChartMouse, PressSendsResetBeforeHighlightAndNeverSelects) {
    test::ensureGuiApp();
    test::MessageRecorder recorder;
    FixedChartHost host(750, 40);
    TQvDiagrams chart(host, &recorder);
    chart.DiagramModel = kRectangleChart;
    chart.TimeLength = 60;
    chart.DigitalMax = 1;
    chart.SetData({{{10, 0}, {20, 0}}});
    chart.ReDrawDiagram();
    chart.MouseDown(Qt::LeftButton, {280, 20});
    // Sent, so it is there before any posted message is delivered.
    EXPECT_EQ(recorder.messages, (std::vector<Message>{{msg::WM_CHART_CLICK, -1, 0}}));
    chart.MouseMove(Qt::LeftButton, {400, 20}, {});
    chart.MouseUp(Qt::LeftButton, {400, 20});
    chart.MouseMove(Qt::NoButton, {300, 10}, {5, 6});  // not a line chart: the position even in the top band
    EXPECT_EQ(recorder.take(), (std::vector<Message>{{msg::WM_CHART_CLICK, -1, 0}, {msg::WM_CHART_HOVER, 300, 5 * 65536 + 6}}));
}

class TimeAxisMouse : public testing::Test {
protected:
    TimeAxisMouse() : host(900, 40), axis(host, &recorder) {
        test::ensureGuiApp();
        axis.DrawWidth = 750;
        axis.Cols = 60;
        axis.TimeLength = 60;
        axis.DrawCoordinateX(1, "HH:NN:SS", 10);
    }
    test::MessageRecorder recorder;
    FixedChartHost host;
    TQvDiagrams axis;
};

TEST_F(TimeAxisMouse, PressInTheClickBandPostsTheTickAndNoSelectionFollows) {
    const QImage before = axis.image().copy();
    axis.MouseDown(Qt::LeftButton, {455, 33});  // (455 − 150) · 60 div 600 = 30
    axis.MouseMove(Qt::LeftButton, {600, 33}, {});
    axis.MouseUp(Qt::LeftButton, {600, 33});
    EXPECT_EQ(recorder.take(), (std::vector<Message>{{msg::WM_CHART_CLICK, 30, 0}}));
    EXPECT_EQ(axis.image(), before);
}

TEST_F(TimeAxisMouse, PressAboveTheBandAndDragSelects) {
    axis.MouseDown(Qt::LeftButton, {455, 31});
    axis.MouseMove(Qt::LeftButton, {350, 20}, {});
    axis.MouseUp(Qt::LeftButton, {350, 20});
    EXPECT_EQ(recorder.take(), (std::vector<Message>{{msg::WM_CHART_SELECT, 350 * 65536 + 455, 1}}));
}

TEST_F(TimeAxisMouse, HoverIsIgnoredAndPressesPastTheDrawWidthAreNotClicks) {
    axis.MouseMove(Qt::NoButton, {300, 20}, {1, 2});
    axis.MouseDown(Qt::LeftButton, {800, 35});
    axis.MouseUp(Qt::LeftButton, {800, 35});
    EXPECT_TRUE(recorder.take().empty());
}

}  // namespace
}  // namespace somnexa::charts
