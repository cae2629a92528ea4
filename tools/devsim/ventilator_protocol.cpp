#include "devsim/ventilator_protocol.h"

#include <algorithm>

namespace somnexa::devsim {

bool parseFrame(std::span<const std::uint8_t> frame, Command& command) {
    if (frame.size() != 65 || frame[0] != 0 || frame[1] != 0xAA || frame[2] != 0x55) return false;
    const unsigned sum = frame[3] + frame[4] + frame[5] + frame[6] + frame[7];
    if ((sum & 0xFF) != frame[8]) return false;
    command.code = frame[3];
    command.parameter = (std::uint32_t{frame[4]} << 24) | (std::uint32_t{frame[5]} << 16) |
                        (std::uint32_t{frame[6]} << 8) | frame[7];
    return true;
}

std::array<std::uint8_t, 65> buildFrame(std::uint8_t code, std::uint32_t parameter) {
    std::array<std::uint8_t, 65> f{};
    f[1] = 0xAA;
    f[2] = 0x55;
    f[3] = code;
    f[4] = static_cast<std::uint8_t>(parameter >> 24);
    f[5] = static_cast<std::uint8_t>(parameter >> 16);
    f[6] = static_cast<std::uint8_t>(parameter >> 8);
    f[7] = static_cast<std::uint8_t>(parameter);
    f[8] = static_cast<std::uint8_t>(f[3] + f[4] + f[5] + f[6] + f[7]);
    return f;
}

Report answerReport(std::uint8_t code, std::uint32_t result) {
    Report r{};
    r[0] = 0xAA;
    r[1] = 0x55;
    r[2] = code;
    r[3] = static_cast<std::uint8_t>(result >> 24);
    r[4] = static_cast<std::uint8_t>(result >> 16);
    r[5] = static_cast<std::uint8_t>(result >> 8);
    r[6] = static_cast<std::uint8_t>(result);
    return r;
}

std::vector<Report> VentilatorProtocol::handleFrame(std::span<const std::uint8_t> frame) {
    Command command;
    if (!parseFrame(frame, command)) return {};
    return handle(command);
}

Report VentilatorProtocol::headerOf(std::uint32_t sectorAddress) const {
    Report r;
    flash_.read(sectorAddress, r);
    return r;
}

std::vector<Report> VentilatorProtocol::handle(const Command& command) {
    switch (command.code) {
    case kCmdState:
        return {answerReport(kCmdState, std::uint32_t{state_} << 24)};
    case kCmdStop:
        return {answerReport(kCmdStop, 0)};
    case kCmdReadHeaders: {
        const std::uint32_t sector = command.parameter - command.parameter % kSectorBytes;
        const FlashRegion* region = regionOf(sector);
        const std::uint32_t next = region ? region->sectorAddress((sector - region->start) / kSectorBytes + 1)
                                          : sector + kSectorBytes;
        return {headerOf(sector), headerOf(next)};
    }
    case kCmdReadRange: {
        if (command.parameter == kEndOfTransfer) return {};
        std::array<std::uint8_t, 128> bytes;
        const FlashRegion* region = regionOf(command.parameter);
        if (region)
            flash_.readRing(*region, command.parameter, bytes);
        else
            flash_.read(command.parameter, bytes);
        std::vector<Report> out(2);
        std::copy_n(bytes.begin(), 64, out[0].begin());
        std::copy_n(bytes.begin() + 64, 64, out[1].begin());
        return out;
    }
    default:
        return {};
    }
}

}  // namespace somnexa::devsim
