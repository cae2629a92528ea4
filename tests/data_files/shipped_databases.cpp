#include "shipped_databases.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace somnexa::testing {

namespace {

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

ShippedDatabase::ShippedDatabase(const std::string& folder)
{
    if (sqlite3_open(":memory:", &db_) != SQLITE_OK)
        throw std::runtime_error("cannot open an in-memory database");
    const std::filesystem::path dir = std::filesystem::path(SOMNEXA_DATA_DIR) / folder;
    std::vector<std::filesystem::path> paths;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.is_regular_file() && entry.path().extension() == ".sql")
            paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end(), [](const auto& a, const auto& b) {
        return a.filename().string() < b.filename().string();
    });
    for (const auto& path : paths) {
        files_.push_back(path.filename().string());
        char* message = nullptr;
        if (sqlite3_exec(db_, readFile(path).c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
            loadError_ = path.filename().string() + ": " + (message ? message : "unknown error");
            sqlite3_free(message);
            return;
        }
    }
}

ShippedDatabase::~ShippedDatabase()
{
    sqlite3_close(db_);
}

std::vector<Row> ShippedDatabase::rows(const std::string& sql) const
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db_) + std::string(" in: ") + sql);
    std::vector<Row> result;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        Row row;
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            if (sqlite3_column_type(statement, i) == SQLITE_NULL) {
                row.emplace_back();
            } else {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
                row.emplace_back(std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement, i))));
            }
        }
        result.push_back(std::move(row));
    }
    sqlite3_finalize(statement);
    if (step != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(db_) + std::string(" in: ") + sql);
    return result;
}

std::vector<std::string> ShippedDatabase::columnNames(const std::string& table) const
{
    std::vector<std::string> names;
    for (const auto& row : rows("select name from pragma_table_info('" + table + "') order by cid"))
        names.push_back(row.at(0).value_or(""));
    return names;
}

std::vector<std::string> ShippedDatabase::tableNames() const
{
    std::vector<std::string> names;
    for (const auto& row : rows("select name from sqlite_master where type = 'table' "
                                "and name not like 'sqlite_%' order by name"))
        names.push_back(row.at(0).value_or(""));
    return names;
}

long long ShippedDatabase::count(const std::string& sql) const
{
    const auto result = rows(sql);
    if (result.size() != 1 || result[0].empty() || !result[0][0])
        throw std::runtime_error("not a single value: " + sql);
    return std::stoll(*result[0][0]);
}

const ShippedDatabase& masterDatabase()
{
    static const ShippedDatabase database("master");
    return database;
}

const ShippedDatabase& patientDatabase()
{
    static const ShippedDatabase database("patient");
    return database;
}

}  // namespace somnexa::testing
