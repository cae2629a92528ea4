// The download from the simulated ventilator into a patient's folder and
// database: a week of nights, instant and at one report per millisecond; and
// the storing of one session of 2000 events.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>

#include "device/download_workflow.h"
#include "device/virtual_scheduler.h"
#include "devsim/flash_generator.h"
#include "devsim/simulated_backend.h"
#include "storage/database_builder.h"
#include "storage/recording_presenter.h"

namespace {

using namespace somnexa;
namespace fs = std::filesystem;

struct Folder {
    fs::path dir = fs::temp_directory_path() / "somnexa_download_bench";
    std::string master, patient;
    Folder() {
        fs::remove_all(dir);
        fs::create_directories(dir / "images");
        fs::create_directories(dir / "P");
        std::string error;
        master = (dir / "DBQorvel.mdb").string();
        patient = (dir / "P" / "20200101001.mdb").string();
        storage::createDatabase(master, storage::DatabaseKind::Master, error);
        storage::createDatabase(patient, storage::DatabaseKind::Patient, error);
    }
    ~Folder() { fs::remove_all(dir); }
};

const devsim::GeneratedFlash& weekFlash(int maxSessionSeconds) {
    static std::map<int, devsim::GeneratedFlash> flashes;
    auto it = flashes.find(maxSessionSeconds);
    if (it == flashes.end()) {
        devsim::GeneratorOptions o;
        o.nights = 7;
        o.seed = 3;
        o.maxSessionSeconds = maxSessionSeconds;
        it = flashes.emplace(maxSessionSeconds, devsim::generateFlash(o)).first;
    }
    return it->second;
}

bool settled(device::DownloadState s) {
    using S = device::DownloadState;
    return s == S::ChoosingSessions || s == S::Done || s == S::Failed;
}

// Range 0: report latency in microseconds; range 1: longest session in seconds (0: realistic nights).
void BM_DownloadWeek(benchmark::State& state) {
    const int latency = static_cast<int>(state.range(0));
    const auto& flash = weekFlash(static_cast<int>(state.range(1)));
    std::int64_t bytes = 0, rows = 0, sessions = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Folder folder;
        storage::RecordingPresenter presenter;
        storage::TDM dm(&presenter);
        dm.MasterDBPath = folder.master;
        dm.PatientDBPath = folder.patient;
        device::VirtualScheduler clock;
        devsim::SimulatedBackend backend(clock);
        devsim::VentilatorOptions options;
        options.reportLatencyUs = latency;
        backend.plugIn(flash.flash, options);
        device::DownloadSettings s;
        s.dm = &dm;
        s.presenter = &presenter;
        s.imageFolder = (folder.dir / "images").string();
        device::DownloadWorkflow w(backend, clock, s);
        w.setPatient("20200101001", "20200101001");
        w.Show();
        clock.advance(1);
        state.ResumeTiming();

        w.ChooseDevice(0);
        while (!settled(w.state())) clock.advance(10);
        w.SelectAll();
        w.StartDownload();
        while (!settled(w.state())) clock.advance(10);
        if (w.state() != device::DownloadState::Done) state.SkipWithError("download failed");

        state.PauseTiming();
        for (const auto& f : w.writtenFiles()) bytes += static_cast<std::int64_t>(fs::file_size(f));
        for (const auto& d : w.downloaded()) rows += d.store.events;
        sessions += static_cast<std::int64_t>(w.downloaded().size());
        state.ResumeTiming();
    }
    state.counters["sessions"] = benchmark::Counter(static_cast<double>(sessions), benchmark::Counter::kAvgIterations);
    state.counters["file_bytes"] = benchmark::Counter(static_cast<double>(bytes), benchmark::Counter::kAvgIterations);
    state.counters["event_rows"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_DownloadWeek)->Args({0, 0})->Args({0, 1200})->Args({1000, 1200})->Unit(benchmark::kMillisecond)
    ->Iterations(1)->UseRealTime();

void BM_StoreSession2000Events(benchmark::State& state) {
    Folder folder;
    storage::RecordingPresenter presenter;
    storage::TDM dm(&presenter);
    dm.PatientDBPath = folder.patient;
    device::VirtualScheduler clock;
    TLogData session;
    session.Id = 1;
    session.Time = {20, 1, 1, 22, 0, 0, 0};
    session.Times = 8 * 3600;
    for (int i = 0; i < 2000; ++i) {
        TLogEvent e;
        e.Code = static_cast<std::uint8_t>(i % 2 ? 9 : 19);
        e.Offset = 10 + i * 14;
        e.TimeLen = 10;
        e.Value = static_cast<std::uint8_t>(i);
        session.Events.push_back(e);
    }
    device::StoreOptions options;
    options.overwrite = true;
    options.afterRow = [&] { clock.processEvents(); };
    for (auto _ : state) {
        const auto r = device::StoreSessionRows(dm, session, {}, options);
        if (r.outcome != device::StoreOutcome::Stored) state.SkipWithError("store failed");
    }
    state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(BM_StoreSession2000Events)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
