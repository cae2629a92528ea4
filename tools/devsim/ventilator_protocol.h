#pragma once
// The ventilator's side of the USB request/answer protocol, without threads or
// timing: one 65-byte output frame in, the 64-byte input reports it causes out.
//
// Output frame: 00 AA 55 code p31..24 p23..16 p15..8 p7..0 checksum, zero-padded
// to 65 bytes; checksum = (code + the four parameter bytes) mod 256. Frames with
// a wrong length, header or checksum are ignored, as the device does.
// Commands:
//   1  state query  -> AA 55 01 state 00 00 00 (state 1 = idle)
//   83 stop         -> AA 55 53 00 00 00 00
//   86 address      -> first 64 bytes of the sector holding the address and of
//                      the next sector of its ring (two reports)
//   85 address      -> the 128 bytes from the address (two reports), continuing
//                      at the region's start past the region's end
//   85 FF000000     -> end of transfer, no answer
// Other commands get no answer.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "devsim/flash_image.h"

namespace somnexa::devsim {

using Report = std::array<std::uint8_t, 64>;

inline constexpr std::uint8_t kCmdState = 1;
inline constexpr std::uint8_t kCmdStop = 83;
inline constexpr std::uint8_t kCmdReadRange = 85;
inline constexpr std::uint8_t kCmdReadHeaders = 86;
inline constexpr std::uint32_t kEndOfTransfer = 0xFF000000;

inline constexpr std::uint8_t kStateIdle = 1;
inline constexpr std::uint8_t kStateBusy = 2;

struct Command {
    std::uint8_t code = 0;
    std::uint32_t parameter = 0;
};

// Parses an output frame; false for anything the device would ignore.
bool parseFrame(std::span<const std::uint8_t> frame, Command& command);
// Builds the 65-byte output frame of a command (what the link writes).
std::array<std::uint8_t, 65> buildFrame(std::uint8_t code, std::uint32_t parameter);
// An answer report: AA 55 code and the 32-bit result, most significant byte first.
Report answerReport(std::uint8_t code, std::uint32_t result);

class VentilatorProtocol {
public:
    explicit VentilatorProtocol(const FlashImage& flash) : flash_(flash) {}

    // The reports a frame makes the device send, in order (possibly none).
    std::vector<Report> handleFrame(std::span<const std::uint8_t> frame);
    std::vector<Report> handle(const Command& command);

    // State reported to the state query (kStateIdle unless told otherwise).
    void setState(std::uint8_t state) { state_ = state; }
    std::uint8_t state() const { return state_; }

private:
    Report headerOf(std::uint32_t sectorAddress) const;

    const FlashImage& flash_;
    std::uint8_t state_ = kStateIdle;
};

}  // namespace somnexa::devsim
