#pragma once
// TQvHid: the link to the ventilator. It lists the Qorvel devices among the HID
// devices, lets its owner choose one, and copies ranges of the device's flash
// into image files by a request/answer protocol in 64-byte reports. It tells
// its owner what happened by posting WM_DEVICE_NOTIFY / WM_DEVICE_ERROR.
//
// Everything runs on the user-interface thread. Time, the 200 ms resend timer
// and the waits come from the Scheduler; devices from the HidBackend.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "device/hid_backend.h"
#include "device/hid_protocol.h"
#include "device/image_file.h"
#include "device/message_sink.h"
#include "device/scheduler.h"

namespace somnexa::device {

class TQvHid {
public:
    static constexpr int kRetryIntervalMs = 200;
    static constexpr int kAnswerTimeoutMs = 2000;
    static constexpr int kAnswerPollMs = 10;
    static constexpr int kFirstResendTick = 2;
    static constexpr int kLastResendTick = 14;
    static constexpr int kGiveUpTick = 15;

    // Installs the device-change handler and builds the device list at once
    // (posting WM_DEVICE_NOTIFY 1). owner may be null (messages are dropped).
    // backend, scheduler and owner must outlive the link.
    TQvHid(HidBackend& backend, Scheduler& scheduler, MessageSink* owner);
    ~TQvHid();
    TQvHid(const TQvHid&) = delete;
    TQvHid& operator=(const TQvHid&) = delete;

    // Product strings of the listed devices, in the order found.
    const std::vector<std::string>& DeviceNames() const { return deviceNames_; }
    // Rebuilds the device list; no device is current afterwards.
    void RefreshDevices();
    // Makes the first listed device with exactly this product string current.
    // No match (or a device that cannot be opened) changes nothing.
    void SelectDevice(const std::string& productName);

    // Sends a command and waits up to 2000 ms for its answer, letting events
    // run. The answer's 32-bit result, -2 when the write failed, -4 on timeout.
    std::int64_t SendCommand(std::uint8_t code, std::uint32_t parameter);
    // Stops the device and ends a transfer in progress (no message).
    void StopDevice();
    // Optionally stops the device and checks it is idle, then writes a frame and
    // optionally arms a transfer. 0, or negative when nothing was started.
    std::int32_t SendFrame(std::uint8_t code, std::uint8_t b4, std::uint8_t b5, std::uint8_t b6, std::uint8_t b7,
                           bool queryState, bool preStop, bool arm);
    // Starts copying size bytes from address (transfer kind type 5..8) into the
    // file fileName, or a fresh GUID-named file in the working directory when
    // fileName is blank. 0 = started; negative = not started, file closed.
    std::int32_t StartRead(const std::string& fileName, std::uint32_t address, std::uint32_t size, int type);

    std::uint32_t Received() const { return received_; }
    const std::string& ImageFileName() const { return imageFileName_; }
    int RegionType() const { return regionType_; }
    void SetRegionType(int type) { regionType_ = type; }

    // Handlers of the platform events; public so that tests can drive them.
    void OnReport(const HidDevice* device, std::span<const std::uint8_t> data);
    void RetryTick();
    void OnDataError(const HidDevice* device, int code);

    // Observers for tests, tools and progress displays.
    const HidDevice* currentDevice() const { return current_.get(); }
    bool busy() const { return busy_; }
    bool reading() const { return reading_; }
    bool timerEnabled() const { return timerId_ != 0; }
    bool imageOpen() const { return image_.isOpen(); }
    int idleTicks() const { return idleTicks_; }
    std::uint32_t currentAddress() const { return address_; }
    // Requests written again after silence, since construction.
    std::uint32_t resendCount() const { return resends_; }

private:
    void postToOwner(int message, std::intptr_t wParam, std::intptr_t lParam);
    bool writeFrame(const Frame& frame);
    bool writeRequest();  // the current kind's command at the current address
    void enableTimer();
    void disableTimer();
    void advanceAddress(std::uint32_t length);
    void completeTransfer();
    // Ends a transfer that cannot go on: file closed, flags and timer cleared.
    void abandonTransfer();
    void releaseCurrent();
    void installHandlers();

    HidBackend& backend_;
    Scheduler& scheduler_;
    MessageSink* owner_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);  // guards handlers queued past our life

    std::vector<HidDeviceInfo> devices_;
    std::vector<std::string> deviceNames_;
    std::unique_ptr<HidDevice> current_;
    std::string currentPath_;
    std::uint64_t currentSerial_ = 0;  // tells the current device's deliveries from stale ones

    int regionType_ = 0;
    ImageFile image_;
    std::string imageFileName_;
    std::uint32_t address_ = 0;
    std::uint32_t total_ = 0;
    std::uint32_t received_ = 0;
    std::uint32_t requestAddress_ = 0;   // where the request in flight began
    std::uint32_t requestReceived_ = 0;  // Received when it was written
    bool busy_ = false;
    bool reading_ = false;
    int idleTicks_ = 0;
    std::uint32_t resends_ = 0;

    bool waiting_ = false;
    std::uint8_t awaitedCode_ = 0;
    std::uint8_t answer_[8] = {};

    Scheduler::TimerId timerId_ = 0;
};

}  // namespace somnexa::device
