#include "devsim/flash_image.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace somnexa::devsim {

namespace {

// Identity block at address 0: a tag, a length byte and the product text.
constexpr char kIdentityTag[8] = {'Q', 'V', 'S', 'I', 'M', 'I', 'D', '1'};
constexpr std::size_t kIdentityMaxText = 64;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

void setError(std::string* error, std::string text) {
    if (error) *error = std::move(text);
}

}  // namespace

const FlashRegion* regionOf(std::uint32_t address) {
    if (kRegionA.contains(address)) return &kRegionA;
    if (kRegionB.contains(address)) return &kRegionB;
    return nullptr;
}

FlashImage::FlashImage() : data_(kFlashSize, 0xFF) {}

std::optional<FlashImage> FlashImage::load(const std::string& path, std::string* error) {
    File f(std::fopen(path.c_str(), "rb"));
    if (!f) {
        setError(error, "cannot open flash file '" + path + "'");
        return std::nullopt;
    }
    FlashImage image;
    const std::size_t got = std::fread(image.data_.data(), 1, image.data_.size(), f.get());
    const bool longer = std::fgetc(f.get()) != EOF;
    if (got != kFlashSize || longer) {
        setError(error, "flash file '" + path + "' is not " + std::to_string(kFlashSize) + " bytes");
        return std::nullopt;
    }
    return image;
}

bool FlashImage::save(const std::string& path, std::string* error) const {
    // Written beside the target and renamed, so a failed write never leaves a
    // truncated flash file under the real name.
    const std::string part = path + ".part";
    {
        File f(std::fopen(part.c_str(), "wb"));
        if (!f) {
            setError(error, "cannot create flash file '" + path + "'");
            return false;
        }
        const bool ok = std::fwrite(data_.data(), 1, data_.size(), f.get()) == data_.size() &&
                        std::fflush(f.get()) == 0;
        if (!ok) {
            f.reset();
            std::remove(part.c_str());
            setError(error, "cannot write flash file '" + path + "'");
            return false;
        }
    }
    if (std::rename(part.c_str(), path.c_str()) != 0) {
        std::remove(part.c_str());
        setError(error, "cannot rename flash file to '" + path + "'");
        return false;
    }
    return true;
}

void FlashImage::read(std::uint32_t address, std::span<std::uint8_t> out) const {
    std::fill(out.begin(), out.end(), std::uint8_t{0xFF});
    if (address >= kFlashSize) return;
    const std::size_t n = std::min<std::size_t>(out.size(), kFlashSize - address);
    std::memcpy(out.data(), data_.data() + address, n);
}

void FlashImage::readRing(const FlashRegion& region, std::uint32_t address, std::span<std::uint8_t> out) const {
    if (!region.contains(address)) {
        read(address, out);
        return;
    }
    std::size_t done = 0;
    while (done < out.size()) {
        const std::size_t n = std::min<std::size_t>(out.size() - done, region.end - address);
        std::memcpy(out.data() + done, data_.data() + address, n);
        done += n;
        address += static_cast<std::uint32_t>(n);
        if (address >= region.end) address = region.start;
    }
}

void FlashImage::write(std::uint32_t address, std::span<const std::uint8_t> in) {
    if (address >= kFlashSize) return;
    const std::size_t n = std::min<std::size_t>(in.size(), kFlashSize - address);
    std::memcpy(data_.data() + address, in.data(), n);
}

void FlashImage::eraseSector(std::uint32_t address) {
    address -= address % kSectorBytes;
    if (address >= kFlashSize) return;
    std::fill_n(data_.begin() + address, kSectorBytes, std::uint8_t{0xFF});
}

bool FlashImage::sectorErased(std::uint32_t address) const {
    address -= address % kSectorBytes;
    if (address >= kFlashSize) return true;
    const auto begin = data_.begin() + address;
    return std::all_of(begin, begin + kSectorBytes, [](std::uint8_t b) { return b == 0xFF; });
}

std::optional<std::string> FlashImage::product() const {
    if (std::memcmp(data_.data(), kIdentityTag, sizeof kIdentityTag) != 0) return std::nullopt;
    const std::size_t length = data_[sizeof kIdentityTag];
    if (length > kIdentityMaxText) return std::nullopt;
    const char* text = reinterpret_cast<const char*>(data_.data() + sizeof kIdentityTag + 1);
    return std::string(text, length);
}

void FlashImage::setProduct(const std::string& product) {
    const std::size_t length = std::min(product.size(), kIdentityMaxText);
    std::memcpy(data_.data(), kIdentityTag, sizeof kIdentityTag);
    data_[sizeof kIdentityTag] = static_cast<std::uint8_t>(length);
    std::memcpy(data_.data() + sizeof kIdentityTag + 1, product.data(), length);
}

}  // namespace somnexa::devsim
