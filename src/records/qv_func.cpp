#include "records/qv_func.h"

#include <cstdio>
#include <random>
#include <utility>

namespace somnexa {

std::optional<DateTime> DeviceTimeToDateTime(const TDeviceTime& t) {
    const int year = t.Year < 100 ? 2000 + t.Year : t.Year;
    return DateTime::fromCalendar(year, t.Month, t.Day, t.Hour, t.Minute, t.Second);
}

std::optional<std::string> FormatDeviceTime(DateTimeForm form, const TDeviceTime& t) {
    const auto moment = DeviceTimeToDateTime(t);
    if (!moment) return std::nullopt;
    return moment->format(form);
}

std::int32_t LittleEndianValue(std::span<const std::uint8_t> bytes) {
    std::uint32_t v = 0;
    const std::size_t n = bytes.size() < 4 ? bytes.size() : 4;
    for (std::size_t i = 0; i < n; ++i) v |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    return static_cast<std::int32_t>(v);
}

std::string NewGuidName() {
    static thread_local std::mt19937_64 engine{[] {
        std::random_device rd;
        std::seed_seq seq{rd(), rd(), rd(), rd()};
        return std::mt19937_64(seq);
    }()};
    std::uint8_t b[16];
    for (int i = 0; i < 16; i += 8) {
        const std::uint64_t r = engine();
        for (int k = 0; k < 8; ++k) b[i + k] = static_cast<std::uint8_t>(r >> (8 * k));
    }
    b[6] = static_cast<std::uint8_t>((b[6] & 0x0F) | 0x40);  // version 4
    b[8] = static_cast<std::uint8_t>((b[8] & 0x3F) | 0x80);  // RFC 4122 variant
    char text[37];
    std::snprintf(text, sizeof text, "%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X", b[0],
                  b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15]);
    return text;
}

bool IsGuidName(std::string_view name) {
    if (name.size() != 36) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (c != '-') return false;
        } else if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'))) {
            return false;
        }
    }
    return true;
}

void SortIntegers(std::span<std::int32_t> a, std::int32_t l, std::int32_t r) {
    // Iterates on the larger part and recurses into the smaller one, so the
    // depth stays logarithmic even on adversarial input.
    while (l < r) {
        std::int32_t i = l;
        std::int32_t j = r;
        const std::int32_t pivot = a[static_cast<std::size_t>(l + (r - l) / 2)];
        do {
            while (a[static_cast<std::size_t>(i)] < pivot) ++i;
            while (a[static_cast<std::size_t>(j)] > pivot) --j;
            if (i <= j) {
                std::swap(a[static_cast<std::size_t>(i)], a[static_cast<std::size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - l < r - i) {
            if (l < j) SortIntegers(a, l, j);
            l = i;
        } else {
            if (i < r) SortIntegers(a, i, r);
            r = j;
        }
    }
}

std::string FormatDuration(std::int32_t seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2d:%.2d:%.2d", seconds / 3600, (seconds % 3600) / 60, seconds % 60);
    return text;
}

}  // namespace somnexa
