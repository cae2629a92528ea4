#include "patients/new_patient_window.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "patients/patient_files.h"
#include "window_fixture.h"

namespace somnexa::patients {
namespace {

class NewPatientPage : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        page = std::make_unique<TfrmNewPatient>(*context);
        page->setMainWindow(&mainWindow);
        page->resize(900, 600);
        page->show();
    }
    void typeNew(const QString& name) {
        page->btnNewClick();
        page->edtName->setText(name);
        page->dtpBirthday->setDate(QDate(1958, 3, 1));
        page->edtHeight->setText(QStringLiteral("175"));
        page->edtWeight->setText(QStringLiteral("70"));
    }
    std::unique_ptr<TfrmNewPatient> page;
};

TEST_F(NewPatientPage, EmptyWithoutSelection) {
    EXPECT_EQ(page->windowTitle(), QStringLiteral("Patient Information"));
    EXPECT_TRUE(page->btnNew->isEnabled());
    EXPECT_FALSE(page->btnModify->isEnabled());
    EXPECT_FALSE(page->btnSave->isEnabled());
    EXPECT_FALSE(page->edtName->isEnabled());
    EXPECT_EQ(page->dtpBirthday->date(), QDate(1990, 1, 1));
    EXPECT_EQ(page->lblAgeValue->text(), QStringLiteral("22"));
    EXPECT_EQ(page->cobSex->itemText(0), QStringLiteral("Male"));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(NewPatientPage, NewRecordFillsIdentifierPathAgeAndBmi) {
    typeNew(QStringLiteral("Li/../x"));
    EXPECT_EQ(page->edtPatientID->text(), QStringLiteral("20120906001"));
    EXPECT_FALSE(page->edtPatientID->isEnabled());
    EXPECT_FALSE(page->edtSavePath->isEnabled());
    EXPECT_TRUE(page->edtName->isEnabled());
    EXPECT_EQ(page->edtSavePath->text().toStdString(), programDir() + "Patients/Li____x");
    EXPECT_EQ(page->lblAgeValue->text(), QStringLiteral("54"));
    EXPECT_EQ(page->edtBMI->text(), QStringLiteral("22.86"));
    EXPECT_FALSE(page->lblBMIClass->isHidden());
    EXPECT_EQ(page->lblBMIClass->text(), QStringLiteral("Normal"));
    EXPECT_TRUE(page->lblBMIClass->styleSheet().contains(QStringLiteral("rgb(0, 128, 0)")));
    // Only the weight recomputes the BMI.
    page->edtHeight->setText(QStringLiteral("0"));
    EXPECT_EQ(page->edtBMI->text(), QStringLiteral("22.86"));
    page->edtWeight->setText(QStringLiteral("71"));
    EXPECT_EQ(page->edtBMI->text(), QStringLiteral("0.00"));
    EXPECT_TRUE(page->lblBMIClass->isHidden());
}

TEST_F(NewPatientPage, SaveSelectsThePatientAndTellsTheMainWindow) {
    typeNew(QStringLiteral("  Li  "));
    page->mmoClinic->setPlainText(QString(300, QLatin1Char('x')));
    EXPECT_EQ(page->mmoClinic->toPlainText().size(), 240);
    page->btnSaveClick();
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"The new patient data successfully!"});
    EXPECT_EQ(boxes.boxes[0].translatedText, "The new patient has been saved.");
    EXPECT_EQ(context->CurrentPatientID, "20120906001");
    EXPECT_EQ(context->CurrentPatientCaption, "20120906001,   Li  , Male, 54");
    EXPECT_EQ(posted(), (std::vector<std::pair<int, std::intptr_t>>{{msg::WM_USER_INFO, 0}}));
    // Back to viewing the saved record.
    EXPECT_FALSE(page->btnSave->isEnabled());
    EXPECT_TRUE(page->btnModify->isEnabled());
    EXPECT_EQ(page->edtName->text(), QStringLiteral("  Li  "));
    EXPECT_EQ(page->edtSavePath->text().toStdString(), programDir() + "Patients/Li");
    EXPECT_EQ(page->edtBMI->text(), QStringLiteral("22.86"));
    EXPECT_EQ(page->mmoClinic->toPlainText().size(), 240);
    EXPECT_TRUE(FileExists(programDir() + "Patients/Li/20120906001.mdb"));
}

TEST_F(NewPatientPage, BlankNameIsRefusedAndTheModeStays) {
    typeNew(QStringLiteral("   "));
    page->btnSaveClick();
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Please input the patient name!"});
    EXPECT_TRUE(page->btnSave->isEnabled());
    EXPECT_TRUE(page->isNewRecord());
    EXPECT_TRUE(posted().empty());
    EXPECT_EQ(exec("select * from tPatients"), 0);
}

TEST_F(NewPatientPage, ModifyAndCancel) {
    typeNew(QStringLiteral("Li"));
    page->btnSaveClick();
    boxes.boxes.clear();
    page->btnModifyClick();
    EXPECT_TRUE(page->edtName->isEnabled());
    EXPECT_EQ(page->edtName->text(), QStringLiteral("Li"));
    page->edtName->setText(QStringLiteral("Li Na"));
    // The save path does not follow the name outside a new record.
    EXPECT_EQ(page->edtSavePath->text().toStdString(), programDir() + "Patients/Li");
    page->cobSex->setCurrentIndex(1);
    page->btnSaveClick();
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"A patient of successful modification of data!"});
    EXPECT_EQ(context->CurrentPatientCaption, "20120906001, Li Na, Female, 54");
    EXPECT_EQ(exec("select * from tPatients where PatientName='Li Na' and Gender='Female'"), 1);

    page->btnModifyClick();
    page->edtName->setText(QStringLiteral("typed, then cancelled"));
    page->btnCancelClick();
    EXPECT_EQ(page->edtName->text(), QStringLiteral("Li Na"));
    EXPECT_FALSE(page->edtName->isEnabled());
}

TEST_F(NewPatientPage, SexStoredInAnotherLanguageSelectsNothing) {
    typeNew(QStringLiteral("Li"));
    page->cobSex->setItemText(0, QStringLiteral("男"));
    page->btnSaveClick();
    page->ShowPage();
    EXPECT_EQ(page->cobSex->currentIndex(), 0);
    // Stored as the Chinese item text, shown with English items.
    page->cobSex->setItemText(0, QStringLiteral("Male"));
    page->ShowPage();
    EXPECT_EQ(page->cobSex->currentIndex(), -1);
    EXPECT_EQ(exec("select * from tPatients where Gender='男'", storage::kPatientConnection), 1);
}

TEST_F(NewPatientPage, PhotoIsChosenOnlyWhileEditing) {
    QImage picture(40, 50, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(QString::fromStdString(file("face.png"))));
    boxes.files.push_back(file("face.png"));
    page->imgPhotoClick();
    EXPECT_TRUE(page->photoPath().isEmpty());
    EXPECT_TRUE(boxes.chooserTitles.empty());
    typeNew(QStringLiteral("Li"));
    page->imgPhotoClick();
    EXPECT_EQ(page->photoPath().toStdString(), file("face.png"));
    EXPECT_FALSE(page->imgPhoto->pixmap().isNull());
    page->btnSaveClick();
    EXPECT_TRUE(FileExists(programDir() + "Patients/Li/face.png"));
    EXPECT_EQ(page->photoPath().toStdString(), programDir() + "Patients/Li/face.png");
}

TEST_F(NewPatientPage, BrowseSetsFolderAndIdentifier) {
    page->btnNewClick();
    boxes.folders.push_back(file("elsewhere"));
    page->btnBrowseClick();
    EXPECT_EQ(boxes.chooserTitles, std::vector<std::string>{"Select the folder for the patient's data:"});
    EXPECT_EQ(page->edtSavePath->text().toStdString(), file("elsewhere") + "/20120906001");
}

}  // namespace
}  // namespace somnexa::patients
