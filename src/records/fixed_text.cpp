#include "records/fixed_text.h"

#include <cstring>

namespace somnexa {

std::size_t utf8PrefixLength(std::string_view text, std::size_t width) {
    if (text.size() <= width) return text.size();
    std::size_t end = width;
    // Step back over continuation bytes (10xxxxxx) to the start of the cut character.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return end;
}

void setFixedText(char* field, std::size_t width, std::string_view text) {
    const std::size_t n = utf8PrefixLength(text, width);
    std::memcpy(field, text.data(), n);
    std::memset(field + n, 0, width - n);
}

std::string fixedText(const char* field, std::size_t width) {
    const void* zero = std::memchr(field, 0, width);
    const std::size_t n = zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - field) : width;
    return std::string(field, n);
}

}  // namespace somnexa
