#include "patients/patient_index.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "patients/patient_files.h"
#include "patients/patient_registry.h"
#include "patients_fixture.h"
#include "storage/file_lock.h"

namespace somnexa::patients {
namespace {

namespace fs = std::filesystem;

class Index : public test::ProgramFolder {
protected:
    // A patient in the index with its folder and database.
    PatientRecord add(const std::string& name, const std::string& gender = "Female", const std::string& age = "40") {
        PatientRecord r;
        r.patientID = dm.NewPatientID();
        r.name = name;
        r.gender = gender;
        r.age = age;
        r.birthday = *DateTime::fromCalendar(1972, 5, 1);
        PatientRegistry registry(dm, presenter, programDir());
        EXPECT_TRUE(registry.Save(SaveMode::New, r, DefaultSavePath(programDir(), name), ""));
        presenter.boxes.clear();
        return r;
    }

    std::vector<std::string> names(const std::string& text) {
        std::vector<std::string> found;
        for (const auto& e : index.SearchEntries(text)) found.push_back(e.name);
        return found;
    }

    std::string readAll(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    PatientIndex index{dm, presenter, programDir()};
};

TEST_F(Index, SearchTextsAsPatternsNewestFirst) {
    add("Li");
    add("O'Brien");
    add("50% Wang");
    add("Zhao_Yun");
    add("Zhao Yun");
    EXPECT_EQ(names(""), (std::vector<std::string>{"Zhao Yun", "Zhao_Yun", "50% Wang", "O'Brien", "Li"}));
    EXPECT_EQ(names("'"), (std::vector<std::string>{"O'Brien"}));
    EXPECT_EQ(names("O'B"), (std::vector<std::string>{"O'Brien"}));
    // "_" matches any one character, "%" any run.
    EXPECT_EQ(names("Zhao_Yun"), (std::vector<std::string>{"Zhao Yun", "Zhao_Yun"}));
    EXPECT_EQ(names("L%"), (std::vector<std::string>{"Li"}));
    EXPECT_EQ(names("50%"), (std::vector<std::string>{"50% Wang"}));
    // Identifiers are searched too.
    EXPECT_EQ(names("20120906001"), (std::vector<std::string>{"Li"}));
    EXPECT_TRUE(presenter.boxes.empty());

    storage::Query q;
    ASSERT_EQ(index.Search("Li", q), 1);
    EXPECT_EQ(q.FieldByName("PatientName1").AsString(), " Li");
    EXPECT_EQ(q.FieldByName("PatientPath1").AsString(), " " + folder.file("Patients/Li"));
}

TEST_F(Index, OpeningConnectsAndWritesHistory) {
    const PatientRecord li = add("Li", "Male", "61");
    const auto entries = index.SearchEntries("Li");
    ASSERT_EQ(entries.size(), 1u);
    dm.DisconnectDatabase(storage::kPatientConnection);
    Selection selection;
    EXPECT_EQ(index.Open(entries[0], selection), OpenResult::Opened);
    EXPECT_EQ(selection.patientID, li.patientID);
    EXPECT_EQ(selection.caption, "20120906001, Li, Male, 61");
    EXPECT_EQ(dm.PatientDBPath, folder.file("Patients/Li/20120906001.mdb"));
    EXPECT_TRUE(dm.conn1.isOpen());
    storage::Query q;
    ASSERT_EQ(dm.ExecSQL(q, "select * from SeeLog", storage::kMasterConnection, true), 1);
    EXPECT_EQ(q.FieldByName("Patientage").AsInteger(), 61);
    EXPECT_EQ(q.FieldByName("LogDate").AsString(), "2012-09-06 10:30:00");
    EXPECT_TRUE(presenter.boxes.empty());
}

TEST_F(Index, OpeningAPatientWhoseFileIsGoneRemovesIt) {
    add("Li");
    add("Wang");
    fs::remove_all(folder.file("Patients/Li"));
    const auto entries = index.SearchEntries("Li");
    ASSERT_EQ(entries.size(), 1u);
    Selection selection;
    EXPECT_EQ(index.Open(entries[0], selection), OpenResult::FileMissing);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"The patient file does not exist!"});
    EXPECT_TRUE(selection.patientID.empty());
    EXPECT_EQ(names(""), std::vector<std::string>{"Wang"});
    EXPECT_EQ(count("select * from SeeLog"), 0);
}

TEST_F(Index, DeleteRemovesOnlyTheIndexRow) {
    const PatientRecord li = add("Li");
    EXPECT_TRUE(index.Delete(li.patientID));
    EXPECT_TRUE(names("").empty());
    EXPECT_TRUE(FileExists(folder.file("Patients/Li/20120906001.mdb")));
}

// A patient database file brought from elsewhere, named after its identifier.
class Import : public Index {
protected:
    std::string makeFile(const std::string& name, const std::string& rowID) {
        fs::create_directories(folder.file("usb"));
        const std::string file = folder.file("usb/" + name);
        fs::copy_file(folder.file("Patient.mdb"), file);
        storage::Connection c;
        std::string error;
        EXPECT_TRUE(c.open(file, error)) << error;
        EXPECT_EQ(c.run("insert into tPatients (PatientID,PatientName,Gender,Age) values ('" + rowID +
                            "','Chen','Male',47)",
                        nullptr, error),
                  1)
            << error;
        return file;
    }
};

TEST_F(Import, FileGetsANewIdentifierAndJoinsTheIndex) {
    add("Li");
    const std::string file = makeFile("20110101004.mdb", "20110101004");
    const auto newID = index.Import(file);
    ASSERT_TRUE(newID);
    EXPECT_EQ(*newID, "20120906002");
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Patient data into success!"});
    EXPECT_FALSE(fs::exists(file));
    const std::string renamed = folder.file("usb/20120906002.mdb");
    ASSERT_TRUE(FileExists(renamed));
    storage::Connection c;
    std::string error;
    ASSERT_TRUE(c.open(renamed, error));
    storage::Query q;
    ASSERT_EQ(c.run("select * from tPatients", &q, error), 1);
    EXPECT_EQ(q.FieldByName("PatientID").AsString(), "20120906002");

    const auto entries = index.SearchEntries("Chen");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].patientID, "20120906002");
    EXPECT_EQ(entries[0].age, "47");
    EXPECT_EQ(entries[0].path, folder.file("usb"));
    // The patient selected before the import stays connected.
    EXPECT_EQ(dm.PatientDBPath, folder.file("Patients/Li/20120906001.mdb"));
    EXPECT_TRUE(dm.conn1.isOpen());
    Selection selection;
    EXPECT_EQ(index.Open(entries[0], selection), OpenResult::Opened);
}

TEST_F(Import, NameOfOtherLengthIsRefused) {
    for (const std::string name : {"2011010100.mdb", "201101010044.mdb", "x.20110101004.mdb"}) {
        presenter.boxes.clear();
        const std::string file = makeFile(name, "20110101004");
        const std::string before = readAll(file);
        EXPECT_FALSE(index.Import(file)) << name;
        EXPECT_EQ(boxTexts(), std::vector<std::string>{"Data file does not match!"}) << name;
        EXPECT_EQ(readAll(file), before);
    }
    // Only the part before the first dot counts.
    presenter.boxes.clear();
    EXPECT_TRUE(index.Import(makeFile("20110101004.backup.mdb", "20110101004")));
}

TEST_F(Import, FileThatIsNoDatabaseOrLacksItsRowChangesNothing) {
    fs::create_directories(folder.file("usb"));
    const std::string text = folder.file("usb/20110101004.mdb");
    std::ofstream(text) << "this is not a database file at all, just some text";
    const std::string empty = folder.file("usb/20110101005.mdb");
    std::ofstream{empty};
    const std::string otherRow = makeFile("20110101006.mdb", "20110101009");
    for (const std::string& file : {text, empty, otherRow}) {
        presenter.boxes.clear();
        const std::string before = readAll(file);
        EXPECT_FALSE(index.Import(file)) << file;
        EXPECT_EQ(boxTexts(), std::vector<std::string>{"Data file information is not correct!"}) << file;
        EXPECT_EQ(readAll(file), before) << file;
        EXPECT_TRUE(FileExists(file));
    }
    EXPECT_EQ(count("select * from tPatients"), 0);
}

TEST_F(Import, FileInUseIsRefused) {
    const std::string file = makeFile("20110101004.mdb", "20110101004");
    storage::SharedFileLock lock;
    std::string error;
    ASSERT_TRUE(lock.acquire(file, error));
    EXPECT_FALSE(index.Import(file));
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"File is already in use, please close the data file!"});
}

}  // namespace
}  // namespace somnexa::patients
