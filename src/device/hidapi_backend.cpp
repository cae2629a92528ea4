#include "device/hidapi_backend.h"

#include <hidapi/hidapi.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cwchar>
#include <thread>
#include <vector>

namespace somnexa::device {

namespace {

// hidapi's wide strings are UTF-32 here; the link wants UTF-8.
std::string toUtf8(const wchar_t* text) {
    std::string out;
    if (!text) return out;
    for (; *text; ++text) {
        auto c = static_cast<std::uint32_t>(*text);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

constexpr int kReadTimeoutMs = 100;  // how soon the reader notices it must stop

class HidapiDevice : public HidDevice {
public:
    HidapiDevice(Scheduler& scheduler, HidDeviceInfo info, hid_device* handle)
        : scheduler_(scheduler), info_(std::move(info)), handle_(handle) {
        reader_ = std::thread([this] { readLoop(); });
    }

    ~HidapiDevice() override {
        stop_ = true;
        reader_.join();
        hid_close(handle_);
    }

    const HidDeviceInfo& info() const override { return info_; }

    bool write(std::span<const std::uint8_t> report) override {
        if (report.size() != kOutputReportSize) return false;
        // Whatever was read before this request is stale from now on.
        ++delivery_->generation;
        return hid_write(handle_, report.data(), report.size()) == static_cast<int>(report.size());
    }

    void setReportHandler(ReportHandler handler) override { delivery_->report = std::move(handler); }
    void setErrorHandler(ErrorHandler handler) override { delivery_->error = std::move(handler); }

private:
    struct Delivery {
        ReportHandler report;  // handlers: user-interface thread only
        ErrorHandler error;
        std::atomic<std::uint64_t> generation{0};
    };

    void readLoop() {
        std::uint8_t buffer[kInputReportSize];
        while (!stop_) {
            const int n = hid_read_timeout(handle_, buffer, sizeof buffer, kReadTimeoutMs);
            if (n == 0) continue;
            std::weak_ptr<Delivery> target = delivery_;
            if (n < 0) {
                const int code = errno != 0 ? errno : -1;
                if (!stop_)
                    scheduler_.post([target, code] {
                        if (auto d = target.lock(); d && d->error) d->error(code);
                    });
                return;  // a device that failed once is not read again
            }
            const std::uint64_t generation = delivery_->generation.load();
            std::vector<std::uint8_t> report(buffer, buffer + n);
            scheduler_.post([target, generation, report = std::move(report)] {
                auto d = target.lock();
                if (d && d->report && d->generation.load() == generation) d->report(report);
            });
        }
    }

    Scheduler& scheduler_;
    HidDeviceInfo info_;
    hid_device* handle_;
    std::shared_ptr<Delivery> delivery_ = std::make_shared<Delivery>();
    std::atomic<bool> stop_{false};
    std::thread reader_;
};

}  // namespace

HidapiBackend::HidapiBackend(Scheduler& scheduler) : scheduler_(scheduler) {
    hid_init();
    std::weak_ptr<Shared> target = shared_;
    monitor_.start([this, target](const std::string& action, const std::string&) {
        if (action != "add" && action != "remove") return;
        scheduler_.post([target] {
            if (auto s = target.lock(); s && s->change) s->change();
        });
    });
}

HidapiBackend::~HidapiBackend() { monitor_.stop(); }

std::vector<HidDeviceInfo> HidapiBackend::enumerate() {
    std::vector<HidDeviceInfo> out;
    hid_device_info* list = hid_enumerate(0, 0);
    for (const hid_device_info* d = list; d; d = d->next)
        if (d->path) out.push_back({d->path, toUtf8(d->manufacturer_string), toUtf8(d->product_string)});
    hid_free_enumeration(list);
    std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.path < b.path; });
    return out;
}

std::unique_ptr<HidDevice> HidapiBackend::open(const HidDeviceInfo& info) {
    hid_device* handle = hid_open_path(info.path.c_str());
    if (!handle) return nullptr;
    return std::make_unique<HidapiDevice>(scheduler_, info, handle);
}

void HidapiBackend::setChangeHandler(ChangeHandler handler) { shared_->change = std::move(handler); }

}  // namespace somnexa::device
