#include "storage/database_builder.h"

#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "storage/embedded_sql.h"

namespace somnexa::storage {

bool createDatabase(const std::string& path, DatabaseKind kind, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::exists(path, ec)) {
        error = "The file '" + path + "' already exists.";
        return false;
    }
    // Built beside the target and moved into place when complete.
    const std::string part = path + ".part" + std::to_string(::getpid());
    fs::remove(part, ec);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(part.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        error = "Cannot create '" + path + "': " + (db ? sqlite3_errmsg(db) : "out of memory");
        sqlite3_close_v2(db);
        fs::remove(part, ec);
        return false;
    }
    bool ok = true;
    char* message = nullptr;
    auto run = [&](std::string_view name, const std::string& sql) {
        if (!ok) return;
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
            error = std::string(name) + ": " + (message ? message : sqlite3_errmsg(db));
            sqlite3_free(message);
            message = nullptr;
            ok = false;
        }
    };
    run("begin", "BEGIN");
    const auto& files = kind == DatabaseKind::Master ? masterSqlFiles() : patientSqlFiles();
    for (const EmbeddedSqlFile& f : files) run(f.name, std::string(f.sql));
    run("commit", "COMMIT");
    sqlite3_close_v2(db);
    if (ok) {
        fs::rename(part, path, ec);
        if (ec) {
            error = "Cannot write '" + path + "': " + ec.message();
            ok = false;
        }
    }
    if (!ok) fs::remove(part, ec);
    return ok;
}

}  // namespace somnexa::storage
