// Drives the HID link with arbitrary report sequences: reports of any length
// and content, silence, resends, read errors, device changes, stops and new
// transfers, in any order. Whatever comes, the link must not crash, must
// post at most one outcome per transfer and must not leave an image open.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <unistd.h>
#include <vector>

#include "device/hid_protocol.h"
#include "device/qv_hid.h"
#include "device/virtual_scheduler.h"
#include "records/window_messages.h"

namespace {

using namespace somnexa::device;

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return at_ >= size_; }
    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::span<const std::uint8_t> bytes(std::size_t n) {
        n = std::min(n, size_ - std::min(at_, size_));
        std::span<const std::uint8_t> out(data_ + at_, n);
        at_ += n;
        return out;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

struct Backend;

struct Device : HidDevice {
    struct Handlers {
        ReportHandler report;
        ErrorHandler error;
    };
    HidDeviceInfo info_{"fuzz0", "Qorvel", "Nimbra-C01"};
    std::shared_ptr<Handlers> handlers = std::make_shared<Handlers>();
    Scheduler* scheduler = nullptr;
    Backend* backend = nullptr;
    bool idle = true;  // how the state query is answered
    ~Device() override;
    const HidDeviceInfo& info() const override { return info_; }
    bool write(std::span<const std::uint8_t> frame) override {
        if (frame.size() != kOutputReportSize) std::abort();
        const std::uint8_t code = frame[3];
        if (code == kCmdState || code == kCmdStop) {
            std::vector<std::uint8_t> answer(64, 0);
            answer[0] = 0xAA;
            answer[1] = 0x55;
            answer[2] = code;
            answer[3] = code == kCmdState ? (idle ? 1 : 2) : 0;
            scheduler->post([h = handlers, answer] {
                if (h->report) h->report(answer);
            });
        }
        return true;
    }
    void setReportHandler(ReportHandler h) override { handlers->report = std::move(h); }
    void setErrorHandler(ErrorHandler h) override { handlers->error = std::move(h); }
};

struct Backend : HidBackend {
    Scheduler* scheduler = nullptr;
    Device* lastOpened = nullptr;  // null once released
    ChangeHandler change;
    std::vector<HidDeviceInfo> enumerate() override { return {{"fuzz0", "Qorvel", "Nimbra-C01"}}; }
    std::unique_ptr<HidDevice> open(const HidDeviceInfo&) override {
        auto d = std::make_unique<Device>();
        d->scheduler = scheduler;
        d->backend = this;
        lastOpened = d.get();
        return d;
    }
    void setChangeHandler(ChangeHandler h) override { change = std::move(h); }
};

Device::~Device() {
    handlers->report = nullptr;
    handlers->error = nullptr;
    if (backend->lastOpened == this) backend->lastOpened = nullptr;
}

struct Counter : MessageSink {
    int outcomes = 0;
    void postMessage(int message, std::intptr_t wParam, std::intptr_t) override {
        if (message == somnexa::msg::WM_DEVICE_NOTIFY && wParam != 1) ++outcomes;
    }
};

const std::string& imagePath() {
    static const std::string path = "/tmp/somnexa_fuzz_on_report_" + std::to_string(::getpid()) + ".img";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    VirtualScheduler clock;
    Backend backend;
    backend.scheduler = &clock;
    Counter sink;
    TQvHid link(backend, clock, &sink);
    link.SelectDevice("Nimbra-C01");
    int transfers = 0;

    for (int step = 0; step < 4000 && !in.empty(); ++step) {
        const std::uint8_t op = in.byte();
        switch (op % 10) {
            case 0:
            case 1:
            case 2:
            case 3: {  // a report of any length straight to the handler
                const std::size_t n = in.byte() % 72;
                const auto bytes = in.bytes(n);
                link.OnReport(link.currentDevice(), bytes);
                break;
            }
            case 4:
                link.RetryTick();
                break;
            case 5:
                clock.advance(in.byte() * 10);
                break;
            case 6: {  // a new transfer
                if (backend.lastOpened) backend.lastOpened->idle = (in.byte() & 7) != 0;
                const int type = 4 + in.byte() % 6;  // 4 and 9 are not transfer kinds
                const std::uint32_t address = (std::uint32_t{in.byte()} << 16) | (std::uint32_t{in.byte()} << 8);
                const std::uint32_t sizeBytes = (std::uint32_t{in.byte()} << 4) | in.byte() % 16;
                if (link.StartRead(imagePath(), address, sizeBytes, type) == 0) ++transfers;
                break;
            }
            case 7:
                link.StopDevice();
                break;
            case 8:
                if (link.currentDevice()) link.OnDataError(link.currentDevice(), in.byte());
                break;
            case 9:
                if (in.byte() & 1) {
                    if (backend.change) backend.change();
                } else {
                    link.SelectDevice("Nimbra-C01");
                }
                break;
        }
        clock.runPending();
        if (sink.outcomes > transfers) std::abort();  // two outcomes for one transfer
        if (!link.busy() && link.imageOpen()) std::abort();
    }
    clock.advance(10000);  // silence ends every transfer
    if (link.busy() || link.imageOpen() || sink.outcomes > transfers) std::abort();
    return 0;
}
