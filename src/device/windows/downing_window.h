#pragma once
// TfrmDowning, the progress window "Loading" of a download: what is being
// transferred, the estimate of the time left and a percentage bar, with
// "&Cancel". It stays on top of the program and puts itself back on top when
// it loses activation. The download window refreshes it every 100 ms.

#include <QPointer>

#include <functional>

#include "app/qv_form.h"
#include "device/download_progress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace somnexa::device::windows {

class TfrmDowning : public app::TQvForm {
public:
    // owner: the download window (its handle is remembered); cancel runs on
    // "&Cancel" and when the window is closed from its title bar.
    TfrmDowning(app::AppContext& context, QWidget* owner, std::function<void()> cancel);

    QWidget* owner() const { return owner_; }

    // One refresh: the texts as they are (already translated) and the bar.
    void showFigures(const ProgressFigures& figures);

    void btnCancelClick();

    QLabel* lblDown = nullptr;
    QLabel* lblTime = nullptr;
    QProgressBar* prgDown = nullptr;
    QPushButton* btnCancel = nullptr;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QPointer<QWidget> owner_;
    std::function<void()> cancel_;
    bool cancelled_ = false;
};

}  // namespace somnexa::device::windows
