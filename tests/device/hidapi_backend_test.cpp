// The real backend, as far as it runs on a machine without HID devices.

#include "device/hidapi_backend.h"

#include <gtest/gtest.h>

#include "device/udev_monitor.h"
#include "device/virtual_scheduler.h"

namespace somnexa::device {
namespace {

TEST(HidapiBackend, EnumeratesWithoutFailingAndRefusesUnknownPaths) {
    VirtualScheduler clock;
    HidapiBackend backend(clock);
    for (const auto& info : backend.enumerate()) EXPECT_FALSE(info.path.empty());
    EXPECT_EQ(backend.open({"/dev/no-such-hidraw", "Qorvel", "Nimbra-C01"}), nullptr);
    int changes = 0;
    backend.setChangeHandler([&] { ++changes; });
    clock.runPending();
    EXPECT_EQ(changes, 0);  // nothing was plugged
}

TEST(UdevMonitor, StartsAndStopsCleanly) {
    UdevMonitor monitor;
    if (!monitor.start([](const std::string&, const std::string&) {}))
        GTEST_SKIP() << "no udev netlink socket here";
    EXPECT_TRUE(monitor.running());
    EXPECT_FALSE(monitor.start([](const std::string&, const std::string&) {}));  // once at a time
    monitor.stop();
    EXPECT_FALSE(monitor.running());
    monitor.stop();  // a second stop is harmless
    ASSERT_TRUE(monitor.start([](const std::string&, const std::string&) {}));  // and it starts again
    EXPECT_TRUE(monitor.running());
}  // the destructor stops it

TEST(UdevMonitor, ABackendStopsItsMonitorWhenDestroyed) {
    VirtualScheduler clock;
    for (int i = 0; i < 3; ++i) {
        HidapiBackend backend(clock);
        (void)backend.monitoring();
    }
    SUCCEED();
}

}  // namespace
}  // namespace somnexa::device
