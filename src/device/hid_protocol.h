#pragma once
// The ventilator's request/answer protocol: the memory map, the command codes,
// the transfer kinds and the 65-byte command frame.

#include <array>
#include <cstdint>

#include "device/hid_backend.h"

namespace somnexa::device {

// Device flash, sectors of 4096 bytes. Both regions are rings.
inline constexpr std::uint32_t kSectorSize = 4096;
inline constexpr std::uint32_t kRegionAStart = 0x8000;    // realtime waveform data
inline constexpr std::uint32_t kRegionAEnd = 0x423000;    // = region B start
inline constexpr std::uint32_t kRegionBStart = 0x423000;  // session log data
inline constexpr std::uint32_t kRegionBEnd = 0xFFB000;
inline constexpr std::uint32_t kRegionAHeaderBytes = 67264;   // 1051 sectors x 64
inline constexpr std::uint32_t kRegionBHeaderBytes = 194048;  // 3032 sectors x 64

// Command codes.
inline constexpr std::uint8_t kCmdState = 1;          // answer's top byte: 1 = idle
inline constexpr std::uint8_t kCmdStop = 83;
inline constexpr std::uint8_t kCmdReadRange = 85;     // 128 bytes from the address
inline constexpr std::uint8_t kCmdReadHeaders = 86;   // first 64 bytes of two sectors
inline constexpr std::uint32_t kEndOfTransfer = 0xFF000000;  // parameter of 85
inline constexpr std::uint8_t kDeviceIdle = 1;

// Transfer kinds (RegionType).
inline constexpr int kRegionNone = 0;
inline constexpr int kRegionAHeaders = 5;
inline constexpr int kRegionBHeaders = 6;
inline constexpr int kRegionBRange = 7;   // one log session
inline constexpr int kRegionARange = 8;   // one realtime session

// Bytes asked for by one request: two input reports.
inline constexpr std::uint32_t kRequestBytes = 128;

using Frame = std::array<std::uint8_t, kOutputReportSize>;

// Report id 0, AA 55, the code, the parameter most significant byte first, the
// checksum of bytes 3..7, zeros.
constexpr Frame buildFrame(std::uint8_t code, std::uint8_t b4, std::uint8_t b5, std::uint8_t b6,
                           std::uint8_t b7) {
    Frame f{};
    f[1] = 0xAA;
    f[2] = 0x55;
    f[3] = code;
    f[4] = b4;
    f[5] = b5;
    f[6] = b6;
    f[7] = b7;
    f[8] = static_cast<std::uint8_t>(code + b4 + b5 + b6 + b7);
    return f;
}

constexpr Frame buildFrame(std::uint8_t code, std::uint32_t parameter) {
    return buildFrame(code, static_cast<std::uint8_t>(parameter >> 24), static_cast<std::uint8_t>(parameter >> 16),
                      static_cast<std::uint8_t>(parameter >> 8), static_cast<std::uint8_t>(parameter));
}

constexpr bool isTransferKind(int type) { return type >= kRegionAHeaders && type <= kRegionARange; }

// The request command of a transfer kind.
constexpr std::uint8_t requestCommand(int type) {
    return (type == kRegionAHeaders || type == kRegionBHeaders) ? kCmdReadHeaders : kCmdReadRange;
}

// The code a transfer kind's completion message carries.
constexpr int completionCode(int type) { return type - 3; }

// The ring a transfer kind reads: region A for 5 and 8, region B for 6 and 7.
constexpr std::uint32_t ringStart(int type) {
    return (type == kRegionAHeaders || type == kRegionARange) ? kRegionAStart : kRegionBStart;
}
constexpr std::uint32_t ringEnd(int type) {
    return (type == kRegionAHeaders || type == kRegionARange) ? kRegionAEnd : kRegionBEnd;
}

}  // namespace somnexa::device
