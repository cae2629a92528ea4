#include "devsim/simulated_ventilator.h"

#include <gtest/gtest.h>

#include "devsim_test_support.h"

namespace somnexa::devsim {
namespace {

FaultOptions faults(void (*set)(FaultOptions&)) {
    FaultOptions f;
    set(f);
    return f;
}

class VentilatorFaults : public ::testing::Test {
protected:
    VentilatorFaults() : vent_(testing::patternedFlash(), "Qorvel", "Nimbra-C0110") {}

    Reply send(std::uint8_t code, std::uint32_t parameter, std::int64_t nowMs = 0) {
        const auto frame = buildFrame(code, parameter);
        return vent_.receive(frame, nowMs);
    }
    Report at(std::uint32_t address) {
        Report r;
        vent_.withFlash([&](FlashImage& f) { f.read(address, r); });
        return r;
    }

    SimulatedVentilator vent_;
};

TEST_F(VentilatorFaults, WithoutFaultsEveryRequestIsAnswered) {
    const Reply r = send(kCmdReadRange, 0x9000);
    EXPECT_TRUE(r.accepted);
    ASSERT_EQ(r.reports.size(), 2u);
    EXPECT_EQ(r.reports[0], at(0x9000));
    EXPECT_EQ(r.reports[1], at(0x9040));
    EXPECT_FALSE(r.vanish);
    ASSERT_EQ(vent_.commands().size(), 1u);
    EXPECT_EQ(vent_.commands()[0].code, kCmdReadRange);
    EXPECT_EQ(vent_.commands()[0].parameter, 0x9000u);
}

TEST_F(VentilatorFaults, DropEveryKthReport) {
    vent_.setFaults(faults([](FaultOptions& f) { f.dropEvery = 3; }));
    std::vector<Report> got;
    for (std::uint32_t a = 0x9000; a < 0x9000 + 3 * 128; a += 128)
        for (const Report& r : send(kCmdReadRange, a).reports) got.push_back(r);
    // Six reports produced, the third and the sixth lost.
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0], at(0x9000));
    EXPECT_EQ(got[1], at(0x9040));
    EXPECT_EQ(got[2], at(0x90C0));
    EXPECT_EQ(got[3], at(0x9100));
    EXPECT_EQ(vent_.stats().reportsLost, 2u);
}

TEST_F(VentilatorFaults, SilenceForAWhileThenAnswersAgain) {
    vent_.setFaults(faults([](FaultOptions& f) { f.silentAfterReports = 1; f.silentForMs = 500; }));
    EXPECT_EQ(send(kCmdReadRange, 0x9000, 1000).reports.size(), 1u);  // the second report is swallowed
    EXPECT_TRUE(send(kCmdReadRange, 0x9000, 1200).reports.empty());
    EXPECT_TRUE(send(kCmdState, 0, 1499).reports.empty());
    EXPECT_EQ(send(kCmdReadRange, 0x9000, 1500).reports.size(), 2u);
    EXPECT_EQ(send(kCmdReadRange, 0x9000, 1600).reports.size(), 2u) << "the silence comes once";
}

TEST_F(VentilatorFaults, SilenceForGood) {
    vent_.setFaults(faults([](FaultOptions& f) { f.silentAfterReports = 0; }));
    for (std::int64_t t : {0, 10'000, 10'000'000}) {
        const Reply r = send(kCmdState, 0, t);
        EXPECT_TRUE(r.accepted) << "the frame is written, nobody answers";
        EXPECT_TRUE(r.reports.empty());
    }
}

TEST_F(VentilatorFaults, BusyStateAndFailingWrites) {
    vent_.setFaults(faults([](FaultOptions& f) { f.busy = true; }));
    ASSERT_EQ(send(kCmdState, 0).reports.size(), 1u);
    EXPECT_EQ(send(kCmdState, 0).reports[0], answerReport(kCmdState, 0x02000000));
    vent_.setFaults(faults([](FaultOptions& f) { f.failWrites = true; }));
    EXPECT_FALSE(send(kCmdState, 0).accepted);
    EXPECT_EQ(vent_.stats().failedWrites, 1u);
    vent_.setFaults({});
    EXPECT_EQ(send(kCmdState, 0).reports[0], answerReport(kCmdState, 0x01000000));
}

TEST_F(VentilatorFaults, AnswersWithAnotherCommandCode) {
    vent_.setFaults(faults([](FaultOptions& f) { f.answers = AnswerFault::WrongCode; }));
    auto r = send(kCmdState, 0).reports;
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0][0], 0xAA);
    EXPECT_EQ(r[0][1], 0x55);
    EXPECT_NE(r[0][2], kCmdState);
    r = send(kCmdStop, 0).reports;
    ASSERT_EQ(r.size(), 1u);
    EXPECT_NE(r[0][2], kCmdStop);

    vent_.setFaults(faults([](FaultOptions& f) { f.answers = AnswerFault::WrongThenRight; }));
    r = send(kCmdState, 0).reports;
    ASSERT_EQ(r.size(), 2u);
    EXPECT_NE(r[0][2], kCmdState);
    EXPECT_EQ(r[1], answerReport(kCmdState, 0x01000000));
    // Data reports are not touched.
    EXPECT_EQ(send(kCmdReadRange, 0x9000).reports[0], at(0x9000));
}

TEST_F(VentilatorFaults, GarbageDuplicatesAndSwappedReports) {
    vent_.setFaults(faults([](FaultOptions& f) { f.garbageEvery = 2; f.seed = 5; }));
    auto r = send(kCmdReadRange, 0x9000).reports;
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0], at(0x9000));
    EXPECT_EQ(r[1], at(0x9040));
    EXPECT_NE(r[2], at(0x9080));

    vent_.setFaults(faults([](FaultOptions& f) { f.duplicateEvery = 1; }));
    r = send(kCmdReadRange, 0x9000).reports;
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0], r[1]);
    EXPECT_EQ(r[2], r[3]);

    vent_.setFaults(faults([](FaultOptions& f) { f.swapEvery = 2; }));
    r = send(kCmdReadHeaders, 0x9000).reports;
    EXPECT_EQ(r[0], at(0x9000));
    r = send(kCmdReadHeaders, 0x9000).reports;
    EXPECT_EQ(r[0], at(0xA000));
    EXPECT_EQ(r[1], at(0x9000));
}

TEST_F(VentilatorFaults, VanishesInTheMiddleOfARequest) {
    vent_.setFaults(faults([](FaultOptions& f) { f.vanishAfterReports = 3; }));
    Reply r = send(kCmdReadRange, 0x9000);
    EXPECT_EQ(r.reports.size(), 2u);
    EXPECT_FALSE(r.vanish);
    r = send(kCmdReadRange, 0x9080);
    EXPECT_EQ(r.reports.size(), 1u);
    EXPECT_TRUE(r.vanish);
    EXPECT_FALSE(vent_.plugged());
    EXPECT_FALSE(send(kCmdState, 0).accepted);
}

TEST_F(VentilatorFaults, BadFramesAreWrittenButNotAnswered) {
    vent_.setRecordFrames(true);
    auto frame = buildFrame(kCmdState, 0);
    frame[8] ^= 0xFF;
    const Reply r = vent_.receive(frame, 0);
    EXPECT_TRUE(r.accepted);
    EXPECT_TRUE(r.reports.empty());
    EXPECT_EQ(vent_.stats().badFrames, 1u);
    ASSERT_EQ(vent_.frames().size(), 1u);
    EXPECT_EQ(vent_.frames()[0], std::vector<std::uint8_t>(frame.begin(), frame.end()));
    EXPECT_TRUE(vent_.commands().empty());
}

}  // namespace
}  // namespace somnexa::devsim
