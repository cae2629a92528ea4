// Translation cost per statement and event rows stored per second.
//   ./build/bench/storage_bench --benchmark_counters_tabular=true

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "storage/data_module.h"
#include "storage/database_builder.h"
#include "storage/jet_translator.h"

namespace {

using namespace somnexa::storage;

const char* const kStatements[] = {
    "insert into tData (SessionID,DataTime,DataType,DataValue,TimeLen) values (12,#2019-11-02 03:04:05#,19,0,14)",
    "select *,(' ' + PatientName) as PatientName1, (' ' + PatientPath) as PatientPath1 from tPatients where 1=1  and "
    "(Patientid like '%an%' or Patientname like '%an%') order by PatientID desc",
    "select top 10 * from SeeLog a where not exists(select 1 from SeeLog where PatientID = a.PatientID and LogDate > "
    "a.LogDate) order by logdate desc",
    "SELECT * from (SELECT dates1 as dates, openTime, endtime, WorkPress, (IIf(datevalue(dateadd('h', -12, endtime)) = "
    "dates1, times1, datediff('s',opentime,dateadd('h', 36, dates1)))) AS times FROM  (SELECT "
    "datevalue(dateadd('h', -12, opentime)) AS Dates1, opentime, dateadd('s', times, opentime) AS endtime, times as "
    "times1, iif(WorkMode=0, StartPress, iif(WorkMode=4, MaxPress, inspPress)) as WorkPress FROM tsession)  UNION ALL "
    "SELECT dateadd('d', 1, dates1) as dates, opentime, endtime, WorkPress, datediff('s', dateadd('h', 36, dates1), "
    "endtime) as times FROM  (SELECT datevalue(dateadd('h', -12, opentime)) AS Dates1, opentime, dateadd('s', times, "
    "opentime) AS endtime, times as times1, iif(WorkMode=0, StartPress, iif(WorkMode=4, MaxPress, inspPress)) as "
    "WorkPress FROM tsession)  WHERE datevalue(dateadd('h', -12, endtime)) <> dates1) where times > 0 ORDER BY dates "
    "DESC",
};

void BM_TranslateStatement(benchmark::State& state) {
    const char* sql = kStatements[state.range(0)];
    for (auto _ : state) {
        Translation t = translateJet(sql);
        benchmark::DoNotOptimize(t.sql.data());
    }
    state.counters["chars"] = static_cast<double>(std::string(sql).size());
    state.SetLabel(state.range(0) == 0   ? "tData insert"
                   : state.range(0) == 1 ? "patient search"
                   : state.range(0) == 2 ? "history top 10"
                                         : "day-piece query");
}
BENCHMARK(BM_TranslateStatement)->DenseRange(0, 3);

// 10 000 tData rows in one transaction, each statement composed as the download stores it.
void BM_StoreEventsInOneTransaction(benchmark::State& state) {
    char pattern[] = "/tmp/somnexa_bench_XXXXXX";
    const std::string folder = mkdtemp(pattern);
    const std::string path = folder + "/p.mdb";
    std::string error;
    if (!createDatabase(path, DatabaseKind::Patient, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    TDM dm;
    dm.PatientDBPath = path;
    dm.ConnectDatabase(kPatientConnection);
    Query q;
    constexpr int kRows = 10'000;
    for (auto _ : state) {
        dm.BeginTransaction(kPatientConnection);
        for (int i = 0; i < kRows; ++i) {
            const somnexa::DateTime t = somnexa::DateTime(43769.9).addMilliseconds(i * 1000LL);
            const std::string sql = "insert into tData (SessionID,DataTime,DataType,DataValue,TimeLen) values (1,#" +
                                    t.format(somnexa::DateTimeForm::DateTimeText) + "#," + std::to_string(9 + i % 3) +
                                    ",0," + std::to_string(10 + i % 20) + ")";
            if (dm.ExecSQL(q, sql, kPatientConnection, false) != 1) state.SkipWithError("insert failed");
        }
        dm.CommitTransaction(kPatientConnection);
        state.PauseTiming();
        dm.ExecSQL(q, "delete from tData", kPatientConnection, false);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
    dm.DisconnectDatabase(kPatientConnection);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_StoreEventsInOneTransaction)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
