// Speed of the analysis logic on a generated patient with three years of
// nightly sessions, their events and their log files (20 seconds a frame):
// the figures of one day and of 30 days, the per-day cache refresh cold
// (every day computed) and warm (every day up to date), and the day
// statistics by selection against a full sort.
//
//   ./build/bench/analysis_bench --benchmark_counters_tabular=true

#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>

#include "analysis/column_cache.h"
#include "analysis/column_statistics.h"
#include "analysis/patient_data.h"
#include "analysis/period_figures.h"
#include "records/data_file.h"
#include "storage/data_module.h"
#include "storage/database_builder.h"

namespace {

using namespace somnexa;

constexpr int kNights = 3 * 365;
constexpr int kPointsPerSample = 20;

class GeneratedPatient {
public:
    GeneratedPatient() {
        std::string pattern = (std::filesystem::temp_directory_path() / "somnexa_analysis_bench_XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        std::string error;
        storage::createDatabase(folder_ + "/DBQorvel.mdb", storage::DatabaseKind::Master, error);
        storage::createDatabase(folder_ + "/20230101001.mdb", storage::DatabaseKind::Patient, error);
        dm.MasterDBPath = folder_ + "/DBQorvel.mdb";
        dm.ConnectDatabase(storage::kMasterConnection);
        dm.OpenPatientDatabase(folder_ + "/20230101001.mdb");
        generate();
    }
    ~GeneratedPatient() {
        dm.DisconnectDatabase(storage::kPatientConnection);
        dm.DisconnectDatabase(storage::kMasterConnection);
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

    storage::TDM dm;
    DateTime firstNight = *DateTime::fromCalendar(2023, 1, 1);

private:
    void generate() {
        std::mt19937 random(2023);
        storage::Query q;
        dm.BeginTransaction(storage::kPatientConnection);
        dm.ExecSQL(q, "insert into tPatients (PatientID, PatientName) values ('20230101001', 'Bench')",
                   storage::kPatientConnection, true);
        arTChannleInfo channels(2);
        channels[0].Code = 16;
        channels[1].Code = 17;
        for (auto& c : channels) {
            c.Rate = 1;
            c.PointsPerSample = kPointsPerSample;
        }
        for (int night = 0; night < kNights; ++night) {
            const DateTime open = firstNight.addSeconds(night * 86400.0 + 21.5 * 3600 + random() % 7200);
            const int seconds = 6 * 3600 + static_cast<int>(random() % (3 * 3600));
            const std::string openText = open.format(DateTimeForm::DateTimeText);
            dm.ExecSQL(q,
                       "insert into tSession (OpenTime, Times, WorkMode, StartPress, MaxPress, MinPress, InspPress) "
                       "values (#" + openText + "#, " + std::to_string(seconds) + ", " +
                           std::to_string(night % 3 == 0 ? 4 : 0) + ", 80, 140, 50, 100)",
                       storage::kPatientConnection, true);
            const int events = 10 + static_cast<int>(random() % 30);
            for (int e = 0; e < events; ++e) {
                static constexpr int kTypes[] = {9, 19, 19, 6, 7, 8};
                const DateTime t = open.addSeconds(static_cast<double>(random() % static_cast<unsigned>(seconds)));
                dm.ExecSQL(q,
                           "insert into tData (SessionID, DataTime, DataType, DataValue, TimeLen) values (" +
                               std::to_string(night + 1) + ", #" + t.format(DateTimeForm::DateTimeText) + "#, " +
                               std::to_string(kTypes[random() % 6]) + ", 0, 10)",
                           storage::kPatientConnection, true);
            }
            TDataFile file;
            file.SetChannels(channels);
            file.Header.FileKind = kLogFileKind;
            file.Header.StartTime = open.days();
            const std::string name = folder_ + "/" + open.format(DateTimeForm::FileStamp) + ".hidl";
            file.CreateDataFile(name);
            std::int32_t frame[2];
            for (int f = 0; f < seconds / kPointsPerSample; ++f) {
                frame[0] = 600 + static_cast<std::int32_t>(random() % 800);
                frame[1] = static_cast<std::int32_t>(random() % 600);
                file.AppendFrame(name, frame);
            }
            file.FinishLogFile(name, {});
        }
        dm.CommitTransaction(storage::kPatientConnection);
    }

    std::string folder_;
};

GeneratedPatient& patient() {
    static GeneratedPatient p;
    return p;
}

void clearCache(storage::TDM& dm) {
    storage::Query q;
    dm.ExecSQL(q, "delete from tColumnData", storage::kPatientConnection, true);
}

void BM_CacheRefreshCold(benchmark::State& state) {
    auto& p = patient();
    for (auto _ : state) {
        state.PauseTiming();
        clearCache(p.dm);
        state.ResumeTiming();
        const auto r = analysis::RefreshColumnCache(p.dm);
        state.counters["computed"] = r.Computed;
    }
}
BENCHMARK(BM_CacheRefreshCold)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_CacheRefreshWarm(benchmark::State& state) {
    auto& p = patient();
    analysis::RefreshColumnCache(p.dm);
    for (auto _ : state) {
        const auto r = analysis::RefreshColumnCache(p.dm);
        state.counters["days"] = r.Days;
        state.counters["computed"] = r.Computed;
    }
}
BENCHMARK(BM_CacheRefreshWarm)->Unit(benchmark::kMillisecond);

void BM_ComputePatientData(benchmark::State& state) {
    auto& p = patient();
    analysis::RefreshColumnCache(p.dm);
    const int days = static_cast<int>(state.range(0));
    analysis::TPatientData data;
    for (int d = 0; d < days; ++d) data.Dates.push_back(p.firstNight.addSeconds((500 - d) * 86400.0));
    for (auto _ : state) {
        analysis::ComputePatientData(p.dm, "20230101001", data);
        const auto figures = analysis::ComputePeriodFigures(data);
        benchmark::DoNotOptimize(figures);
    }
    state.counters["sessions"] = static_cast<double>(data.Sessions.size());
}
BENCHMARK(BM_ComputePatientData)->Arg(1)->Arg(30)->Unit(benchmark::kMillisecond);

std::vector<std::int32_t> daySamples(std::size_t n) {
    std::mt19937 random(5);
    std::vector<std::int32_t> v(n);
    for (auto& x : v) x = static_cast<std::int32_t>(random() % 4096);
    return v;
}

void BM_DayStatisticsSelection(benchmark::State& state) {
    const auto source = daySamples(static_cast<std::size_t>(state.range(0)));
    std::vector<std::int32_t> v;
    for (auto _ : state) {
        v = source;
        benchmark::DoNotOptimize(analysis::ComputeColumnStatistics(v));
    }
}
BENCHMARK(BM_DayStatisticsSelection)->Arg(1440)->Arg(43200);

void BM_DayStatisticsFullSort(benchmark::State& state) {
    const auto source = daySamples(static_cast<std::size_t>(state.range(0)));
    std::vector<std::int32_t> v;
    for (auto _ : state) {
        v = source;
        std::sort(v.begin(), v.end());
        benchmark::DoNotOptimize(v[static_cast<std::size_t>(analysis::PercentilePosition(state.range(0), 95))]);
    }
}
BENCHMARK(BM_DayStatisticsFullSort)->Arg(1440)->Arg(43200);

}  // namespace

BENCHMARK_MAIN();
