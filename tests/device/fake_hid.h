#pragma once
// An in-test HID backend with a scriptable ventilator: it answers the command
// protocol from a synthetic flash (every byte a function of its address) and
// can be told to misbehave. Answers are posted through the scheduler, so they
// arrive like the platform's reports: later, on the user-interface thread.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "device/hid_backend.h"
#include "device/hid_protocol.h"
#include "device/message_sink.h"
#include "device/scheduler.h"

namespace somnexa::device::testing {

using Report = std::vector<std::uint8_t>;

// The synthetic flash content.
inline std::uint8_t flashByte(std::uint32_t address) {
    return static_cast<std::uint8_t>(address ^ (address >> 8) ^ (address >> 16) ^ 0x5A);
}

// Bytes a range of a ring holds, continuing at the ring's start past its end.
inline std::vector<std::uint8_t> ringBytes(std::uint32_t address, std::uint32_t size, std::uint32_t start,
                                           std::uint32_t end) {
    std::vector<std::uint8_t> out;
    for (std::uint32_t i = 0; i < size; ++i) {
        out.push_back(flashByte(address));
        if (++address == end) address = start;
    }
    return out;
}

struct Ventilator {
    std::uint8_t state = kDeviceIdle;  // top byte of the state query's answer
    bool silent = false;               // answers nothing at all
    bool silentData = false;           // answers commands but sends no data
    bool failWrites = false;
    int writesBeforeFailure = -1;      // >= 0: writes fail once this many went through
    int answerCode = -1;               // >= 0: commands are answered with this code
    // Data report number n (counted from 0 over the device's life) is dropped.
    std::function<bool(int n)> drop;
    int dataReports = 0;

    // Reports the device sends for one output frame.
    std::vector<Report> answer(std::span<const std::uint8_t> frame);
};

struct DeviceLog {
    std::vector<Frame> frames;  // every frame written, in order
    std::vector<Frame> requests() const;  // the data requests (86, and 85 other than the end frame)
};

class FakeDevice;

class FakeBackend : public HidBackend {
public:
    explicit FakeBackend(Scheduler& scheduler) : scheduler_(scheduler) {}

    // Adds a device; without a ventilator script the device answers nothing.
    void add(const std::string& path, const std::string& manufacturer, const std::string& product);
    void remove(const std::string& path);
    // Raises the device-change notice (posted).
    void notifyChange();

    Ventilator& ventilator(const std::string& path) { return ventilators_[path]; }
    DeviceLog& log(const std::string& path) { return logs_[path]; }
    std::set<std::string> unopenable;
    FakeDevice* opened(const std::string& path) const;

    std::vector<HidDeviceInfo> enumerate() override { return infos_; }
    std::unique_ptr<HidDevice> open(const HidDeviceInfo& info) override;
    void setChangeHandler(ChangeHandler handler) override { change_ = std::move(handler); }

    Scheduler& scheduler() { return scheduler_; }
    void forget(FakeDevice* device);

private:
    Scheduler& scheduler_;
    std::vector<HidDeviceInfo> infos_;
    std::map<std::string, Ventilator> ventilators_;
    std::map<std::string, DeviceLog> logs_;
    std::map<std::string, FakeDevice*> open_;
    ChangeHandler change_;
};

class FakeDevice : public HidDevice {
public:
    FakeDevice(FakeBackend& backend, HidDeviceInfo info);
    ~FakeDevice() override;

    const HidDeviceInfo& info() const override { return info_; }
    bool write(std::span<const std::uint8_t> report) override;
    void setReportHandler(ReportHandler handler) override { handlers_->report = std::move(handler); }
    void setErrorHandler(ErrorHandler handler) override { handlers_->error = std::move(handler); }

    // Delivers a report or a read error later, as the platform does.
    void postReport(Report report);
    void postError(int code);

private:
    struct Handlers {
        ReportHandler report;
        ErrorHandler error;
    };
    FakeBackend& backend_;
    HidDeviceInfo info_;
    std::shared_ptr<Handlers> handlers_ = std::make_shared<Handlers>();
};

// Records the messages the link posts to its owner.
struct RecordingSink : MessageSink {
    std::vector<std::tuple<int, std::intptr_t, std::intptr_t>> messages;
    void postMessage(int message, std::intptr_t wParam, std::intptr_t lParam) override {
        messages.emplace_back(message, wParam, lParam);
    }
    int count(int message, std::intptr_t wParam, std::intptr_t lParam) const;
    int count(int message) const;
};

inline Report answerReport(std::uint8_t code, std::uint32_t result) {
    Report r(kInputReportSize, 0);
    r[0] = 0xAA;
    r[1] = 0x55;
    r[2] = code;
    r[3] = static_cast<std::uint8_t>(result >> 24);
    r[4] = static_cast<std::uint8_t>(result >> 16);
    r[5] = static_cast<std::uint8_t>(result >> 8);
    r[6] = static_cast<std::uint8_t>(result);
    return r;
}

inline std::uint32_t frameParameter(const Frame& f) {
    return (std::uint32_t{f[4]} << 24) | (std::uint32_t{f[5]} << 16) | (std::uint32_t{f[6]} << 8) | f[7];
}

}  // namespace somnexa::device::testing
