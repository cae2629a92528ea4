// The download page and its progress window offscreen, driven through their
// controls against the simulated ventilator on a virtual clock.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>

#include "device/device_item.h"
#include "device/hid_protocol.h"
#include "device/windows/device_icons.h"
#include "download_window_fixture.h"

namespace somnexa::device::windows::test {
namespace {

// Rewrites the duration packets (type 5) in the headers of a session's log sectors.
devsim::FlashImage withDuration(devsim::FlashImage flash, const devsim::GeneratedSession& s, int seconds) {
    auto bytes = flash.bytes();
    std::uint32_t address = s.logRange.address;
    for (std::uint32_t done = 0; done < s.logRange.size; done += kSectorSize) {
        for (int p = 0; p + 5 <= 60; p += 5) {
            std::uint8_t* b = &bytes[address + static_cast<std::uint32_t>(p)];
            if ((b[0] & 0x80) == 0 || ((b[0] & 0x7F) >> 2) != 5) continue;
            b[0] = static_cast<std::uint8_t>(0x80 | (5 << 2) | ((seconds >> 14) & 3));
            b[1] = static_cast<std::uint8_t>((seconds >> 7) & 0x7F);
            b[2] = static_cast<std::uint8_t>(seconds & 0x7F);
        }
        address += kSectorSize;
        if (address == kRegionBEnd) address = kRegionBStart;
    }
    return flash;
}

std::vector<std::string> column(const QTreeWidget* list, int c) {
    std::vector<std::string> out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) out.push_back(list->topLevelItem(i)->text(c).toStdString());
    return out;
}

int checkedRows(const QTreeWidget* list) {
    int n = 0;
    for (int i = 0; i < list->topLevelItemCount(); ++i) n += list->topLevelItem(i)->checkState(0) == Qt::Checked;
    return n;
}

bool sameIcon(const QListWidgetItem* item, int icon) {
    return item->icon().pixmap(kDeviceIconWidth, kDeviceIconHeight).toImage() ==
           DeviceIconPicture(icon).toImage();
}

TEST_F(DownloadWindowTest, ShowingThePageListsTheVentilatorAndThePatient) {
    open();
    EXPECT_EQ(page->edtFind->text().toStdString(), kPatientCaption);
    EXPECT_TRUE(page->edtFind->isReadOnly());
    ASSERT_EQ(page->lvList->count(), 1);
    EXPECT_EQ(page->lvList->item(0)->text(), QStringLiteral("Nimbra-C01"));
    EXPECT_EQ(page->lvList->item(0)->toolTip(), QStringLiteral("Nimbra-C0110"));
    EXPECT_TRUE(sameIcon(page->lvList->item(0), kIconKnownModel));
    EXPECT_EQ(page->lstLogData->topLevelItemCount(), 0);
    // The defaults of the choices; the lead choice exists but is never shown.
    EXPECT_TRUE(page->chkMin10->isChecked());
    EXPECT_FALSE(page->chkCover->isChecked());
    EXPECT_FALSE(page->grpSelect->isVisible());
    EXPECT_TRUE(page->chkPressure->isChecked());
    EXPECT_TRUE(page->chkFlow->isChecked());
    // English texts through the Languages table.
    EXPECT_EQ(page->btnOK->text(), QStringLiteral("&Download"));
    EXPECT_EQ(page->btnFind->text(), QStringLiteral("&Select"));
    EXPECT_EQ(page->lstLogData->headerItem()->text(1), QStringLiteral("Duration"));
    EXPECT_EQ(page->chkMin10->text(), QStringLiteral("Hide sessions shorter than 10 minutes"));
}

TEST_F(DownloadWindowTest, AnotherModelGetsTheOtherIcon) {
    devsim::VentilatorOptions other;
    other.product = "Vendra-X20";
    open(threeNights().flash, other);
    ASSERT_EQ(page->lvList->count(), 1);
    EXPECT_EQ(page->lvList->item(0)->text(), QStringLiteral("Vendra-X20"));
    EXPECT_TRUE(sameIcon(page->lvList->item(0), kIconOtherModel));
}

TEST_F(DownloadWindowTest, ChoosingTheVentilatorListsItsSessionsAndMarksIt) {
    open();
    bool progressSeen = false;
    emit page->lvList->itemClicked(page->lvList->item(0));
    progressSeen = page->progressWindow() != nullptr && page->progressWindow()->isVisible();
    ASSERT_TRUE(runUntil([&] { return settled(); }));
    EXPECT_TRUE(progressSeen);
    QApplication::processEvents();
    EXPECT_EQ(page->progressWindow(), nullptr);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(sameIcon(page->lvList->item(0), kIconDownloaded));

    const auto& rows = page->workflow().rows();
    ASSERT_FALSE(rows.empty());
    ASSERT_EQ(page->lstLogData->topLevelItemCount(), static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QTreeWidgetItem* item = page->lstLogData->topLevelItem(static_cast<int>(i));
        EXPECT_EQ(item->text(0).toStdString(), rows[i].startTime);
        EXPECT_EQ(item->text(1).toStdString(), rows[i].timeLength);
        EXPECT_EQ(item->text(2).toStdString(), page->workflow().HasRealtimeData(rows[i].id) ? "Yes" : "No");
        EXPECT_EQ(item->checkState(0), Qt::Unchecked);
    }
}

TEST_F(DownloadWindowTest, TheTenMinuteBoxHidesShortSessionsAndNeverShowsEmptyOnes) {
    const auto& sessions = threeNights().sessions;
    auto first = std::find_if(sessions.begin(), sessions.end(), [](const auto& s) { return s.logRange.complete(); });
    ASSERT_NE(first, sessions.end());
    auto second = std::find_if(first + 1, sessions.end(), [](const auto& s) { return s.logRange.complete(); });
    ASSERT_NE(second, sessions.end());
    open(withDuration(withDuration(threeNights().flash, *first, 599), *second, 0));
    chooseDevice();
    auto lengths = [&] { return column(page->lstLogData, 1); };
    auto listed = [&](std::int32_t id) {
        for (int i = 0; i < page->lstLogData->topLevelItemCount(); ++i)
            if (page->lstLogData->topLevelItem(i)->data(0, Qt::UserRole).toInt() == id) return true;
        return false;
    };
    EXPECT_FALSE(listed(first->id));
    EXPECT_FALSE(listed(second->id));
    const auto ticked = lengths();

    page->chkMin10->click();  // unticked: the 599 s session appears, the empty one does not
    EXPECT_FALSE(page->chkMin10->isChecked());
    EXPECT_TRUE(listed(first->id));
    EXPECT_FALSE(listed(second->id));
    EXPECT_EQ(lengths().size(), ticked.size() + 1);
    const auto all = lengths();
    EXPECT_NE(std::find(all.begin(), all.end(), "00:09:59"), all.end());

    page->chkMin10->click();
    EXPECT_FALSE(listed(first->id));
    EXPECT_EQ(lengths(), ticked);
}

TEST_F(DownloadWindowTest, SelectAllAndReSelectTickTheRows) {
    open();
    chooseDevice();
    const int rows = page->lstLogData->topLevelItemCount();
    ASSERT_GE(rows, 2);
    page->lblSelectAll->click();
    EXPECT_EQ(checkedRows(page->lstLogData), rows);
    page->lblSelectReverse->click();
    EXPECT_EQ(checkedRows(page->lstLogData), 0);
    // A tick by hand reaches the download; ReSelect inverts it.
    page->lstLogData->topLevelItem(1)->setCheckState(0, Qt::Checked);
    EXPECT_TRUE(page->workflow().rows()[1].checked);
    page->lblSelectReverse->click();
    EXPECT_EQ(checkedRows(page->lstLogData), rows - 1);
    EXPECT_EQ(page->lstLogData->topLevelItem(1)->checkState(0), Qt::Unchecked);
    EXPECT_FALSE(page->workflow().rows()[1].checked);
}

struct Refusal {
    const char* name;
    bool patient;
    bool leads;
    bool tick;
    const char* text;         // as the program writes it
    const char* translation;  // the English box
};

class DownDataRefusals : public DownloadWindowTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(DownDataRefusals, DownDataRefusesWithItsMessageAndStartsNothing) {
    const Refusal& r = GetParam();
    if (!r.patient) context->CurrentPatientCaption = "  ";
    open();
    chooseDevice();
    if (!r.leads) {
        page->chkPressure->click();
        page->chkFlow->click();
    }
    if (r.tick) page->lblSelectAll->click();
    const auto commandsBefore = vent->commands().size();
    page->btnOK->click();
    clock.advance(1000);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].kind, storage::BoxKind::Info);
    EXPECT_EQ(boxes.boxes[0].text, r.text);
    EXPECT_EQ(boxes.boxes[0].translatedText, r.translation);
    EXPECT_EQ(page->workflow().state(), DownloadState::ChoosingSessions);
    EXPECT_EQ(page->progressWindow(), nullptr);
    EXPECT_EQ(vent->commands().size(), commandsBefore);
    if (!r.patient) {
        EXPECT_EQ(page->focusWidget(), page->btnFind);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, DownDataRefusals,
    ::testing::Values(
        Refusal{"NoPatient", false, true, true, "Please open a patient!", "Please select a patient first."},
        Refusal{"NoLead", true, false, true, "请选择需要下载的导联！", "Please select at least one lead to download."},
        Refusal{"NoSession", true, true, false, "Please select your download data!",
                "Please select the sessions to download."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DownloadWindowTest, DownloadingThroughThePageWritesFilesAndRows) {
    open();
    chooseDevice();
    page->lblSelectAll->click();
    const int sessions = page->lstLogData->topLevelItemCount();
    int withRealtime = 0;
    for (const auto& row : page->workflow().rows()) withRealtime += page->workflow().HasRealtimeData(row.id) ? 1 : 0;
    page->btnOK->click();
    ASSERT_TRUE(runUntil([&] { return settled(); }));
    ASSERT_EQ(page->workflow().state(), DownloadState::Done) << ::testing::PrintToString(boxTexts());
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Data download!"});
    EXPECT_EQ(boxes.boxes[0].translatedText, "Download complete.");
    QApplication::processEvents();
    EXPECT_EQ(page->progressWindow(), nullptr);
    EXPECT_EQ(filesEndingIn(".hidl"), sessions);
    EXPECT_EQ(filesEndingIn(".hidr"), withRealtime);
    EXPECT_EQ(count("select count(*) from tSession"), sessions);
    int events = 0;
    for (const auto& d : page->workflow().downloaded()) events += d.store.events;
    EXPECT_EQ(count("select count(*) from tData"), events);
    EXPECT_EQ(std::filesystem::exists(file("images")) ? std::distance(std::filesystem::directory_iterator(file("images")),
                                                                      std::filesystem::directory_iterator())
                                                      : 0,
              0);

    // Again with "Forced overlay data": the same rows under new SessionIDs.
    const int firstId = count("select min(SessionID) from tSession");
    boxes.boxes.clear();
    page->chkCover->click();
    page->btnOK->click();
    ASSERT_TRUE(runUntil([&] { return settled(); }));
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Data download!"});
    EXPECT_EQ(count("select count(*) from tSession"), sessions);
    EXPECT_GT(count("select min(SessionID) from tSession"), firstId);
}

TEST_F(DownloadWindowTest, TheProgressWindowShowsTransferTimeAndBar) {
    open();
    // The ventilator pauses for a second in the middle of the log index, so
    // the 100 ms ticks show how far it has come.
    devsim::FaultOptions pause;
    pause.silentAfterReports = 600;
    pause.silentForMs = 1000;
    vent->setFaults(pause);
    emit page->lvList->itemClicked(page->lvList->item(0));
    TfrmDowning* progress = page->progressWindow();
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(progress->isVisible());
    EXPECT_TRUE(progress->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(progress->windowTitle(), QStringLiteral("Downloading"));
    EXPECT_EQ(progress->btnCancel->text(), QStringLiteral("&Cancel"));
    EXPECT_EQ(progress->owner(), page.get());
    std::string text, time;
    int percent = -1;
    runUntil([&] { return settled(); }, 3'600'000, [&] {
        if (page->progressWindow() && text.empty() && page->progressWindow()->prgDown->value() > 0) {
            text = page->progressWindow()->lblDown->text().toStdString();
            time = page->progressWindow()->lblTime->text().toStdString();
            percent = page->progressWindow()->prgDown->value();
        }
    });
    EXPECT_EQ(text.rfind("Downloading log index:  ( ", 0), 0u) << text;
    EXPECT_NE(text.find("K / 189K )"), std::string::npos) << text;
    EXPECT_EQ(time.rfind("Time left:  ", 0), 0u) << time;
    EXPECT_GT(percent, 0);
    EXPECT_LT(percent, 100);
    EXPECT_EQ(page->workflow().state(), DownloadState::ChoosingSessions);
}

TEST_F(DownloadWindowTest, CancelDuringTheLogIndexClosesTheProgressAndStopsTheDevice) {
    open();
    emit page->lvList->itemClicked(page->lvList->item(0));
    ASSERT_NE(page->progressWindow(), nullptr);
    const auto before = vent->commands().size();
    page->progressWindow()->btnCancel->click();
    clock.advance(10000);
    QApplication::processEvents();
    EXPECT_EQ(page->progressWindow(), nullptr);
    EXPECT_EQ(page->workflow().state(), DownloadState::Failed);
    EXPECT_EQ(page->lstLogData->topLevelItemCount(), 0);
    EXPECT_TRUE(boxes.boxes.empty());
    bool stopped = false;
    const auto commands = vent->commands();
    for (std::size_t i = before; i < commands.size(); ++i) stopped |= commands[i].code == kCmdStop;
    EXPECT_TRUE(stopped);
    // The device can be chosen again.
    chooseDevice();
    EXPECT_GT(page->lstLogData->topLevelItemCount(), 0);
}

TEST_F(DownloadWindowTest, ClosingTheProgressWindowCancelsTheTransfer) {
    open();
    emit page->lvList->itemClicked(page->lvList->item(0));
    ASSERT_NE(page->progressWindow(), nullptr);
    page->progressWindow()->close();
    clock.advance(10000);
    QApplication::processEvents();
    EXPECT_EQ(page->progressWindow(), nullptr);
    EXPECT_EQ(page->workflow().state(), DownloadState::Failed);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(DownloadWindowTest, SilenceDuringTheDownloadShowsTheReadError) {
    open();
    chooseDevice();
    page->lblSelectAll->click();
    devsim::FaultOptions silent;
    silent.silentAfterReports = 200;
    vent->setFaults(silent);
    page->btnOK->click();
    ASSERT_TRUE(runUntil([&] { return settled(); }));
    QApplication::processEvents();
    EXPECT_EQ(page->workflow().state(), DownloadState::Failed);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].kind, storage::BoxKind::Error);
    EXPECT_EQ(boxes.boxes[0].text, "An error occurred while reading data!");
    EXPECT_EQ(page->progressWindow(), nullptr);
}

TEST_F(DownloadWindowTest, ABusyVentilatorIsRefusedWithTheIdleMessage) {
    open();
    devsim::FaultOptions busy;
    busy.busy = true;
    vent->setFaults(busy);
    emit page->lvList->itemClicked(page->lvList->item(0));
    runUntil([&] { return settled(); });
    QApplication::processEvents();
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Device is not currently idle state!"});
    EXPECT_EQ(page->progressWindow(), nullptr);
    EXPECT_EQ(page->lstLogData->topLevelItemCount(), 0);
}

TEST_F(DownloadWindowTest, SelectShowsTheChosenPatient) {
    context->CurrentPatientID.clear();
    context->CurrentPatientCaption.clear();
    open();
    EXPECT_TRUE(page->edtFind->text().isEmpty());
    int dialogs = 0;
    page->setPatientChooser([&] {
        ++dialogs;
        context->CurrentPatientID = kPatientID;
        context->CurrentPatientCaption = kPatientCaption;
    });
    page->btnFind->click();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(page->edtFind->text().toStdString(), kPatientCaption);
    EXPECT_EQ(page->workflow().patientCaption(), kPatientCaption);
}

TEST_F(DownloadWindowTest, BackPatientAsksForThePatientPage) {
    open();
    page->btnCancel->click();
    EXPECT_EQ(posted(), (std::vector<std::pair<int, std::intptr_t>>{{msg::WM_CHANGE_PAGE, 2}}));
}

TEST_F(DownloadWindowTest, LayingOutFillsTheParentAndPlacesTheButtons) {
    QWidget area;
    area.resize(1200, 760);
    open();
    page->setParent(&area);
    page->move(40, 40);
    page->show();
    app::SendMessage(page.get(), msg::WM_USER_RESIZE);
    QApplication::processEvents();
    EXPECT_EQ(page->geometry(), area.rect());
    const QWidget* panel = page->btnCancel->parentWidget();
    EXPECT_EQ(panel->width() - page->btnCancel->geometry().right() - 1, 30);
    EXPECT_EQ(page->btnCancel->geometry().left() - page->btnOK->geometry().right() - 1, 10);
    // The session list ends 95 pixels above the bottom of its group, the
    // link labels 10 pixels below the list.
    const QPoint listBottom = page->lstLogData->mapTo(page.get(), QPoint(0, page->lstLogData->height()));
    const QPoint linkTop = page->lblSelectAll->mapTo(page.get(), QPoint(0, 0));
    EXPECT_EQ(linkTop.y() - listBottom.y(), 10);
    page->setParent(nullptr);
}

}  // namespace
}  // namespace somnexa::device::windows::test
