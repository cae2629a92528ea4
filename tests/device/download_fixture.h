#pragma once
// A download on a virtual clock: a simulated ventilator with a few generated
// nights, a master and a patient database in a fresh folder, the workflow and
// a presenter that records the boxes.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "device/download_workflow.h"
#include "device/virtual_scheduler.h"
#include "devsim/flash_generator.h"
#include "devsim/simulated_backend.h"
#include "storage/database_builder.h"
#include "storage/recording_presenter.h"

namespace somnexa::device::testing {

// A small flash made once for all tests: a few nights of short sessions.
inline const devsim::GeneratedFlash& smallFlash() {
    static const devsim::GeneratedFlash flash = [] {
        devsim::GeneratorOptions o;
        o.nights = 3;
        o.seed = 11;
        o.maxSessionSeconds = 1500;
        return devsim::generateFlash(o);
    }();
    return flash;
}

// Lets a test act at precise moments of a download.
struct HookView : DownloadView {
    std::function<void(const std::string&)> onFile;
    std::function<void(const DownloadedSession&)> onSession;
    int shown = 0, closed = 0;
    void fileWritten(const std::string& f) override {
        if (onFile) onFile(f);
    }
    void sessionHandled(const DownloadedSession& d) override {
        if (onSession) onSession(d);
    }
    void progressShown() override { ++shown; }
    void progressClosed() override { ++closed; }
};

class DownloadTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("somnexa_download_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir / "images");
        std::filesystem::create_directories(dir / "Patients" / "20200101001");
        std::string error;
        ASSERT_TRUE(storage::createDatabase((dir / "DBQorvel.mdb").string(), storage::DatabaseKind::Master, error))
            << error;
        patientDb = (dir / "Patients" / "20200101001" / "20200101001.mdb").string();
        ASSERT_TRUE(storage::createDatabase(patientDb, storage::DatabaseKind::Patient, error)) << error;
        dm.MasterDBPath = (dir / "DBQorvel.mdb").string();
        dm.PatientDBPath = patientDb;
        dm.setPresenter(&presenter);
        folder = (dir / "Patients" / "20200101001").string() + "/";
    }
    void TearDown() override {
        workflow.reset();
        std::filesystem::remove_all(dir);
    }

    // Plugs in the ventilator and shows the window.
    void open(const devsim::FlashImage& flash = smallFlash().flash, const devsim::VentilatorOptions& options = {}) {
        vent = backend.plugIn(flash, options);
        DownloadSettings s;
        s.dm = &dm;
        s.presenter = &presenter;
        s.imageFolder = (dir / "images").string();
        workflow = std::make_unique<DownloadWorkflow>(backend, clock, s);
        workflow->setView(&view);
        workflow->setPatient("20200101001", "20200101001, Test, M, 40");
        workflow->Show();
        clock.advance(1);
    }
    // Runs the clock until done() holds (or a generous limit passes).
    bool runUntil(const std::function<bool()>& done, std::int64_t limitMs = 3'600'000) {
        for (std::int64_t t = 0; t < limitMs && !done(); t += 10) clock.advance(10);
        return done();
    }
    bool idleState() const {
        const auto s = workflow->state();
        return s == DownloadState::ChoosingSessions || s == DownloadState::Done || s == DownloadState::Failed ||
               s == DownloadState::NoDevice;
    }
    void chooseDevice() {
        workflow->ChooseDevice(0);
        ASSERT_TRUE(runUntil([&] { return idleState(); }));
    }
    // Chooses the device, ticks every row and downloads to the end.
    void downloadAll() {
        chooseDevice();
        workflow->SelectAll();
        ASSERT_TRUE(workflow->StartDownload());
        ASSERT_TRUE(runUntil([&] { return idleState(); }));
    }
    int count(const std::string& sql) {
        storage::Query q;
        if (dm.ExecSQL(q, sql, storage::kPatientConnection, false) <= 0) return 0;
        return static_cast<int>(q.Fields(0).AsInteger());
    }
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> out;
        for (const auto& b : presenter.boxes) out.push_back(b.text);
        return out;
    }
    int imagesLeft() const {
        int n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir / "images")) ++n;
        return n;
    }

    std::filesystem::path dir;
    std::string patientDb;
    std::string folder;
    storage::RecordingPresenter presenter;
    storage::TDM dm{nullptr, nullptr};
    VirtualScheduler clock;
    devsim::SimulatedBackend backend{clock};
    std::shared_ptr<devsim::SimulatedVentilator> vent;
    HookView view;
    std::unique_ptr<DownloadWorkflow> workflow;
};

}  // namespace somnexa::device::testing
