#pragma once
// The ventilator's flash memory: 16 MiB held in memory, saved to and loaded from
// a file byte for byte (address = file offset). Two ring regions carry the
// recorded data; the area below the first region holds a small identity block
// of the simulator (the product string the device reports).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace somnexa::devsim {

inline constexpr std::uint32_t kFlashSize = 16u * 1024u * 1024u;
inline constexpr std::uint32_t kSectorBytes = 4096;
inline constexpr std::uint32_t kHeaderBytes = 64;

struct FlashRegion {
    std::uint32_t start;
    std::uint32_t end;  // first address past the region
    std::uint32_t size() const { return end - start; }
    std::uint32_t sectors() const { return size() / kSectorBytes; }
    bool contains(std::uint32_t address) const { return address >= start && address < end; }
    // The address of sector index i of the region (i taken modulo the sector count).
    std::uint32_t sectorAddress(std::uint32_t i) const { return start + (i % sectors()) * kSectorBytes; }
};

// Region A: realtime waveforms; region B: session logs.
inline constexpr FlashRegion kRegionA{0x8000, 0x423000};
inline constexpr FlashRegion kRegionB{0x423000, 0xFFB000};

// The region holding an address, or nullptr outside both.
const FlashRegion* regionOf(std::uint32_t address);

// Product string of the model the generator writes by default: log samples are
// taken every 20 seconds on this model.
inline constexpr char kDefaultProduct[] = "Nimbra-C0110";

class FlashImage {
public:
    // A fully erased flash (every byte 0xFF).
    FlashImage();

    // Reads a flash file; nullopt (and a message in error) when it is missing or
    // not exactly kFlashSize bytes.
    static std::optional<FlashImage> load(const std::string& path, std::string* error = nullptr);
    // Writes the whole flash; false (and a message) on failure.
    bool save(const std::string& path, std::string* error = nullptr) const;

    std::span<const std::uint8_t> bytes() const { return data_; }
    std::span<std::uint8_t> bytes() { return data_; }

    // Copies out.size() bytes from address; bytes past the end of the flash read
    // as erased (0xFF).
    void read(std::uint32_t address, std::span<std::uint8_t> out) const;
    // Reads walking a ring region: past the region's end, reading continues at its start.
    void readRing(const FlashRegion& region, std::uint32_t address, std::span<std::uint8_t> out) const;
    void write(std::uint32_t address, std::span<const std::uint8_t> in);
    void eraseSector(std::uint32_t address);
    bool sectorErased(std::uint32_t address) const;

    // The product string kept in the identity block; nullopt when none is written.
    std::optional<std::string> product() const;
    void setProduct(const std::string& product);

private:
    std::vector<std::uint8_t> data_;
};

}  // namespace somnexa::devsim
