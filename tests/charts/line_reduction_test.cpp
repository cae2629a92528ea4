// The per-column reduction of line segments draws exactly the pixels of the
// polyline through every sample.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

#include "charts/line_layout.h"
#include "charts/qv_diagrams.h"
#include "gui_app.h"

namespace somnexa::charts {
namespace {

struct Fixture {
    const char* name;
    int width;
    int timeLength;
    int rate;
    ar2TPoint series;
};

arTPoint samples(int startSecond, int count, const std::function<int(int)>& value) {
    arTPoint out(static_cast<std::size_t>(count));
    for (int j = 0; j < count; ++j) out[static_cast<std::size_t>(j)] = {startSecond, value(j)};
    return out;
}

std::vector<Fixture> fixtures() {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> noise(0, 4095);
    std::vector<Fixture> out;
    // Ten minutes of breathing at 25 samples a second on a 1000-pixel chart.
    out.push_back({"breathing", 1000, 600, 25, {samples(0, 600 * 25, [](int j) {
                       return 2048 + static_cast<int>(1500 * std::sin(j * 2 * M_PI / 100.0) +
                                                      200 * std::sin(j * 2 * M_PI / 13.0));
                   })}});
    std::vector<int> values(40000);
    for (int& v : values) v = noise(random);
    out.push_back({"noise", 800, 1600, 25, {samples(0, 40000, [&](int j) { return values[static_cast<std::size_t>(j)]; })}});
    out.push_back({"steps", 700, 300, 25,
                   {samples(10, 5000, [](int j) { return (j / 700) % 2 == 0 ? 300 : 3800; }),
                    samples(220, 1500, [](int j) { return j < 750 ? 4095 : 0; })}});
    // Fewer samples than pixels: the columns of a segment are spread apart.
    out.push_back({"sparse", 900, 600, 1, {samples(0, 400, [](int j) { return (j * 37) % 4096; })}});
    // A segment no wider than one column (one second on a 3600-second span).
    out.push_back({"narrow", 1000, 1200, 25, {samples(300, 25, [](int j) { return j * 160; }),
                                               samples(600, 50, [](int j) { return 4000 - j * 70; })}});
    // A segment that starts left of the plot, even left of the image.
    out.push_back({"left", 600, 120, 25, {samples(-300, 12000, [](int j) {
                       return 2048 + static_cast<int>(1800 * std::sin(j / 40.0));
                   })}});
    // Values beyond the raw range leave the image at top and bottom.
    out.push_back({"overrange", 640, 60, 25, {samples(0, 1500, [](int j) { return (j % 50) * 200 - 1000; })}});
    // Samples past the end of the span fall off the right edge.
    out.push_back({"past end", 500, 60, 25, {samples(30, 3000, [](int j) { return (j * 97) % 4096; })}});
    // A flat line, and repeated values that end a segment.
    out.push_back({"flat", 600, 100, 25, {samples(0, 2000, [](int) { return 1000; }),
                                           samples(85, 300, [](int j) { return j < 150 ? 3000 : 2000; })}});
    return out;
}

QImage render(const Fixture& f, bool reduce) {
    FixedChartHost host(f.width, 160);
    TQvDiagrams chart(host);
    chart.DiagramModel = kLineChart;
    chart.Rows = 4;
    chart.Cols = 60;
    chart.DigitalMin = 0;
    chart.DigitalMax = 4095;
    chart.MinY = 0;
    chart.MaxY = 40;
    chart.TimeLength = f.timeLength;
    chart.Rate = f.rate;
    chart.LineColor = 0xB44600;
    chart.reduceLines = reduce;
    chart.SetData(f.series);
    chart.ReDrawDiagram();
    return chart.image();
}

int differingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return -1;
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) ++count;
        }
    return count;
}

int linePixels(const QImage& image) {
    int count = 0;
    const QRgb line = toQColor(0xB44600).rgb();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == line;
    return count;
}

TEST(LineReduction, DrawsTheSamePixelsAsEverySample) {
    test::ensureGuiApp();
    for (const Fixture& f : fixtures()) {
        const QImage full = render(f, false);
        const QImage reduced = render(f, true);
        EXPECT_GT(linePixels(full), 0) << f.name;
        EXPECT_EQ(differingPixels(full, reduced), 0) << f.name;
    }
}

TEST(LineReduction, KeepsAtMostFourVerticesPerColumn) {
    const arTPoint many = samples(0, 100000, [](int j) { return (j * 7919) % 4096; });
    const SegmentLayout layout(100000, 150, 500);
    const ValueMapping values{160, 0, 4095};
    std::vector<QPoint> out;
    reducedVertices(many, layout, values, 650, out);
    EXPECT_LE(out.size(), 500u * 4 + 2);
    EXPECT_GE(out.size(), 500u * 2);
    // Every column of the segment is present, in order.
    EXPECT_EQ(out.front().x(), 150);
    EXPECT_EQ(out.back().x(), 649);
    for (std::size_t i = 1; i < out.size(); ++i) EXPECT_LE(out[i - 1].x(), out[i].x());
}

TEST(LineReduction, FirstSampleOfAColumnAgreesWithTheColumnOfEachSample) {
    for (const auto& [n, w] : std::vector<std::pair<int, int>>{{1000, 7}, {7, 1000}, {2160000, 1450}, {25, 1}, {3, 3}}) {
        const SegmentLayout layout(n, 0, w);
        for (std::int64_t c = 0; c <= w; ++c) {
            const std::int64_t j = layout.firstSampleOf(c);
            if (j < n) {
                EXPECT_GE(layout.column(j), c);
            }
            if (j > 0) {
                EXPECT_LT(layout.column(j - 1), c);
            }
        }
    }
}

}  // namespace
}  // namespace somnexa::charts
