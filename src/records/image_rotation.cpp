#include <algorithm>
#include <cstdio>

#include "records/data_file.h"
#include "records/qv_func.h"

namespace somnexa {
namespace {

bool erasedUnit(const std::uint8_t* unit) { return LittleEndianValue(std::span(unit, 4)) == -1; }

}  // namespace

// A ring image begins wherever the device happened to be writing. The oldest
// data follow the erased gap, so the first written unit after the first erased
// unit becomes unit 0.
int RotateImageBytes(std::vector<std::uint8_t>& image, int unit) {
    if (unit < 4) return 0;
    const std::size_t u = static_cast<std::size_t>(unit);
    const std::size_t n = image.size() / u;
    std::size_t i = 0;
    while (i < n && !erasedUnit(&image[i * u])) ++i;
    if (i == n) return 0;
    while (i < n && erasedUnit(&image[i * u])) ++i;
    if (i == n || i == 0) return 0;
    // Only whole units take part; a short tail stays where it is.
    std::rotate(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(i * u),
                image.begin() + static_cast<std::ptrdiff_t>(n * u));
    return static_cast<int>(i);
}

int RotateImage(const std::string& imageFile, int unit) {
    std::vector<std::uint8_t> image;
    if (!ReadWholeFile(imageFile, image)) return -1;
    const int k = RotateImageBytes(image, unit);
    if (k > 0 && !WriteWholeFile(imageFile, image)) return -1;
    return k;
}

bool ReadWholeFile(const std::string& name, std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (!f) return false;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(f) : -1;
    ok = ok && size >= 0 && std::fseek(f, 0, SEEK_SET) == 0;
    if (ok) {
        bytes.resize(static_cast<std::size_t>(size));
        ok = size == 0 || std::fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
    }
    std::fclose(f);
    return ok;
}

bool WriteWholeFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (!f) return false;
    const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace somnexa
