#pragma once
// The download page offscreen on a virtual clock: a program folder with the
// master database (English), a patient with an open database, the simulated
// ventilator, the recording presenter and a stand-in main window that
// records the messages the page posts to it.

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/app_context.h"
#include "app/init_application.h"
#include "app/window_message.h"
#include "device/virtual_scheduler.h"
#include "device/windows/down_data_window.h"
#include "device/windows/downing_window.h"
#include "devsim/flash_generator.h"
#include "devsim/simulated_backend.h"
#include "storage/database_builder.h"
#include "storage/recording_presenter.h"

namespace somnexa::device::windows::test {

class MessageRecorder : public QObject {
public:
    std::vector<std::pair<int, std::intptr_t>> messages;

protected:
    bool event(QEvent* event) override {
        if (app::isWindowMessage(static_cast<int>(event->type()))) {
            auto* m = static_cast<MessageEvent*>(event);
            messages.emplace_back(m->message(), m->wParam());
            return true;
        }
        return QObject::event(event);
    }
};

inline const devsim::GeneratedFlash& threeNights() {
    static const devsim::GeneratedFlash flash = [] {
        devsim::GeneratorOptions o;
        o.nights = 3;
        o.seed = 11;
        o.maxSessionSeconds = 1500;
        return devsim::generateFlash(o);
    }();
    return flash;
}

inline constexpr const char* kPatientID = "20200101001";
inline constexpr const char* kPatientCaption = "20200101001, Anna Berg, F, 47";

class DownloadWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        std::string error;
        ASSERT_TRUE(storage::createDatabase(file("DBQorvel.mdb"), storage::DatabaseKind::Master, error)) << error;
        QDir(dir.path()).mkpath(QStringLiteral("Patients/20200101001"));
        QDir(dir.path()).mkpath(QStringLiteral("images"));
        folder = file("Patients/20200101001") + "/";
        ASSERT_TRUE(storage::createDatabase(folder + "20200101001.mdb", storage::DatabaseKind::Patient, error))
            << error;
        context = std::make_unique<app::AppContext>(dir.path(), &boxes);
        boxes.setCatalogue(&context->MessageCatalogue);
        ASSERT_TRUE(app::InitApplication(*context));
        ASSERT_TRUE(context->dm().SetOption("Language", "3"));
        ASSERT_TRUE(app::InitApplication(*context));
        context->dm().PatientDBPath = folder + "20200101001.mdb";
        context->CurrentPatientID = kPatientID;
        context->CurrentPatientCaption = kPatientCaption;
    }
    void TearDown() override {
        page.reset();
        QApplication::processEvents();  // deferred deletes of progress windows
    }

    // Plugs in the ventilator and shows the page, which lists it at once.
    void open(const devsim::FlashImage& flash = threeNights().flash, const devsim::VentilatorOptions& options = {}) {
        vent = backend.plugIn(flash, options);
        page = std::make_unique<TfrmDownData>(*context, backend, clock, nullptr, file("images"));
        page->setMainWindow(&mainWindow);
        page->resize(1100, 720);
        page->show();
        clock.advance(1);
    }
    bool runUntil(const std::function<bool()>& done, std::int64_t limitMs = 3'600'000,
                  const std::function<void()>& each = {}) {
        for (std::int64_t t = 0; t < limitMs && !done(); t += 10) {
            clock.advance(10);
            if (each) each();
        }
        return done();
    }
    bool settled() const {
        const auto s = page->workflow().state();
        return s == DownloadState::ChoosingSessions || s == DownloadState::Done || s == DownloadState::Failed ||
               s == DownloadState::NoDevice;
    }
    // Clicks the ventilator and waits for both indexes.
    void chooseDevice() {
        ASSERT_GT(page->lvList->count(), 0);
        emit page->lvList->itemClicked(page->lvList->item(0));
        ASSERT_TRUE(runUntil([&] { return settled(); }));
        ASSERT_EQ(page->workflow().state(), DownloadState::ChoosingSessions);
    }

    std::string file(const std::string& name) const {
        return QDir(dir.path()).filePath(QString::fromStdString(name)).toStdString();
    }
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : boxes.boxes) texts.push_back(box.text);
        return texts;
    }
    int count(const std::string& sql) {
        storage::Query q;
        if (context->dm().ExecSQL(q, sql, storage::kPatientConnection, false) <= 0) return 0;
        return static_cast<int>(q.Fields(0).AsInteger());
    }
    int filesEndingIn(const std::string& ext) const {
        int n = 0;
        for (const auto& e : std::filesystem::directory_iterator(folder)) n += e.path().extension() == ext ? 1 : 0;
        return n;
    }
    std::vector<std::pair<int, std::intptr_t>> posted() {
        QApplication::processEvents();
        return mainWindow.messages;
    }

    QTemporaryDir dir;
    std::string folder;
    storage::RecordingPresenter boxes;
    std::unique_ptr<app::AppContext> context;
    MessageRecorder mainWindow;
    VirtualScheduler clock;
    devsim::SimulatedBackend backend{clock};
    std::shared_ptr<devsim::SimulatedVentilator> vent;
    std::unique_ptr<TfrmDownData> page;
};

}  // namespace somnexa::device::windows::test
