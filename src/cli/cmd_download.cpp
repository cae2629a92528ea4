// somnexa-tool download: the download workflow without windows, from a
// simulated ventilator into a patient's folder and database. Prints, as JSON,
// the sessions it handled and the data files it wrote.

#include <unistd.h>

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "device/download_workflow.h"
#include "device/qt_scheduler.h"
#include "devsim/simulated_backend.h"
#include "storage/catalogue_presenter.h"

namespace somnexa::cli {

namespace {

namespace fs = std::filesystem;
using device::DownloadState;

int fail(const std::string& message) {
    std::fprintf(stderr, "download: %s\n", message.c_str());
    return 1;
}

int usageError(const std::string& message) {
    std::fprintf(stderr, "download: %s\n", message.c_str());
    return 2;
}

// Keeps the boxes the workflow would show; the last one tells the outcome.
struct BoxList : storage::CataloguePresenter {
    std::vector<std::string> texts;
    std::optional<std::string> ChooseOpenFile(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override { return std::nullopt; }

protected:
    bool showBox(storage::BoxKind, const std::string&, const std::string& text, const std::string&,
                 const std::string&) override {
        texts.push_back(text);
        return false;
    }
};

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "somnexa-tool";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

std::string programFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

// Runs the event loop until done() holds or the time limit passes.
bool pumpUntil(const std::function<bool()>& done, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return true;
}

bool settled(DownloadState s) {
    return s == DownloadState::ChoosingSessions || s == DownloadState::Done || s == DownloadState::Failed ||
           s == DownloadState::NoDevice;
}

void writeSessions(JsonWriter& json, const device::DownloadWorkflow& workflow) {
    json.key("sessions").beginArray();
    for (const auto& d : workflow.downloaded()) {
        json.beginObject()
            .field("id", static_cast<std::int64_t>(d.id))
            .field("outcome", d.store.outcome == device::StoreOutcome::Stored ? "stored"
                              : d.store.outcome == device::StoreOutcome::Kept ? "kept"
                                                                              : "failed")
            .field("sessionId", d.store.sessionId)
            .field("openTime", d.store.openTime)
            .field("realTime", d.store.realTime)
            .field("events", d.store.events)
            .field("logFile", d.logFile)
            .field("realtimeFile", d.realtimeFile)
            .endObject();
    }
    json.endArray();
}

}  // namespace

int cmdDownload(const Words& words) {
    Args args(words, {"all", "overwrite", "min10"});
    if (!args.positional().empty()) return usageError("unexpected word '" + args.positional().front() + "'");
    const std::string flash = args.required("simulate");
    const std::string patientDb = args.required("patient-db");
    const std::string master = args.value("master").value_or(programFolder() + "/DBQorvel.mdb");
    const auto latency = args.integer("latency-us");
    std::vector<std::int32_t> wanted;
    for (const auto& id : args.values("session")) {
        try {
            std::size_t used = 0;
            wanted.push_back(static_cast<std::int32_t>(std::stol(id, &used)));
            if (used != id.size()) throw std::invalid_argument(id);
        } catch (...) {
            return usageError("--session takes a session number, not '" + id + "'");
        }
    }
    if (!args.ok()) return usageError(args.error());
    if (args.has("all") == !wanted.empty()) return usageError("give either --all or --session ID ...");
    if (latency && *latency < 0) return usageError("--latency-us takes a number >= 0");
    std::error_code ec;
    if (!fs::is_regular_file(patientDb, ec)) return fail("patient database not found: " + patientDb);
    if (!fs::is_regular_file(master, ec)) return fail("master database not found: " + master + " (give --master FILE)");

    application();
    device::QtScheduler scheduler;
    devsim::SimulatedBackend backend(scheduler);
    devsim::VentilatorOptions options;
    options.reportLatencyUs = static_cast<int>(latency.value_or(0));
    std::string error;
    if (!backend.plugInFile(flash, options, &error)) return fail(error);

    BoxList boxes;
    storage::TDM dm(&boxes);
    dm.MasterDBPath = master;
    dm.PatientDBPath = fs::absolute(patientDb).string();
    const fs::path images = fs::temp_directory_path() / ("somnexa-download-" + std::to_string(::getpid()));
    fs::create_directories(images, ec);

    int result = 0;
    {
        device::DownloadSettings settings;
        settings.dm = &dm;
        settings.presenter = &boxes;
        settings.imageFolder = images.string();
        device::DownloadWorkflow workflow(backend, scheduler, settings);
        const std::string patientId = fs::path(patientDb).stem().string();
        workflow.setPatient(patientId, patientId);
        workflow.setMin10(args.has("min10"));
        workflow.setOverwrite(args.has("overwrite"));
        auto lastBox = [&] { return boxes.texts.empty() ? std::string("the download failed") : boxes.texts.back(); };

        workflow.Show();
        if (!pumpUntil([&] { return !workflow.devices().empty(); }, std::chrono::seconds(5))) {
            result = fail("no ventilator found");
        } else {
            workflow.ChooseDevice(0);
            pumpUntil([&] { return settled(workflow.state()); }, std::chrono::hours(24));
            if (workflow.state() != DownloadState::ChoosingSessions) {
                result = fail(lastBox());
            } else {
                if (args.has("all")) workflow.SelectAll();
                for (const std::int32_t id : wanted) {
                    bool found = false;
                    for (std::size_t i = 0; i < workflow.rows().size(); ++i)
                        if (workflow.rows()[i].id == id) workflow.setRowChecked(static_cast<int>(i), found = true);
                    if (!found) result = usageError("session " + std::to_string(id) + " is not in the list");
                }
                if (result == 0 && !workflow.StartDownload()) result = fail(lastBox());
                if (result == 0) {
                    pumpUntil([&] { return settled(workflow.state()); }, std::chrono::hours(24));
                    if (workflow.state() != DownloadState::Done) {
                        result = fail(lastBox());
                    } else {
                        JsonWriter json;
                        json.beginObject();
                        writeSessions(json, workflow);
                        json.key("files").beginArray();
                        for (const auto& f : workflow.writtenFiles()) json.value(f);
                        json.endArray().endObject();
                        std::printf("%s\n", json.text().c_str());
                    }
                }
            }
        }
    }
    fs::remove_all(images, ec);
    return result;
}

}  // namespace somnexa::cli
