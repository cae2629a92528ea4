#pragma once
// Helpers shared by the simulated ventilator's tests.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "devsim/flash_image.h"
#include "records/qv_func.h"

namespace somnexa::devsim::testing {

// A fresh folder under the temp dir, removed at the end of the test.
class TempDir {
public:
    TempDir() : path_(std::filesystem::temp_directory_path() / ("somnexa-devsim-" + NewGuidName())) {
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string folder() const { return path_.string() + "/"; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline std::string writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

// The first 64 bytes of every sector of a region, as a header read copies them.
inline std::vector<std::uint8_t> headerImage(const FlashImage& flash, const FlashRegion& region) {
    std::vector<std::uint8_t> out(region.sectors() * kHeaderBytes);
    for (std::uint32_t i = 0; i < region.sectors(); ++i)
        flash.read(region.sectorAddress(i), std::span(out).subspan(i * kHeaderBytes, kHeaderBytes));
    return out;
}

// size bytes from address, wrapping at the region's end, as a range read copies them.
inline std::vector<std::uint8_t> rangeImage(const FlashImage& flash, const FlashRegion& region, std::uint32_t address,
                                            std::uint32_t size) {
    std::vector<std::uint8_t> out(size);
    flash.readRing(region, address, out);
    return out;
}

// A flash whose every byte tells its address: byte i of sector s is (s * 7 + i) & 0x7F,
// and each sector's first byte is its sector number's low byte with the top bit set.
inline FlashImage patternedFlash() {
    static const FlashImage pattern = [] {
        FlashImage flash;
        auto bytes = flash.bytes();
        for (std::uint32_t a = 0; a < kFlashSize; ++a) {
            const std::uint32_t sector = a / kSectorBytes;
            bytes[a] = static_cast<std::uint8_t>((sector * 7 + a % kSectorBytes) & 0x7F);
            if (a % kSectorBytes == 0) bytes[a] = static_cast<std::uint8_t>(0x80 | (sector & 0x7F));
        }
        return flash;
    }();
    return pattern;
}

}  // namespace somnexa::devsim::testing
