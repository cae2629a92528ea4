#include "devsim/simulated_backend.h"

#include <gtest/gtest.h>

#include "device/virtual_scheduler.h"
#include "devsim/report_pump.h"
#include "devsim_test_support.h"

namespace somnexa::devsim {
namespace {

using device::HidDeviceInfo;
using device::VirtualScheduler;

VentilatorOptions options(void (*set)(VentilatorOptions&)) {
    VentilatorOptions o;
    set(o);
    return o;
}

FlashImage flashWithProduct(const std::string& product) {
    FlashImage f = testing::patternedFlash();
    if (!product.empty()) f.setProduct(product);
    return f;
}

class SimulatedBackendTest : public ::testing::Test {
protected:
    std::unique_ptr<device::HidDevice> openFirst() {
        const auto list = backend_.enumerate();
        return list.empty() ? nullptr : backend_.open(list.front());
    }
    void listen(device::HidDevice& d) {
        d.setReportHandler([this](std::span<const std::uint8_t> r) {
            ASSERT_EQ(r.size(), 64u);
            Report copy;
            std::copy(r.begin(), r.end(), copy.begin());
            reports_.push_back(copy);
        });
        d.setErrorHandler([this](int code) { errors_.push_back(code); });
    }

    VirtualScheduler scheduler_;
    SimulatedBackend backend_{scheduler_};
    std::vector<Report> reports_;
    std::vector<int> errors_;
    int changes_ = 0;
};

TEST_F(SimulatedBackendTest, ListsManufacturerAndProduct) {
    struct Case {
        std::string stored;
        VentilatorOptions options;
        std::string manufacturer;
        std::string product;
    };
    const Case cases[] = {
        {"Nimbra-C0110", {}, "Qorvel", "Nimbra-C0110"},
        {"", {}, "Qorvel", "Nimbra-C01"},
        {"Nimbra-C0110", options([](VentilatorOptions& o) { o.product = "Nimbra-C01"; }), "Qorvel", "Nimbra-C01"},
        {"", options([](VentilatorOptions& o) { o.manufacturer = "Acme Mice"; }), "Acme Mice", "Nimbra-C01"},
    };
    for (const Case& c : cases) backend_.plugIn(flashWithProduct(c.stored), c.options);
    const auto list = backend_.enumerate();
    ASSERT_EQ(list.size(), std::size(cases));
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].manufacturer, cases[i].manufacturer) << i;
        EXPECT_EQ(list[i].product, cases[i].product) << i;
        EXPECT_EQ(list[i].path, "sim:" + std::to_string(i));
    }
    EXPECT_EQ(backend_.open({"sim:9", "Qorvel", "Nimbra-C01"}), nullptr);
}

TEST_F(SimulatedBackendTest, ReportsArriveOnlyThroughTheScheduler) {
    backend_.plugIn(testing::patternedFlash());
    auto device = openFirst();
    ASSERT_NE(device, nullptr);
    listen(*device);
    const auto frame = buildFrame(kCmdReadRange, 0x9000);
    ASSERT_TRUE(device->write(frame));
    EXPECT_TRUE(reports_.empty()) << "nothing is delivered inside write()";
    scheduler_.runPending();
    ASSERT_EQ(reports_.size(), 2u);
    Report expected;
    testing::patternedFlash().read(0x9040, expected);
    EXPECT_EQ(reports_[1], expected);
    EXPECT_FALSE(device->write(std::span(frame).first(64))) << "an output report is 65 bytes";
}

TEST_F(SimulatedBackendTest, ChangeNoticesOnPlugAndUnplug) {
    backend_.setChangeHandler([this] { ++changes_; });
    auto vent = backend_.plugIn(testing::patternedFlash());
    scheduler_.runPending();
    EXPECT_EQ(changes_, 1);
    auto device = openFirst();
    listen(*device);
    backend_.unplug(vent);
    EXPECT_TRUE(backend_.enumerate().empty());
    scheduler_.runPending();
    EXPECT_EQ(changes_, 2);
    EXPECT_EQ(errors_, std::vector<int>{kDeviceGoneError});
    EXPECT_FALSE(device->write(buildFrame(kCmdState, 0)));
}

TEST_F(SimulatedBackendTest, VanishingMidTransferGivesAReadErrorAndAChangeNotice) {
    backend_.setChangeHandler([this] { ++changes_; });
    backend_.plugIn(testing::patternedFlash(), options([](VentilatorOptions& o) { o.faults.vanishAfterReports = 3; }));
    scheduler_.runPending();
    changes_ = 0;
    auto device = openFirst();
    listen(*device);
    ASSERT_TRUE(device->write(buildFrame(kCmdReadRange, 0x9000)));
    ASSERT_TRUE(device->write(buildFrame(kCmdReadRange, 0x9080)));
    scheduler_.runPending();
    EXPECT_EQ(reports_.size(), 3u);
    EXPECT_EQ(errors_, std::vector<int>{kDeviceGoneError});
    EXPECT_EQ(changes_, 1);
    EXPECT_TRUE(backend_.enumerate().empty());
    EXPECT_FALSE(device->write(buildFrame(kCmdState, 0)));
}

TEST_F(SimulatedBackendTest, NothingIsDeliveredToAClosedDevice) {
    backend_.plugIn(testing::patternedFlash());
    auto device = openFirst();
    listen(*device);
    ASSERT_TRUE(device->write(buildFrame(kCmdReadRange, 0x9000)));
    device.reset();
    scheduler_.runPending();
    EXPECT_TRUE(reports_.empty());
}

TEST_F(SimulatedBackendTest, PacedReportsComeInOrderFromTheBackgroundThread) {
    backend_.plugIn(testing::patternedFlash(), options([](VentilatorOptions& o) { o.reportLatencyUs = 50; }));
    auto device = openFirst();
    listen(*device);
    for (std::uint32_t a = 0x9000; a < 0x9000 + 4 * 128; a += 128) ASSERT_TRUE(device->write(buildFrame(kCmdReadRange, a)));
    // The virtual clock holds still while the reports are on their way.
    const std::int64_t start = scheduler_.nowMs();
    while (reports_.size() < 8 && scheduler_.nowMs() - start < 5000) scheduler_.processEvents();
    ASSERT_EQ(reports_.size(), 8u);
    const FlashImage flash = testing::patternedFlash();
    for (std::uint32_t i = 0; i < 8; ++i) {
        Report expected;
        flash.read(0x9000 + 64 * i, expected);
        EXPECT_EQ(reports_[i], expected) << i;
    }
    EXPECT_LT(scheduler_.nowMs() - start, 100);
}

TEST(ReportPump, RunsCallsInOrderAndFinishesBatchesWhenStopped) {
    std::vector<int> order;
    int done = 0;
    {
        ReportPump pump(std::chrono::microseconds(10));
        std::mutex m;
        std::condition_variable cv;
        pump.push({[&] { std::lock_guard l(m); order.push_back(1); }, [&] { std::lock_guard l(m); order.push_back(2); }},
                  [&] {
                      std::lock_guard l(m);
                      ++done;
                      cv.notify_all();
                  });
        std::unique_lock l(m);
        cv.wait(l, [&] { return done == 1; });
        EXPECT_EQ(order, (std::vector<int>{1, 2}));
        l.unlock();
        // Queued far behind a long slot: stopping the pump still finishes it.
        ReportPump slow(std::chrono::seconds(60));
        slow.push({[&] { order.push_back(3); }}, [&] { ++done; });
        slow.push({[&] { order.push_back(4); }}, [&] { ++done; });
    }
    EXPECT_EQ(done, 3);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST_F(SimulatedBackendTest, PlugInFileReportsABadFile) {
    testing::TempDir dir;
    std::string error;
    EXPECT_EQ(backend_.plugInFile(dir.file("missing.bin"), {}, &error), nullptr);
    EXPECT_NE(error.find("missing.bin"), std::string::npos);
    testing::writeFile(dir.file("short.bin"), std::vector<std::uint8_t>(1000, 0xFF));
    EXPECT_EQ(backend_.plugInFile(dir.file("short.bin"), {}, &error), nullptr);
    EXPECT_NE(error.find("16777216"), std::string::npos);
    const FlashImage flash = flashWithProduct("Nimbra-C0110");
    ASSERT_TRUE(flash.save(dir.file("good.bin")));
    ASSERT_NE(backend_.plugInFile(dir.file("good.bin"), {}, &error), nullptr);
    EXPECT_EQ(backend_.enumerate().at(0).product, "Nimbra-C0110");
}

}  // namespace
}  // namespace somnexa::devsim
