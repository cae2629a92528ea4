#include "storage/shared_routines.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#ifndef SOMNEXA_VERSION_TEXT
#define SOMNEXA_VERSION_TEXT "0.0.0.0"
#endif

namespace somnexa::storage {

void SplitText(std::string_view text, std::string_view separator, std::vector<std::string>& parts) {
    parts.clear();
    if (separator.empty()) {
        if (!text.empty()) parts.emplace_back(text);
        return;
    }
    while (!text.empty()) {
        const std::size_t at = text.find(separator);
        if (at == std::string_view::npos) {
            parts.emplace_back(text);
            return;
        }
        parts.emplace_back(text.substr(0, at));
        text.remove_prefix(at + separator.size());
    }
}

namespace {

bool looksLikeGuid(const std::string& name) {
    if (name.size() != 36) return false;
    int parts = 1;
    for (char c : name)
        if (c == '-') ++parts;
    return parts == 5;
}

}  // namespace

int DeleteTempFiles(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
    if (ec) return 0;
    int deleted = 0;
    for (const fs::directory_entry& entry : it) {
        const std::string name = entry.path().filename().string();
        if (!looksLikeGuid(name)) continue;
        std::error_code e;
        if (entry.is_directory(e)) continue;  // only files are removed
        if (fs::remove(entry.path(), e)) ++deleted;
    }
    return deleted;
}

std::string VersionText(int major, int minor, int release, int build, bool padded) {
    char buf[64];
    if (padded) std::snprintf(buf, sizeof buf, "V%d.%d.%.2d.%.3d", major, minor, release, build);
    else std::snprintf(buf, sizeof buf, "V%d.%d.%d.%d", major, minor, release, build);
    return buf;
}

std::string VersionText(const std::string& executablePath, bool padded) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(executablePath, ec)) return "V0.0.0.0";
    int p[4] = {0, 0, 0, 0};
    if (std::sscanf(SOMNEXA_VERSION_TEXT, "%d.%d.%d.%d", &p[0], &p[1], &p[2], &p[3]) < 1) return "V0.0.0.0";
    return VersionText(p[0], p[1], p[2], p[3], padded);
}

}  // namespace somnexa::storage
