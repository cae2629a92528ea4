#pragma once
// What the device link needs of a HID library: enumeration with manufacturer and
// product strings, opening, 65-byte output reports, and input reports, read
// errors and device changes delivered on the user-interface thread (through the
// link's Scheduler). The real backend sits on hidapi and libudev; the simulated
// ventilator is a second backend.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace somnexa::device {

inline constexpr std::size_t kOutputReportSize = 65;  // report id 0 + 64 bytes
inline constexpr std::size_t kInputReportSize = 64;   // report id removed

struct HidDeviceInfo {
    std::string path;          // identifies the device to open()
    std::string manufacturer;  // UTF-8
    std::string product;       // UTF-8
};

// One open device. Input reports and read errors of this device are delivered,
// on the user-interface thread, to the handlers set here.
class HidDevice {
public:
    using ReportHandler = std::function<void(std::span<const std::uint8_t> report)>;
    using ErrorHandler = std::function<void(int platformCode)>;

    virtual ~HidDevice() = default;
    virtual const HidDeviceInfo& info() const = 0;
    // Writes one output report of exactly kOutputReportSize bytes; false on failure.
    virtual bool write(std::span<const std::uint8_t> report) = 0;
    // An empty handler stops delivery.
    virtual void setReportHandler(ReportHandler handler) = 0;
    virtual void setErrorHandler(ErrorHandler handler) = 0;
};

class HidBackend {
public:
    using ChangeHandler = std::function<void()>;

    virtual ~HidBackend() = default;
    // Devices present now, in a stable order.
    virtual std::vector<HidDeviceInfo> enumerate() = 0;
    // nullptr when the device cannot be opened.
    virtual std::unique_ptr<HidDevice> open(const HidDeviceInfo& info) = 0;
    // Called on the user-interface thread when a device is plugged or unplugged.
    virtual void setChangeHandler(ChangeHandler handler) = 0;
};

}  // namespace somnexa::device
