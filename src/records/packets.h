#pragma once
// The packet formats of the two flash regions. Every packet starts with a byte
// whose top bit is set; every following byte has its top bit clear. Region A
// packets are 4 bytes (type in bits 6..3 of the first byte), region B packets
// are 5 bytes (type in bits 6..2) and never straddle a 256-byte page.
// Encoders live beside the decoders so that the simulated ventilator and the
// tests write exactly what the decoder reads.

#include <array>
#include <cstddef>
#include <cstdint>

namespace somnexa::packets {

inline constexpr std::size_t kRegionAPacketSize = 4;
inline constexpr std::size_t kRegionBPacketSize = 5;
inline constexpr std::size_t kRegionBPageSize = 256;

// Region A packet types.
enum RegionAType : std::uint8_t {
    kASamplePair = 1,
    kAClock = 2,  // hour, minute, second
    kADate = 3,   // year - 2000, month, day
    kASessionId = 4,
    kAEventFirst = 5,  // 5, 6, 7: realtime events carrying two values
    kAEventLast = 7,
    kAUnusedNumber = 8,
};

// Region B packet types.
enum RegionBType : std::uint8_t {
    kBUnusedNumber = 1,
    kBDate = 2,  // two-digit year, month, day
    kBClock = 3,
    kBSettingsMode = 4,  // WorkMode, AutoOnOff, DelayPress
    kBDuration = 5,
    kBSettingsHeat = 12,    // HotLevel, ExpPress, InspPress
    kBSettingsLimits = 13,  // MaxPress, MinPress, StartPress
    kBSettingsTrigger = 14, // EPR, ESens, ISens
    kBSettingsWork = 15,    // WorkPress, BPM, InspTime
    kBSamplePressure = 16,
    kBSampleLeak = 17,
    kBSessionId = 18,
    kBSettingsExtra = 20,  // StartPress1, -, ISlop
};

inline bool isLogEventType(int type) { return (type >= 6 && type <= 11) || type == 19; }

// Region A validity in one step: top bit of byte 0 set, of bytes 1..3 clear.
inline bool validPacketA(const std::uint8_t* p) {
    const std::uint32_t w = std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
    return (w & 0x80808080u) == 0x80u;
}
inline bool validPacketB(const std::uint8_t* p) { return validPacketA(p) && (p[4] & 0x80) == 0; }

inline bool validPacket(const std::uint8_t* p, std::size_t size) {
    if ((p[0] & 0x80) == 0) return false;
    for (std::size_t i = 1; i < size; ++i)
        if (p[i] & 0x80) return false;
    return true;
}

// ---- region A -------------------------------------------------------------
inline int typeA(const std::uint8_t* p) { return (p[0] & 0x7F) >> 3; }
// The two 12-bit values of a sample pair or realtime event.
inline std::int32_t firstValueA(const std::uint8_t* p) {
    return (p[0] & 7) * 512 + (p[1] & 0x7F) * 4 + ((p[2] & 0x7F) >> 5);
}
inline std::int32_t secondValueA(const std::uint8_t* p) { return (p[2] & 31) * 128 + (p[3] & 0x7F); }
inline std::int32_t number24A(const std::uint8_t* p) {
    return (p[0] & 7) * (1 << 21) + (p[1] & 0x7F) * (1 << 14) + (p[2] & 0x7F) * (1 << 7) + (p[3] & 0x7F);
}

using PacketA = std::array<std::uint8_t, kRegionAPacketSize>;
inline PacketA encodeValuesA(int type, std::uint32_t s1, std::uint32_t s2) {
    s1 &= 0xFFF;
    s2 &= 0xFFF;
    return {static_cast<std::uint8_t>(0x80 | (type << 3) | (s1 >> 9)), static_cast<std::uint8_t>((s1 >> 2) & 0x7F),
            static_cast<std::uint8_t>(((s1 & 3) << 5) | (s2 >> 7)), static_cast<std::uint8_t>(s2 & 0x7F)};
}
inline PacketA encodeBytesA(int type, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
    return {static_cast<std::uint8_t>(0x80 | (type << 3)), static_cast<std::uint8_t>(b1 & 0x7F),
            static_cast<std::uint8_t>(b2 & 0x7F), static_cast<std::uint8_t>(b3 & 0x7F)};
}
inline PacketA encodeNumber24A(int type, std::uint32_t v) {
    return {static_cast<std::uint8_t>(0x80 | (type << 3) | ((v >> 21) & 7)), static_cast<std::uint8_t>((v >> 14) & 0x7F),
            static_cast<std::uint8_t>((v >> 7) & 0x7F), static_cast<std::uint8_t>(v & 0x7F)};
}

// ---- region B -------------------------------------------------------------
inline int typeB(const std::uint8_t* p) { return (p[0] & 0x7F) >> 2; }
inline std::int32_t value24B(const std::uint8_t* p) {
    return (p[1] & 7) * (1 << 21) + (p[2] & 0x7F) * (1 << 14) + (p[3] & 0x7F) * (1 << 7) + (p[4] & 0x7F);
}
inline std::int32_t time16B(const std::uint8_t* p) { return (p[0] & 3) * (1 << 14) + (p[1] & 0x7F) * (1 << 7) + (p[2] & 0x7F); }
inline std::int32_t sample12B(const std::uint8_t* p) { return (p[3] & 31) * 128 + (p[4] & 0x7F); }
inline std::uint8_t byteB(const std::uint8_t* p, int i) { return static_cast<std::uint8_t>(p[i] & 0x7F); }

// Next packet position in region B: after a packet that leaves fewer than five
// bytes before the next page boundary, the position moves to that boundary.
inline std::size_t nextPositionB(std::size_t pos) {
    pos += kRegionBPacketSize;
    const std::size_t boundary = (pos / kRegionBPageSize + 1) * kRegionBPageSize;
    if (boundary - pos < kRegionBPacketSize) pos = boundary;
    return pos;
}

using PacketB = std::array<std::uint8_t, kRegionBPacketSize>;
inline PacketB encodeBytesB(int type, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4) {
    return {static_cast<std::uint8_t>(0x80 | (type << 2)), static_cast<std::uint8_t>(b1 & 0x7F),
            static_cast<std::uint8_t>(b2 & 0x7F), static_cast<std::uint8_t>(b3 & 0x7F), static_cast<std::uint8_t>(b4 & 0x7F)};
}
// A 24-bit number (session id), or three settings bytes as bits 23..16, 15..8
// and 7..0 of that number.
inline PacketB encodeValue24B(int type, std::uint32_t v) {
    v &= 0xFFFFFF;
    return {static_cast<std::uint8_t>(0x80 | (type << 2)), static_cast<std::uint8_t>((v >> 21) & 7),
            static_cast<std::uint8_t>((v >> 14) & 0x7F), static_cast<std::uint8_t>((v >> 7) & 0x7F),
            static_cast<std::uint8_t>(v & 0x7F)};
}
inline PacketB encodeSettingsB(int type, std::uint8_t first, std::uint8_t second, std::uint8_t third) {
    return encodeValue24B(type, (static_cast<std::uint32_t>(first) << 16) | (static_cast<std::uint32_t>(second) << 8) | third);
}
// Time-stamped packets: T16 seconds plus two 7-bit bytes (log events: length and
// value) or a 12-bit value (log samples).
inline PacketB encodeTimedB(int type, std::uint32_t t16, std::uint8_t b3, std::uint8_t b4) {
    t16 &= 0xFFFF;
    return {static_cast<std::uint8_t>(0x80 | (type << 2) | (t16 >> 14)), static_cast<std::uint8_t>((t16 >> 7) & 0x7F),
            static_cast<std::uint8_t>(t16 & 0x7F), static_cast<std::uint8_t>(b3 & 0x7F), static_cast<std::uint8_t>(b4 & 0x7F)};
}
inline PacketB encodeSampleB(int type, std::uint32_t t16, std::uint32_t value12) {
    value12 &= 0xFFF;
    return encodeTimedB(type, t16, static_cast<std::uint8_t>(value12 >> 7), static_cast<std::uint8_t>(value12 & 0x7F));
}

}  // namespace somnexa::packets
