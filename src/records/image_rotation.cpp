#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

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
    std::ifstream in(imageFile, std::ios::binary);
    if (!in) return -1;
    std::vector<std::uint8_t> image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return -1;
    in.close();
    const int k = RotateImageBytes(image, unit);
    if (k > 0) {
        std::ofstream out(imageFile, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
        if (!out) return -1;
    }
    return k;
}

}  // namespace somnexa
