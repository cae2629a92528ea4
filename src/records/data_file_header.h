#pragma once
// The fixed header at the start of every realtime (.hidr) and log (.hidl) file.

#include <cstddef>
#include <cstdint>

namespace somnexa {

inline constexpr std::uint8_t kRealtimeFileKind = 1;
inline constexpr std::uint8_t kLogFileKind = 2;
inline constexpr std::int32_t kHeaderSize = 1024;
inline constexpr std::int32_t kPatientBlockSize = 4096;
inline constexpr std::int32_t kChannelOffset = kHeaderSize + kPatientBlockSize;  // 5120
inline constexpr std::int32_t kChannelRecordSize = 1024;
inline constexpr char kFormatVersion[] = "1.0.0.1";

struct DataFileHeader {
    std::uint8_t FileKind = 0;  // 1 realtime, 2 log
    char FormatVersion[20] = {};
    std::uint8_t Padding[3] = {};
    double StartTime = 0.0;  // session start as a date-time
    std::int32_t HeaderSize = 0;
    std::int32_t PatientBlockSize = 0;
    std::int32_t ChannelOffset = 0;
    std::int32_t ChannelSize = 0;
    std::int32_t DataOffset = 0;
    std::int32_t DataSize = 0;
    std::int32_t EventOffset = 0;
    std::int32_t EventSize = 0;
    std::uint8_t Reserved[960] = {};
};
static_assert(sizeof(DataFileHeader) == 1024);
static_assert(offsetof(DataFileHeader, FileKind) == 0);
static_assert(offsetof(DataFileHeader, FormatVersion) == 1);
static_assert(offsetof(DataFileHeader, StartTime) == 24);
static_assert(offsetof(DataFileHeader, HeaderSize) == 32);
static_assert(offsetof(DataFileHeader, PatientBlockSize) == 36);
static_assert(offsetof(DataFileHeader, ChannelOffset) == 40);
static_assert(offsetof(DataFileHeader, ChannelSize) == 44);
static_assert(offsetof(DataFileHeader, DataOffset) == 48);
static_assert(offsetof(DataFileHeader, DataSize) == 52);
static_assert(offsetof(DataFileHeader, EventOffset) == 56);
static_assert(offsetof(DataFileHeader, EventSize) == 60);
static_assert(offsetof(DataFileHeader, Reserved) == 64);

}  // namespace somnexa
