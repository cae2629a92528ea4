#include "patients/view_history.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "patients/patient_files.h"
#include "patients/patient_index.h"
#include "patients/patient_registry.h"
#include "patients_fixture.h"

namespace somnexa::patients {
namespace {

class History : public test::ProgramFolder {
protected:
    void log(const std::string& id, const std::string& name, const std::string& age, double daysAgo) {
        storage::Query q;
        ASSERT_EQ(dm.ExecSQL(q, SeeLogInsertStatement({id, name, "Male", age, ""}, DateTime(now - daysAgo)),
                             storage::kMasterConnection, true),
                  1);
    }
    std::vector<std::string> captions() {
        std::vector<std::string> out;
        for (const auto& item : ReadViewingHistory(dm)) out.push_back(item.caption);
        return out;
    }
};

TEST_F(History, NewestEntryPerPatientNewestFirst) {
    log("20120901001", "Li", "40", 5);
    log("20120901002", "Wang", "50", 4);
    log("20120901001", "Li Na", "41", 1);
    const auto items = ReadViewingHistory(dm);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].caption, " 20120901001, Li Na, Male, 41");
    EXPECT_EQ(items[0].patientID, "20120901001");
    EXPECT_EQ(items[1].caption, " 20120901002, Wang, Male, 50");
}

TEST_F(History, TenAtMostAndOlderThanHundredDaysGo) {
    for (int i = 0; i < 12; ++i) log("201209010" + std::to_string(10 + i), "P" + std::to_string(i), "30", 12 - i);
    log("20120801001", "Old", "30", 101);
    const auto list = captions();
    ASSERT_EQ(list.size(), 10u);
    EXPECT_EQ(list.front(), " 20120901021, P11, Male, 30");
    EXPECT_EQ(list.back(), " 20120901012, P2, Male, 30");
    EXPECT_EQ(count("select * from SeeLog where PatientID='20120801001'"), 0);
    EXPECT_EQ(count("select * from SeeLog"), 12);
}

TEST_F(History, ReopeningChecksIndexAndFile) {
    PatientRecord r;
    r.patientID = dm.NewPatientID();
    r.name = "Li";
    r.gender = "Male";
    r.age = "40";
    PatientRegistry registry(dm, presenter, programDir());
    ASSERT_TRUE(registry.Save(SaveMode::New, r, DefaultSavePath(programDir(), "Li"), ""));
    presenter.boxes.clear();
    dm.DisconnectDatabase(storage::kPatientConnection);

    Selection selection;
    EXPECT_EQ(ReopenFromHistory(dm, presenter, r.patientID, selection), ReopenResult::Opened);
    EXPECT_EQ(selection.caption, "20120906001, Li, Male, 40");
    EXPECT_TRUE(dm.conn1.isOpen());
    EXPECT_EQ(count("select * from SeeLog"), 1);
    EXPECT_TRUE(presenter.boxes.empty());

    // Deleted from the index: still listed, but a click says so.
    PatientIndex(dm, presenter, programDir()).Delete(r.patientID);
    EXPECT_EQ(captions().size(), 1u);
    EXPECT_EQ(ReopenFromHistory(dm, presenter, r.patientID, selection), ReopenResult::NotInIndex);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"The current patient information does not exist!"});
}

TEST_F(History, ReopeningAPatientWhoseFileIsGoneRemovesItFromTheIndex) {
    ASSERT_EQ(count("insert into tPatients (PatientID,PatientName,Gender,PatientPath,PatientAge) values "
                    "('20120901001','Li','Male','" + folder.file("gone") + "',40)"),
              1);
    Selection selection;
    EXPECT_EQ(ReopenFromHistory(dm, presenter, "20120901001", selection), ReopenResult::FileMissing);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"The patient file does not exist!"});
    EXPECT_EQ(count("select * from tPatients"), 0);
}

}  // namespace
}  // namespace somnexa::patients
