// The whole download against the simulated ventilator on a virtual clock:
// indexes, session list, realtime and log phases, data files, database rows,
// and the faults a download meets.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "device/hid_protocol.h"
#include "download_fixture.h"
#include "records/data_file.h"
#include "records/qv_func.h"

namespace somnexa::device::testing {
namespace {

const devsim::GeneratedSession* generated(std::int32_t id) {
    for (const auto& s : smallFlash().sessions)
        if (s.id == id) return &s;
    return nullptr;
}

std::string stamp(const TDeviceTime& t) { return FormatDeviceTime(DateTimeForm::FileStamp, t).value_or("?"); }

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

TEST_F(DownloadTest, DeviceListShowsModelCaptionIconAndNumber) {
    open();
    ASSERT_EQ(workflow->devices().size(), 1u);
    const auto& item = workflow->devices()[0];
    EXPECT_EQ(item.caption, "Nimbra-C01");
    EXPECT_EQ(item.icon, kIconKnownModel);
    EXPECT_EQ(item.data.ProductName, "Nimbra-C0110");
    EXPECT_EQ(item.data.ModelNumber, 10);
    EXPECT_EQ(workflow->state(), DownloadState::NoDevice);
}

TEST_F(DownloadTest, ChoosingTheDeviceLoadsBothIndexesAndListsTheSessions) {
    open();
    chooseDevice();
    EXPECT_EQ(workflow->state(), DownloadState::ChoosingSessions);
    EXPECT_TRUE(presenter.boxes.empty());
    EXPECT_FALSE(workflow->progressVisible());
    EXPECT_EQ(workflow->devices()[0].icon, kIconDownloaded);
    EXPECT_EQ(imagesLeft(), 0);

    // Every session whose log survived is in the index, newest first.
    int stored = 0;
    for (const auto& s : smallFlash().sessions) stored += s.logRange.stored() ? 1 : 0;
    ASSERT_EQ(static_cast<int>(workflow->LogIndex().size()), stored);
    std::vector<const TLogData*> listed;
    for (const auto& e : workflow->LogIndex())
        if (e.Times >= 600) listed.push_back(&e);
    ASSERT_EQ(workflow->rows().size(), listed.size());
    ASSERT_FALSE(listed.empty());
    for (std::size_t i = 0; i < listed.size(); ++i) {
        const auto& row = workflow->rows()[i];
        EXPECT_EQ(row.id, listed[i]->Id);
        EXPECT_FALSE(row.checked);
        EXPECT_EQ(row.realtime, workflow->HasRealtimeData(row.id) ? "Yes" : "No");
        EXPECT_EQ(row.text, *FormatDeviceTime(DateTimeForm::DateTimeText, listed[i]->Time) + std::string(16, ' ') +
                                row.timeLength + std::string(14, ' ') + row.realtime);
        const auto* g = generated(row.id);
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(workflow->HasRealtimeData(row.id), g->realtimeRange.stored());
    }
    for (std::size_t i = 1; i < workflow->LogIndex().size(); ++i)
        EXPECT_GT(workflow->LogIndex()[i - 1].Id, workflow->LogIndex()[i].Id) << "newest first";
}

TEST_F(DownloadTest, ShortAndEmptySessionsFollowTheTenMinuteBox) {
    const auto& sessions = smallFlash().sessions;
    auto first = std::find_if(sessions.begin(), sessions.end(), [](const auto& s) { return s.logRange.complete(); });
    ASSERT_NE(first, sessions.end());
    auto second = std::find_if(first + 1, sessions.end(), [](const auto& s) { return s.logRange.complete(); });
    ASSERT_NE(second, sessions.end());
    open(withDuration(withDuration(smallFlash().flash, *first, 599), *second, 0));
    chooseDevice();
    auto listed = [&](std::int32_t id) {
        return std::any_of(workflow->rows().begin(), workflow->rows().end(), [&](const auto& r) { return r.id == id; });
    };
    EXPECT_FALSE(listed(first->id));
    EXPECT_FALSE(listed(second->id));
    workflow->setMin10(false);
    EXPECT_TRUE(listed(first->id));
    EXPECT_FALSE(listed(second->id));
    const auto row = std::find_if(workflow->rows().begin(), workflow->rows().end(),
                                  [&](const auto& r) { return r.id == first->id; });
    EXPECT_EQ(row->timeLength, "00:09:59");
    workflow->setMin10(true);
    EXPECT_FALSE(listed(first->id));
}

TEST_F(DownloadTest, DownloadingEverySessionWritesFilesAndRows) {
    open();
    downloadAll();
    ASSERT_EQ(workflow->state(), DownloadState::Done) << ::testing::PrintToString(boxTexts());
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Data download!"});
    EXPECT_FALSE(workflow->progressVisible());
    EXPECT_EQ(imagesLeft(), 0);

    const auto& rows = workflow->rows();
    ASSERT_EQ(workflow->downloaded().size(), rows.size());
    EXPECT_EQ(count("select count(*) from tSession"), static_cast<int>(rows.size()));
    int realtimeFiles = 0;
    for (const auto& d : workflow->downloaded()) {
        SCOPED_TRACE(d.id);
        const auto* g = generated(d.id);
        ASSERT_NE(g, nullptr);
        const TLogData& entry = workflow->LogIndex()[static_cast<std::size_t>(workflow->FindSession(d.id, 0))];
        EXPECT_EQ(d.store.outcome, StoreOutcome::Stored);
        EXPECT_EQ(d.logFile, folder + stamp(entry.Time) + ".hidl");
        EXPECT_TRUE(std::filesystem::exists(d.logFile));
        const int rt = workflow->FindSession(d.id, 1);
        if (rt >= 0) {
            const auto& r = workflow->RealtimeIndex()[static_cast<std::size_t>(rt)];
            EXPECT_EQ(d.realtimeFile, folder + stamp(r.Time) + ".hidr");
            EXPECT_TRUE(std::filesystem::exists(d.realtimeFile));
            EXPECT_EQ(d.store.realTime, *FormatDeviceTime(DateTimeForm::DateTimeText, r.Time));
            ++realtimeFiles;
        } else {
            EXPECT_EQ(d.store.realTime, d.store.openTime);
        }
        EXPECT_EQ(d.store.openTime, *FormatDeviceTime(DateTimeForm::DateTimeText, entry.Time));
        if (g->logRange.complete()) {
            EXPECT_EQ(d.store.events, static_cast<int>(g->log.Events.size()));
        }
        EXPECT_EQ(count("select count(*) from tData where SessionID=" + d.store.sessionId), d.store.events);
        EXPECT_EQ(count("select Times from tSession where SessionID=" + d.store.sessionId),
                  g->logRange.complete() ? g->durationSeconds : count("select Times from tSession where SessionID=" +
                                                                      d.store.sessionId));
        // The first event began Offset - TimeLen seconds after the start.
        if (!g->log.Events.empty() && g->logRange.complete()) {
            const auto& e = g->log.Events.front();
            storage::Query q;
            ASSERT_GT(dm.ExecSQL(q, "select DataTime, DataType, DataValue, TimeLen from tData where SessionID=" +
                                        d.store.sessionId + " order by ID",
                                 storage::kPatientConnection, false),
                      0);
            const auto open = DateTime::parse(d.store.openTime);
            EXPECT_EQ(q.Fields(0).AsDateTime().format(DateTimeForm::DateTimeText),
                      open->addSeconds(e.Offset - e.TimeLen).format(DateTimeForm::DateTimeText));
            EXPECT_EQ(q.Fields(1).AsInteger(), e.Code);
            EXPECT_EQ(q.Fields(2).AsInteger(), e.Value);
            EXPECT_EQ(q.Fields(3).AsInteger(), e.TimeLen);
        }
    }
    EXPECT_GT(realtimeFiles, 0);
    EXPECT_EQ(workflow->writtenFiles().size(), workflow->downloaded().size() + realtimeFiles);
    // Log files of a model 10 hold one sample step per 20 seconds.
    TDataFile reader;
    ASSERT_EQ(reader.ReadHeader(workflow->downloaded().front().logFile), 0);
    ASSERT_FALSE(reader.Channels().empty());
    for (const auto& c : reader.Channels()) EXPECT_EQ(c.PointsPerSample, 20);
    for (const auto& c : workflow->ChannelList()) EXPECT_EQ(c.PointsPerSample, 20);
    for (const auto& f : std::filesystem::recursive_directory_iterator(dir))
        EXPECT_NE(f.path().extension(), ".part") << f.path();
}

TEST_F(DownloadTest, DownloadingAgainKeepsOrReplacesTheStoredSessions) {
    open();
    downloadAll();
    ASSERT_EQ(workflow->state(), DownloadState::Done);
    std::map<std::string, std::string> firstIds;  // OpenTime -> SessionID
    for (const auto& d : workflow->downloaded()) firstIds[d.store.openTime] = d.store.sessionId;
    const int sessions = count("select count(*) from tSession");
    const int events = count("select count(*) from tData");
    ASSERT_GT(events, 0);

    // Overwriting off: nothing changes, and no realtime data are fetched again.
    workflow->SelectAll();
    ASSERT_TRUE(workflow->StartDownload());
    ASSERT_TRUE(runUntil([&] { return idleState(); }));
    ASSERT_EQ(workflow->state(), DownloadState::Done);
    EXPECT_EQ(count("select count(*) from tSession"), sessions);
    EXPECT_EQ(count("select count(*) from tData"), events);
    for (const auto& d : workflow->downloaded()) {
        EXPECT_EQ(d.store.outcome, StoreOutcome::Kept);
        EXPECT_TRUE(d.realtimeFile.empty());
    }

    // Overwriting on: the same sessions and events, under new SessionIDs.
    workflow->setOverwrite(true);
    workflow->SelectAll();
    ASSERT_TRUE(workflow->StartDownload());
    ASSERT_TRUE(runUntil([&] { return idleState(); }));
    ASSERT_EQ(workflow->state(), DownloadState::Done);
    EXPECT_EQ(count("select count(*) from tSession"), sessions);
    EXPECT_EQ(count("select count(*) from tData"), events);
    for (const auto& d : workflow->downloaded()) {
        EXPECT_EQ(d.store.outcome, StoreOutcome::Stored);
        EXPECT_NE(d.store.sessionId, firstIds[d.store.openTime]);
        EXPECT_EQ(count("select count(*) from tData where SessionID=" + firstIds[d.store.openTime]), 0);
        if (workflow->HasRealtimeData(d.id)) {
            EXPECT_FALSE(d.realtimeFile.empty());
        }
    }
}

TEST_F(DownloadTest, RefusalsOfTheDownloadButton) {
    open();
    chooseDevice();
    EXPECT_FALSE(workflow->StartDownload());
    workflow->SelectAll();
    workflow->setLeads(false, false);
    EXPECT_FALSE(workflow->StartDownload());
    workflow->setLeads(false, true);
    workflow->setPatient("", "   ");
    EXPECT_FALSE(workflow->StartDownload());
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Please select your download data!", "请选择需要下载的导联！",
                                                     "Please open a patient!"}));
    EXPECT_EQ(workflow->state(), DownloadState::ChoosingSessions);
}

TEST_F(DownloadTest, ReSelectInvertsEveryTick) {
    open();
    chooseDevice();
    ASSERT_GE(workflow->rows().size(), 2u);
    workflow->setRowChecked(0, true);
    workflow->ReSelect();
    EXPECT_FALSE(workflow->rows()[0].checked);
    for (std::size_t i = 1; i < workflow->rows().size(); ++i) EXPECT_TRUE(workflow->rows()[i].checked);
}

// Ticks only the sessions with realtime data, and the first two of them.
void tickTwoWithRealtime(DownloadWorkflow& w) {
    int ticked = 0;
    for (std::size_t i = 0; i < w.rows().size() && ticked < 2; ++i)
        if (w.HasRealtimeData(w.rows()[i].id)) w.setRowChecked(static_cast<int>(i), true), ++ticked;
    ASSERT_EQ(ticked, 2);
}

TEST_F(DownloadTest, SilenceInARealtimeTransferLeavesNoFileAndIsFetchedNextTime) {
    open();
    chooseDevice();
    tickTwoWithRealtime(*workflow);
    // Silence in the middle of the second realtime transfer.
    view.onFile = [&](const std::string&) {
        devsim::FaultOptions silent;
        silent.silentAfterReports = 30;
        vent->setFaults(silent);
        view.onFile = {};
    };
    ASSERT_TRUE(workflow->StartDownload());
    ASSERT_TRUE(runUntil([&] { return idleState(); }));
    EXPECT_EQ(workflow->state(), DownloadState::Failed);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"An error occurred while reading data!"});
    EXPECT_FALSE(workflow->progressVisible());
    EXPECT_EQ(imagesLeft(), 0);
    EXPECT_EQ(count("select count(*) from tSession"), 0);
    int hidr = 0;
    for (const auto& f : std::filesystem::directory_iterator(folder)) {
        EXPECT_NE(f.path().extension(), ".part");
        hidr += f.path().extension() == ".hidr" ? 1 : 0;
    }
    EXPECT_EQ(hidr, 1);

    vent->setFaults({});
    ASSERT_TRUE(workflow->StartDownload());
    ASSERT_TRUE(runUntil([&] { return idleState(); }));
    ASSERT_EQ(workflow->state(), DownloadState::Done);
    // Only the session whose realtime file is missing is fetched again.
    int fetched = 0;
    for (const auto& d : workflow->downloaded()) fetched += d.realtimeFile.empty() ? 0 : 1;
    EXPECT_EQ(fetched, 1);
    EXPECT_EQ(count("select count(*) from tSession"), 2);
}

TEST_F(DownloadTest, SilenceInTheLogPhaseKeepsTheSessionsStoredBefore) {
    open();
    chooseDevice();
    workflow->SelectAll();
    ASSERT_GE(workflow->rows().size(), 3u);
    view.onSession = [&](const DownloadedSession&) {
        devsim::FaultOptions silent;
        silent.silentAfterReports = 40;
        vent->setFaults(silent);
    };
    ASSERT_TRUE(workflow->StartDownload());
    ASSERT_TRUE(runUntil([&] { return idleState(); }));
    EXPECT_EQ(workflow->state(), DownloadState::Failed);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"An error occurred while reading data!"});
    EXPECT_EQ(count("select count(*) from tSession"), 1);
    EXPECT_EQ(count("select count(*) from tData"), workflow->downloaded().front().store.events);
    EXPECT_EQ(imagesLeft(), 0);
}

TEST_F(DownloadTest, ABusyDeviceStopsTheLogPhaseWithTheIdleMessage) {
    open();
    chooseDevice();
    workflow->SelectAll();
    view.onSession = [&](const DownloadedSession&) {
        devsim::FaultOptions busy;
        busy.busy = true;
        vent->setFaults(busy);
    };
    ASSERT_TRUE(workflow->StartDownload());
    ASSERT_TRUE(runUntil([&] { return idleState(); }));
    EXPECT_EQ(workflow->state(), DownloadState::Failed);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Device is not currently idle state!"});
    EXPECT_FALSE(workflow->progressVisible());
    EXPECT_EQ(count("select count(*) from tSession"), 1);
}

TEST_F(DownloadTest, ABusyDeviceRefusesTheIndex) {
    devsim::VentilatorOptions options;
    options.faults.busy = true;
    open(smallFlash().flash, options);
    workflow->ChooseDevice(0);
    clock.advance(10000);
    EXPECT_EQ(workflow->state(), DownloadState::Failed);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Device is not currently idle state!"});
    EXPECT_FALSE(workflow->progressVisible());
    EXPECT_TRUE(workflow->rows().empty());
    EXPECT_EQ(imagesLeft(), 0);
}

TEST_F(DownloadTest, CancellingTheLogIndexStopsTheDevice) {
    open();
    workflow->ChooseDevice(0);
    ASSERT_TRUE(workflow->progressVisible());
    ASSERT_EQ(workflow->state(), DownloadState::LoadingLogIndex);
    const auto before = vent->commands().size();
    workflow->Cancel();
    clock.advance(10000);
    EXPECT_EQ(workflow->state(), DownloadState::Failed);
    EXPECT_FALSE(workflow->progressVisible());
    EXPECT_TRUE(workflow->rows().empty());
    EXPECT_TRUE(presenter.boxes.empty());
    EXPECT_FALSE(workflow->link()->busy());
    const auto commands = vent->commands();
    ASSERT_GT(commands.size(), before);
    bool stopped = false;
    for (std::size_t i = before; i < commands.size(); ++i) stopped |= commands[i].code == kCmdStop;
    EXPECT_TRUE(stopped);
    EXPECT_EQ(imagesLeft(), 0);
}

TEST_F(DownloadTest, UnpluggingDuringTheDownloadReportsAReadError) {
    open();
    chooseDevice();
    workflow->SelectAll();
    devsim::FaultOptions vanish;
    view.onFile = [&](const std::string&) {
        vanish.vanishAfterReports = 100;
        vent->setFaults(vanish);
        view.onFile = {};
    };
    ASSERT_TRUE(workflow->StartDownload());
    ASSERT_TRUE(runUntil([&] { return idleState() && !workflow->progressVisible(); }));
    clock.advance(10000);
    EXPECT_EQ(workflow->state(), DownloadState::Failed);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"An error occurred while reading data!"});
    EXPECT_TRUE(workflow->devices().empty());
    EXPECT_TRUE(workflow->rows().empty());
    EXPECT_EQ(imagesLeft(), 0);
}

TEST_F(DownloadTest, ProgressShowsTheIndexTransferAndTheTimeLeft) {
    open();
    workflow->ChooseDevice(0);
    workflow->ProgressTick();
    EXPECT_EQ(workflow->lastProgress().text.rfind("Download log information index:  ( ", 0), 0u)
        << workflow->lastProgress().text;
    EXPECT_NE(workflow->lastProgress().text.find("K / 189K )"), std::string::npos);
    EXPECT_EQ(workflow->lastProgress().timeText.rfind("The expected time:  ", 0), 0u);
}

}  // namespace
}  // namespace somnexa::device::testing
