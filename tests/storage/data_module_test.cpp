#include "storage/data_module.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "records/fixed_text.h"
#include "storage/database_builder.h"
#include "storage/file_lock.h"
#include "storage/recording_presenter.h"
#include "temp_folder.h"

namespace somnexa::storage {
namespace {

class DataModule : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(createDatabase(folder.file("DBQorvel.mdb"), DatabaseKind::Master, error)) << error;
        ASSERT_TRUE(createDatabase(folder.file("20191031001.mdb"), DatabaseKind::Patient, error)) << error;
        dm.MasterDBPath = folder.file("DBQorvel.mdb");
        dm.PatientDBPath = folder.file("20191031001.mdb");
        dm.setClock([this] { return today; });
    }

    void writeFile(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    test::TempFolder folder;
    RecordingPresenter presenter;
    TDM dm{&presenter};
    double today = DateTime::fromCalendar(2012, 9, 6, 10, 30)->days();
    Query q;
};

TEST_F(DataModule, ExecSqlCountsRowsAndChanges) {
    ASSERT_TRUE(dm.ConnectDatabase(kMasterConnection));
    EXPECT_EQ(dm.ExecSQL(q, "select * from tPatients", kMasterConnection, true), 0);
    EXPECT_EQ(dm.ExecSQL(q, "insert into tPatients (PatientID,PatientName) values ('1','a')", kMasterConnection, true), 1);
    EXPECT_EQ(dm.ExecSQL(q, "insert into tPatients (PatientID,PatientName) values ('2','b')", kMasterConnection, true), 1);
    EXPECT_EQ(dm.ExecSQL(q, "  SELECT * from tPatients order by PatientID desc", kMasterConnection, true), 2);
    // The query stays on its first row.
    EXPECT_EQ(q.FieldByName("PatientID").AsString(), "2");
    EXPECT_EQ(dm.ExecSQL(q, "update tPatients set PatientName='c'", kMasterConnection, true), 2);
    EXPECT_EQ(dm.ExecSQL(q, "delete from tPatients where PatientID='9'", kMasterConnection, true), 0);
    EXPECT_TRUE(presenter.boxes.empty());
}

TEST_F(DataModule, SelectWithIntoRunsAsACommand) {
    ASSERT_TRUE(dm.ConnectDatabase(kMasterConnection));
    dm.ExecSQL(q, "insert into tPatients (PatientID) values ('1')", kMasterConnection, true);
    EXPECT_GE(dm.ExecSQL(q, "select PatientID INTO tCopy from tPatients", kMasterConnection, true), 0);
    EXPECT_FALSE(q.Active());
    EXPECT_EQ(dm.ExecSQL(q, "select * from tCopy", kMasterConnection, true), 1);
    // " into " inside a text leaves a select a result set.
    EXPECT_EQ(dm.ExecSQL(q, "select * from tPatients where PatientName like '% into %'", kMasterConnection, true), 0);
    EXPECT_TRUE(q.Active());
}

TEST_F(DataModule, NoOpenConnectionGivesMinusOneSilently) {
    EXPECT_EQ(dm.ExecSQL(q, "select * from tPatients", kMasterConnection, true), -1);
    EXPECT_EQ(dm.ExecSQL(q, "select * from tSession", kPatientConnection, true), -1);
    EXPECT_TRUE(presenter.boxes.empty());
}

TEST_F(DataModule, SqlErrorShowsTheInformationBoxOnlyWhenAsked) {
    ASSERT_TRUE(dm.ConnectDatabase(kMasterConnection));
    EXPECT_EQ(dm.ExecSQL(q, "select * from tMissing", kMasterConnection, false), -1);
    EXPECT_TRUE(presenter.boxes.empty());
    EXPECT_EQ(dm.ExecSQL(q, "select * from tMissing", kMasterConnection, true), -1);
    ASSERT_EQ(presenter.boxes.size(), 1u);
    EXPECT_EQ(presenter.boxes[0].kind, BoxKind::Info);
    EXPECT_EQ(presenter.boxes[0].caption, "Information");
    EXPECT_EQ(presenter.boxes[0].text.rfind("Error executing SQL!\n\r", 0), 0u);
    EXPECT_NE(presenter.boxes[0].text.find("\n\rselect * from tMissing"), std::string::npos);
}

TEST_F(DataModule, ErrorTextsAreTranslatedThroughTheCatalogue) {
    MessageCatalogue catalogue;
    catalogue.table.add("error executing sql!", "SQL-Fehler!");
    catalogue.table.add("Information", "Hinweis");
    presenter.setCatalogue(&catalogue);
    dm.setCatalogue(&catalogue);
    ASSERT_TRUE(dm.ConnectDatabase(kMasterConnection));
    dm.ExecSQL(q, "select * from tMissing", kMasterConnection, true);
    ASSERT_EQ(presenter.boxes.size(), 1u);
    EXPECT_EQ(presenter.boxes[0].translatedCaption, "Hinweis");
    EXPECT_EQ(presenter.boxes[0].text.rfind("SQL-Fehler!\n\r", 0), 0u);
}

TEST_F(DataModule, TextWithAQuoteIsStoredIntact) {
    ASSERT_TRUE(dm.ConnectDatabase(kMasterConnection));
    const std::string name = "O'Neil \"Jr\" #1 [x] 病人";
    ASSERT_EQ(dm.ExecSQL(q, "insert into tPatients (PatientID,PatientName) values ('1'," + QuotedStr(name) + ")",
                         kMasterConnection, true),
              1);
    ASSERT_EQ(dm.ExecSQL(q, "select * from tPatients where PatientName=" + QuotedStr(name), kMasterConnection, true), 1);
    EXPECT_EQ(q.FieldByName("PatientName").AsString(), name);
}

TEST_F(DataModule, ConnectionFailuresShowTheErrorBox) {
    dm.MasterDBPath = folder.file("missing.mdb");
    EXPECT_FALSE(dm.ConnectDatabase(kMasterConnection));
    writeFile(folder.file("text.mdb"), std::string(4096, 'x'));
    dm.PatientDBPath = folder.file("text.mdb");
    EXPECT_FALSE(dm.ConnectDatabase(kPatientConnection));
    // A database whose pages were overwritten after the header.
    const std::string damaged = folder.file("damaged.mdb");
    std::string error;
    ASSERT_TRUE(createDatabase(damaged, DatabaseKind::Patient, error));
    {
        std::fstream f(damaged, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(100);
        const std::string junk(3000, '\x5a');
        f.write(junk.data(), static_cast<std::streamsize>(junk.size()));
    }
    dm.PatientDBPath = damaged;
    EXPECT_FALSE(dm.ConnectDatabase(kPatientConnection));
    // An empty file is no database either, and stays empty.
    writeFile(folder.file("empty.mdb"), "");
    dm.PatientDBPath = folder.file("empty.mdb");
    EXPECT_FALSE(dm.ConnectDatabase(kPatientConnection));
    EXPECT_EQ(std::filesystem::file_size(folder.file("empty.mdb")), 0u);
    ASSERT_EQ(presenter.boxes.size(), 4u);
    for (const RecordedBox& b : presenter.boxes) {
        EXPECT_EQ(b.kind, BoxKind::Error);
        EXPECT_EQ(b.text.rfind("Database connection failed!\n\r", 0), 0u) << b.text;
    }
    EXPECT_FALSE(dm.conn1.isOpen());
}

TEST_F(DataModule, MasterConnectionKeepsItsFilePatientConnectionFollowsThePath) {
    ASSERT_TRUE(dm.ConnectDatabase(kMasterConnection));
    const std::string first = dm.conn.path();
    dm.MasterDBPath = folder.file("elsewhere.mdb");
    EXPECT_TRUE(dm.ConnectDatabase(kMasterConnection));
    EXPECT_EQ(dm.conn.path(), first);

    std::string error;
    ASSERT_TRUE(createDatabase(folder.file("other.mdb"), DatabaseKind::Patient, error));
    ASSERT_TRUE(dm.ConnectDatabase(kPatientConnection));
    dm.PatientDBPath = folder.file("other.mdb");
    ASSERT_TRUE(dm.ConnectDatabase(kPatientConnection));
    EXPECT_EQ(dm.conn1.path(), folder.file("other.mdb"));
    EXPECT_FALSE(dm.DisconnectDatabase(kPatientConnection));
    EXPECT_FALSE(dm.conn1.isOpen());
}

TEST_F(DataModule, OptionsAreReadWithDefaultAndWrittenOnce) {
    ASSERT_TRUE(dm.ConnectDatabase(kMasterConnection));
    dm.ExecSQL(q, "delete from sysOption", kMasterConnection, true);
    EXPECT_EQ(dm.GetOption("Language", "1"), "1");
    EXPECT_TRUE(dm.SetOption("Language", "3"));
    EXPECT_EQ(dm.GetOption("language", "1"), "3");
    EXPECT_TRUE(dm.SetOption("Language", "1"));
    EXPECT_EQ(dm.GetOption("Language", "9"), "1");
    EXPECT_EQ(dm.ExecSQL(q, "select * from sysOption", kMasterConnection, true), 1);
}

TEST_F(DataModule, ShippedMasterStartsInEnglish) {
    ASSERT_TRUE(dm.ConnectDatabase(kMasterConnection));
    EXPECT_EQ(dm.GetOption("Language", "1"), "3");
}

TEST_F(DataModule, OpenPatientDatabaseCreatesTheColumnCacheWhenMissing) {
    dm.PatientDBPath = folder.file("20191031001.mdb");
    ASSERT_TRUE(dm.ConnectDatabase(kPatientConnection));
    ASSERT_GE(dm.ExecSQL(q, "drop table tColumnData", kPatientConnection, true), 0);
    EXPECT_FALSE(dm.TableExists("tColumnData"));
    dm.OpenPatientDatabase(folder.file("20191031001.mdb"));
    EXPECT_EQ(dm.PatientDBPath, folder.file("20191031001.mdb"));
    EXPECT_TRUE(dm.TableExists("tColumnData"));
    EXPECT_EQ(dm.ExecSQL(q,
                         "Insert into tColumnData (sDate, Code, CodePos, DataMode, [Values], Values1) values "
                         "('2019-10-31',201,0,0,'2019-10-31 22:00:00', '2019-11-01 06:00:00')",
                         kPatientConnection, true),
              1);
    // Opening again leaves the table and its rows.
    dm.OpenPatientDatabase(folder.file("20191031001.mdb"));
    EXPECT_EQ(dm.ExecSQL(q, "select * from tColumnData", kPatientConnection, true), 1);
    EXPECT_EQ(q.FieldByName("ID").AsInteger(), 1);
    EXPECT_TRUE(presenter.boxes.empty());
}

TEST_F(DataModule, OpenPatientDatabaseOnAMissingFileShowsOnlyTheConnectionError) {
    dm.OpenPatientDatabase(folder.file("gone.mdb"));
    ASSERT_EQ(presenter.boxes.size(), 1u);
    EXPECT_EQ(presenter.boxes[0].kind, BoxKind::Error);
}

TEST_F(DataModule, NewPatientIdCountsTheDaysSequence) {
    EXPECT_EQ(dm.NewPatientID(), "20120906001");
    auto add = [&](const std::string& id) {
        ASSERT_EQ(dm.ExecSQL(q, "insert into tPatients (PatientID) values (" + QuotedStr(id) + ")", kMasterConnection,
                             true),
                  1);
    };
    add("20120906001");
    add("20120905042");  // another day
    EXPECT_EQ(dm.NewPatientID(), "20120906002");
    add("20120906006");
    EXPECT_EQ(dm.NewPatientID(), "20120906007");
    add("20120906009");
    EXPECT_EQ(dm.NewPatientID(), "20120906010");
    add("20120906999");
    EXPECT_EQ(dm.NewPatientID(), "");  // no number left for the day: nothing is handed out twice
}

TEST_F(DataModule, NewPatientIdIsEmptyWithoutMasterDatabase) {
    dm.MasterDBPath = folder.file("missing.mdb");
    EXPECT_EQ(dm.NewPatientID(), "");
}

TEST_F(DataModule, ReadPatientInfoFillsTheBlockAndCutsAtCharacters) {
    dm.PatientDBPath = folder.file("20191031001.mdb");
    ASSERT_TRUE(dm.ConnectDatabase(kPatientConnection));
    // 7 three-byte characters = 21 bytes: the 20-byte name keeps 6 of them (18 bytes).
    const std::string longName = "張張張張張張張";
    ASSERT_EQ(dm.ExecSQL(q,
                         "insert into tPatients (PatientID,PatientName,Gender,Birthday,Age,Height,Weight,BMI,Phone,"
                         "Address,E_Mail,Photo,Allergic,Clinic,Readme,DeviceName,Doctor) values ('20191031001'," +
                             QuotedStr(longName) +
                             ",'Male','1970-05-17',49,'180','80','24.69','555','Street 1','a@b.c','','none','asthma',"
                             "'note','Nimbra-C01','Dr. X')",
                         kPatientConnection, true),
              1);
    TPatientInfo info{};
    ASSERT_EQ(dm.ReadPatientInfo("20191031001", info), 0);
    EXPECT_EQ(fixedText(info.PatientID), "20191031001");
    EXPECT_EQ(fixedText(info.PatientName), "張張張張張張");
    EXPECT_EQ(info.PatientName[18], '\0');
    EXPECT_EQ(fixedText(info.Gender), "Male");
    EXPECT_EQ(info.Age, 49);
    EXPECT_EQ(info.Birthday, DateTime::fromCalendar(1970, 5, 17)->days());
    EXPECT_EQ(fixedText(info.BMI), "24.69");
    EXPECT_EQ(fixedText(info.DeviceName), "Nimbra-C01");
    EXPECT_EQ(fixedText(info.Doctor), "Dr. X");
    EXPECT_EQ(fixedText(info.Clinic), "asthma");

    TPatientInfo none{};
    EXPECT_EQ(dm.ReadPatientInfo("20191031002", none), -2);
    dm.PatientDBPath = folder.file("missing.mdb");
    EXPECT_EQ(dm.ReadPatientInfo("20191031001", none), -1);
}

TEST_F(DataModule, FileInUseWhileAConnectionHoldsTheFile) {
    const std::string patient = folder.file("20191031001.mdb");
    EXPECT_FALSE(FileInUse(folder.file("absent.mdb")));
    EXPECT_FALSE(FileInUse(patient));
    dm.PatientDBPath = patient;
    ASSERT_TRUE(dm.ConnectDatabase(kPatientConnection));
    EXPECT_TRUE(FileInUse(patient));
    dm.DisconnectDatabase(kPatientConnection);
    EXPECT_FALSE(FileInUse(patient));
    // Any other connection of ours holds the file just the same.
    Connection other;
    std::string error;
    ASSERT_TRUE(other.open(patient, error)) << error;
    EXPECT_TRUE(FileInUse(patient));
}

TEST_F(DataModule, TransactionsCommitAndRollBack) {
    dm.PatientDBPath = folder.file("20191031001.mdb");
    ASSERT_TRUE(dm.ConnectDatabase(kPatientConnection));
    ASSERT_TRUE(dm.BeginTransaction(kPatientConnection));
    dm.ExecSQL(q, "insert into tData (SessionID, DataTime, DataType) values (1, #2019-10-31 22:00:00#, 9)",
               kPatientConnection, true);
    ASSERT_TRUE(dm.RollbackTransaction(kPatientConnection));
    EXPECT_EQ(dm.ExecSQL(q, "select * from tData", kPatientConnection, true), 0);
    ASSERT_TRUE(dm.BeginTransaction(kPatientConnection));
    dm.ExecSQL(q, "insert into tData (SessionID, DataTime, DataType) values (1, #2019-10-31 22:00:00#, 9)",
               kPatientConnection, true);
    ASSERT_TRUE(dm.CommitTransaction(kPatientConnection));
    EXPECT_EQ(dm.ExecSQL(q, "select * from tData", kPatientConnection, true), 1);
    EXPECT_FALSE(dm.CommitTransaction(kPatientConnection));  // none open
    EXPECT_EQ(presenter.boxes.size(), 1u);
}

TEST_F(DataModule, ImportInsertsIntoTheMasterFileNamedInTheStatement) {
    dm.PatientDBPath = folder.file("20191031001.mdb");
    ASSERT_TRUE(dm.ConnectDatabase(kPatientConnection));
    ASSERT_EQ(dm.ExecSQL(q,
                         "insert into tPatients (PatientID,PatientName,Gender,Age) values "
                         "('20100101003','Bo','Female',33)",
                         kPatientConnection, true),
              1);
    const std::string sql = "insert into tPatients (Patientid,Patientname,Gender,PatientAge,Patientpath) in " +
                            QuotedStr(dm.MasterDBPath) + " select " + QuotedStr("20191031005") +
                            ",Patientname,Gender,Age," + QuotedStr(folder.path()) +
                            " from tPatients where Patientid=" + QuotedStr("20100101003");
    EXPECT_EQ(dm.ExecSQL(q, sql, kPatientConnection, true), 1);
    ASSERT_TRUE(dm.ConnectDatabase(kMasterConnection));
    ASSERT_EQ(dm.ExecSQL(q, "select * from tPatients", kMasterConnection, true), 1);
    EXPECT_EQ(q.FieldByName("PatientID").AsString(), "20191031005");
    EXPECT_EQ(q.FieldByName("PatientAge").AsInteger(), 33);
    EXPECT_EQ(q.FieldByName("PatientPath").AsString(), folder.path());
    // A file that is not there is an SQL error, and no empty database appears.
    const std::string missing = folder.file("nowhere.mdb");
    EXPECT_EQ(dm.ExecSQL(q, "insert into tPatients (PatientID) in " + QuotedStr(missing) + " select '1'",
                         kPatientConnection, false),
              -1);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

}  // namespace
}  // namespace somnexa::storage
