#include "device/device_item.h"

#include <charconv>

namespace somnexa::device {

namespace {

// Byte length of the first n characters of a UTF-8 text.
std::size_t prefixBytes(const std::string& text, int n) {
    std::size_t i = 0;
    for (int chars = 0; i < text.size() && chars < n; ++chars) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
    }
    return i;
}

}  // namespace

std::string DeviceCaption(const std::string& productName) {
    return productName.substr(0, prefixBytes(productName, kModelTextLength));
}

std::int32_t ModelNumberOf(const std::string& productName) {
    const std::size_t start = prefixBytes(productName, kModelTextLength);
    if (start >= productName.size()) return 0;
    const char* first = productName.data() + start;
    const char* last = productName.data() + productName.size();
    if (*first == '+') ++first;
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last) return 0;
    return value;
}

TItemData MakeItemData(const std::string& productName) { return {productName, ModelNumberOf(productName)}; }

int DeviceIcon(const std::string& caption) { return caption == kModelText ? kIconKnownModel : kIconOtherModel; }

}  // namespace somnexa::device
