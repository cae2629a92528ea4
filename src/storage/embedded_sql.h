#pragma once
// The SQL files of data/master and data/patient, built into the program in
// file-name order (plain SQLite SQL, run as they are).

#include <string_view>
#include <vector>

namespace somnexa::storage {

struct EmbeddedSqlFile {
    std::string_view name;
    std::string_view sql;
};

const std::vector<EmbeddedSqlFile>& masterSqlFiles();
const std::vector<EmbeddedSqlFile>& patientSqlFiles();

}  // namespace somnexa::storage
