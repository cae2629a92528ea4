// The patient list's search over a large index, the home page's viewing
// history over a long SeeLog, and the making of one patient (folder, copy of
// the template database, both rows).

#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "patients/patient_files.h"
#include "patients/patient_index.h"
#include "patients/patient_registry.h"
#include "patients/view_history.h"
#include "storage/database_builder.h"
#include "storage/recording_presenter.h"

namespace {

using namespace somnexa;
using namespace somnexa::patients;

class Folder {
public:
    Folder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "somnexa_patients_bench_XXXXXX").string();
        if (char* made = mkdtemp(pattern.data())) path = made;
        path += "/";
        std::string error;
        storage::createDatabase(path + "DBQorvel.mdb", storage::DatabaseKind::Master, error);
        storage::createDatabase(path + "Patient.mdb", storage::DatabaseKind::Patient, error);
        dm.MasterDBPath = path + "DBQorvel.mdb";
        dm.setClock([this] { return now; });
        dm.ConnectDatabase(storage::kMasterConnection);
    }
    ~Folder() {
        dm.DisconnectDatabase(storage::kPatientConnection);
        dm.DisconnectDatabase(storage::kMasterConnection);
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    void run(const std::string& sql) {
        storage::Query q;
        dm.ExecSQL(q, sql, storage::kMasterConnection, true);
    }

    std::string path;
    storage::RecordingPresenter presenter;
    storage::TDM dm{&presenter};
    double now = DateTime::fromCalendar(2012, 9, 6, 10, 30)->days();
};

const char* kNames[] = {"Li", "Wang", "Zhang", "Liu", "Chen", "Maria", "James", "Anna"};

void BM_SearchIndex(benchmark::State& state) {
    Folder f;
    const int patients = static_cast<int>(state.range(0));
    f.dm.BeginTransaction(storage::kMasterConnection);
    for (int i = 0; i < patients; ++i) {
        char id[16];
        std::snprintf(id, sizeof id, "2012%04d%03d", 100 + i / 999, i % 999 + 1);
        f.run(std::string("insert into tPatients (PatientID,PatientName,Gender,PatientPath,PatientAge) values ('") + id +
              "','" + kNames[i % 8] + " " + std::to_string(i) + "','Male','/p/x'," + std::to_string(20 + i % 60) + ")");
    }
    f.dm.CommitTransaction(storage::kMasterConnection);
    PatientIndex index(f.dm, f.presenter, f.path);
    const std::string text = state.range(1) ? "Li 1" : "";
    std::size_t found = 0;
    for (auto _ : state) {
        storage::Query rows;
        found = static_cast<std::size_t>(index.Search(text, rows));
        benchmark::DoNotOptimize(rows.RecordCount());
    }
    state.counters["rows"] = static_cast<double>(found);
}
BENCHMARK(BM_SearchIndex)->Args({1000, 0})->Args({1000, 1})->Args({10000, 0})->Args({10000, 1})
    ->Unit(benchmark::kMillisecond);

void BM_ViewingHistory(benchmark::State& state) {
    Folder f;
    const int rows = static_cast<int>(state.range(0));
    f.dm.BeginTransaction(storage::kMasterConnection);
    for (int i = 0; i < rows; ++i) {
        PatientEntry e{"20120901" + std::to_string(100 + i % 500), "P", "Male", "40", ""};
        storage::Query q;
        f.dm.ExecSQL(q, SeeLogInsertStatement(e, DateTime(f.now - (i % 90) - i * 1e-5)), storage::kMasterConnection,
                     true);
    }
    f.dm.CommitTransaction(storage::kMasterConnection);
    std::size_t listed = 0;
    for (auto _ : state) listed = ReadViewingHistory(f.dm).size();
    state.counters["listed"] = static_cast<double>(listed);
}
BENCHMARK(BM_ViewingHistory)->Arg(1000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_CreatePatient(benchmark::State& state) {
    Folder f;
    PatientRegistry registry(f.dm, f.presenter, f.path);
    int n = 0;
    for (auto _ : state) {
        f.now += 1.0 / 1440;  // the next minute; a new day after 999 patients
        if (++n % 900 == 0) f.now += 1.0;
        PatientRecord r;
        r.patientID = f.dm.NewPatientID();
        r.name = "Li " + std::to_string(n);
        r.gender = "Male";
        r.age = "40";
        benchmark::DoNotOptimize(registry.Save(SaveMode::New, r, DefaultSavePath(f.path, r.name), ""));
    }
}
BENCHMARK(BM_CreatePatient)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace

BENCHMARK_MAIN();
