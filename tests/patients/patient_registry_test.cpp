#include "patients/patient_registry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "patients/patient_files.h"
#include "patients_fixture.h"

namespace somnexa::patients {
namespace {

namespace fs = std::filesystem;

class Registry : public test::ProgramFolder {
protected:
    PatientRecord record(const std::string& name) {
        PatientRecord r;
        r.patientID = dm.NewPatientID();
        r.name = name;
        r.gender = "Male";
        r.birthday = *DateTime::fromCalendar(1958, 3, 1);
        r.age = "54";
        r.height = "175";
        r.weight = "70";
        r.bmi = "22.86";
        r.address = "O'Connell Street 1";
        r.clinic = "OSA";
        return r;
    }

    std::optional<Selection> create(PatientRecord& r) {
        return registry.Save(SaveMode::New, r, DefaultSavePath(programDir(), r.name), "");
    }

    PatientRegistry registry{dm, presenter, programDir()};
};

TEST_F(Registry, NewPatientMakesFolderDatabaseAndBothRows) {
    PatientRecord r = record("Li");
    const auto selection = create(r);
    ASSERT_TRUE(selection);
    EXPECT_EQ(r.patientID, "20120906001");
    EXPECT_EQ(selection->patientID, "20120906001");
    EXPECT_EQ(selection->caption, "20120906001, Li, Male, 54");
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"The new patient data successfully!"});
    const std::string dir = folder.file("Patients/Li");
    EXPECT_EQ(r.patientPath, dir);
    EXPECT_TRUE(FileExists(dir + "/20120906001.mdb"));
    EXPECT_EQ(dm.PatientDBPath, dir + "/20120906001.mdb");

    storage::Query q;
    ASSERT_EQ(dm.ExecSQL(q, "select * from tPatients", storage::kMasterConnection, true), 1);
    EXPECT_EQ(q.FieldByName("PatientPath").AsString(), dir);
    EXPECT_EQ(q.FieldByName("PatientAge").AsInteger(), 54);
    ASSERT_EQ(dm.ExecSQL(q, "select * from tPatients", storage::kPatientConnection, true), 1);
    EXPECT_EQ(q.FieldByName("Address").AsString(), "O'Connell Street 1");
    EXPECT_EQ(q.FieldByName("Birthday").AsDateTime().format(DateTimeForm::DateText), "1958-03-01");

    const auto loaded = registry.Load("20120906001");
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->name, "Li");
    EXPECT_EQ(loaded->clinic, "OSA");
    EXPECT_EQ(loaded->patientPath, dir);
    EXPECT_EQ(loaded->weight, "70");
}

TEST_F(Registry, BlankNameIsRefusedAndSurroundingBlanksKept) {
    PatientRecord blank = record("   ");
    EXPECT_FALSE(create(blank));
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Please input the patient name!"});
    EXPECT_FALSE(fs::exists(folder.file("Patients")));
    EXPECT_EQ(count("select * from tPatients"), 0);

    PatientRecord padded = record("  Wang  ");
    ASSERT_TRUE(create(padded));
    storage::Query q;
    ASSERT_EQ(dm.ExecSQL(q, "select * from tPatients", storage::kMasterConnection, true), 1);
    EXPECT_EQ(q.FieldByName("PatientName").AsString(), "  Wang  ");
    EXPECT_TRUE(fs::is_directory(folder.file("Patients/Wang")));
}

TEST_F(Registry, SameNameGetsNumberedFolderAndNextSequence) {
    PatientRecord first = record("Li");
    ASSERT_TRUE(create(first));
    PatientRecord second = record("Li");
    ASSERT_TRUE(create(second));
    PatientRecord third = record("Li");
    ASSERT_TRUE(create(third));
    EXPECT_EQ(second.patientPath, folder.file("Patients/Li1"));
    EXPECT_EQ(third.patientPath, folder.file("Patients/Li2"));
    EXPECT_EQ(second.patientID, "20120906002");
    EXPECT_TRUE(FileExists(folder.file("Patients/Li2/20120906003.mdb")));
}

TEST_F(Registry, SequenceAfterNineIsTen) {
    ASSERT_EQ(count("insert into tPatients (PatientID,PatientName) values ('20120906009','x')"), 1);
    ASSERT_EQ(count("insert into tPatients (PatientID,PatientName) values ('20120905031','y')"), 1);
    PatientRecord r = record("Li");
    EXPECT_EQ(r.patientID, "20120906010");
}

TEST_F(Registry, NoIdentifierLeftForTheDayIsRefused) {
    ASSERT_EQ(count("insert into tPatients (PatientID,PatientName) values ('20120906999','x')"), 1);
    PatientRecord r = record("Li");
    EXPECT_EQ(r.patientID, "");
    EXPECT_FALSE(create(r));
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"No new patient ID is available today!"});
    EXPECT_FALSE(fs::exists(folder.file("Patients")));
    EXPECT_EQ(count("select * from tPatients"), 1);
}

TEST_F(Registry, HostileNameCannotLeavePatientsFolder) {
    PatientRecord r = record("../../evil");
    const auto selection = create(r);
    ASSERT_TRUE(selection);
    EXPECT_EQ(r.patientPath, folder.file("Patients/______evil"));
    EXPECT_FALSE(fs::exists(fs::path(folder.path()).parent_path().parent_path() / "evil"));
    storage::Query q;
    ASSERT_EQ(dm.ExecSQL(q, "select * from tPatients", storage::kMasterConnection, true), 1);
    EXPECT_EQ(q.FieldByName("PatientName").AsString(), "../../evil");
}

TEST_F(Registry, MissingTemplateLeavesNoHalfMadePatient) {
    fs::remove(folder.file("Patient.mdb"));
    PatientRecord r = record("Li");
    EXPECT_FALSE(create(r));
    ASSERT_EQ(presenter.boxes.size(), 1u);
    EXPECT_EQ(presenter.boxes[0].kind, storage::BoxKind::Error);
    EXPECT_EQ(presenter.boxes[0].text, "The patient data file could not be created!");
    EXPECT_FALSE(fs::exists(folder.file("Patients")));
    EXPECT_EQ(count("select * from tPatients"), 0);
}

TEST_F(Registry, FailingIndexRowRemovesFolderAndRestoresSelectedPatient) {
    PatientRecord first = record("Li");
    ASSERT_TRUE(create(first));
    const std::string selectedDB = dm.PatientDBPath;
    presenter.boxes.clear();
    // An identifier already in the index: the index row cannot be written.
    PatientRecord clash = record("Wang");
    clash.patientID = first.patientID;
    EXPECT_FALSE(create(clash));
    ASSERT_FALSE(presenter.boxes.empty());
    EXPECT_EQ(presenter.boxes.back().text.rfind("Error executing SQL!", 0), 0u);
    EXPECT_FALSE(fs::exists(folder.file("Patients/Wang")));
    EXPECT_EQ(count("select * from tPatients"), 1);
    EXPECT_EQ(dm.PatientDBPath, selectedDB);
    EXPECT_TRUE(dm.conn1.isOpen());
}

TEST_F(Registry, FolderThatCannotBeMadeIsReported) {
    std::ofstream(folder.file("Patients")) << "a file where the folder should be";
    PatientRecord r = record("Li");
    EXPECT_FALSE(create(r));
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"The patient folder could not be created!"});
    EXPECT_TRUE(fs::is_regular_file(folder.file("Patients")));
    EXPECT_EQ(count("select * from tPatients"), 0);
}

TEST_F(Registry, PhotoIsCopiedIntoTheFolderOnce) {
    std::ofstream(folder.file("face.jpg")) << "jpeg bytes";
    PatientRecord r = record("Li");
    ASSERT_TRUE(registry.Save(SaveMode::New, r, DefaultSavePath(programDir(), "Li"), folder.file("face.jpg")));
    const std::string stored = folder.file("Patients/Li/face.jpg");
    EXPECT_EQ(r.photo, stored);
    EXPECT_TRUE(FileExists(stored));
    // Saving again with the photo already in the folder keeps it.
    presenter.boxes.clear();
    ASSERT_TRUE(registry.Save(SaveMode::Modify, r, r.patientPath, stored));
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"A patient of successful modification of data!"});
    std::ifstream in(stored);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, "jpeg bytes");
}

TEST_F(Registry, ModifyUpdatesBothRowsAndNeedsTheFile) {
    PatientRecord r = record("Li");
    ASSERT_TRUE(create(r));
    r.name = "Li Na";
    r.age = "55";
    presenter.boxes.clear();
    const auto selection = registry.Save(SaveMode::Modify, r, r.patientPath, "");
    ASSERT_TRUE(selection);
    EXPECT_EQ(selection->caption, "20120906001, Li Na, Male, 55");
    EXPECT_EQ(count("select * from tPatients where PatientName='Li Na' and PatientAge=55"), 1);
    EXPECT_EQ(count("select * from tPatients where PatientName='Li Na'", storage::kPatientConnection), 1);

    presenter.boxes.clear();
    dm.DisconnectDatabase(storage::kPatientConnection);
    fs::remove(r.patientPath + "/20120906001.mdb");
    EXPECT_FALSE(registry.Save(SaveMode::Modify, r, r.patientPath, ""));
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"The patient data file has been corrupted!"});
}

TEST_F(Registry, LoadReportsMissingRows) {
    EXPECT_FALSE(registry.Load("20120906001"));
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"The main index data in the table is not correct!"});
    PatientRecord r = record("Li");
    ASSERT_TRUE(create(r));
    ASSERT_EQ(count("delete from tPatients", storage::kPatientConnection), 1);
    presenter.boxes.clear();
    EXPECT_FALSE(registry.Load("20120906001"));
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Secondary index data in the table is not correct!"});
}

}  // namespace
}  // namespace somnexa::patients
