#pragma once
// Builds flash images for the decoder tests: units of 64 bytes (header images)
// or 4096 bytes (data images) filled with packets at chosen positions.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "records/channel_info.h"
#include "records/data_file.h"
#include "records/fixed_text.h"
#include "records/packets.h"
#include "records/qv_func.h"

namespace somnexa::testing {

class ImageBuilder {
public:
    explicit ImageBuilder(std::size_t unit) : unit_(unit) {}

    // Starts a new unit (zero-filled: no valid packet anywhere).
    ImageBuilder& unit() {
        bytes_.resize(bytes_.size() + unit_, 0);
        posA_ = 0;
        posB_ = 0;
        return *this;
    }
    ImageBuilder& erasedUnit() {
        bytes_.resize(bytes_.size() + unit_, 0xFF);
        return *this;
    }
    // Appends a region A packet at the next 4-byte slot of the current unit.
    ImageBuilder& a(const packets::PacketA& p) {
        put(posA_, p.data(), p.size());
        posA_ += p.size();
        return *this;
    }
    // Appends a region B packet at the next slot, keeping to the page rule.
    ImageBuilder& b(const packets::PacketB& p) {
        put(posB_, p.data(), p.size());
        posB_ = packets::nextPositionB(posB_);
        return *this;
    }
    bool fullA() const { return posA_ + packets::kRegionAPacketSize > unit_; }
    bool fullB() const { return posB_ + packets::kRegionBPacketSize > unit_; }
    // Raw bytes at an offset of the current unit.
    ImageBuilder& raw(std::size_t offset, std::vector<std::uint8_t> data) {
        put(offset, data.data(), data.size());
        return *this;
    }

    // Region A session header: id, date, clock.
    ImageBuilder& headerA(std::uint32_t id, int y, int mo, int d, int h, int mi, int s) {
        return a(packets::encodeNumber24A(packets::kASessionId, id))
            .a(packets::encodeBytesA(packets::kADate, static_cast<std::uint8_t>(y - 2000), mo, d))
            .a(packets::encodeBytesA(packets::kAClock, h, mi, s));
    }
    ImageBuilder& headerB(std::uint32_t id, int y, int mo, int d, int h, int mi, int s) {
        return b(packets::encodeValue24B(packets::kBSessionId, id))
            .b(packets::encodeBytesB(packets::kBDate, 0, static_cast<std::uint8_t>(y - 2000), mo, d))
            .b(packets::encodeBytesB(packets::kBClock, 0, h, mi, s));
    }

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::string write(const std::filesystem::path& file) const {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes_.data()), static_cast<std::streamsize>(bytes_.size()));
        return file.string();
    }

private:
    void put(std::size_t offset, const std::uint8_t* data, std::size_t n) {
        const std::size_t base = bytes_.size() - unit_;
        for (std::size_t i = 0; i < n; ++i) bytes_.at(base + offset + i) = data[i];
    }

    std::size_t unit_;
    std::size_t posA_ = 0;
    std::size_t posB_ = 0;
    std::vector<std::uint8_t> bytes_;
};

inline TChannleInfo channel(const char* name, int code, int codePos, int rate, int pointsPerSample = 1) {
    return MakeChannelInfo(name, code, codePos, rate, pointsPerSample);
}

// A fresh folder under the test temp dir, removed at the end of the test.
class TempDir {
public:
    TempDir() {
        path_ = std::filesystem::temp_directory_path() / ("somnexa-test-" + NewGuidName());
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }
    std::string folder() const { return path_.string() + "/"; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

}  // namespace somnexa::testing
