#pragma once
// TfrmDownData, the page "Down Data" of the main window: the current patient
// with "&Select", the connected ventilators, the sessions of the chosen one
// with their start, length and whether realtime data exist, the choices of the
// download and "&Down Data". The download itself is DownloadWorkflow; the page
// shows what it holds, forwards the user's actions, and keeps the progress
// window TfrmDowning while a transfer runs.

#include <QPointer>

#include <functional>
#include <memory>

#include "app/qv_form.h"
#include "device/download_workflow.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace somnexa::device::windows {

class DownloadDevices;
class TfrmDowning;

class TfrmDownData : public app::TQvForm, public DownloadView {
public:
    // The program's page: its ventilators come from devices.
    TfrmDownData(app::AppContext& context, std::unique_ptr<DownloadDevices> devices, QWidget* parent = nullptr);
    // The page on a given backend and scheduler (both outlive the page).
    TfrmDownData(app::AppContext& context, HidBackend& backend, Scheduler& scheduler, QWidget* parent = nullptr,
                 const std::string& imageFolder = {});
    ~TfrmDownData() override;

    DownloadWorkflow& workflow() { return *workflow_; }
    // The progress window while it is shown, else null.
    TfrmDowning* progressWindow() const;

    // Where "&Back Patient" and the patient dialog send their messages (by
    // default the window the page is embedded in).
    void setMainWindow(QObject* window) { mainWindow_ = window; }
    // Replaces the patient selection dialog (tests script the choice).
    void setPatientChooser(std::function<void()> choose) { choosePatient_ = std::move(choose); }

    void btnFindClick();
    void lvListClick(int row);
    void chkMin10Click();
    void chkCoverClick();
    void grpSelectClick();
    void lblSelectAllClick();
    void lblSelectReverseClick();
    void btnOKClick();
    void btnCancelClick();
    void WMUserReSize();

    QLineEdit* edtFind = nullptr;
    QPushButton* btnFind = nullptr;
    QListWidget* lvList = nullptr;
    QTreeWidget* lstLogData = nullptr;
    QPushButton* lblSelectAll = nullptr;
    QPushButton* lblSelectReverse = nullptr;
    QCheckBox* chkMin10 = nullptr;
    QCheckBox* chkCover = nullptr;
    QGroupBox* grpSelect = nullptr;
    QCheckBox* chkPressure = nullptr;
    QCheckBox* chkFlow = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

    // ---- DownloadView ----
    void devicesChanged() override;
    void sessionsChanged() override;
    void progressShown() override;
    void progressChanged(const ProgressFigures& figures) override;
    void progressClosed() override;

protected:
    void FormShow() override;
    bool WindowMessage(int message, std::intptr_t wParam, std::intptr_t lParam, std::intptr_t& result) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void build();
    void makeWorkflow(HidBackend& backend, Scheduler& scheduler, const std::string& imageFolder);
    QObject* mainWindow() const;
    void showPatient();
    void runPatientDialog();

    std::unique_ptr<DownloadDevices> devices_;   // declared before the workflow: outlives it
    std::unique_ptr<DownloadWorkflow> workflow_;
    QPointer<TfrmDowning> progress_;
    QPointer<QObject> mainWindow_;
    std::function<void()> choosePatient_;
    bool filling_ = false;
};

// The page as the program makes it: ventilators from the USB bus, or from the
// simulated ventilator named in the context.
QWidget* CreateDownDataPage(app::AppContext& context, QWidget* owner);

}  // namespace somnexa::device::windows
