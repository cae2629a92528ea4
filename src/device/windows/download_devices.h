#pragma once
// Where the download page finds its ventilators: the real USB HID bus, or a
// simulated ventilator holding a flash image, for trying a download without
// hardware. Owns the event-loop scheduler and the backend; the page keeps
// one for its whole life.

#include <memory>
#include <string>

#include "device/hid_backend.h"
#include "device/scheduler.h"

namespace somnexa::device::windows {

struct DeviceSourceOptions {
    std::string simulatedFlash;  // empty: the USB bus
    int latencyUs = 0;           // simulated: microseconds per report, 0 instant
};

class DownloadDevices {
public:
    explicit DownloadDevices(const DeviceSourceOptions& options);
    ~DownloadDevices();
    DownloadDevices(const DownloadDevices&) = delete;
    DownloadDevices& operator=(const DownloadDevices&) = delete;

    HidBackend& backend() { return *backend_; }
    Scheduler& scheduler() { return *scheduler_; }
    bool simulated() const { return simulated_; }
    // Why the simulated ventilator could not be plugged in ("" when it was).
    const std::string& error() const { return error_; }

private:
    std::unique_ptr<Scheduler> scheduler_;
    std::unique_ptr<HidBackend> backend_;
    std::shared_ptr<void> ventilator_;  // keeps the simulated device plugged in
    bool simulated_ = false;
    std::string error_;
};

}  // namespace somnexa::device::windows
