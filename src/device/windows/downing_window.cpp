#include "device/windows/downing_window.h"

#include <QCloseEvent>
#include <algorithm>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace somnexa::device::windows {

TfrmDowning::TfrmDowning(app::AppContext& context, QWidget* owner, std::function<void()> cancel)
    : TQvForm(context, QStringLiteral("frmDowning"), nullptr), owner_(owner), cancel_(std::move(cancel)) {
    // A top-level window of its own, so that it stays in front of the
    // program's windows while the pages go on being used.
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    setWindowTitle(QStringLiteral("Loading"));
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral(
        "QWidget#frmDowning { background: #f6f9fc; }"
        "QLabel#lblDown { color: #1d4f82; font-weight: 600; }"
        "QLabel#lblTime { color: #4a6076; }"
        "QProgressBar { border: 1px solid #b9c9da; border-radius: 4px; background: white; height: 18px;"
        "  text-align: center; color: #1d4f82; }"
        "QProgressBar::chunk { border-radius: 3px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
        "  stop:0 #5da4e0, stop:1 #2e80c9); }"));

    lblDown = new QLabel(this);
    lblDown->setObjectName(QStringLiteral("lblDown"));
    lblDown->setMinimumWidth(420);
    lblTime = new QLabel(this);
    lblTime->setObjectName(QStringLiteral("lblTime"));
    prgDown = new QProgressBar(this);
    prgDown->setObjectName(QStringLiteral("prgDown"));
    prgDown->setRange(0, 100);
    prgDown->setValue(0);
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->setSpacing(10);
    layout->addWidget(lblDown);
    layout->addWidget(lblTime);
    layout->addWidget(prgDown);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(460, 150)));

    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
}

void TfrmDowning::showFigures(const ProgressFigures& figures) {
    lblDown->setText(QString::fromStdString(figures.text));
    lblTime->setText(QString::fromStdString(figures.timeText));
    prgDown->setValue(std::clamp(figures.percent, 0, 100));
}

void TfrmDowning::btnCancelClick() {
    if (cancelled_) return;
    cancelled_ = true;
    btnCancel->setEnabled(false);
    if (cancel_) cancel_();
}

bool TfrmDowning::event(QEvent* event) {
    // Back on top whenever another window of the program takes the focus.
    if (event->type() == QEvent::WindowDeactivate && isVisible()) {
        QPointer<TfrmDowning> self(this);
        QTimer::singleShot(0, this, [self] {
            if (self && self->isVisible()) self->raise();
        });
    }
    return TQvForm::event(event);
}

void TfrmDowning::closeEvent(QCloseEvent* event) {
    // Closing from the title bar is a cancel: the download window closes the
    // progress window when the device has been told to stop.
    if (!cancelled_ && isVisible()) {
        event->ignore();
        btnCancelClick();
        return;
    }
    TQvForm::closeEvent(event);
}

}  // namespace somnexa::device::windows
