#include "fake_hid.h"

#include <algorithm>

namespace somnexa::device::testing {

std::vector<Report> Ventilator::answer(std::span<const std::uint8_t> frame) {
    std::vector<Report> out;
    if (silent || frame.size() != kOutputReportSize || frame[1] != 0xAA || frame[2] != 0x55) return out;
    const std::uint8_t code = frame[3];
    const std::uint32_t p = (std::uint32_t{frame[4]} << 24) | (std::uint32_t{frame[5]} << 16) |
                            (std::uint32_t{frame[6]} << 8) | frame[7];
    const auto answerWith = [&](std::uint32_t result) {
        out.push_back(answerReport(answerCode >= 0 ? static_cast<std::uint8_t>(answerCode) : code, result));
    };
    const auto data = [&](std::vector<std::uint8_t> bytes) {
        if (silentData) return;
        for (std::size_t at = 0; at + kInputReportSize <= bytes.size(); at += kInputReportSize) {
            const int n = dataReports++;
            if (drop && drop(n)) continue;
            out.emplace_back(bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at + kInputReportSize));
        }
    };
    if (code == kCmdState) {
        answerWith(std::uint32_t{state} << 24);
    } else if (code == kCmdStop) {
        answerWith(0);
    } else if (code == kCmdReadHeaders) {
        auto first = ringBytes(p, 64, 0, 0xFFFFFFFF);
        auto second = ringBytes(p + kSectorSize, 64, 0, 0xFFFFFFFF);
        first.insert(first.end(), second.begin(), second.end());
        data(first);
    } else if (code == kCmdReadRange && p != kEndOfTransfer) {
        const bool inA = p < kRegionAEnd;
        data(ringBytes(p, kRequestBytes, inA ? kRegionAStart : kRegionBStart, inA ? kRegionAEnd : kRegionBEnd));
    }
    return out;
}

std::vector<Frame> DeviceLog::requests() const {
    std::vector<Frame> out;
    for (const auto& f : frames)
        if (f[3] == kCmdReadHeaders || (f[3] == kCmdReadRange && frameParameter(f) != kEndOfTransfer))
            out.push_back(f);
    return out;
}

void FakeBackend::add(const std::string& path, const std::string& manufacturer, const std::string& product) {
    infos_.push_back({path, manufacturer, product});
    ventilators_[path];
}

void FakeBackend::remove(const std::string& path) {
    std::erase_if(infos_, [&](const HidDeviceInfo& i) { return i.path == path; });
}

void FakeBackend::notifyChange() {
    scheduler_.post([this] {
        if (change_) change_();
    });
}

FakeDevice* FakeBackend::opened(const std::string& path) const {
    const auto it = open_.find(path);
    return it == open_.end() ? nullptr : it->second;
}

std::unique_ptr<HidDevice> FakeBackend::open(const HidDeviceInfo& info) {
    if (unopenable.count(info.path)) return nullptr;
    auto device = std::make_unique<FakeDevice>(*this, info);
    open_[info.path] = device.get();
    return device;
}

void FakeBackend::forget(FakeDevice* device) {
    for (auto it = open_.begin(); it != open_.end();)
        it = it->second == device ? open_.erase(it) : std::next(it);
}

FakeDevice::FakeDevice(FakeBackend& backend, HidDeviceInfo info) : backend_(backend), info_(std::move(info)) {}

FakeDevice::~FakeDevice() {
    // Reports still queued for a released device are not delivered.
    handlers_->report = nullptr;
    handlers_->error = nullptr;
    backend_.forget(this);
}

bool FakeDevice::write(std::span<const std::uint8_t> report) {
    auto& vent = backend_.ventilator(info_.path);
    auto& frames = backend_.log(info_.path).frames;
    if (vent.failWrites || report.size() != kOutputReportSize) return false;
    if (vent.writesBeforeFailure >= 0 && frames.size() >= static_cast<std::size_t>(vent.writesBeforeFailure))
        return false;
    Frame f{};
    std::copy(report.begin(), report.end(), f.begin());
    frames.push_back(f);
    for (auto& r : vent.answer(report)) postReport(std::move(r));
    return true;
}

void FakeDevice::postReport(Report report) {
    backend_.scheduler().post([h = handlers_, report = std::move(report)] {
        if (h->report) h->report(report);
    });
}

void FakeDevice::postError(int code) {
    backend_.scheduler().post([h = handlers_, code] {
        if (h->error) h->error(code);
    });
}

int RecordingSink::count(int message, std::intptr_t wParam, std::intptr_t lParam) const {
    return static_cast<int>(std::count(messages.begin(), messages.end(), std::make_tuple(message, wParam, lParam)));
}

int RecordingSink::count(int message) const {
    return static_cast<int>(
        std::count_if(messages.begin(), messages.end(), [&](const auto& m) { return std::get<0>(m) == message; }));
}

}  // namespace somnexa::device::testing
