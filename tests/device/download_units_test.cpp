// The download's small parts: the device item, the progress figures and the
// storing of one session.

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <filesystem>

#include "device/device_item.h"
#include "device/download_progress.h"
#include "device/session_store.h"
#include "records/qv_func.h"
#include "storage/database_builder.h"
#include "storage/recording_presenter.h"

namespace somnexa::device {
namespace {

TEST(DeviceItem, CaptionModelNumberAndIcon) {
    struct Case {
        const char* product;
        const char* caption;
        int model;
        int icon;
    };
    for (const Case c : {Case{"Nimbra-C0110", "Nimbra-C01", 10, 0}, Case{"Nimbra-C01", "Nimbra-C01", 0, 0},
                         Case{"Nimbra-C01ab", "Nimbra-C01", 0, 0}, Case{"Other-X0015", "Other-X001", 5, 1},
                         Case{"Nimbra", "Nimbra", 0, 1}, Case{"", "", 0, 1}}) {
        SCOPED_TRACE(c.product);
        const TItemData item = MakeItemData(c.product);
        EXPECT_EQ(item.ProductName, c.product);
        EXPECT_EQ(item.ModelNumber, c.model);
        EXPECT_EQ(DeviceCaption(c.product), c.caption);
        EXPECT_EQ(DeviceIcon(DeviceCaption(c.product)), c.icon);
    }
}

TEST(DownloadProgress, TimeLeftTexts) {
    EXPECT_EQ(FormatTimeLeft(0, {}), "The expected time:  0 second");
    EXPECT_EQ(FormatTimeLeft(3, {}), "The expected time:  3 second");
    EXPECT_EQ(FormatTimeLeft(61, {}), "The expected time:  1 minute 1 second");
    EXPECT_EQ(FormatTimeLeft(-5, {}), "The expected time:  0 second");
    // A translation with a stray or missing placeholder is shown safely.
    const Translator odd = [](const std::string&) { return std::string("100% %d"); };
    EXPECT_EQ(FormatTimeLeft(125, odd), "100% 2");
}

TEST(DownloadProgress, EstimatesFromTheBytesLeft) {
    arTRealTimeData realtime(1);
    realtime[0].Size = 65000;
    realtime[0].Time = {2019, 10, 31, 22, 15, 3, 0};
    ProgressInputs in;
    in.regionType = 8;
    in.received = 0;
    in.transferTotal = 65000;
    in.currentSession = 0;
    in.realtimeIndex = &realtime;
    auto f = ProgressTick(in, {});
    EXPECT_EQ(f.secondsLeft, 3);
    EXPECT_EQ(f.timeText, "The expected time:  3 second");
    EXPECT_EQ(f.text, "Download realtime data: 20191031221503 ( 0K / 63K )");
    EXPECT_EQ(f.percent, 0);

    in.transferTotal = 60 * 30000;
    f = ProgressTick(in, {});
    EXPECT_EQ(f.secondsLeft, 61);
    EXPECT_EQ(f.timeText, "The expected time:  1 minute 1 second");
    EXPECT_EQ(f.transferTotal, 65000);  // measured against the session from now on

    in.received = 65000 / 2;
    in.transferTotal = 65000;
    EXPECT_EQ(ProgressTick(in, {}).percent, 50);
    in.received = 70000;
    EXPECT_EQ(ProgressTick(in, {}).percent, 100);
    EXPECT_EQ(ProgressTick(in, {}).secondsLeft, 1);  // -5000 div 30000 + 1
}

TEST(DownloadProgress, TextsOfEveryTransferKind) {
    arTLogData log(1);
    log[0].Size = 8192;
    log[0].Time = {19, 11, 1, 6, 0, 0, 0};
    arTLogData sessions(1);
    sessions[0].Events.resize(30);
    sessions[0].DeviceData.resize(970);
    ProgressInputs in;
    in.received = 4096;
    in.transferTotal = 194048;
    in.logIndex = &log;
    in.logSessions = &sessions;

    in.regionType = 6;
    EXPECT_EQ(ProgressTick(in, {}).text, "Download log information index:  ( 4K / 189K )");
    in.regionType = 5;
    EXPECT_EQ(ProgressTick(in, {}).text, "Download realtime data index:  ( 4K / 65K )");
    in.regionType = 7;
    in.currentSession = 0;
    auto f = ProgressTick(in, {});
    EXPECT_EQ(f.text, "Download log information: 20191101060000 ( 4K / 8K )");
    EXPECT_EQ(f.percent, 50);
    in.currentSession = -1;
    EXPECT_EQ(ProgressTick(in, {}).text, "");
    in.currentSession = 5;  // out of range: nothing to name
    EXPECT_EQ(ProgressTick(in, {}).text, "");

    // Storing: rows against events and samples, at 500 rows a second.
    in.regionType = 0;
    in.currentSession = 0;
    in.savedEvents = 10;
    f = ProgressTick(in, [](const std::string& t) { return "[" + t + "]"; });
    EXPECT_EQ(f.text, "[Saving the log event:] 20191101060000 ( 10 / 1000 )");
    EXPECT_EQ(f.secondsLeft, 2);
    EXPECT_EQ(f.percent, 1);
    EXPECT_EQ(f.timeText, "[The expected time:  2 second]");
}

class StoreSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = (std::filesystem::temp_directory_path() /
                ("somnexa_store_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                 ".mdb"))
                   .string();
        std::filesystem::remove(path);
        std::string error;
        ASSERT_TRUE(storage::createDatabase(path, storage::DatabaseKind::Patient, error)) << error;
        dm.PatientDBPath = path;
        dm.setPresenter(&presenter);
        session.Id = 4;
        session.Time = {19, 10, 31, 22, 0, 0, 0};
        session.WorkMode = 1;
        session.InspPress = 120;
        session.Times = 7200;
        session.ISlop = 3;
        session.Events.push_back(event(9, 3600, 12, 40));
        session.Events.push_back(event(19, 30, 30, 55));
    }
    void TearDown() override {
        dm.DisconnectDatabase(storage::kPatientConnection);
        std::filesystem::remove(path);
    }
    static TLogEvent event(int code, int offset, int timeLen, int value) {
        TLogEvent e;
        e.Code = static_cast<std::uint8_t>(code);
        e.Offset = offset;
        e.TimeLen = static_cast<std::uint8_t>(timeLen);
        e.Value = static_cast<std::uint8_t>(value);
        return e;
    }
    std::string text(const std::string& sql) {
        storage::Query q;
        if (dm.ExecSQL(q, sql, storage::kPatientConnection, false) <= 0) return "<none>";
        std::string out;
        for (int i = 0; i < q.FieldCount(); ++i) out += (i ? "|" : "") + q.Fields(i).AsString();
        return out;
    }

    std::string path;
    storage::RecordingPresenter presenter;
    storage::TDM dm;
    TLogData session;
};

TEST_F(StoreSessionTest, WritesTheSessionAndItsEvents) {
    int saved = -1;
    int rows = 0;
    StoreOptions options;
    options.savedEvents = &saved;
    options.afterRow = [&] { ++rows; };
    const auto r = StoreSessionRows(dm, session, {}, options);
    ASSERT_EQ(r.outcome, StoreOutcome::Stored);
    EXPECT_EQ(r.openTime, "2019-10-31 22:00:00");
    EXPECT_EQ(r.realTime, r.openTime);  // no realtime entry
    EXPECT_EQ(r.events, 2);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(saved, 0);
    EXPECT_EQ(text("select OpenTime, RealTime, WorkMode, InspPress, Times, ISlop from tSession"),
              "2019-10-31 22:00:00|2019-10-31 22:00:00|1|120|7200|3");
    EXPECT_EQ(text("select DataTime, DataType, DataValue, TimeLen, SessionID from tData order by ID"),
              "2019-10-31 22:59:48|9|40|12|" + r.sessionId);
    EXPECT_EQ(text("select count(*) from tData where DataTime=#2019-10-31 22:00:00#"), "1");
    EXPECT_TRUE(presenter.boxes.empty());
}

TEST_F(StoreSessionTest, RealTimeComesFromTheRealtimeEntryWithTheSameId) {
    arTRealTimeData realtime(2);
    realtime[0].Id = 3;
    realtime[0].Time = {2019, 10, 31, 21, 0, 0, 0};
    realtime[1].Id = 4;
    realtime[1].Time = {2019, 10, 31, 22, 0, 5, 0};
    session.Events.clear();
    const auto r = StoreSessionRows(dm, session, realtime, {});
    ASSERT_EQ(r.outcome, StoreOutcome::Stored);
    EXPECT_EQ(text("select RealTime from tSession"), "2019-10-31 22:00:05");
    EXPECT_EQ(text("select count(*) from tData"), "0");
}

TEST_F(StoreSessionTest, StoringAgainKeepsOrReplaces) {
    const auto first = StoreSessionRows(dm, session, {}, {});
    ASSERT_EQ(first.outcome, StoreOutcome::Stored);
    session.Events.push_back(event(6, 100, 5, 1));
    EXPECT_EQ(StoreSessionRows(dm, session, {}, {}).outcome, StoreOutcome::Kept);
    EXPECT_EQ(text("select count(*) from tSession"), "1");
    EXPECT_EQ(text("select count(*) from tData"), "2");

    StoreOptions overwrite;
    overwrite.overwrite = true;
    const auto again = StoreSessionRows(dm, session, {}, overwrite);
    ASSERT_EQ(again.outcome, StoreOutcome::Stored);
    EXPECT_NE(again.sessionId, first.sessionId);
    EXPECT_EQ(text("select count(*) from tSession"), "1");
    EXPECT_EQ(text("select count(*) from tData where SessionID=" + first.sessionId), "0");
    EXPECT_EQ(text("select count(*) from tData where SessionID=" + again.sessionId), "3");
}

TEST_F(StoreSessionTest, AFailedEventInsertLeavesNothingBehind) {
    // Overwriting a stored session whose events cannot be written keeps the old one.
    ASSERT_EQ(StoreSessionRows(dm, session, {}, {}).outcome, StoreOutcome::Stored);
    const std::string before = text("select SessionID, Times from tSession");
    ASSERT_NE(dm.conn1.handle(), nullptr);
    ASSERT_EQ(sqlite3_exec(dm.conn1.handle(),
                           "create trigger refuse before insert on tData begin select raise(abort, 'refused'); end",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    StoreOptions overwrite;
    overwrite.overwrite = true;
    session.Times = 1;
    EXPECT_EQ(StoreSessionRows(dm, session, {}, overwrite).outcome, StoreOutcome::Failed);
    EXPECT_FALSE(StoreSession(dm, session, {}, overwrite));
    EXPECT_EQ(text("select SessionID, Times from tSession"), before);
    EXPECT_EQ(text("select count(*) from tData"), "2");
    ASSERT_FALSE(presenter.boxes.empty());

    // A new session fails whole as well.
    session.Time.Day = 30;
    EXPECT_EQ(StoreSessionRows(dm, session, {}, {}).outcome, StoreOutcome::Failed);
    EXPECT_EQ(text("select count(*) from tSession"), "1");
}

TEST_F(StoreSessionTest, AnUnreachableDatabaseFails) {
    dm.PatientDBPath = "/nonexistent/folder/x.mdb";
    EXPECT_FALSE(StoreSession(dm, session, {}, {}));
}

}  // namespace
}  // namespace somnexa::device
