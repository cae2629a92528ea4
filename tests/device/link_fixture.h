#pragma once
// A link on a virtual clock with one fake ventilator plugged in.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "device/qv_hid.h"
#include "device/virtual_scheduler.h"
#include "fake_hid.h"
#include "records/window_messages.h"

namespace somnexa::device::testing {

inline constexpr const char* kPath = "/dev/hidraw0";
inline constexpr const char* kProduct = "Nimbra-C01";

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("somnexa_link_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        backend.add(kPath, "Qorvel", kProduct);
    }
    void TearDown() override {
        link.reset();
        std::filesystem::remove_all(dir_);
    }

    // Creates the link and selects the ventilator.
    TQvHid& open() {
        link = std::make_unique<TQvHid>(backend, clock, &sink);
        clock.runPending();
        link->SelectDevice(kProduct);
        return *link;
    }
    Ventilator& vent() { return backend.ventilator(kPath); }
    DeviceLog& log() { return backend.log(kPath); }
    FakeDevice* device() { return backend.opened(kPath); }

    std::string image(const std::string& name = "image.bin") const { return (dir_ / name).string(); }
    static std::vector<std::uint8_t> readFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // Transfer outcomes posted so far: completions (2..5) and failures (255).
    int outcomes() const {
        int n = 0;
        for (const auto& [m, w, l] : sink.messages)
            if (m == msg::WM_DEVICE_NOTIFY && w != 1) ++n;
        return n + sink.count(msg::WM_DEVICE_ERROR);
    }

    VirtualScheduler clock;
    FakeBackend backend{clock};
    RecordingSink sink;
    std::unique_ptr<TQvHid> link;
    std::filesystem::path dir_;
};

}  // namespace somnexa::device::testing
