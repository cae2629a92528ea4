#pragma once
// A fresh folder under the system's temporary folder, removed with its content.

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace somnexa::storage::test {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "somnexa_storage_XXXXXX").string();
        if (char* made = mkdtemp(pattern.data())) path_ = made;
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

}  // namespace somnexa::storage::test
