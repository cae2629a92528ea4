// The day-piece query (all days) on three years of nightly sessions: through
// the Jet dialect layer, and as a hand-written native SQLite query that gives
// the same rows. The ratio of the two times is the cost of the dialect.

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "storage/connection.h"
#include "storage/database_builder.h"
#include "storage/jet_dates.h"

namespace {

using namespace somnexa::storage;

const std::string kS =
    " (SELECT datevalue(dateadd('h', -12, opentime)) AS Dates1, opentime, dateadd('s', times, opentime) AS endtime, "
    "times as times1, iif(WorkMode=0, StartPress, iif(WorkMode=4, MaxPress, inspPress)) as WorkPress FROM tsession) ";
const std::string kDayPieces =
    "SELECT * from (SELECT dates1 as dates, openTime, endtime, WorkPress, (IIf(datevalue(dateadd('h', -12, endtime)) = "
    "dates1, times1, datediff('s',opentime,dateadd('h', 36, dates1)))) AS times FROM " +
    kS + " UNION ALL SELECT dateadd('d', 1, dates1) as dates, opentime, endtime, WorkPress, datediff('s', "
         "dateadd('h', 36, dates1), endtime) as times FROM " +
    kS + " WHERE datevalue(dateadd('h', -12, endtime)) <> dates1) where times > 0 ORDER BY dates DESC";

// The same rows with SQLite's own arithmetic on the day counts (all moments are after 1899).
const char* kNative =
    "WITH s AS (SELECT CAST(opentime - 0.5 AS INTEGER) AS dates1, opentime, opentime + times / 86400.0 AS endtime, "
    "times AS times1, CASE WorkMode WHEN 0 THEN StartPress WHEN 4 THEN MaxPress ELSE InspPress END AS WorkPress "
    "FROM tSession) "
    "SELECT * FROM (SELECT dates1 AS dates, opentime, endtime, WorkPress, CASE WHEN CAST(endtime - 0.5 AS INTEGER) = "
    "dates1 THEN times1 ELSE CAST(round((dates1 + 1.5 - opentime) * 86400) AS INTEGER) END AS times FROM s "
    "UNION ALL SELECT dates1 + 1, opentime, endtime, WorkPress, CAST(round((endtime - dates1 - 1.5) * 86400) AS "
    "INTEGER) FROM s WHERE CAST(endtime - 0.5 AS INTEGER) <> dates1) WHERE times > 0 ORDER BY dates DESC";

struct Patient {
    std::string folder;
    std::string path;
    int sessions = 0;
    Patient() {
        char pattern[] = "/tmp/somnexa_bench_XXXXXX";
        folder = mkdtemp(pattern);
        path = folder + "/patient.mdb";
        std::string error;
        createDatabase(path, DatabaseKind::Patient, error);
        Connection c;
        c.open(path, error);
        c.begin(error);
        std::mt19937 rng(7);
        const double first = static_cast<double>(somnexa::daysFromCivil(2017, 1, 1));
        for (int day = 0; day < 3 * 365; ++day) {
            // Bed between 21:00 and 23:59, whole seconds; one night in ten runs past noon.
            const int startSecond = 21 * 3600 + static_cast<int>(rng() % (3 * 3600)) + 7;
            const int times = day % 10 == 3 ? 15 * 3600 + 1234 : 5 * 3600 + static_cast<int>(rng() % (4 * 3600));
            const somnexa::DateTime open = somnexa::DateTime(first + day).addMilliseconds(startSecond * 1000LL);
            const std::string sql =
                "insert into tSession (OpenTime,RealTime,WorkMode,StartPress,MaxPress,InspPress,Times) values (#" +
                open.format(somnexa::DateTimeForm::DateTimeText) + "#,#" +
                open.format(somnexa::DateTimeForm::DateTimeText) + "#," + std::to_string(day % 5) + ",40,150,100," +
                std::to_string(times) + ")";
            c.run(sql, nullptr, error);
            ++sessions;
        }
        c.commit(error);
    }
    ~Patient() { std::filesystem::remove_all(folder); }
};

Patient& patient() {
    static Patient p;
    return p;
}

// Runs a native statement and keeps its rows as the query object does.
int runNative(sqlite3* db, const char* sql, std::vector<Value>& cells) {
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
    const int columns = sqlite3_column_count(s);
    std::vector<std::string> names;
    for (int i = 0; i < columns; ++i) names.emplace_back(sqlite3_column_name(s, i));
    cells.clear();
    int rows = 0;
    while (sqlite3_step(s) == SQLITE_ROW) {
        ++rows;
        for (int i = 0; i < columns; ++i) {
            switch (sqlite3_column_type(s, i)) {
                case SQLITE_INTEGER: cells.emplace_back(std::int64_t{sqlite3_column_int64(s, i)}); break;
                case SQLITE_FLOAT: cells.emplace_back(sqlite3_column_double(s, i)); break;
                case SQLITE_NULL: cells.emplace_back(std::monostate{}); break;
                default: cells.emplace_back(std::string(reinterpret_cast<const char*>(sqlite3_column_text(s, i))));
            }
        }
    }
    sqlite3_finalize(s);
    return rows;
}

// Both forms must give the same days and seconds, or the comparison means nothing.
bool sameRows(Connection& c) {
    Query q;
    std::string error;
    const int jetRows = c.run(kDayPieces, &q, error);
    std::vector<Value> cells;
    const int nativeRows = runNative(c.handle(), kNative, cells);
    if (jetRows != nativeRows || jetRows <= 0) return false;
    for (int r = 0; r < jetRows; ++r) {
        q.MoveTo(r);
        const double nativeDates = std::holds_alternative<std::int64_t>(cells[r * 5])
                                       ? static_cast<double>(std::get<std::int64_t>(cells[r * 5]))
                                       : std::get<double>(cells[r * 5]);
        if (q.FieldByName("dates").AsFloat() != nativeDates ||
            q.FieldByName("times").AsInteger() != std::get<std::int64_t>(cells[r * 5 + 4]))
            return false;
    }
    return true;
}

void BM_DayPieceQueryJet(benchmark::State& state) {
    Connection c;
    std::string error;
    c.open(patient().path, error);
    if (!sameRows(c)) {
        state.SkipWithError("the Jet and native queries differ");
        return;
    }
    Query q;
    int rows = 0;
    for (auto _ : state) rows = c.run(kDayPieces, &q, error);
    state.counters["sessions"] = patient().sessions;
    state.counters["rows"] = rows;
}
BENCHMARK(BM_DayPieceQueryJet)->Unit(benchmark::kMillisecond);

void BM_DayPieceQueryNative(benchmark::State& state) {
    Connection c;
    std::string error;
    c.open(patient().path, error);
    std::vector<Value> cells;
    int rows = 0;
    for (auto _ : state) rows = runNative(c.handle(), kNative, cells);
    state.counters["sessions"] = patient().sessions;
    state.counters["rows"] = rows;
}
BENCHMARK(BM_DayPieceQueryNative)->Unit(benchmark::kMillisecond);

}  // namespace
