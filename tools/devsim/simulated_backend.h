#pragma once
// Simulated ventilators behind the HID backend interface: the link cannot tell
// them from real devices.
//
// How to use it:
//
//   somnexa::devsim::SimulatedBackend backend(scheduler);     // the link's Scheduler
//   somnexa::devsim::VentilatorOptions options;
//   options.reportLatencyUs = 1000;        // one report per ms; 0 (default) = instant
//   options.faults.dropEvery = 50;         // see fault_options.h for every fault
//   std::string error;
//   auto vent = backend.plugInFile("flash.bin", options, &error);   // nullptr + error on a bad file
//   // or: backend.plugIn(FlashImage{...}, options);
//   TQvHid link(..., backend, scheduler);  // enumerate() lists it: "Qorvel" / "Nimbra-C0110"
//   FaultOptions f;  f.busy = true;
//   vent->setFaults(f);                    // faults can change at any time
//   vent->setRecordFrames(true);           // keep every frame written, see frames()
//   backend.unplug(vent);                  // read error to the open device + change notice
//
// Product string: options.product, else the one stored in the flash by the
// generator, else "Nimbra-C01". Manufacturer: options.manufacturer ("Qorvel");
// plug in another manufacturer to test the link's filtering.
//
// Delivery: input reports, read errors and change notices all reach the
// handlers on the user-interface thread through Scheduler::post. With latency 0
// they are posted at once from write() (deterministic under a virtual clock);
// with a latency they are posted from a background thread, one slot per
// transaction (output frame and each report), like a full-speed interrupt
// endpoint; under a device::VirtualScheduler the virtual clock holds still
// while such reports are on their way. Read errors carry kDeviceGoneError.
//
// Lifetime: the Scheduler must outlive the backend and every device opened from
// it; devices may outlive the backend.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/hid_backend.h"
#include "device/scheduler.h"
#include "devsim/fault_options.h"
#include "devsim/flash_image.h"
#include "devsim/simulated_ventilator.h"

namespace somnexa::devsim {

// Platform error code of a read on a device that has gone (ENODEV).
inline constexpr int kDeviceGoneError = 19;

struct VentilatorOptions {
    std::string manufacturer = "Qorvel";
    std::string product;      // empty: from the flash, else "Nimbra-C01"
    int reportLatencyUs = 0;  // 0: instant; 1000: one report per millisecond
    FaultOptions faults;
};

class SimulatedBackend : public device::HidBackend {
public:
    explicit SimulatedBackend(device::Scheduler& scheduler);
    ~SimulatedBackend() override;

    // Plugs in a ventilator; a change notice follows.
    std::shared_ptr<SimulatedVentilator> plugIn(FlashImage flash, const VentilatorOptions& options = {});
    // The same from a flash file; nullptr (and a message in error) when it cannot be read.
    std::shared_ptr<SimulatedVentilator> plugInFile(const std::string& path, const VentilatorOptions& options = {},
                                                    std::string* error = nullptr);
    // Pulls the ventilator out: its open devices get a read error, then a change notice.
    void unplug(const std::shared_ptr<SimulatedVentilator>& ventilator);

    std::vector<device::HidDeviceInfo> enumerate() override;
    std::unique_ptr<device::HidDevice> open(const device::HidDeviceInfo& info) override;
    void setChangeHandler(ChangeHandler handler) override;

    struct Shared;  // state shared with the devices opened from this backend

private:
    std::shared_ptr<Shared> shared_;
};

}  // namespace somnexa::devsim
