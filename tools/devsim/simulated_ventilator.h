#pragma once
// One simulated ventilator: its flash, its protocol and the faults it has been
// told to make. Thread-safe: the link writes to it on the user-interface thread
// while a test may change its faults from anywhere.

#include <cstdint>
#include <mutex>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "devsim/fault_options.h"
#include "devsim/flash_image.h"
#include "devsim/ventilator_protocol.h"

namespace somnexa::devsim {

struct VentilatorStats {
    std::uint64_t frames = 0;        // valid output frames received
    std::uint64_t badFrames = 0;     // frames ignored for their length, header or checksum
    std::uint64_t failedWrites = 0;  // writes refused (fault or unplugged)
    std::uint64_t reports = 0;       // reports produced, before faults
    std::uint64_t reportsLost = 0;   // reports dropped, swallowed by silence or by vanishing
    std::uint64_t extraReports = 0;  // garbage, duplicate and wrong-code reports added
};

// What one output frame makes the device do.
struct Reply {
    bool accepted = false;        // false: the write fails
    std::vector<Report> reports;  // to be delivered in order
    bool vanish = false;          // the device disappears after these reports
};

class SimulatedVentilator {
public:
    SimulatedVentilator(FlashImage flash, std::string manufacturer, std::string product, FaultOptions faults = {});
    SimulatedVentilator(const SimulatedVentilator&) = delete;
    SimulatedVentilator& operator=(const SimulatedVentilator&) = delete;

    const std::string& manufacturer() const { return manufacturer_; }
    const std::string& product() const { return product_; }
    // Identifies the device among the backend's devices ("sim:<n>").
    const std::string& path() const { return path_; }
    void setPath(std::string path) { path_ = std::move(path); }

    // Handles one written output report at the link's time nowMs.
    Reply receive(std::span<const std::uint8_t> frame, std::int64_t nowMs);

    void setFaults(const FaultOptions& faults);
    FaultOptions faults() const;
    VentilatorStats stats() const;
    // Every valid command received, in order.
    std::vector<Command> commands() const;
    // The raw frames written (valid or not), kept only while recording is on.
    void setRecordFrames(bool on);
    std::vector<std::vector<std::uint8_t>> frames() const;

    bool plugged() const;
    void setPlugged(bool plugged);

    // Runs f on the flash under the device's lock (tests that change the flash).
    template <typename F>
    void withFlash(F&& f) {
        std::lock_guard lock(mutex_);
        f(flash_);
    }

private:
    void addReports(std::vector<Report>& out, std::vector<Report> produced, const Command& command, std::int64_t nowMs,
                    bool& vanish);
    Report garbage();

    mutable std::mutex mutex_;
    FlashImage flash_;
    VentilatorProtocol protocol_{flash_};
    std::string manufacturer_;
    std::string product_;
    std::string path_;
    FaultOptions faults_;
    VentilatorStats stats_;
    std::vector<Command> commands_;
    bool recordFrames_ = false;
    std::vector<std::vector<std::uint8_t>> frames_;
    bool plugged_ = true;
    std::uint64_t faultReports_ = 0;   // reports since the faults were set
    std::uint64_t readRequests_ = 0;   // read requests since the faults were set
    std::int64_t silentUntilMs_ = -1;  // while silent: end of the silence (INT64_MAX for good)
    bool silenceUsed_ = false;
    std::mt19937 random_;
};

}  // namespace somnexa::devsim
