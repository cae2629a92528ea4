#include "devsim/ventilator_protocol.h"

#include <gtest/gtest.h>

#include <vector>

#include "devsim_test_support.h"

namespace somnexa::devsim {
namespace {

std::vector<std::uint8_t> bytes(std::initializer_list<int> head, std::size_t size) {
    std::vector<std::uint8_t> v(size, 0);
    std::size_t i = 0;
    for (int b : head) v[i++] = static_cast<std::uint8_t>(b);
    return v;
}

Report flashBytes(const FlashImage& flash, std::uint32_t address) {
    Report r;
    flash.read(address, r);
    return r;
}

TEST(OutputFrame, LayoutAndChecksum) {
    const auto state = buildFrame(kCmdState, 0);
    EXPECT_EQ(std::vector<std::uint8_t>(state.begin(), state.end()), bytes({0, 0xAA, 0x55, 1, 0, 0, 0, 0, 1}, 65));
    const auto end = buildFrame(kCmdReadRange, kEndOfTransfer);
    EXPECT_EQ(std::vector<std::uint8_t>(end.begin(), end.end()),
              bytes({0, 0xAA, 0x55, 0x55, 0xFF, 0, 0, 0, 0x54}, 65));
    const auto headers = buildFrame(kCmdReadHeaders, 0x423000);
    EXPECT_EQ(std::vector<std::uint8_t>(headers.begin(), headers.end()),
              bytes({0, 0xAA, 0x55, 0x56, 0x00, 0x42, 0x30, 0x00, 0xC8}, 65));
}

TEST(VentilatorProtocol, AnswersStateAndStopByteForByte) {
    FlashImage flash;
    VentilatorProtocol device(flash);
    struct Case {
        std::uint8_t code;
        std::uint8_t state;
        std::vector<std::uint8_t> expected;
    };
    const Case cases[] = {
        {kCmdState, kStateIdle, bytes({0xAA, 0x55, 0x01, 0x01, 0, 0, 0}, 64)},
        {kCmdState, kStateBusy, bytes({0xAA, 0x55, 0x01, 0x02, 0, 0, 0}, 64)},
        {kCmdStop, kStateIdle, bytes({0xAA, 0x55, 0x53, 0, 0, 0, 0}, 64)},
    };
    for (const Case& c : cases) {
        device.setState(c.state);
        const auto frame = buildFrame(c.code, 0);
        const auto reports = device.handleFrame(frame);
        ASSERT_EQ(reports.size(), 1u) << int(c.code);
        EXPECT_EQ(std::vector<std::uint8_t>(reports[0].begin(), reports[0].end()), c.expected) << int(c.code);
    }
}

TEST(VentilatorProtocol, IgnoresBadFramesEndFrameAndUnknownCommands) {
    FlashImage flash;
    VentilatorProtocol device(flash);
    auto good = buildFrame(kCmdState, 0);
    std::vector<std::vector<std::uint8_t>> frames;
    auto badChecksum = good;
    badChecksum[8] ^= 1;
    auto badReportId = good;
    badReportId[0] = 1;
    auto badHeader = good;
    badHeader[2] = 0x56;
    frames.emplace_back(badChecksum.begin(), badChecksum.end());
    frames.emplace_back(badReportId.begin(), badReportId.end());
    frames.emplace_back(badHeader.begin(), badHeader.end());
    frames.emplace_back(good.begin(), good.end() - 1);  // 64 bytes
    const auto end = buildFrame(kCmdReadRange, kEndOfTransfer);
    frames.emplace_back(end.begin(), end.end());
    const auto unknown = buildFrame(0x10, 0);
    frames.emplace_back(unknown.begin(), unknown.end());
    for (std::size_t i = 0; i < frames.size(); ++i) EXPECT_TRUE(device.handleFrame(frames[i]).empty()) << i;
}

TEST(VentilatorProtocol, HeaderRequestSendsTwoSectorHeadersAndWrapsInItsRing) {
    const FlashImage flash = testing::patternedFlash();
    VentilatorProtocol device(flash);
    struct Case {
        std::uint32_t address;
        std::uint32_t first;
        std::uint32_t second;
    };
    const Case cases[] = {
        {0x8000, 0x8000, 0x9000},
        {0x423000, 0x423000, 0x424000},
        {0x8123, 0x8000, 0x9000},            // inside a sector: that sector
        {0x422000, 0x422000, 0x8000},        // last sector of region A, then its first
        {0xFFA000, 0xFFA000, 0x423000},      // last sector of region B, then its first
    };
    for (const Case& c : cases) {
        const auto reports = device.handleFrame(buildFrame(kCmdReadHeaders, c.address));
        ASSERT_EQ(reports.size(), 2u) << std::hex << c.address;
        EXPECT_EQ(reports[0], flashBytes(flash, c.first)) << std::hex << c.address;
        EXPECT_EQ(reports[1], flashBytes(flash, c.second)) << std::hex << c.address;
    }
}

TEST(VentilatorProtocol, RangeRequestSends128BytesAndContinuesAtTheRegionStart) {
    const FlashImage flash = testing::patternedFlash();
    VentilatorProtocol device(flash);
    struct Case {
        std::uint32_t address;
        std::uint32_t first;
        std::uint32_t second;
    };
    const Case cases[] = {
        {0x8000, 0x8000, 0x8040},
        {0x500010, 0x500010, 0x500050},
        {0x423000 - 64, 0x423000 - 64, 0x8000},    // end of region A
        {0xFFB000 - 64, 0xFFB000 - 64, 0x423000},  // end of region B
        {0xFFB000 - 128, 0xFFB000 - 128, 0xFFB000 - 64},
    };
    for (const Case& c : cases) {
        const auto reports = device.handleFrame(buildFrame(kCmdReadRange, c.address));
        ASSERT_EQ(reports.size(), 2u) << std::hex << c.address;
        EXPECT_EQ(reports[0], flashBytes(flash, c.first)) << std::hex << c.address;
        EXPECT_EQ(reports[1], flashBytes(flash, c.second)) << std::hex << c.address;
    }
    // A range that straddles the end inside one report.
    const auto split = device.handleFrame(buildFrame(kCmdReadRange, 0x423000 - 32));
    ASSERT_EQ(split.size(), 2u);
    Report expected;
    flash.read(0x423000 - 32, std::span(expected).first(32));
    flash.read(0x8000, std::span(expected).last(32));
    EXPECT_EQ(split[0], expected);
}

TEST(VentilatorProtocol, AddressesOutsideTheFlashReadErased) {
    const FlashImage flash = testing::patternedFlash();
    VentilatorProtocol device(flash);
    const auto reports = device.handleFrame(buildFrame(kCmdReadRange, 0x01000000));
    ASSERT_EQ(reports.size(), 2u);
    for (auto b : reports[1]) ASSERT_EQ(b, 0xFF);
}

}  // namespace
}  // namespace somnexa::devsim
