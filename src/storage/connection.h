#pragma once
// One database connection that speaks the Jet dialect: statements are
// translated (jet_translator.h), the Jet functions are registered, texts
// written into date-time columns become day counts, and the file carries a
// shared advisory lock while the connection is open.

#include <string>
#include <string_view>

#include "storage/file_lock.h"
#include "storage/jet_functions.h"
#include "storage/query.h"

struct sqlite3;

namespace somnexa::storage {

class Connection {
public:
    Connection() = default;
    ~Connection() { close(); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens an existing database file. false with error set when the file is
    // missing, is not a database, or cannot be opened.
    bool open(const std::string& path, std::string& error);
    void close();
    bool isOpen() const { return db_ != nullptr; }
    const std::string& path() const { return path_; }

    // Runs one statement of the dialect. With rows given, the statement is read
    // as a result set into rows and the result is its row count; without, it
    // is run as a command and the result is the number of rows it changed.
    // -1 with error set on failure.
    int run(std::string_view jetSql, Query* rows, std::string& error);

    bool begin(std::string& error);
    bool commit(std::string& error);
    bool rollback(std::string& error);
    bool inTransaction() const;

    // The moment Now() gives inside statements (default: the local clock).
    void setClock(Clock clock) { clock_ = std::move(clock); }

    sqlite3* handle() const { return db_; }

private:
    bool exec(const char* sql, std::string& error);
    bool installDateConversions(std::string& error);

    sqlite3* db_ = nullptr;
    std::string path_;
    SharedFileLock lock_;
    Clock clock_;
};

}  // namespace somnexa::storage
