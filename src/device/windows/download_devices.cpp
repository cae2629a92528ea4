#include "device/windows/download_devices.h"

#include "device/hidapi_backend.h"
#include "device/qt_scheduler.h"
#include "devsim/simulated_backend.h"

namespace somnexa::device::windows {

DownloadDevices::DownloadDevices(const DeviceSourceOptions& options)
    : scheduler_(std::make_unique<QtScheduler>()), simulated_(!options.simulatedFlash.empty()) {
    if (!simulated_) {
        backend_ = std::make_unique<HidapiBackend>(*scheduler_);
        return;
    }
    auto simulated = std::make_unique<devsim::SimulatedBackend>(*scheduler_);
    devsim::VentilatorOptions ventilator;
    ventilator.reportLatencyUs = options.latencyUs > 0 ? options.latencyUs : 0;
    ventilator_ = simulated->plugInFile(options.simulatedFlash, ventilator, &error_);
    if (!ventilator_ && error_.empty()) error_ = "cannot read " + options.simulatedFlash;
    backend_ = std::move(simulated);
}

DownloadDevices::~DownloadDevices() {
    // Devices opened from the backend go with the page's link first; the
    // scheduler outlives them all.
    ventilator_.reset();
    backend_.reset();
    scheduler_.reset();
}

}  // namespace somnexa::device::windows
