// TQvHid's transfers: starting one, taking its data reports into the image
// file, resending after silence, finishing or giving up.

#include <algorithm>

#include "device/qv_hid.h"
#include "records/qv_func.h"
#include "records/window_messages.h"

namespace somnexa::device {

namespace {

bool isBlank(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); });
}

}  // namespace

std::int32_t TQvHid::StartRead(const std::string& fileName, std::uint32_t address, std::uint32_t size, int type) {
    try {
        if (!isTransferKind(type)) return -1;
        imageFileName_ = isBlank(fileName) ? NewGuidName() : fileName;
        if (!image_.create(imageFileName_)) {
            image_.close();
            return -1;
        }
        regionType_ = type;
        total_ = size;
        address_ = address;
        requestAddress_ = address;
        requestReceived_ = 0;
        std::weak_ptr<int> alive = alive_;
        const std::int32_t r =
            SendFrame(requestCommand(type), static_cast<std::uint8_t>(address >> 24),
                      static_cast<std::uint8_t>(address >> 16), static_cast<std::uint8_t>(address >> 8),
                      static_cast<std::uint8_t>(address), true, true, true);
        if (alive.expired()) return -1;
        if (r < 0) {
            busy_ = false;
            image_.close();
            return r;
        }
        reading_ = true;
        return 0;
    } catch (...) {
        busy_ = false;
        image_.close();
        return -1;
    }
}

bool TQvHid::writeRequest() {
    requestAddress_ = address_;
    requestReceived_ = received_;
    return writeFrame(buildFrame(requestCommand(regionType_), address_));
}

void TQvHid::advanceAddress(std::uint32_t length) {
    const bool headers = regionType_ == kRegionAHeaders || regionType_ == kRegionBHeaders;
    const std::uint32_t before = address_;
    address_ += headers ? kSectorSize : length;
    // Past the ring's end the range goes on at the ring's start.
    const std::uint32_t end = ringEnd(regionType_);
    if (before < end && address_ >= end) address_ = ringStart(regionType_) + (address_ - end);
}

void TQvHid::OnReport(const HidDevice* device, std::span<const std::uint8_t> data) {
    if (device == nullptr || device != current_.get()) return;

    if (waiting_) {
        std::fill(std::begin(answer_), std::end(answer_), std::uint8_t{0});
        std::copy_n(data.begin(), std::min<std::size_t>(data.size(), sizeof answer_), answer_);
        if (data.size() > 2 && data[2] == awaitedCode_) {
            waiting_ = false;
            disableTimer();
            return;
        }
    }
    if (!reading_) return;

    // Never past the expected total: a transfer ends exactly at it even when a
    // report is longer than what is left.
    const std::size_t take = std::min<std::size_t>(data.size(), total_ - received_);
    if (!image_.write(data.first(take))) {
        abandonTransfer();
        postToOwner(msg::WM_DEVICE_NOTIFY, 255, 11);
        return;
    }
    received_ += static_cast<std::uint32_t>(take);
    idleTicks_ = 0;

    if (received_ >= total_) {
        completeTransfer();
        return;
    }
    advanceAddress(static_cast<std::uint32_t>(data.size()));
    if (received_ - requestReceived_ >= kRequestBytes) writeRequest();
}

void TQvHid::completeTransfer() {
    writeFrame(buildFrame(kCmdReadRange, kEndOfTransfer));
    image_.close();
    disableTimer();
    busy_ = false;
    reading_ = false;
    scheduler_.sleepMs(10);
    postToOwner(msg::WM_DEVICE_NOTIFY, completionCode(regionType_), 0);
    received_ = 0;
}

void TQvHid::abandonTransfer() {
    image_.close();
    busy_ = false;
    reading_ = false;
    disableTimer();
}

void TQvHid::RetryTick() {
    if (!busy_) return;
    ++idleTicks_;
    if (idleTicks_ >= kGiveUpTick) {
        abandonTransfer();
        postToOwner(msg::WM_DEVICE_NOTIFY, 255, 11);
        return;
    }
    if (idleTicks_ < kFirstResendTick || !isTransferKind(regionType_)) return;
    // Ask again for the request in flight; its partial bytes are overwritten.
    address_ = requestAddress_;
    received_ = requestReceived_;
    image_.seek(received_);
    writeRequest();
    ++resends_;
}

void TQvHid::OnDataError(const HidDevice* device, int code) {
    if (device == nullptr || device != current_.get()) return;
    postToOwner(msg::WM_DEVICE_ERROR, code, 0);
    // The owner turns the read error into the failure of the transfer; the
    // transfer ends here so that it is not given up a second time later.
    if (busy_) abandonTransfer();
}

}  // namespace somnexa::device
