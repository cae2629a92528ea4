#pragma once
// The image file a transfer writes: created empty, written at a movable
// position (a resent request overwrites its partial bytes).

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

namespace somnexa::device {

class ImageFile {
public:
    ImageFile() = default;
    ~ImageFile();
    ImageFile(const ImageFile&) = delete;
    ImageFile& operator=(const ImageFile&) = delete;

    // Deletes a file of that name and creates it empty; false when it cannot.
    bool create(const std::string& path);
    bool isOpen() const { return file_ != nullptr; }
    bool write(std::span<const std::uint8_t> bytes);
    bool seek(std::uint32_t position);
    void close();

private:
    std::FILE* file_ = nullptr;
};

}  // namespace somnexa::device
