// somnexa-tool sql DB "STATEMENT"   one statement of the Jet dialect on a database file
// somnexa-tool initdb --master FILE | --patient FILE   a fresh database from the shipped SQL

#include <cstdio>
#include <string>
#include <variant>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "storage/connection.h"
#include "storage/data_module.h"
#include "storage/database_builder.h"
#include "storage/jet_dates.h"

namespace somnexa::cli {
namespace {

std::string cellText(const storage::Value& v) {
    if (const auto* i = std::get_if<std::int64_t>(&v)) return std::to_string(*i);
    if (const auto* d = std::get_if<double>(&v)) return storage::shortestNumberText(*d);
    if (const auto* s = std::get_if<std::string>(&v)) return *s;
    return {};
}

}  // namespace

int cmdSql(const Words& words) {
    Args args(words, {});
    if (!args.ok() || args.positional().size() != 2) {
        std::fprintf(stderr, "usage: somnexa-tool sql DB \"STATEMENT\"\n");
        return 2;
    }
    const std::string& path = args.positional()[0];
    const std::string& sql = args.positional()[1];
    storage::Connection connection;
    std::string error;
    if (!connection.open(path, error)) {
        std::fprintf(stderr, "sql: %s\n", error.c_str());
        return 1;
    }
    storage::Query query;
    const bool resultSet = storage::isResultSetStatement(sql);
    const int result = connection.run(sql, resultSet ? &query : nullptr, error);
    if (result < 0) {
        std::fprintf(stderr, "sql: %s\n", error.c_str());
        return 1;
    }
    if (!resultSet) {
        std::printf("rows affected: %d\n", result);
        return 0;
    }
    std::string line;
    for (int c = 0; c < query.FieldCount(); ++c) {
        if (c) line.push_back('\t');
        line += query.FieldName(c);
    }
    std::printf("%s\n", line.c_str());
    for (query.First(); !query.Eof(); query.Next()) {
        line.clear();
        for (int c = 0; c < query.FieldCount(); ++c) {
            if (c) line.push_back('\t');
            line += cellText(query.Fields(c).raw());
        }
        std::printf("%s\n", line.c_str());
    }
    return 0;
}

int cmdInitDb(const Words& words) {
    Args args(words, {});
    const auto master = args.value("master");
    const auto patient = args.value("patient");
    if (!args.ok() || !args.positional().empty() || master.has_value() == patient.has_value()) {
        std::fprintf(stderr, "usage: somnexa-tool initdb --master FILE | --patient FILE\n");
        return 2;
    }
    std::string error;
    const bool ok = master ? storage::createDatabase(*master, storage::DatabaseKind::Master, error)
                           : storage::createDatabase(*patient, storage::DatabaseKind::Patient, error);
    if (!ok) {
        std::fprintf(stderr, "initdb: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

}  // namespace somnexa::cli
