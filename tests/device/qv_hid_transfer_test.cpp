// Transfers that succeed: requests, address steps, ring wraps, completion.

#include <gtest/gtest.h>

#include "link_fixture.h"
#include "records/qv_func.h"

namespace somnexa::device::testing {
namespace {

using msg::WM_DEVICE_NOTIFY;

// The 64-byte headers of count sectors from a given sector on, wrapping in the ring.
std::vector<std::uint8_t> headerBytes(std::uint32_t first, std::uint32_t count, std::uint32_t start,
                                      std::uint32_t end) {
    std::vector<std::uint8_t> out;
    std::uint32_t sector = first;
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto h = ringBytes(sector, 64, 0, 0xFFFFFFFF);
        out.insert(out.end(), h.begin(), h.end());
        sector += kSectorSize;
        if (sector == end) sector = start;
    }
    return out;
}

TEST_F(LinkTest, RegionAHeadersTake526RequestsAndEndWithTheEndFrame) {
    open();
    ASSERT_EQ(link->StartRead(image(), kRegionAStart, kRegionAHeaderBytes, kRegionAHeaders), 0);
    EXPECT_TRUE(link->reading());
    clock.advance(1);

    const auto requests = log().requests();
    ASSERT_EQ(requests.size(), 526u);
    for (std::size_t i = 0; i < requests.size(); ++i)
        ASSERT_EQ(requests[i], buildFrame(kCmdReadHeaders, kRegionAStart + static_cast<std::uint32_t>(i) * 8192)) << i;
    EXPECT_EQ(log().frames.back(), buildFrame(kCmdReadRange, kEndOfTransfer));
    // Stop, state query, then the requests and the end frame.
    EXPECT_EQ(log().frames[0], buildFrame(kCmdStop, 0));
    EXPECT_EQ(log().frames[1], buildFrame(kCmdState, 0));
    EXPECT_EQ(log().frames.size(), 2u + 526u + 1u);

    // The last request's second report came after completion and was ignored.
    EXPECT_EQ(readFile(image()), headerBytes(kRegionAStart, 1051, kRegionAStart, kRegionAEnd));
    EXPECT_EQ(sink.count(WM_DEVICE_NOTIFY, 2, 0), 1);
    EXPECT_EQ(outcomes(), 1);
    EXPECT_FALSE(link->busy());
    EXPECT_FALSE(link->reading());
    EXPECT_FALSE(link->timerEnabled());
    EXPECT_EQ(link->Received(), 0u);
    EXPECT_EQ(link->ImageFileName(), image());
}

TEST_F(LinkTest, RegionBHeadersStartWithTheKnownRequest) {
    open();
    ASSERT_EQ(link->StartRead(image(), kRegionBStart, kRegionBHeaderBytes, kRegionBHeaders), 0);
    clock.advance(1);
    const auto requests = log().requests();
    ASSERT_EQ(requests.size(), 1516u);
    const std::vector<std::uint8_t> want{0x00, 0xAA, 0x55, 0x56, 0x00, 0x42, 0x30, 0x00, 0xC8};
    EXPECT_EQ(std::vector<std::uint8_t>(requests[0].begin(), requests[0].begin() + 9), want);
    EXPECT_EQ(readFile(image()), headerBytes(kRegionBStart, 3032, kRegionBStart, kRegionBEnd));
    EXPECT_EQ(sink.count(WM_DEVICE_NOTIFY, 3, 0), 1);
}

struct RangeCase {
    int type;
    std::uint32_t address;
    std::uint32_t size;
    int completion;
};

class RangeTransfer : public LinkTest, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(RangeTransfer, CopiesTheRangeAndWrapsAtTheRingsEnd) {
    const RangeCase c = GetParam();
    open();
    ASSERT_EQ(link->StartRead(image(), c.address, c.size, c.type), 0);
    clock.advance(1);
    const std::uint32_t start = ringStart(c.type), end = ringEnd(c.type);
    EXPECT_EQ(readFile(image()), ringBytes(c.address, c.size, start, end));
    EXPECT_EQ(sink.count(WM_DEVICE_NOTIFY, c.completion, 0), 1);
    EXPECT_EQ(outcomes(), 1);
    // Every request asks for the next 128 bytes of the ring.
    std::uint32_t expected = c.address;
    for (const auto& f : log().requests()) {
        EXPECT_EQ(f[3], kCmdReadRange);
        EXPECT_EQ(frameParameter(f), expected);
        expected += 128;
        if (expected >= end) expected = start + (expected - end);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RangeTransfer,
    ::testing::Values(RangeCase{kRegionBRange, 0x500000, 4096, 4},
                      // 8192 bytes before the end: 128 reports, then on at region B's start
                      RangeCase{kRegionBRange, kRegionBEnd - 8192, 16384, 4},
                      RangeCase{kRegionARange, 0x10000, 8192, 5},
                      RangeCase{kRegionARange, kRegionAEnd - 256, 1024, 5},
                      // a size that is no multiple of a report: the file ends exactly there
                      RangeCase{kRegionBRange, 0x600000, 1000, 4},
                      RangeCase{kRegionARange, 0x20000, 64, 5}));

TEST_F(LinkTest, TheWrapOfARegionBRangeComesAfter128Reports) {
    open();
    ASSERT_EQ(link->StartRead(image(), kRegionBEnd - 8192, 16384, kRegionBRange), 0);
    clock.advance(1);
    const auto requests = log().requests();
    ASSERT_EQ(requests.size(), 128u);
    EXPECT_EQ(frameParameter(requests[63]), kRegionBEnd - 128);
    EXPECT_EQ(frameParameter(requests[64]), kRegionBStart);
}

TEST_F(LinkTest, HeaderAddressesWrapInTheRing) {
    // Region A headers from its last sector: the second header comes from its first.
    open();
    ASSERT_EQ(link->StartRead(image(), kRegionAEnd - 3 * kSectorSize, 6 * 64, kRegionAHeaders), 0);
    clock.advance(1);
    const auto requests = log().requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(frameParameter(requests[0]), kRegionAEnd - 3 * kSectorSize);
    EXPECT_EQ(frameParameter(requests[1]), kRegionAEnd - kSectorSize);
    EXPECT_EQ(frameParameter(requests[2]), kRegionAStart + kSectorSize);
}

TEST_F(LinkTest, ABlankFileNameGivesAGuidNamedFileInTheWorkingDirectory) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    open();
    const auto r = link->StartRead("  ", 0x500000, 256, kRegionBRange);
    clock.advance(1);
    std::filesystem::current_path(previous);
    ASSERT_EQ(r, 0);
    EXPECT_TRUE(IsGuidName(link->ImageFileName())) << link->ImageFileName();
    EXPECT_EQ(readFile((dir_ / link->ImageFileName()).string()).size(), 256u);
}

TEST_F(LinkTest, AnExistingImageFileIsReplaced) {
    {
        std::ofstream old(image(), std::ios::binary);
        old << std::string(10000, 'x');
    }
    open();
    ASSERT_EQ(link->StartRead(image(), 0x500000, 128, kRegionBRange), 0);
    clock.advance(1);
    EXPECT_EQ(readFile(image()), ringBytes(0x500000, 128, kRegionBStart, kRegionBEnd));
}

TEST_F(LinkTest, AnImageFileThatCannotBeCreatedIsMinusOne) {
    open();
    EXPECT_EQ(link->StartRead((dir_ / "missing" / "image.bin").string(), 0x500000, 128, kRegionBRange), -1);
    EXPECT_TRUE(log().frames.empty());
    EXPECT_EQ(link->StartRead(image(), 0x500000, 128, 3), -1);  // no such transfer kind
}

TEST_F(LinkTest, ASecondTransferFollowsTheFirst) {
    open();
    ASSERT_EQ(link->StartRead(image("a.bin"), 0x500000, 512, kRegionBRange), 0);
    clock.advance(1);
    ASSERT_EQ(link->StartRead(image("b.bin"), 0x10000, 512, kRegionARange), 0);
    clock.advance(1);
    EXPECT_EQ(readFile(image("a.bin")), ringBytes(0x500000, 512, kRegionBStart, kRegionBEnd));
    EXPECT_EQ(readFile(image("b.bin")), ringBytes(0x10000, 512, kRegionAStart, kRegionAEnd));
    EXPECT_EQ(sink.count(WM_DEVICE_NOTIFY, 4, 0), 1);
    EXPECT_EQ(sink.count(WM_DEVICE_NOTIFY, 5, 0), 1);
}

}  // namespace
}  // namespace somnexa::device::testing
