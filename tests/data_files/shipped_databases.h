#pragma once
// Builds the master and template patient databases in memory from the SQL
// files under data/, in file-name order, and offers small query helpers.

#include <sqlite3.h>

#include <optional>
#include <string>
#include <vector>

namespace somnexa::testing {

// One result cell: empty optional for NULL, otherwise the value as text.
using Cell = std::optional<std::string>;
using Row = std::vector<Cell>;

class ShippedDatabase {
public:
    // Loads every "*.sql" file of data/<folder> in sorted order.
    explicit ShippedDatabase(const std::string& folder);
    ~ShippedDatabase();
    ShippedDatabase(const ShippedDatabase&) = delete;
    ShippedDatabase& operator=(const ShippedDatabase&) = delete;

    // Empty when every file ran; otherwise the file name and SQLite's message.
    const std::string& loadError() const { return loadError_; }
    const std::vector<std::string>& files() const { return files_; }

    // Runs a statement and returns its rows; throws std::runtime_error on an
    // SQL error so that a broken check fails loudly.
    std::vector<Row> rows(const std::string& sql) const;
    std::vector<std::string> columnNames(const std::string& table) const;
    std::vector<std::string> tableNames() const;
    long long count(const std::string& sql) const;
    sqlite3* handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
    std::string loadError_;
    std::vector<std::string> files_;
};

const ShippedDatabase& masterDatabase();
const ShippedDatabase& patientDatabase();

}  // namespace somnexa::testing
