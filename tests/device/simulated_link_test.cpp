// The link against the simulated ventilator: the whole protocol end to end,
// with the simulator's own faults.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "device/qv_hid.h"
#include "device/virtual_scheduler.h"
#include "devsim/simulated_backend.h"
#include "fake_hid.h"
#include "records/window_messages.h"

namespace somnexa::device {
namespace {

using testing::RecordingSink;

// Random bytes everywhere, made once for all tests.
const devsim::FlashImage& randomFlash() {
    static const devsim::FlashImage flash = [] {
        devsim::FlashImage f;
        std::mt19937 rng(99);
        for (auto& b : f.bytes()) b = static_cast<std::uint8_t>(rng());
        return f;
    }();
    return flash;
}

class SimulatedLink : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = (std::filesystem::temp_directory_path() /
                 (std::string("somnexa_simlink_") +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".img"))
                    .string();
    }
    void TearDown() override {
        link.reset();
        std::filesystem::remove(path_);
    }
    void plug(const devsim::VentilatorOptions& options = {}) {
        vent = backend.plugIn(flash, options);
        link = std::make_unique<TQvHid>(backend, clock, &sink);
        clock.runPending();
        ASSERT_EQ(link->DeviceNames().size(), 1u);
        link->SelectDevice(link->DeviceNames()[0]);
        ASSERT_NE(link->currentDevice(), nullptr);
    }
    std::vector<std::uint8_t> image() const {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::vector<std::uint8_t> ring(std::uint32_t address, std::uint32_t size, int type) const {
        std::vector<std::uint8_t> out;
        for (std::uint32_t i = 0; i < size; ++i) {
            out.push_back(flash.bytes()[address]);
            if (++address == ringEnd(type)) address = ringStart(type);
        }
        return out;
    }
    int outcomes() const {
        int n = sink.count(msg::WM_DEVICE_ERROR);
        for (const auto& [m, w, l] : sink.messages)
            if (m == msg::WM_DEVICE_NOTIFY && w != 1) ++n;
        return n;
    }

    const devsim::FlashImage& flash = randomFlash();
    VirtualScheduler clock;
    devsim::SimulatedBackend backend{clock};
    std::shared_ptr<devsim::SimulatedVentilator> vent;
    RecordingSink sink;
    std::unique_ptr<TQvHid> link;
    std::string path_;
};

TEST_F(SimulatedLink, ReadsRegionBHeadersExactly) {
    plug();
    ASSERT_EQ(link->StartRead(path_, kRegionBStart, kRegionBHeaderBytes, kRegionBHeaders), 0);
    clock.advance(1);
    std::vector<std::uint8_t> want;
    for (std::uint32_t s = kRegionBStart; s < kRegionBEnd; s += kSectorSize)
        want.insert(want.end(), flash.bytes().begin() + s, flash.bytes().begin() + s + 64);
    EXPECT_EQ(image(), want);
    EXPECT_EQ(sink.count(msg::WM_DEVICE_NOTIFY, 3, 0), 1);
    EXPECT_EQ(outcomes(), 1);
}

TEST_F(SimulatedLink, ARangeAcrossTheRingsEndSurvivesLostReports) {
    devsim::VentilatorOptions options;
    options.faults.dropEvery = 37;
    plug(options);
    const std::uint32_t address = kRegionBEnd - 8192;
    ASSERT_EQ(link->StartRead(path_, address, 65536, kRegionBRange), 0);
    clock.advance(600000);
    EXPECT_EQ(sink.count(msg::WM_DEVICE_NOTIFY, 4, 0), 1);
    EXPECT_EQ(outcomes(), 1);
    EXPECT_GT(link->resendCount(), 0u);
    EXPECT_EQ(image(), ring(address, 65536, kRegionBRange));
}

TEST_F(SimulatedLink, ABusyVentilatorRefusesTheTransfer) {
    devsim::VentilatorOptions options;
    options.faults.busy = true;
    plug(options);
    EXPECT_LT(link->StartRead(path_, kRegionAStart, 4096, kRegionARange), 0);
    EXPECT_FALSE(link->imageOpen());
    clock.advance(10000);
    EXPECT_EQ(outcomes(), 0);
}

TEST_F(SimulatedLink, UnpluggingMidTransferEndsItWithOneFailure) {
    devsim::VentilatorOptions options;
    options.faults.vanishAfterReports = 100;
    plug(options);
    ASSERT_EQ(link->StartRead(path_, kRegionAStart, 1 << 20, kRegionARange), 0);
    clock.advance(20000);
    EXPECT_EQ(outcomes(), 1);
    EXPECT_FALSE(link->imageOpen());
    EXPECT_FALSE(link->busy());
    EXPECT_TRUE(link->DeviceNames().empty());
}

TEST_F(SimulatedLink, GarbledDuplicatedAndSwappedReportsEndInOneOutcome) {
    struct Case {
        int garbage, duplicate, swap;
    };
    for (const Case c : {Case{5, 0, 0}, Case{0, 7, 0}, Case{0, 0, 3}, Case{4, 9, 6}}) {
        SCOPED_TRACE(::testing::PrintToString(std::vector<int>{c.garbage, c.duplicate, c.swap}));
        sink.messages.clear();
        devsim::VentilatorOptions options;
        options.faults.garbageEvery = c.garbage;
        options.faults.duplicateEvery = c.duplicate;
        options.faults.swapEvery = c.swap;
        link.reset();
        if (vent) backend.unplug(vent);
        clock.runPending();
        plug(options);
        ASSERT_EQ(link->StartRead(path_, 0x500000, 32768, kRegionBRange), 0);
        clock.advance(60000);
        EXPECT_EQ(outcomes(), 1);
        EXPECT_FALSE(link->busy());
        EXPECT_FALSE(link->imageOpen());
        EXPECT_LE(image().size(), 32768u);
    }
}

}  // namespace
}  // namespace somnexa::device
