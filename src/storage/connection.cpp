#include "storage/connection.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <utility>
#include <vector>

#include "storage/jet_translator.h"

namespace somnexa::storage {
namespace {

std::string quoteName(std::string_view name) {
    std::string s = "\"";
    for (char c : name) {
        if (c == '"') s.push_back('"');
        s.push_back(c);
    }
    s.push_back('"');
    return s;
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool fileIsEmpty(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && st.st_size == 0;
}

bool isDateTimeType(const char* declared) {
    if (!declared) return false;
    std::string t(declared);
    for (char& c : t)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return t.find("DATE") != std::string::npos || t == "TIME" || t == "TIMESTAMP";
}

// Owns a prepared statement.
class Statement {
public:
    Statement(sqlite3* db, const std::string& sql, std::string& error) {
        const char* tail = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, &tail) != SQLITE_OK) {
            error = sqlite3_errmsg(db);
            stmt_ = nullptr;
        }
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* get() const { return stmt_; }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace

bool Connection::open(const std::string& path, std::string& error) {
    close();
    if (!fileExists(path)) {
        error = "Could not find file '" + path + "'.";
        return false;
    }
    if (fileIsEmpty(path)) {
        // SQLite would take an empty file for an empty database and start writing into it.
        error = "Unrecognized database format '" + path + "': the file is empty.";
        return false;
    }
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        error = "Cannot open '" + path + "': " + (db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        return false;
    }
    db_ = db;
    path_ = path;
    sqlite3_busy_timeout(db_, 2000);
    std::string why;
    // Opening is lazy: reading the schema is what finds a file that is not a database.
    if (!exec("SELECT count(*) FROM sqlite_master", why)) {
        error = "Unrecognized database format '" + path + "': " + why;
        close();
        return false;
    }
    if (registerJetFunctions(db_, &clock_) != SQLITE_OK || !installDateConversions(why)) {
        error = "Cannot prepare the connection to '" + path + "': " + why;
        close();
        return false;
    }
    if (!lock_.acquire(path, why)) {
        error = why;
        close();
        return false;
    }
    return true;
}

void Connection::close() {
    lock_.release();
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
    path_.clear();
}

bool Connection::exec(const char* sql, std::string& error) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        error = message ? message : sqlite3_errmsg(db_);
        sqlite3_free(message);
        return false;
    }
    return true;
}

// A text written into a date-time column (a quoted "YYYY-MM-DD", say) is
// turned into the day count it names right after the write; a text that names
// no moment fails the statement. Temporary triggers: the file stays untouched.
bool Connection::installDateConversions(std::string& error) {
    std::vector<std::pair<std::string, std::string>> columns;
    {
        Statement tables(db_, "SELECT name FROM main.sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'",
                         error);
        if (!tables.get()) return false;
        std::vector<std::string> names;
        while (sqlite3_step(tables.get()) == SQLITE_ROW)
            names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(tables.get(), 0)));
        for (const std::string& table : names) {
            Statement info(db_, "PRAGMA main.table_info(" + quoteName(table) + ")", error);
            if (!info.get()) return false;
            while (sqlite3_step(info.get()) == SQLITE_ROW) {
                const auto* type = reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 2));
                if (isDateTimeType(type))
                    columns.emplace_back(table, reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 1)));
            }
        }
    }
    for (const auto& [table, column] : columns) {
        const std::string t = quoteName(table);
        const std::string c = quoteName(column);
        const std::string body = " WHEN typeof(NEW." + c + ") = 'text' BEGIN UPDATE " + t + " SET " + c +
                                 " = jet_textdate(NEW." + c + ") WHERE rowid = NEW.rowid; END";
        const std::string stem = "jet_date_" + table + "_" + column;
        const std::string sql = "CREATE TEMP TRIGGER IF NOT EXISTS " + quoteName(stem + "_ins") +
                                " AFTER INSERT ON main." + t + body + "; CREATE TEMP TRIGGER IF NOT EXISTS " +
                                quoteName(stem + "_upd") + " AFTER UPDATE OF " + c + " ON main." + t + body + ";";
        if (!exec(sql.c_str(), error)) return false;
    }
    return true;
}

int Connection::run(std::string_view jetSql, Query* rows, std::string& error) {
    if (!db_) {
        error = "The connection is not open.";
        return -1;
    }
    Translation tr = translateJet(jetSql);
    if (!tr.ok()) {
        error = tr.error;
        return -1;
    }
    // Files named inside the statement are attached for its run only.
    std::vector<std::string> attached;
    auto detachAll = [&] {
        std::string ignored;
        for (const std::string& alias : attached) exec(("DETACH DATABASE " + alias).c_str(), ignored);
    };
    for (const ExternalDatabase& ext : tr.externals) {
        if (!fileExists(ext.path)) {
            error = "Could not find file '" + ext.path + "'.";
            detachAll();
            return -1;
        }
        Statement attach(db_, "ATTACH DATABASE ?1 AS " + ext.alias, error);
        if (!attach.get()) {
            detachAll();
            return -1;
        }
        sqlite3_bind_text(attach.get(), 1, ext.path.c_str(), static_cast<int>(ext.path.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(attach.get()) != SQLITE_DONE) {
            error = sqlite3_errmsg(db_);
            detachAll();
            return -1;
        }
        attached.push_back(ext.alias);
    }

    int result = -1;
    {
        Statement stmt(db_, tr.sql, error);
        if (stmt.get()) {
            sqlite3_stmt* s = stmt.get();
            if (rows) {
                const int columns = sqlite3_column_count(s);
                std::vector<std::string> names;
                std::vector<bool> dateTime;
                for (int i = 0; i < columns; ++i) {
                    const char* name = sqlite3_column_name(s, i);
                    names.emplace_back(name ? name : "");
                    dateTime.push_back(isDateTimeType(sqlite3_column_decltype(s, i)));
                }
                std::vector<Value> cells;
                int rc = SQLITE_ROW;
                int count = 0;
                while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
                    ++count;
                    for (int i = 0; i < columns; ++i) {
                        switch (sqlite3_column_type(s, i)) {
                            case SQLITE_INTEGER: cells.emplace_back(std::int64_t{sqlite3_column_int64(s, i)}); break;
                            case SQLITE_FLOAT: cells.emplace_back(sqlite3_column_double(s, i)); break;
                            case SQLITE_NULL: cells.emplace_back(std::monostate{}); break;
                            default: {
                                const auto* p = static_cast<const char*>(sqlite3_column_blob(s, i));
                                cells.emplace_back(std::string(p ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(s, i))));
                            }
                        }
                    }
                }
                if (rc == SQLITE_DONE) {
                    rows->setResult(std::move(names), std::move(dateTime), std::move(cells));
                    result = count;
                } else {
                    error = sqlite3_errmsg(db_);
                }
            } else {
                int rc = SQLITE_ROW;
                while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
                }
                // sqlite3_changes counts the rows of the statement itself, not those its
                // triggers touch; schema statements change no rows.
                if (rc == SQLITE_DONE)
                    result = (sqlite3_stmt_readonly(s) || tr.changesSchema) ? 0 : sqlite3_changes(db_);
                else error = sqlite3_errmsg(db_);
            }
        }
    }
    detachAll();
    if (result >= 0 && tr.changesSchema) {
        std::string why;
        installDateConversions(why);
    }
    return result;
}

bool Connection::begin(std::string& error) { return db_ && exec("BEGIN", error); }
bool Connection::commit(std::string& error) { return db_ && exec("COMMIT", error); }
bool Connection::rollback(std::string& error) { return db_ && exec("ROLLBACK", error); }
bool Connection::inTransaction() const { return db_ && !sqlite3_get_autocommit(db_); }

}  // namespace somnexa::storage
