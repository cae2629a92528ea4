#include "devsim/simulated_backend.h"

#include <algorithm>
#include <chrono>

#include "device/virtual_scheduler.h"
#include "devsim/report_pump.h"

namespace somnexa::devsim {

namespace {

// Handlers of one open device; touched only on the user-interface thread.
struct Endpoint {
    device::HidDevice::ReportHandler onReport;
    device::HidDevice::ErrorHandler onError;
};

void postError(device::Scheduler& scheduler, const std::weak_ptr<Endpoint>& endpoint) {
    scheduler.post([endpoint] {
        if (auto e = endpoint.lock(); e && e->onError) e->onError(kDeviceGoneError);
    });
}

}  // namespace

struct SimulatedBackend::Shared {
    explicit Shared(device::Scheduler& s) : scheduler(s) {}

    struct Entry {
        std::shared_ptr<SimulatedVentilator> ventilator;
        int latencyUs = 0;
        std::vector<std::weak_ptr<Endpoint>> endpoints;
    };

    device::Scheduler& scheduler;
    std::mutex mutex;
    std::vector<Entry> entries;
    int nextId = 0;
    ChangeHandler onChange;  // user-interface thread only

    static void postChange(const std::shared_ptr<Shared>& shared) {
        std::weak_ptr<Shared> weak = shared;
        shared->scheduler.post([weak] {
            if (auto s = weak.lock(); s && s->onChange) s->onChange();
        });
    }
};

namespace {

class SimulatedDevice : public device::HidDevice {
public:
    SimulatedDevice(device::HidDeviceInfo info, std::shared_ptr<SimulatedVentilator> ventilator,
                    std::shared_ptr<SimulatedBackend::Shared> shared, std::shared_ptr<Endpoint> endpoint,
                    int latencyUs)
        : info_(std::move(info)),
          ventilator_(std::move(ventilator)),
          scheduler_(shared->scheduler),
          shared_(shared),
          endpoint_(std::move(endpoint)) {
        if (latencyUs > 0) pump_ = std::make_unique<ReportPump>(std::chrono::microseconds(latencyUs));
    }

    ~SimulatedDevice() override {
        pump_.reset();  // no delivery call runs after this
    }

    const device::HidDeviceInfo& info() const override { return info_; }

    bool write(std::span<const std::uint8_t> report) override {
        if (report.size() != device::kOutputReportSize) return false;
        Reply reply = ventilator_->receive(report, scheduler_.nowMs());
        if (!reply.accepted) return false;
        std::vector<ReportPump::Call> calls;
        calls.reserve(reply.reports.size() + 1);
        std::weak_ptr<Endpoint> endpoint = endpoint_;
        device::Scheduler* scheduler = &scheduler_;
        for (const Report& r : reply.reports) {
            calls.push_back([scheduler, endpoint, r] {
                scheduler->post([endpoint, r] {
                    if (auto e = endpoint.lock(); e && e->onReport) e->onReport(r);
                });
            });
        }
        if (reply.vanish) {
            std::weak_ptr<SimulatedBackend::Shared> shared = shared_;
            calls.push_back([scheduler, endpoint, shared] {
                postError(*scheduler, endpoint);
                if (auto s = shared.lock()) SimulatedBackend::Shared::postChange(s);
            });
        }
        if (pump_) {
            // Under a virtual clock, the clock holds still while reports are on their way.
            ReportPump::Call done;
            if (auto* virtualClock = dynamic_cast<device::VirtualScheduler*>(scheduler)) {
                virtualClock->beginExternalWork();
                done = [virtualClock] { virtualClock->endExternalWork(); };
            }
            pump_->push(std::move(calls), std::move(done));
        } else {
            for (auto& call : calls) call();
        }
        return true;
    }

    void setReportHandler(ReportHandler handler) override { endpoint_->onReport = std::move(handler); }
    void setErrorHandler(ErrorHandler handler) override { endpoint_->onError = std::move(handler); }

private:
    device::HidDeviceInfo info_;
    std::shared_ptr<SimulatedVentilator> ventilator_;
    device::Scheduler& scheduler_;
    std::weak_ptr<SimulatedBackend::Shared> shared_;
    std::shared_ptr<Endpoint> endpoint_;
    std::unique_ptr<ReportPump> pump_;
};

}  // namespace

SimulatedBackend::SimulatedBackend(device::Scheduler& scheduler) : shared_(std::make_shared<Shared>(scheduler)) {}

SimulatedBackend::~SimulatedBackend() = default;

std::shared_ptr<SimulatedVentilator> SimulatedBackend::plugIn(FlashImage flash, const VentilatorOptions& options) {
    std::string product = options.product;
    if (product.empty()) product = flash.product().value_or("Nimbra-C01");
    auto ventilator =
        std::make_shared<SimulatedVentilator>(std::move(flash), options.manufacturer, product, options.faults);
    {
        std::lock_guard lock(shared_->mutex);
        ventilator->setPath("sim:" + std::to_string(shared_->nextId++));
        shared_->entries.push_back({ventilator, options.reportLatencyUs, {}});
    }
    Shared::postChange(shared_);
    return ventilator;
}

std::shared_ptr<SimulatedVentilator> SimulatedBackend::plugInFile(const std::string& path,
                                                                  const VentilatorOptions& options,
                                                                  std::string* error) {
    auto flash = FlashImage::load(path, error);
    if (!flash) return nullptr;
    return plugIn(std::move(*flash), options);
}

void SimulatedBackend::unplug(const std::shared_ptr<SimulatedVentilator>& ventilator) {
    std::vector<std::weak_ptr<Endpoint>> endpoints;
    {
        std::lock_guard lock(shared_->mutex);
        auto it = std::find_if(shared_->entries.begin(), shared_->entries.end(),
                               [&](const Shared::Entry& e) { return e.ventilator == ventilator; });
        if (it == shared_->entries.end()) return;
        endpoints = it->endpoints;
        shared_->entries.erase(it);
    }
    ventilator->setPlugged(false);
    for (const auto& endpoint : endpoints) postError(shared_->scheduler, endpoint);
    Shared::postChange(shared_);
}

std::vector<device::HidDeviceInfo> SimulatedBackend::enumerate() {
    std::lock_guard lock(shared_->mutex);
    std::vector<device::HidDeviceInfo> out;
    for (const auto& e : shared_->entries)
        if (e.ventilator->plugged())
            out.push_back({e.ventilator->path(), e.ventilator->manufacturer(), e.ventilator->product()});
    return out;
}

std::unique_ptr<device::HidDevice> SimulatedBackend::open(const device::HidDeviceInfo& info) {
    std::lock_guard lock(shared_->mutex);
    for (auto& e : shared_->entries) {
        if (e.ventilator->path() != info.path || !e.ventilator->plugged()) continue;
        auto endpoint = std::make_shared<Endpoint>();
        std::erase_if(e.endpoints, [](const std::weak_ptr<Endpoint>& w) { return w.expired(); });
        e.endpoints.push_back(endpoint);
        device::HidDeviceInfo full{e.ventilator->path(), e.ventilator->manufacturer(), e.ventilator->product()};
        return std::make_unique<SimulatedDevice>(std::move(full), e.ventilator, shared_, std::move(endpoint),
                                                 e.latencyUs);
    }
    return nullptr;
}

void SimulatedBackend::setChangeHandler(ChangeHandler handler) { shared_->onChange = std::move(handler); }

}  // namespace somnexa::devsim
