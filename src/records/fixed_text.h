#pragma once
// Fixed-width text fields of the on-disk records: a shorter value ends with a
// zero byte, a value of full width has none, a longer value is cut. Texts are
// UTF-8, and a cut never splits a multi-byte character.

#include <cstddef>
#include <string>
#include <string_view>

namespace somnexa {

// Length of the longest prefix of text that fits into width bytes without
// ending inside a UTF-8 sequence.
std::size_t utf8PrefixLength(std::string_view text, std::size_t width);

// Writes text into field (width bytes); the rest of the field is zeroed.
void setFixedText(char* field, std::size_t width, std::string_view text);

template <std::size_t N>
void setFixedText(char (&field)[N], std::string_view text) {
    setFixedText(field, N, text);
}

// Reads a field: up to the first zero byte, or the whole width.
std::string fixedText(const char* field, std::size_t width);

template <std::size_t N>
std::string fixedText(const char (&field)[N]) {
    return fixedText(field, N);
}

}  // namespace somnexa
