// Device list, selection and the command/answer exchange.

#include <gtest/gtest.h>

#include "link_fixture.h"

namespace somnexa::device::testing {
namespace {

using msg::WM_DEVICE_NOTIFY;

TEST(HidFrame, CommandFramesCarryTheirChecksum) {
    const Frame state = buildFrame(kCmdState, 0);
    const Frame end = buildFrame(kCmdReadRange, kEndOfTransfer);
    const Frame headersB = buildFrame(kCmdReadHeaders, kRegionBStart);
    const std::vector<std::uint8_t> wantState{0x00, 0xAA, 0x55, 0x01, 0x00, 0x00, 0x00, 0x00, 0x01};
    const std::vector<std::uint8_t> wantEnd{0x00, 0xAA, 0x55, 0x55, 0xFF, 0x00, 0x00, 0x00, 0x54};
    const std::vector<std::uint8_t> wantHeadersB{0x00, 0xAA, 0x55, 0x56, 0x00, 0x42, 0x30, 0x00, 0xC8};
    EXPECT_EQ(std::vector<std::uint8_t>(state.begin(), state.begin() + 9), wantState);
    EXPECT_EQ(std::vector<std::uint8_t>(end.begin(), end.begin() + 9), wantEnd);
    EXPECT_EQ(std::vector<std::uint8_t>(headersB.begin(), headersB.begin() + 9), wantHeadersB);
    for (const Frame* f : {&state, &end, &headersB}) {
        EXPECT_EQ(f->size(), 65u);
        for (std::size_t i = 9; i < f->size(); ++i) EXPECT_EQ((*f)[i], 0) << i;
    }
}

TEST_F(LinkTest, ListsOnlyQorvelDevicesIgnoringCaseInTheOrderFound) {
    backend.add("/dev/hidraw1", "Other Corp", "Mouse");
    backend.add("/dev/hidraw2", "QORVEL", "Nimbra-C0110");
    backend.add("/dev/hidraw3", "Qorvel Inc", "Nimbra-X");
    backend.add("/dev/hidraw4", "qorvel", "Nimbra-C01");
    open();
    EXPECT_EQ(link->DeviceNames(), (std::vector<std::string>{"Nimbra-C01", "Nimbra-C0110", "Nimbra-C01"}));
    EXPECT_EQ(sink.count(WM_DEVICE_NOTIFY, 1, 0), 1);
    EXPECT_EQ(link->currentDevice(), device());
}

TEST_F(LinkTest, DeviceChangeRebuildsTheListAndLeavesNoDeviceCurrent) {
    open();
    backend.add("/dev/hidraw5", "Qorvel", "Nimbra-C0112");
    backend.notifyChange();
    clock.runPending();
    clock.runPending();
    EXPECT_EQ(link->DeviceNames(), (std::vector<std::string>{"Nimbra-C01", "Nimbra-C0112"}));
    EXPECT_EQ(link->currentDevice(), nullptr);
    EXPECT_EQ(sink.count(WM_DEVICE_NOTIFY, 1, 0), 2);
}

TEST_F(LinkTest, SelectDeviceNeedsAnExactProductMatch) {
    backend.add("/dev/hidraw6", "Qorvel", "Nimbra-C0110");
    open();
    const HidDevice* first = link->currentDevice();
    ASSERT_NE(first, nullptr);
    for (const char* name : {"nimbra-c01", "Nimbra-C011", "", "Nimbra-C01 "}) {
        link->SelectDevice(name);
        EXPECT_EQ(link->currentDevice(), first) << name;
    }
    link->SelectDevice("Nimbra-C0110");
    ASSERT_NE(link->currentDevice(), nullptr);
    EXPECT_EQ(link->currentDevice()->info().path, "/dev/hidraw6");
}

TEST_F(LinkTest, ADeviceThatCannotBeOpenedLeavesTheSelectionAsItWas) {
    backend.add("/dev/hidraw7", "Qorvel", "Nimbra-C0111");
    backend.unopenable.insert("/dev/hidraw7");
    open();
    const HidDevice* first = link->currentDevice();
    link->SelectDevice("Nimbra-C0111");
    EXPECT_EQ(link->currentDevice(), first);
}

TEST_F(LinkTest, SendCommandReturnsTheAnswersResult) {
    vent().state = 1;
    open();
    EXPECT_EQ(link->SendCommand(kCmdState, 0), 0x01000000);
    vent().state = 0xFE;  // the full unsigned range stays positive
    EXPECT_EQ(link->SendCommand(kCmdState, 0), 0xFE000000LL);
    ASSERT_FALSE(log().frames.empty());
    EXPECT_EQ(log().frames.back(), buildFrame(kCmdState, 0));
}

TEST_F(LinkTest, AnAnswerWithAnotherCodeDoesNotEndTheWait) {
    vent().answerCode = 2;
    open();
    const auto start = clock.nowMs();
    EXPECT_EQ(link->SendCommand(kCmdState, 0), -4);
    EXPECT_GT(clock.nowMs() - start, TQvHid::kAnswerTimeoutMs);
    EXPECT_LT(clock.nowMs() - start, TQvHid::kAnswerTimeoutMs + 100);
}

TEST_F(LinkTest, NoAnswerTimesOutAndAFailedWriteIsMinusTwo) {
    vent().silent = true;
    open();
    EXPECT_EQ(link->SendCommand(kCmdStop, 0), -4);
    vent().failWrites = true;
    EXPECT_EQ(link->SendCommand(kCmdStop, 0), -2);
    link->SelectDevice("none");
    backend.notifyChange();  // no device current any more
    clock.runPending();
    EXPECT_EQ(link->SendCommand(kCmdStop, 0), -2);
}

TEST_F(LinkTest, AnAnswerWithTheRightCodeButABadHeaderGivesTheByteSum) {
    vent().silent = true;
    open();
    Report bad = answerReport(kCmdState, 0x01000000);
    bad[0] = 0x10;
    bad[1] = 0x20;
    device()->postReport(bad);
    EXPECT_EQ(link->SendCommand(kCmdState, 0), 0x10 + 0x20 + 1 + 1);
}

TEST_F(LinkTest, ReportsFromAnotherDeviceAreIgnoredWhileACommandWaits) {
    backend.add("/dev/hidraw8", "Qorvel", "Nimbra-C0119");
    vent().silent = true;
    open();
    link->SelectDevice("Nimbra-C0119");
    link->SelectDevice(kProduct);  // the other device was opened and released again
    // A second device open alongside: opened through the backend directly.
    auto other = backend.open({"/dev/hidraw8", "Qorvel", "Nimbra-C0119"});
    auto* otherFake = static_cast<FakeDevice*>(other.get());
    other->setReportHandler([this, d = other.get()](std::span<const std::uint8_t> r) { link->OnReport(d, r); });
    otherFake->postReport(answerReport(kCmdState, 0x01000000));
    EXPECT_EQ(link->SendCommand(kCmdState, 0), -4);
}

TEST_F(LinkTest, MessagesArriveAsynchronously) {
    link = std::make_unique<TQvHid>(backend, clock, &sink);
    EXPECT_TRUE(sink.messages.empty());  // posted, not yet delivered
    clock.runPending();
    EXPECT_EQ(sink.count(WM_DEVICE_NOTIFY, 1, 0), 1);
}

}  // namespace
}  // namespace somnexa::device::testing
