#include "device/windows/download_screens.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

#include <cstdio>

#include "device/windows/down_data_window.h"
#include "device/windows/downing_window.h"
#include "devsim/flash_generator.h"

namespace somnexa::device::windows {

namespace {

bool pumpUntil(const std::function<bool()>& done, int limitMs = 60000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

bool progressShowing(TfrmDownData* page, bool wantText) {
    TfrmDowning* progress = page->progressWindow();
    if (!progress || !progress->isVisible() || progress->prgDown->value() <= 0) return false;
    return !wantText || !progress->lblDown->text().isEmpty();
}

bool settled(DownloadState s) {
    return s == DownloadState::ChoosingSessions || s == DownloadState::Done || s == DownloadState::Failed;
}

}  // namespace

bool WriteDemoFlash(const std::string& path) {
    devsim::GeneratorOptions options;
    options.nights = 4;
    options.seed = 2026;
    options.maxSessionSeconds = 0;
    std::string error;
    const bool ok = devsim::generateFlash(options).flash.save(path, &error);
    if (!ok) std::fprintf(stderr, "demo flash: %s\n", error.c_str());
    return ok;
}

bool SaveDownloadScreens(QWidget* mainWindow, QWidget* pageWidget, const QString& tag, const SaveScreen& save) {
    auto* page = dynamic_cast<TfrmDownData*>(pageWidget);
    if (!page) return false;
    bool ok = pumpUntil([&] { return page->lvList->count() > 0; }, 5000);
    ok = save(mainWindow, tag + QStringLiteral("_main_down_data_devices")) && ok;
    if (!ok) return false;

    emit page->lvList->itemClicked(page->lvList->item(0));
    if (pumpUntil([&] { return progressShowing(page, true); }))
        ok = save(page->progressWindow(), tag + QStringLiteral("_downing_index")) && ok;
    ok = pumpUntil([&] { return settled(page->workflow().state()); }) && ok;
    // A few sessions ticked, as a user would before downloading.
    const int rows = page->lstLogData->topLevelItemCount();
    for (int i = 0; i < rows; i += 2) page->lstLogData->topLevelItem(i)->setCheckState(0, Qt::Checked);
    page->lstLogData->setCurrentItem(page->lstLogData->topLevelItem(0));
    ok = save(mainWindow, tag + QStringLiteral("_main_down_data_sessions")) && ok;

    if (rows > 0) {
        page->btnOK->click();
        // A little way into the first transfer.
        if (pumpUntil([&] { return progressShowing(page, true) && page->progressWindow()->prgDown->value() >= 5; }))
            ok = save(page->progressWindow(), tag + QStringLiteral("_downing_data")) && ok;
        if (TfrmDowning* progress = page->progressWindow()) progress->btnCancel->click();
        pumpUntil([&] { return settled(page->workflow().state()) && !page->progressWindow(); }, 10000);
    }
    return ok;
}

}  // namespace somnexa::device::windows
