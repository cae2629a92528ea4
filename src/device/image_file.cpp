#include "device/image_file.h"

#include <filesystem>
#include <system_error>

namespace somnexa::device {

ImageFile::~ImageFile() { close(); }

bool ImageFile::create(const std::string& path) {
    close();
    std::error_code ec;
    std::filesystem::remove(path, ec);
    file_ = std::fopen(path.c_str(), "w+b");
    return file_ != nullptr;
}

bool ImageFile::write(std::span<const std::uint8_t> bytes) {
    if (!file_) return false;
    if (bytes.empty()) return true;
    return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
}

bool ImageFile::seek(std::uint32_t position) {
    return file_ && std::fseek(file_, static_cast<long>(position), SEEK_SET) == 0;
}

void ImageFile::close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

}  // namespace somnexa::device
