#pragma once
// The HID backend of the running program: hidapi over hidraw for enumeration,
// opening and writing; a reader thread per open device whose input reports and
// read errors are handed to the user-interface thread through the Scheduler;
// a libudev monitor for plugging and unplugging (hidapi has none).
//
// A report read before the last write is never delivered after it: every write
// starts a new generation and reports of an older one are dropped on delivery,
// so a stale report cannot be taken for the answer to a new request.

#include <memory>

#include "device/hid_backend.h"
#include "device/scheduler.h"
#include "device/udev_monitor.h"

namespace somnexa::device {

class HidapiBackend : public HidBackend {
public:
    // The scheduler must outlive the backend and the devices it opens.
    explicit HidapiBackend(Scheduler& scheduler);
    ~HidapiBackend() override;

    std::vector<HidDeviceInfo> enumerate() override;
    std::unique_ptr<HidDevice> open(const HidDeviceInfo& info) override;
    void setChangeHandler(ChangeHandler handler) override;

    // False when device changes cannot be watched (no udev netlink socket).
    bool monitoring() const { return monitor_.running(); }

private:
    struct Shared {
        ChangeHandler change;  // touched on the user-interface thread only
    };
    Scheduler& scheduler_;
    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
    UdevMonitor monitor_;
};

}  // namespace somnexa::device
