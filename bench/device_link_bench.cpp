// Reading ranges through the HID link from a simulated ventilator:
//   instant   the device answers at once: what the link itself costs;
//   bus       one report per millisecond, like a full-speed interrupt endpoint.
// The bus-limited ideal of this request/answer protocol is three transactions
// (the request and two reports) per 128 bytes; "of_ideal" compares with it.
//
//   ./build/bench/device_bench --benchmark_counters_tabular=true

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>

#include "device/hid_protocol.h"
#include "device/message_sink.h"
#include "device/qt_scheduler.h"
#include "device/qv_hid.h"
#include "device/virtual_scheduler.h"
#include "devsim/simulated_backend.h"
#include "records/window_messages.h"

namespace {

using namespace somnexa::device;

struct Outcome : MessageSink {
    int done = 0;  // completion code, 255 on failure
    void postMessage(int message, std::intptr_t wParam, std::intptr_t) override {
        if (message == somnexa::msg::WM_DEVICE_ERROR) done = 255;
        else if (message == somnexa::msg::WM_DEVICE_NOTIFY && wParam != 1) done = static_cast<int>(wParam);
    }
};

somnexa::devsim::FlashImage randomFlash() {
    somnexa::devsim::FlashImage flash;
    std::mt19937 rng(7);
    for (auto& b : flash.bytes()) b = static_cast<std::uint8_t>(rng());
    return flash;
}

const somnexa::devsim::FlashImage& flash() {
    static const auto image = randomFlash();
    return image;
}

std::string imagePath() {
    return (std::filesystem::temp_directory_path() / "somnexa_device_bench.img").string();
}

struct Range {
    std::uint32_t address;
    std::uint32_t size;
    int type;
};
constexpr Range kHeadersB{kRegionBStart, kRegionBHeaderBytes, kRegionBHeaders};
constexpr Range kRealtime4MB{kRegionAStart, 4u << 20, kRegionARange};

double idealMs(const Range& r, double usPerTransaction) {
    const double requests = (r.size + kRequestBytes - 1) / kRequestBytes;
    return requests * 3 * usPerTransaction / 1000.0;
}

void setCounters(benchmark::State& state, const Range& r, double msPerRead, double idealPerRead, int failures) {
    state.counters["ms"] = msPerRead;
    state.counters["MB/s"] = r.size / 1e6 / (msPerRead / 1000.0);
    if (idealPerRead > 0) {
        state.counters["ideal_ms"] = idealPerRead;
        state.counters["of_ideal"] = idealPerRead / msPerRead;
    }
    state.counters["failures"] = failures;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * r.size);
}

// The link on a virtual clock, the device answering inside write(): no waits.
void instant(benchmark::State& state, Range r) {
    VirtualScheduler clock;
    somnexa::devsim::SimulatedBackend backend(clock);
    backend.plugIn(flash());
    Outcome outcome;
    TQvHid link(backend, clock, &outcome);
    clock.runPending();
    link.SelectDevice(link.DeviceNames().at(0));
    double totalMs = 0;
    int failures = 0;
    for (auto _ : state) {
        outcome.done = 0;
        const auto t0 = std::chrono::steady_clock::now();
        if (link.StartRead(imagePath(), r.address, r.size, r.type) != 0) {
            state.SkipWithError("StartRead failed");
            break;
        }
        while (outcome.done == 0) clock.processEvents();
        totalMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        failures += outcome.done == 255;
    }
    setCounters(state, r, totalMs / std::max<double>(1, state.iterations()), 0, failures);
}

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "device_bench";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// The program's way: the Qt event loop, the device on its own thread.
void onEventLoop(benchmark::State& state, Range r, int latencyUs) {
    application();
    QtScheduler scheduler;
    somnexa::devsim::SimulatedBackend backend(scheduler);
    somnexa::devsim::VentilatorOptions options;
    options.reportLatencyUs = latencyUs;
    backend.plugIn(flash(), options);
    Outcome outcome;
    TQvHid link(backend, scheduler, &outcome);
    QCoreApplication::processEvents();
    link.SelectDevice(link.DeviceNames().at(0));
    double totalMs = 0;
    int failures = 0;
    for (auto _ : state) {
        outcome.done = 0;
        const auto t0 = std::chrono::steady_clock::now();
        if (link.StartRead(imagePath(), r.address, r.size, r.type) != 0) {
            state.SkipWithError("StartRead failed");
            break;
        }
        while (outcome.done == 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        totalMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        failures += outcome.done == 255;
    }
    setCounters(state, r, totalMs / std::max<double>(1, state.iterations()), latencyUs > 0 ? idealMs(r, latencyUs) : 0,
                failures);
}

BENCHMARK_CAPTURE(instant, headers_B, kHeadersB)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(instant, realtime_4MB, kRealtime4MB)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(onEventLoop, instant_headers_B, kHeadersB, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(onEventLoop, instant_realtime_4MB, kRealtime4MB, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(onEventLoop, bus_headers_B, kHeadersB, 1000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_CAPTURE(onEventLoop, bus_realtime_4MB, kRealtime4MB, 1000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
