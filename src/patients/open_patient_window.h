#pragma once
// TfrmOpenPatient, the patient list "Select Patient": finds patients in the
// index, opens one, imports a patient database file and deletes patients.
// As a page of the main window it has no border; the download window shows
// it as a modal dialog to choose a patient.

#include <QPointer>

#include "app/qv_form.h"
#include "patients/patient_index.h"

class QEventLoop;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace somnexa::patients {

enum class ListMode { Page, Dialog };

class TfrmOpenPatient : public app::TQvForm {
public:
    TfrmOpenPatient(app::AppContext& context, ListMode mode, QWidget* parent = nullptr);
    ~TfrmOpenPatient() override;

    void setMainWindow(QObject* window) { mainWindow_ = window; }
    ListMode mode() const { return mode_; }
    QString gridSection() const;

    // Shows the dialog modally; returns when it is closed.
    void ShowModal();

    void btnSearchClick();
    void btnSelectClick();
    void btnImportClick();
    void btnDeleteClick();
    void btnBackClick();

    int rowCount() const;
    PatientEntry entryAt(int row) const;
    void selectRow(int row);

    QLineEdit* edtSearch = nullptr;
    QTableView* grdList = nullptr;
    QPushButton* btnSearch = nullptr;
    QPushButton* btnSelect = nullptr;
    QPushButton* btnImport = nullptr;
    QPushButton* btnDelete = nullptr;
    QPushButton* btnBack = nullptr;

protected:
    void FormShow() override;
    bool WindowMessage(int message, std::intptr_t wParam, std::intptr_t lParam, std::intptr_t& result) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    int currentRow() const;
    void fill(storage::Query& rows);
    QObject* mainWindow() const;
    void layoutPage();

    ListMode mode_;
    PatientIndex index_;
    QStandardItemModel* model_ = nullptr;
    QPointer<QObject> mainWindow_;
    QEventLoop* loop_ = nullptr;
};

}  // namespace somnexa::patients
