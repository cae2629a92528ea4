#pragma once
// A patient of its own for each test: a master and a patient database in a
// fresh folder, open in a data module, with helpers that add sessions, events
// and log files.

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "records/data_file.h"
#include "records/date_time.h"
#include "storage/data_module.h"
#include "storage/database_builder.h"
#include "storage/recording_presenter.h"
#include "../storage/temp_folder.h"

namespace somnexa::analysis::test {

inline DateTime at(const std::string& text) { return *DateTime::parse(text); }

using storage::test::TempFolder;

struct SessionRow {
    std::string open;  // "YYYY-MM-DD HH:NN:SS"
    int times = 0;
    int workMode = 0;
    int pressure = 100;  // tenths of cmH2O, stored in the mode's working-pressure column
};

class PatientFixture : public ::testing::Test {
protected:
    static constexpr const char* kPatientID = "20250101001";

    void SetUp() override {
        std::string error;
        ASSERT_TRUE(storage::createDatabase(folder.file("DBQorvel.mdb"), storage::DatabaseKind::Master, error))
            << error;
        ASSERT_TRUE(storage::createDatabase(folder.file(std::string(kPatientID) + ".mdb"),
                                            storage::DatabaseKind::Patient, error))
            << error;
        dm.MasterDBPath = folder.file("DBQorvel.mdb");
        ASSERT_TRUE(dm.ConnectDatabase(storage::kMasterConnection));
        dm.OpenPatientDatabase(folder.file(std::string(kPatientID) + ".mdb"));
        ASSERT_TRUE(dm.conn1.isOpen());
    }

    void exec(const std::string& sql) {
        ASSERT_GE(dm.ExecSQL(q, sql, storage::kPatientConnection, true), 0) << sql;
    }

    void addSession(const SessionRow& s) {
        const char* column = s.workMode == 0 ? "StartPress" : s.workMode == 4 ? "MaxPress" : "InspPress";
        exec("insert into tSession (OpenTime, Times, WorkMode, " + std::string(column) + ") values (#" + s.open +
             "#, " + std::to_string(s.times) + ", " + std::to_string(s.workMode) + ", " +
             std::to_string(s.pressure) + ")");
    }

    void addEvent(const std::string& time, int type) {
        exec("insert into tData (SessionID, DataTime, DataType) values (1, #" + time + "#, " + std::to_string(type) +
             ")");
    }

    std::string logFileName(const std::string& open) const {
        return folder.file(at(open).format(DateTimeForm::FileStamp) + ".hidl");
    }

    // A log file of one channel per code (Rate 1, PointsPerSample p); frame f
    // holds value(f) in every channel.
    template <typename Value>
    void writeLogFile(const std::string& open, int frames, int p, Value value, std::vector<int> channelCodes = {16, 17}) {
        TDataFile file;
        arTChannleInfo channels;
        for (int code : channelCodes) {
            TChannleInfo c;
            c.Code = static_cast<std::uint8_t>(code);
            c.Rate = 1;
            c.PointsPerSample = static_cast<std::uint16_t>(p);
            channels.push_back(c);
        }
        file.SetChannels(channels);
        file.Header.FileKind = kLogFileKind;
        file.Header.StartTime = at(open).days();
        const std::string name = logFileName(open);
        ASSERT_EQ(file.CreateDataFile(name), 0);
        std::vector<std::int32_t> frame(channels.size());
        for (int f = 0; f < frames; ++f) {
            for (std::size_t c = 0; c < channels.size(); ++c) frame[c] = value(f, channelCodes[c]);
            ASSERT_GT(file.AppendFrame(name, frame), 0);
        }
        ASSERT_EQ(file.FinishLogFile(name, {}), 0);
    }

    // Rows of the cache for a day and code, as "DataMode=Values[,Values1]".
    std::vector<std::string> cacheRows(const std::string& day, int code) {
        std::vector<std::string> rows;
        if (dm.ExecSQL(q,
                       "select * from tColumnData where sDate='" + day + "' and Code=" + std::to_string(code) +
                           " order by DataMode, ID",
                       storage::kPatientConnection, true) > 0)
            for (q.First(); !q.Eof(); q.Next()) {
                std::string row = q.FieldByName("DataMode").AsString() + "=" + q.FieldByName("Values").AsString();
                if (!q.FieldByName("Values1").IsNull()) row += "," + q.FieldByName("Values1").AsString();
                rows.push_back(row);
            }
        return rows;
    }

    TempFolder folder;
    storage::RecordingPresenter presenter;
    storage::TDM dm{&presenter};
    storage::Query q;
};

}  // namespace somnexa::analysis::test
