// Transfers that go wrong: silence and resends, give-up, a busy device, read
// errors, unplugging, stray reports, stopping.

#include <gtest/gtest.h>

#include <random>

#include "link_fixture.h"

namespace somnexa::device::testing {
namespace {

using msg::WM_DEVICE_ERROR;
using msg::WM_DEVICE_NOTIFY;

TEST_F(LinkTest, ABusyDeviceRefusesTheTransferWithoutARequest) {
    vent().state = 2;
    open();
    EXPECT_LT(link->StartRead(image(), 0x500000, 4096, kRegionBRange), 0);
    ASSERT_EQ(log().frames.size(), 2u);  // stop and state query only
    EXPECT_TRUE(log().requests().empty());
    EXPECT_FALSE(link->imageOpen());
    EXPECT_FALSE(link->busy());
    EXPECT_FALSE(link->timerEnabled());
    clock.advance(10000);
    EXPECT_EQ(outcomes(), 0);
}

TEST_F(LinkTest, ADeviceThatNeverAnswersIsATimeout) {
    vent().silent = true;
    open();
    EXPECT_EQ(link->StartRead(image(), 0x500000, 4096, kRegionBRange), -4);
    EXPECT_FALSE(link->imageOpen());
    EXPECT_TRUE(log().requests().empty());
    clock.advance(10000);
    EXPECT_EQ(outcomes(), 0);
}

TEST_F(LinkTest, AFailedFirstRequestIsMinusTwo) {
    vent().writesBeforeFailure = 2;  // stop and state query go through
    open();
    EXPECT_EQ(link->StartRead(image(), 0x500000, 4096, kRegionBRange), -2);
    EXPECT_FALSE(link->imageOpen());
    EXPECT_FALSE(link->busy());
    EXPECT_FALSE(link->timerEnabled());
    clock.advance(10000);
    EXPECT_EQ(outcomes(), 0);
}

TEST_F(LinkTest, ASilentRequestIsResentAfterTwoTicksAndItsPartIsOverwritten) {
    // The second report of the third request is lost once.
    vent().drop = [](int n) { return n == 5; };
    open();
    ASSERT_EQ(link->StartRead(image(), 0x500000, 1024, kRegionBRange), 0);
    clock.runPending();
    clock.runPending();
    clock.runPending();
    clock.runPending();
    ASSERT_EQ(log().requests().size(), 3u);
    EXPECT_EQ(link->Received(), 320u);

    clock.advance(TQvHid::kRetryIntervalMs);  // one silent tick: nothing yet
    EXPECT_EQ(log().requests().size(), 3u);
    clock.advance(TQvHid::kRetryIntervalMs);  // the second: the request again
    const auto requests = log().requests();
    ASSERT_GE(requests.size(), 4u);
    EXPECT_EQ(requests[3], requests[2]);
    EXPECT_EQ(frameParameter(requests[3]), 0x500000u + 256);
    clock.advance(1);
    EXPECT_EQ(link->resendCount(), 1u);
    EXPECT_EQ(readFile(image()), ringBytes(0x500000, 1024, kRegionBStart, kRegionBEnd));
    EXPECT_EQ(sink.count(WM_DEVICE_NOTIFY, 4, 0), 1);
    EXPECT_EQ(outcomes(), 1);
}

TEST_F(LinkTest, HeaderResendGoesBackToTheRequestsFirstSector) {
    vent().drop = [](int n) { return n == 3; };  // second report of the second request
    open();
    ASSERT_EQ(link->StartRead(image(), kRegionAStart, 8 * 64, kRegionAHeaders), 0);
    clock.advance(2 * TQvHid::kRetryIntervalMs);
    const auto requests = log().requests();
    ASSERT_GE(requests.size(), 3u);
    EXPECT_EQ(frameParameter(requests[2]), kRegionAStart + 2 * kSectorSize);
    clock.advance(1);
    EXPECT_EQ(sink.count(WM_DEVICE_NOTIFY, 2, 0), 1);
    EXPECT_EQ(readFile(image()).size(), 8u * 64);
}

TEST_F(LinkTest, SilenceGivesUpAfterFifteenTicksWithOneMessage) {
    open();
    vent().silentData = true;
    ASSERT_EQ(link->StartRead(image(), 0x500000, 4096, kRegionBRange), 0);
    const std::size_t firstRequests = log().requests().size();
    ASSERT_EQ(firstRequests, 1u);
    clock.advance(14 * TQvHid::kRetryIntervalMs);
    EXPECT_EQ(log().requests().size(), 1u + 13u);  // resent on ticks 2..14
    EXPECT_EQ(outcomes(), 0);
    EXPECT_TRUE(link->busy());
    clock.advance(TQvHid::kRetryIntervalMs);
    EXPECT_EQ(sink.count(WM_DEVICE_NOTIFY, 255, 11), 1);
    EXPECT_FALSE(link->busy());
    EXPECT_FALSE(link->timerEnabled());
    EXPECT_FALSE(link->imageOpen());
    clock.advance(60000);
    EXPECT_EQ(outcomes(), 1);
    EXPECT_EQ(log().requests().size(), 14u);
}

TEST_F(LinkTest, ADeviceFallingSilentMidTransferGivesUpOnce) {
    vent().drop = [](int n) { return n >= 40; };
    open();
    ASSERT_EQ(link->StartRead(image(), 0x500000, 8192, kRegionBRange), 0);
    clock.advance(20000);
    EXPECT_EQ(sink.count(WM_DEVICE_NOTIFY, 255, 11), 1);
    EXPECT_EQ(outcomes(), 1);
    EXPECT_FALSE(link->imageOpen());
}

TEST_F(LinkTest, AReadErrorDuringATransferIsReportedOnceAndEndsIt) {
    vent().drop = [](int n) { return n >= 10; };
    open();
    ASSERT_EQ(link->StartRead(image(), 0x500000, 8192, kRegionBRange), 0);
    clock.runPending();
    device()->postError(-5);
    clock.advance(20000);
    EXPECT_EQ(sink.count(WM_DEVICE_ERROR, -5, 0), 1);
    EXPECT_EQ(outcomes(), 1);  // no give-up after the error
    EXPECT_FALSE(link->busy());
    EXPECT_FALSE(link->imageOpen());
}

TEST_F(LinkTest, AReadErrorWhileIdleIsPassedOn) {
    open();
    device()->postError(7);
    clock.runPending();
    clock.runPending();
    EXPECT_EQ(sink.count(WM_DEVICE_ERROR, 7, 0), 1);
}

TEST_F(LinkTest, UnplugMidTransferGivesExactlyOneFailure) {
    for (const bool errorFirst : {true, false}) {
        SCOPED_TRACE(errorFirst);
        sink.messages.clear();
        backend.add(kPath, "Qorvel", kProduct);
        vent().drop = [](int n) { return n >= 10; };
        vent().dataReports = 0;
        open();
        ASSERT_EQ(link->StartRead(image(), 0x500000, 8192, kRegionBRange), 0);
        clock.runPending();
        FakeDevice* d = device();
        backend.remove(kPath);
        if (errorFirst) d->postError(-19);
        backend.notifyChange();
        if (!errorFirst) d->postError(-19);  // the released device's error arrives too late
        clock.advance(20000);
        EXPECT_EQ(outcomes(), 1);
        EXPECT_EQ(sink.count(WM_DEVICE_ERROR, -19, 0) + sink.count(WM_DEVICE_NOTIFY, 255, 11), 1);
        EXPECT_TRUE(link->DeviceNames().empty());
        EXPECT_EQ(link->currentDevice(), nullptr);
        EXPECT_FALSE(link->imageOpen());
        EXPECT_FALSE(link->busy());
    }
}

TEST_F(LinkTest, StopDeviceEndsATransferWithoutAMessage) {
    vent().drop = [](int n) { return n >= 6; };
    open();
    ASSERT_EQ(link->StartRead(image(), 0x500000, 8192, kRegionBRange), 0);
    clock.runPending();
    link->StopDevice();
    EXPECT_FALSE(link->busy());
    EXPECT_FALSE(link->reading());
    EXPECT_FALSE(link->timerEnabled());
    EXPECT_FALSE(link->imageOpen());
    clock.advance(20000);
    EXPECT_EQ(outcomes(), 0);
    EXPECT_EQ(log().frames.back(), buildFrame(kCmdStop, 0));
}

TEST_F(LinkTest, ReportsFromAnotherDeviceDoNotReachTheImage) {
    backend.add("/dev/hidraw9", "Qorvel", "Nimbra-C0119");
    open();
    auto other = backend.open({"/dev/hidraw9", "Qorvel", "Nimbra-C0119"});
    ASSERT_EQ(link->StartRead(image(), 0x500000, 512, kRegionBRange), 0);
    link->OnReport(other.get(), Report(64, 0xEE));
    link->OnReport(nullptr, Report(64, 0xEE));
    clock.advance(1);
    EXPECT_EQ(readFile(image()), ringBytes(0x500000, 512, kRegionBStart, kRegionBEnd));
}

// Stray reports (garbage, duplicates, out of order, odd lengths) corrupt the
// image, as the protocol cannot tell them from data, but never the link:
// every transfer ends with exactly one outcome and its file closed.
TEST_F(LinkTest, StrayReportsNeverBreakTheLink) {
    std::mt19937 rng(12345);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        sink.messages.clear();
        vent().dataReports = 0;
        const int kind = round % 4;
        vent().drop = [kind](int n) { return kind == 3 && n % 7 == 3; };
        open();
        const std::uint32_t size = 64u * (1 + rng() % 64);
        ASSERT_EQ(link->StartRead(image(), 0x500000, size, kRegionBRange), 0);
        for (int step = 0; step < 200 && link->busy(); ++step) {
            const auto r = rng() % 10;
            if (r == 0) {
                Report garbage(rng() % 70, 0);
                for (auto& b : garbage) b = static_cast<std::uint8_t>(rng());
                device()->postReport(garbage);
            } else if (r == 1) {
                device()->postReport(Report(64, 0x11));  // a duplicate-like extra report
            } else if (r == 2) {
                link->OnReport(device(), answerReport(kCmdStop, 0));
            }
            clock.runPending();
            if (rng() % 5 == 0) clock.advance(TQvHid::kRetryIntervalMs);
        }
        clock.advance(20000);
        EXPECT_EQ(outcomes(), 1);
        EXPECT_FALSE(link->busy());
        EXPECT_FALSE(link->imageOpen());
        EXPECT_LE(readFile(image()).size(), size);
    }
}

TEST_F(LinkTest, DestroyingTheLinkMidTransferLeavesNothingBehind) {
    vent().drop = [](int n) { return n >= 6; };
    open();
    ASSERT_EQ(link->StartRead(image(), 0x500000, 8192, kRegionBRange), 0);
    device()->postReport(Report(64, 1));
    device()->postError(3);
    link.reset();
    EXPECT_EQ(clock.activeTimerCount(), 0);
    clock.advance(20000);  // queued deliveries find no link
    backend.notifyChange();
    clock.advance(1);
    EXPECT_EQ(outcomes(), 0);
}

}  // namespace
}  // namespace somnexa::device::testing
