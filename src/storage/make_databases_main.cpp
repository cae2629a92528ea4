// Build step: writes DBQorvel.mdb and Patient.mdb into the program folder,
// replacing older copies, from the SQL built into the storage library.

#include <cstdio>
#include <filesystem>
#include <string>

#include "storage/database_builder.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: somnexa_make_databases PROGRAM_FOLDER\n");
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path folder = argv[1];
    std::error_code ec;
    fs::create_directories(folder, ec);
    const struct {
        const char* name;
        somnexa::storage::DatabaseKind kind;
    } targets[] = {{"DBQorvel.mdb", somnexa::storage::DatabaseKind::Master},
                   {"Patient.mdb", somnexa::storage::DatabaseKind::Patient}};
    for (const auto& t : targets) {
        const std::string path = (folder / t.name).string();
        fs::remove(path, ec);
        std::string error;
        if (!somnexa::storage::createDatabase(path, t.kind, error)) {
            std::fprintf(stderr, "somnexa_make_databases: %s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}
