// Redraw of one realtime chart holding 24 hours at 25 samples a second
// (2.16 million samples) on a 1600-pixel-wide image: the line drawn through
// the per-column reduction against the polyline through every sample.
//   ./build/bench/charts_bench --benchmark_counters_tabular=true

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cmath>
#include <random>

#include "charts/qv_diagrams.h"

namespace {

using namespace somnexa;
using namespace somnexa::charts;

const ar2TPoint& wholeDay() {
    static const ar2TPoint series = [] {
        constexpr int kSamples = 24 * 3600 * 25;
        arTPoint samples(kSamples);
        std::mt19937 random(3);
        std::normal_distribution<double> noise(0.0, 40.0);
        for (int j = 0; j < kSamples; ++j) {
            const double breath = std::sin(j * 2 * M_PI / 100.0);  // 15 breaths a minute
            samples[static_cast<std::size_t>(j)] = {0, 2048 + static_cast<int>(1400 * breath + noise(random))};
        }
        return ar2TPoint{samples};
    }();
    return series;
}

void redraw(benchmark::State& state, bool reduce) {
    FixedChartHost host(1600, 200);
    TQvDiagrams chart(host);
    chart.DiagramModel = kLineChart;
    chart.Rows = 4;
    chart.Cols = 60;
    chart.MinY = -100;
    chart.MaxY = 100;
    chart.DigitalMin = 0;
    chart.DigitalMax = 4095;
    chart.TimeLength = 24 * 3600;
    chart.Rate = 25;
    chart.LineColor = 0x3C8C00;
    chart.ChannleName = "Flow|(l/min)";
    chart.reduceLines = reduce;
    chart.SetData(wholeDay());
    for (auto _ : state) {
        chart.ReDrawDiagram();
        benchmark::DoNotOptimize(chart.image().constBits());
    }
    state.counters["samples"] = static_cast<double>(wholeDay().front().size());
}

void BM_RedrawReduced(benchmark::State& state) { redraw(state, true); }
void BM_RedrawFullPolyline(benchmark::State& state) { redraw(state, false); }

BENCHMARK(BM_RedrawReduced)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawFullPolyline)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
