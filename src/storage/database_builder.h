#pragma once
// Creates the shipped databases from the SQL built into the program: the
// master database (DBQorvel.mdb) and the template patient database (Patient.mdb).

#include <string>

namespace somnexa::storage {

enum class DatabaseKind { Master, Patient };

// Writes a new database file at path. Refuses an existing file; on any
// failure nothing is left at path.
bool createDatabase(const std::string& path, DatabaseKind kind, std::string& error);

}  // namespace somnexa::storage
