#include "patients/open_patient_window.h"

#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableView>

#include <filesystem>

#include "patients/patient_files.h"
#include "patients/patient_registry.h"
#include "window_fixture.h"

namespace somnexa::patients {
namespace {

class PatientList : public test::WindowFixture {
protected:
    void add(const std::string& name) {
        PatientRecord r;
        r.patientID = context->dm().NewPatientID();
        r.name = name;
        r.gender = "Male";
        r.age = "50";
        PatientRegistry registry(context->dm(), boxes, programDir());
        ASSERT_TRUE(registry.Save(SaveMode::New, r, DefaultSavePath(programDir(), name), ""));
        boxes.boxes.clear();
    }
    std::unique_ptr<TfrmOpenPatient> open(ListMode mode) {
        auto list = std::make_unique<TfrmOpenPatient>(*context, mode);
        list->setMainWindow(&mainWindow);
        list->show();
        return list;
    }
    std::vector<std::string> shownNames(TfrmOpenPatient& list) {
        std::vector<std::string> names;
        for (int r = 0; r < list.rowCount(); ++r) names.push_back(list.entryAt(r).name);
        return names;
    }
};

TEST_F(PatientList, ShowsEveryPatientInFiveColumns) {
    add("Li");
    add("Wang");
    auto list = open(ListMode::Page);
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Select Patient"));
    EXPECT_EQ(shownNames(*list), (std::vector<std::string>{"Wang", "Li"}));
    auto* model = list->grdList->model();
    ASSERT_EQ(model->columnCount(), 5);
    EXPECT_EQ(model->headerData(4, Qt::Horizontal).toString(), QStringLiteral("Data folder"));
    EXPECT_EQ(model->index(0, 0).data().toString(), QStringLiteral("20120906002"));
    EXPECT_EQ(model->index(0, 1).data().toString(), QStringLiteral(" Wang"));
    EXPECT_EQ(model->index(0, 2).data().toString(), QStringLiteral("50"));
    EXPECT_EQ(list->grdList->columnWidth(0), 135);
    EXPECT_FALSE(list->btnImport->isHidden());
}

TEST_F(PatientList, SearchTrimsTheTextAndTakesItLiterallyOrAsPattern) {
    add("O'Brien");
    add("Li");
    add("Lu");
    auto list = open(ListMode::Page);
    list->edtSearch->setText(QStringLiteral("  '  "));
    list->btnSearchClick();
    EXPECT_EQ(list->edtSearch->text(), QStringLiteral("'"));
    EXPECT_EQ(shownNames(*list), std::vector<std::string>{"O'Brien"});
    list->edtSearch->setText(QStringLiteral("L_"));
    list->btnSearchClick();
    EXPECT_EQ(shownNames(*list), (std::vector<std::string>{"Lu", "Li"}));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(PatientList, OpeningSelectsWritesHistoryAndShowsPatientInfo) {
    add("Li");
    add("Wang");
    context->dm().DisconnectDatabase(storage::kPatientConnection);
    auto list = open(ListMode::Page);
    list->selectRow(1);
    list->btnSelectClick();
    EXPECT_EQ(context->CurrentPatientID, "20120906001");
    EXPECT_EQ(context->CurrentPatientCaption, "20120906001, Li, Male, 50");
    EXPECT_EQ(exec("select * from SeeLog where PatientID='20120906001'"), 1);
    EXPECT_EQ(posted(), (std::vector<std::pair<int, std::intptr_t>>{{msg::WM_USER_INFO, 0}, {msg::WM_CHANGE_PAGE, 2}}));
}

TEST_F(PatientList, OpeningAPatientWhoseFileIsGoneRemovesTheRow) {
    add("Li");
    add("Wang");
    std::filesystem::remove_all(programDir() + "Patients/Wang");
    auto list = open(ListMode::Page);
    list->selectRow(0);
    list->btnSelectClick();
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"The patient file does not exist!"});
    EXPECT_EQ(shownNames(*list), std::vector<std::string>{"Li"});
    EXPECT_EQ(exec("select * from tPatients"), 1);
    EXPECT_TRUE(posted().empty());
}

TEST_F(PatientList, EmptyListAsksForASelection) {
    auto list = open(ListMode::Page);
    list->btnSelectClick();
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Please select the need to open the patient!"});
}

TEST_F(PatientList, DeletingTheSelectedPatientClearsTheFooter) {
    add("Li");
    add("Wang");
    context->CurrentPatientID = "20120906001";
    context->CurrentPatientCaption = "20120906001, Li, Male, 50";
    auto list = open(ListMode::Page);
    // No: nothing happens.
    list->selectRow(0);
    list->btnDeleteClick();
    EXPECT_EQ(list->rowCount(), 2);
    // Another patient: the selection stays.
    boxes.answers = {true};
    list->btnDeleteClick();
    EXPECT_EQ(shownNames(*list), std::vector<std::string>{"Li"});
    EXPECT_EQ(context->CurrentPatientID, "20120906001");
    EXPECT_TRUE(posted().empty());
    // The selected patient: the selection is cleared.
    boxes.answers = {true};
    list->selectRow(0);
    list->btnDeleteClick();
    EXPECT_EQ(list->rowCount(), 0);
    EXPECT_TRUE(context->CurrentPatientID.empty());
    EXPECT_TRUE(context->CurrentPatientCaption.empty());
    EXPECT_EQ(posted(), (std::vector<std::pair<int, std::intptr_t>>{{msg::WM_USER_INFO, 0}}));
    EXPECT_EQ(boxTexts(), std::vector<std::string>(3, "Are you sure you want to delete this patient information?"));
    EXPECT_TRUE(FileExists(programDir() + "Patients/Li/20120906001.mdb"));
}

TEST_F(PatientList, ImportAddsTheFileUnderANewIdentifier) {
    std::filesystem::create_directories(file("usb"));
    const std::string imported = file("usb/20110101004.mdb");
    std::filesystem::copy_file(file("Patient.mdb"), imported);
    {
        storage::Connection c;
        std::string error;
        ASSERT_TRUE(c.open(imported, error));
        ASSERT_EQ(c.run("insert into tPatients (PatientID,PatientName,Gender,Age) values ('20110101004','Chen','Male',47)",
                        nullptr, error),
                  1);
    }
    auto list = open(ListMode::Page);
    boxes.files.push_back(imported);
    list->btnImportClick();
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Patient data into success!"});
    EXPECT_EQ(shownNames(*list), std::vector<std::string>{"Chen"});
    EXPECT_EQ(list->entryAt(0).patientID, "20120906001");
    EXPECT_TRUE(FileExists(file("usb/20120906001.mdb")));
}

TEST_F(PatientList, DialogModeHasItsOwnLayoutSectionAndCloses) {
    add("Li");
    auto list = open(ListMode::Dialog);
    EXPECT_EQ(list->gridSection(), QStringLiteral("OpenPatientList2"));
    EXPECT_TRUE(list->btnImport->isHidden());
    EXPECT_EQ(list->btnBack->text(), QStringLiteral("&Cancel"));
    EXPECT_EQ(list->size(), QSize(600, 450));
    list->grdList->setColumnWidth(1, 222);
    list->btnSelectClick();
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(context->CurrentPatientID, "20120906001");
    EXPECT_EQ(posted(), (std::vector<std::pair<int, std::intptr_t>>{{msg::WM_USER_INFO, 0}}));
    QSettings ini(QString::fromStdString(file("grid.ini")), QSettings::IniFormat);
    EXPECT_TRUE(ini.childGroups().contains(QStringLiteral("OpenPatientList2")));
    auto again = open(ListMode::Dialog);
    EXPECT_EQ(again->grdList->columnWidth(1), 222);
}

}  // namespace
}  // namespace somnexa::patients
