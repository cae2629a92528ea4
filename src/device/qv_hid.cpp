#include "device/qv_hid.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "records/window_messages.h"

namespace somnexa::device {

namespace {

bool sameUpperCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

constexpr const char* kManufacturer = "Qorvel";

}  // namespace

TQvHid::TQvHid(HidBackend& backend, Scheduler& scheduler, MessageSink* owner)
    : backend_(backend), scheduler_(scheduler), owner_(owner) {
    std::weak_ptr<int> alive = alive_;
    backend_.setChangeHandler([this, alive] {
        if (!alive.expired()) RefreshDevices();
    });
    // The platform announces the devices present once, when the handler is installed.
    RefreshDevices();
}

TQvHid::~TQvHid() {
    // The change handler stays installed: a link that replaces this one may
    // have installed its own already, and ours turns inert with alive_.
    disableTimer();
    releaseCurrent();
    image_.close();
}

void TQvHid::postToOwner(int message, std::intptr_t wParam, std::intptr_t lParam) {
    if (!owner_) return;
    MessageSink* sink = owner_;
    scheduler_.post([sink, message, wParam, lParam] { sink->postMessage(message, wParam, lParam); });
}

void TQvHid::releaseCurrent() {
    if (current_) {
        current_->setReportHandler({});
        current_->setErrorHandler({});
    }
    current_.reset();
    currentPath_.clear();
    ++currentSerial_;
}

void TQvHid::RefreshDevices() {
    // A transfer cannot outlive its device: the list is rebuilt with no device
    // current, so a transfer in progress ends now, with one failure message,
    // rather than resending into the void until it gives up.
    const bool transferring = busy_ && reading_;
    releaseCurrent();
    devices_.clear();
    deviceNames_.clear();
    try {
        for (auto& info : backend_.enumerate()) {
            if (!sameUpperCase(info.manufacturer, kManufacturer)) continue;
            deviceNames_.push_back(info.product);
            devices_.push_back(std::move(info));
        }
    } catch (...) {
        // A failing platform leaves the list as far as it got.
    }
    if (transferring) {
        abandonTransfer();
        postToOwner(msg::WM_DEVICE_NOTIFY, 255, 11);
    }
    postToOwner(msg::WM_DEVICE_NOTIFY, 1, 0);
}

void TQvHid::installHandlers() {
    std::weak_ptr<int> alive = alive_;
    const std::uint64_t serial = currentSerial_;
    // Deliveries are matched by serial, not by pointer: a report queued by a
    // device released since must not pass for one of a device opened later.
    current_->setReportHandler([this, alive, serial](std::span<const std::uint8_t> report) {
        if (!alive.expired()) OnReport(serial == currentSerial_ ? current_.get() : nullptr, report);
    });
    current_->setErrorHandler([this, alive, serial](int code) {
        if (!alive.expired()) OnDataError(serial == currentSerial_ ? current_.get() : nullptr, code);
    });
}

void TQvHid::SelectDevice(const std::string& productName) {
    try {
        for (const auto& info : devices_) {
            if (info.product != productName) continue;
            if (current_ && currentPath_ == info.path) {
                installHandlers();
                return;
            }
            auto device = backend_.open(info);
            if (!device) return;
            releaseCurrent();
            current_ = std::move(device);
            currentPath_ = info.path;
            installHandlers();
            return;
        }
    } catch (...) {
        // Selection errors leave the link as it was.
    }
}

bool TQvHid::writeFrame(const Frame& frame) {
    if (!current_) return false;
    try {
        return current_->write(frame);
    } catch (...) {
        return false;
    }
}

void TQvHid::enableTimer() {
    if (timerId_ != 0) return;
    std::weak_ptr<int> alive = alive_;
    timerId_ = scheduler_.startTimer(kRetryIntervalMs, [this, alive] {
        if (!alive.expired()) RetryTick();
    });
}

void TQvHid::disableTimer() {
    if (timerId_ == 0) return;
    scheduler_.stopTimer(timerId_);
    timerId_ = 0;
}

std::int64_t TQvHid::SendCommand(std::uint8_t code, std::uint32_t parameter) {
    std::fill(std::begin(answer_), std::end(answer_), std::uint8_t{0});
    disableTimer();
    reading_ = false;

    waiting_ = true;
    awaitedCode_ = code;
    if (!writeFrame(buildFrame(code, parameter))) {
        waiting_ = false;
        return -2;
    }
    // Events run while waiting: they may deliver the answer, and they may even
    // destroy this link (the owner replacing it), which ends the wait.
    std::weak_ptr<int> alive = alive_;
    const std::int64_t start = scheduler_.nowMs();
    for (;;) {
        scheduler_.processEvents();
        if (alive.expired()) return -1;
        if (!waiting_) break;
        if (scheduler_.nowMs() - start > kAnswerTimeoutMs) {
            waiting_ = false;  // a late answer must not end a later wait
            return -4;
        }
        scheduler_.sleepMs(kAnswerPollMs);
    }

    const std::uint8_t* a = answer_;
    if (a[0] == 0xAA && a[1] == 0x55 && a[2] == (code & 0x7F))
        return (std::int64_t{a[3]} << 24) | (std::int64_t{a[4]} << 16) | (std::int64_t{a[5]} << 8) | a[6];
    return std::int64_t{a[0]} + a[1] + a[2] + code;
}

void TQvHid::StopDevice() {
    SendCommand(kCmdStop, 0);
    // The stop also ends a transfer in progress; its image file is closed.
    busy_ = false;
    reading_ = false;
    image_.close();
}

std::int32_t TQvHid::SendFrame(std::uint8_t code, std::uint8_t b4, std::uint8_t b5, std::uint8_t b6, std::uint8_t b7,
                               bool queryState, bool preStop, bool arm) {
    std::weak_ptr<int> alive = alive_;
    if (preStop) {
        SendCommand(kCmdStop, 0);
        if (alive.expired()) return -1;
    }
    if (queryState) {
        const std::int64_t r = SendCommand(kCmdState, 0);
        if (alive.expired()) return -1;
        if (r < 0) return static_cast<std::int32_t>(r);
        if (((r >> 24) & 0xFF) != kDeviceIdle) return -1;
    }
    if (!writeFrame(buildFrame(code, b4, b5, b6, b7))) return -2;
    if (arm) {
        received_ = 0;
        busy_ = true;
        idleTicks_ = 0;
        waiting_ = false;
        enableTimer();
    }
    return 0;
}

}  // namespace somnexa::device
