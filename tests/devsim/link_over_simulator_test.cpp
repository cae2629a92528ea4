// The device link against the simulated ventilator, on a virtual clock: whole
// transfers as the download window runs them, clean and with every fault the
// simulator can make.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "device/hid_protocol.h"
#include "device/message_sink.h"
#include "device/qv_hid.h"
#include "device/virtual_scheduler.h"
#include "devsim/flash_generator.h"
#include "devsim/simulated_backend.h"
#include "devsim_test_support.h"
#include "records/data_file.h"
#include "records/window_messages.h"

namespace somnexa::devsim {
namespace {

using device::TQvHid;
using device::VirtualScheduler;

struct Message {
    int message;
    std::intptr_t wParam;
    std::intptr_t lParam;
};

struct Inbox : device::MessageSink {
    std::vector<Message> messages;
    void postMessage(int message, std::intptr_t wParam, std::intptr_t lParam) override {
        messages.push_back({message, wParam, lParam});
    }
    // Completion (2..5) and give-up (255) messages.
    std::vector<Message> endings() const {
        std::vector<Message> out;
        for (const Message& m : messages)
            if (m.message == msg::WM_DEVICE_NOTIFY && m.wParam != 1) out.push_back(m);
        return out;
    }
    int count(int message) const {
        int n = 0;
        for (const Message& m : messages) n += m.message == message;
        return n;
    }
};

const GeneratedFlash& generated() {
    static const GeneratedFlash g = [] {
        GeneratorOptions o;
        o.nights = 3;
        o.seed = 4;
        o.maxSessionSeconds = 600;
        return generateFlash(o);
    }();
    return g;
}

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class LinkOverSimulator : public ::testing::Test {
protected:
    void plugIn(const VentilatorOptions& options = {}) {
        vent_ = backend_.plugIn(generated().flash, options);
        link_ = std::make_unique<TQvHid>(backend_, clock_, &inbox_);
        clock_.runPending();
        link_->SelectDevice(generated().product);
        ASSERT_NE(link_->currentDevice(), nullptr);
    }
    // Runs the clock until the transfer ends, or for a minute of virtual time.
    void runTransfer() {
        const std::int64_t until = clock_.nowMs() + 60'000;
        while (inbox_.endings().empty() && inbox_.count(msg::WM_DEVICE_ERROR) == 0 && clock_.nowMs() < until)
            clock_.processEvents();
        clock_.advance(5'000);  // anything that would still follow
    }

    VirtualScheduler clock_;
    SimulatedBackend backend_{clock_};
    std::shared_ptr<SimulatedVentilator> vent_;
    Inbox inbox_;
    std::unique_ptr<TQvHid> link_;
    testing::TempDir dir_;
};

TEST_F(LinkOverSimulator, HeaderImagesReadThroughTheLinkIndexTheGeneratedSessions) {
    plugIn();
    const std::string file = dir_.file("headers-b.img");
    ASSERT_EQ(link_->StartRead(file, device::kRegionBStart, device::kRegionBHeaderBytes, device::kRegionBHeaders), 0);
    runTransfer();
    ASSERT_EQ(inbox_.endings().size(), 1u);
    EXPECT_EQ(inbox_.endings()[0].wParam, 3);
    EXPECT_EQ(readFile(file), testing::headerImage(generated().flash, kRegionB));

    TDataFile decoder;
    arTLogData index;
    ASSERT_EQ(decoder.DecodeLogImage(file, kLogHeaders, index), static_cast<int>(generated().sessions.size()));
    EXPECT_EQ(index.front().Id, generated().sessions.back().id);
}

TEST_F(LinkOverSimulator, ARealtimeSessionAcrossTheRegionEndArrivesWhole) {
    plugIn();
    const GeneratedSession* wrapped = nullptr;
    for (const auto& s : generated().sessions)
        if (s.realtimeRange.address + s.realtimeRange.size > kRegionA.end) wrapped = &s;
    ASSERT_NE(wrapped, nullptr);
    const std::string file = dir_.file("session.img");
    ASSERT_EQ(link_->StartRead(file, wrapped->realtimeRange.address, wrapped->realtimeRange.size, device::kRegionARange),
              0);
    runTransfer();
    ASSERT_EQ(inbox_.endings().size(), 1u);
    EXPECT_EQ(inbox_.endings()[0].wParam, 5);
    EXPECT_EQ(readFile(file), testing::rangeImage(generated().flash, kRegionA, wrapped->realtimeRange.address,
                                                  wrapped->realtimeRange.size));
}

enum class Expect { Complete, CompleteAnyData, GiveUp, NotStarted };

struct FaultCase {
    const char* name;
    void (*set)(FaultOptions&);
    Expect expect;
};

class LinkUnderFaults : public LinkOverSimulator, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(LinkUnderFaults, EndsOnceWithTheFileClosed) {
    VentilatorOptions options;
    GetParam().set(options.faults);
    plugIn(options);
    const std::uint32_t address = kRegionA.start + 16 * kSectorBytes;
    const std::uint32_t size = 4 * kSectorBytes;
    const std::string file = dir_.file("range.img");
    const std::int32_t started = link_->StartRead(file, address, size, device::kRegionARange);
    if (GetParam().expect == Expect::NotStarted) {
        EXPECT_LT(started, 0);
        EXPECT_FALSE(link_->imageOpen());
        clock_.advance(5'000);
        EXPECT_TRUE(inbox_.endings().empty());
        return;
    }
    ASSERT_EQ(started, 0);
    runTransfer();
    EXPECT_FALSE(link_->imageOpen());
    ASSERT_EQ(inbox_.endings().size(), 1u) << "exactly one ending";
    const auto ending = inbox_.endings()[0];
    switch (GetParam().expect) {
    case Expect::Complete:
        EXPECT_EQ(ending.wParam, 5);
        EXPECT_EQ(readFile(file), testing::rangeImage(generated().flash, kRegionA, address, size));
        break;
    case Expect::CompleteAnyData:
        EXPECT_EQ(ending.wParam, 5);
        break;
    case Expect::GiveUp:
        EXPECT_EQ(ending.wParam, 255);
        EXPECT_EQ(ending.lParam, 11);
        break;
    case Expect::NotStarted:
        break;
    }
}

const FaultCase kFaultCases[] = {
    {"none", [](FaultOptions&) {}, Expect::Complete},
    {"drop_every_7th", [](FaultOptions& f) { f.dropEvery = 7; }, Expect::Complete},
    {"silent_for_a_while", [](FaultOptions& f) { f.silentAfterReports = 20; f.silentForMs = 1500; }, Expect::Complete},
    {"silent_for_good", [](FaultOptions& f) { f.silentAfterReports = 20; }, Expect::GiveUp},
    {"wrong_answer_first", [](FaultOptions& f) { f.answers = AnswerFault::WrongThenRight; }, Expect::Complete},
    {"duplicates", [](FaultOptions& f) { f.duplicateEvery = 5; }, Expect::CompleteAnyData},
    {"garbage", [](FaultOptions& f) { f.garbageEvery = 9; }, Expect::CompleteAnyData},
    {"out_of_order", [](FaultOptions& f) { f.swapEvery = 3; }, Expect::CompleteAnyData},
    {"busy", [](FaultOptions& f) { f.busy = true; }, Expect::NotStarted},
    {"writes_fail", [](FaultOptions& f) { f.failWrites = true; }, Expect::NotStarted},
    {"wrong_answer_only", [](FaultOptions& f) { f.answers = AnswerFault::WrongCode; }, Expect::NotStarted},
};

INSTANTIATE_TEST_SUITE_P(Faults, LinkUnderFaults, ::testing::ValuesIn(kFaultCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkOverSimulator, UnplugMidTransferGivesExactlyOneFailureMessage) {
    VentilatorOptions options;
    options.faults.vanishAfterReports = 40;
    plugIn(options);
    const std::string file = dir_.file("range.img");
    ASSERT_EQ(link_->StartRead(file, kRegionA.start, 8 * kSectorBytes, device::kRegionARange), 0);
    runTransfer();
    EXPECT_FALSE(link_->imageOpen());
    // The read error (which the download window turns into the failure) or a
    // give-up, not both, and no completion.
    int giveUps = 0;
    for (const Message& m : inbox_.endings()) {
        EXPECT_EQ(m.wParam, 255);
        ++giveUps;
    }
    EXPECT_EQ(inbox_.count(msg::WM_DEVICE_ERROR) + giveUps, 1);
    EXPECT_TRUE(link_->DeviceNames().empty()) << "the device list was rebuilt without it";
}

TEST_F(LinkOverSimulator, PacedReportsFromTheDeviceThreadArriveWholeDespiteDrops) {
    VentilatorOptions options;
    options.reportLatencyUs = 20;
    options.faults.dropEvery = 11;
    plugIn(options);
    const std::uint32_t address = kRegionA.end - 2 * kSectorBytes;
    const std::uint32_t size = 4 * kSectorBytes;
    const std::string file = dir_.file("paced.img");
    ASSERT_EQ(link_->StartRead(file, address, size, device::kRegionARange), 0);
    runTransfer();
    ASSERT_EQ(inbox_.endings().size(), 1u);
    EXPECT_EQ(inbox_.endings()[0].wParam, 5);
    EXPECT_GT(link_->resendCount(), 0u);
    EXPECT_EQ(readFile(file), testing::rangeImage(generated().flash, kRegionA, address, size));
}

}  // namespace
}  // namespace somnexa::devsim
