// somnexa-tool device list | read: the HID link driven from a shell, against a
// real ventilator or a simulated one made from a flash image file.

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "device/hid_protocol.h"
#include "device/hidapi_backend.h"
#include "device/message_sink.h"
#include "device/qt_scheduler.h"
#include "device/qv_hid.h"
#include "devsim/simulated_backend.h"
#include "records/window_messages.h"

namespace somnexa::cli {

namespace {

using namespace somnexa::device;

int fail(const std::string& message) {
    std::fprintf(stderr, "device: %s\n", message.c_str());
    return 1;
}

int usageError(const std::string& message) {
    std::fprintf(stderr, "device: %s\n", message.c_str());
    return 2;
}

// The messages the link posted, in order, kept for the command to look at.
struct Inbox : MessageSink {
    struct Message {
        int message;
        std::intptr_t wParam;
        std::intptr_t lParam;
    };
    std::vector<Message> messages;
    void postMessage(int message, std::intptr_t wParam, std::intptr_t lParam) override {
        messages.push_back({message, wParam, lParam});
    }
};

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "somnexa-tool";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// A scheduler, a backend (real or simulated) and a link on them.
struct Connection {
    QtScheduler scheduler;
    std::unique_ptr<HidBackend> backend;
    Inbox inbox;
    std::unique_ptr<TQvHid> link;
};

std::unique_ptr<Connection> connect(Args& args, std::string& error) {
    application();
    auto c = std::make_unique<Connection>();
    if (const auto flash = args.value("simulate")) {
        devsim::VentilatorOptions options;
        options.reportLatencyUs = static_cast<int>(args.integer("latency-us").value_or(0));
        options.faults.dropEvery = static_cast<int>(args.integer("drop-every").value_or(0));
        if (!args.ok()) return error = args.error(), nullptr;
        if (options.reportLatencyUs < 0 || options.faults.dropEvery < 0)
            return error = "--latency-us and --drop-every take numbers >= 0", nullptr;
        auto backend = std::make_unique<devsim::SimulatedBackend>(c->scheduler);
        if (!backend->plugInFile(*flash, options, &error)) return nullptr;
        c->backend = std::move(backend);
    } else {
        if (args.has("latency-us") || args.has("drop-every"))
            return error = "--latency-us and --drop-every need --simulate", nullptr;
        c->backend = std::make_unique<HidapiBackend>(c->scheduler);
    }
    c->link = std::make_unique<TQvHid>(*c->backend, c->scheduler, &c->inbox);
    // The device list comes with the first WM_DEVICE_NOTIFY 1; let it arrive.
    while (c->inbox.messages.empty()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return c;
}

int listDevices(Args& args) {
    if (!args.ok()) return usageError(args.error());
    std::string error;
    auto c = connect(args, error);
    if (!c) return fail(error);
    for (const auto& name : c->link->DeviceNames()) std::printf("%s\n", name.c_str());
    return 0;
}

struct ReadRequest {
    std::uint32_t address = 0;
    std::uint32_t size = 0;
    int type = kRegionNone;
};

std::optional<ReadRequest> readRequest(Args& args) {
    const auto headers = args.value("headers");
    const auto region = args.value("region");
    if (headers && region) {
        args.fail("give either --headers or --region, not both");
        return std::nullopt;
    }
    if (headers) {
        if (*headers == "A") return ReadRequest{kRegionAStart, kRegionAHeaderBytes, kRegionAHeaders};
        if (*headers == "B") return ReadRequest{kRegionBStart, kRegionBHeaderBytes, kRegionBHeaders};
        args.fail("--headers takes A or B");
        return std::nullopt;
    }
    if (!region) {
        args.fail("give --headers A|B or --region A|B with --address and --size");
        return std::nullopt;
    }
    if (*region != "A" && *region != "B") {
        args.fail("--region takes A or B");
        return std::nullopt;
    }
    const bool a = *region == "A";
    const auto address = args.integer("address");
    const auto size = args.integer("size");
    if (!args.ok()) return std::nullopt;
    if (!address || !size) {
        args.fail("--region needs --address and --size");
        return std::nullopt;
    }
    const std::uint32_t start = a ? kRegionAStart : kRegionBStart;
    const std::uint32_t end = a ? kRegionAEnd : kRegionBEnd;
    if (*address < start || *address >= end) {
        args.fail("--address lies outside region " + *region);
        return std::nullopt;
    }
    if (*size <= 0 || *size > end - start) {
        args.fail("--size must be between 1 and the size of region " + *region);
        return std::nullopt;
    }
    return ReadRequest{static_cast<std::uint32_t>(*address), static_cast<std::uint32_t>(*size),
                       a ? kRegionARange : kRegionBRange};
}

int readRange(Args& args) {
    const auto request = readRequest(args);
    const std::string out = args.required("out");
    if (!request || !args.ok()) return usageError(args.error());
    std::string error;
    auto c = connect(args, error);
    if (!c) return fail(error);
    TQvHid& link = *c->link;
    if (link.DeviceNames().empty()) return fail("no ventilator found");
    link.SelectDevice(link.DeviceNames().front());
    if (!link.currentDevice()) return fail("the ventilator cannot be opened");

    const auto started = std::chrono::steady_clock::now();
    const std::size_t seen = c->inbox.messages.size();
    const std::int32_t r = link.StartRead(out, request->address, request->size, request->type);
    if (r == -4) return fail("the ventilator does not answer");
    if (r == -2) return fail("cannot write to the ventilator");
    if (r == -1 && !link.currentDevice()) return fail("the ventilator has gone");
    if (r < 0) {
        // A refused state query, or an image file that cannot be created.
        if (link.ImageFileName() == out && !std::filesystem::exists(out))
            return fail("cannot create the image file " + out);
        return fail("Device is not currently idle state!");
    }

    // Wait for the transfer's outcome.
    std::optional<Inbox::Message> outcome;
    while (!outcome) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        for (std::size_t i = seen; i < c->inbox.messages.size() && !outcome; ++i) {
            const auto& m = c->inbox.messages[i];
            if (m.message == msg::WM_DEVICE_ERROR || (m.message == msg::WM_DEVICE_NOTIFY && m.wParam != 1))
                outcome = m;
        }
    }
    const auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    if (outcome->message == msg::WM_DEVICE_ERROR)
        return fail("An error occurred while reading data! (read error " + std::to_string(outcome->wParam) + ")");
    if (outcome->wParam == 255) return fail("An error occurred while reading data!");

    std::error_code ec;
    const auto bytes = std::filesystem::file_size(out, ec);
    JsonWriter json;
    json.beginObject()
        .field("bytes", static_cast<std::int64_t>(ec ? 0 : bytes))
        .field("resends", static_cast<std::int64_t>(link.resendCount()))
        .field("ms", ms)
        .endObject();
    std::printf("%s\n", json.text().c_str());
    return 0;
}

}  // namespace

int cmdDevice(const Words& words) {
    if (words.empty()) return usageError("give list or read");
    Args args(Words(words.begin() + 1, words.end()), {});
    if (!args.positional().empty()) return usageError("unexpected word '" + args.positional().front() + "'");
    if (words.front() == "list") return listDevices(args);
    if (words.front() == "read") return readRange(args);
    return usageError("unknown device command '" + words.front() + "'");
}

}  // namespace somnexa::cli
