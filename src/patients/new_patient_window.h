#pragma once
// TfrmNewPatient, the Patient Info page: shows the selected patient's record
// and creates a new patient or modifies the selected one.

#include <QPointer>

#include <memory>

#include "app/qv_form.h"
#include "patients/patient_registry.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace somnexa::patients {

class TfrmNewPatient : public app::TQvForm {
public:
    explicit TfrmNewPatient(app::AppContext& context, QWidget* parent = nullptr);

    // The window told of a changed selection (default: the top-level window).
    void setMainWindow(QObject* window) { mainWindow_ = window; }

    // Shows the selected patient (or an empty, disabled form).
    void ShowPage();
    void btnNewClick();
    void btnModifyClick();
    void btnSaveClick();
    void btnCancelClick();
    void btnBrowseClick();
    void imgPhotoClick();
    void edtNameChange();
    void dtpBirthdayChange();
    void edtWeightChange();

    bool isNewRecord() const { return newRecord_; }
    const QString& photoPath() const { return photoPath_; }

    QLineEdit* edtPatientID = nullptr;
    QLineEdit* edtName = nullptr;
    QDateEdit* dtpBirthday = nullptr;
    QLabel* lblAgeValue = nullptr;
    QComboBox* cobSex = nullptr;
    QLineEdit* edtHeight = nullptr;
    QLineEdit* edtWeight = nullptr;
    QLineEdit* edtBMI = nullptr;
    QLabel* lblBMIClass = nullptr;
    QLineEdit* edtPhone = nullptr;
    QLineEdit* edtAddress = nullptr;
    QLineEdit* edtEmail = nullptr;
    QLineEdit* edtSavePath = nullptr;
    QPushButton* btnBrowse = nullptr;
    QLabel* imgPhoto = nullptr;
    QPlainTextEdit* mmoAllergic = nullptr;
    QPlainTextEdit* mmoClinic = nullptr;
    QPlainTextEdit* mmoReadme = nullptr;
    QTabWidget* pgcInfo = nullptr;
    QPushButton* btnNew = nullptr;
    QPushButton* btnModify = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnCancel = nullptr;

protected:
    void FormShow() override;
    bool WindowMessage(int message, std::intptr_t wParam, std::intptr_t lParam, std::intptr_t& result) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildBasicTab(QWidget* tab);
    void buildAdditionalTab(QWidget* tab);
    void ResetInputs(bool enable, bool keep);
    void setButtons(bool editing);
    void showPhoto(const QString& file);
    void clearPhoto();
    PatientRecord recordFromFields() const;
    QObject* mainWindow() const;

    PatientRegistry registry_;
    bool newRecord_ = false;
    QString photoPath_;
    QPointer<QObject> mainWindow_;
};

}  // namespace somnexa::patients
