#include "app/main_window.h"

#include <QApplication>
#include <QFile>
#include <QUrl>

#include "app/init_application.h"
#include "app/skin_button.h"
#include "app/skin_strip.h"
#include "app/window_helpers.h"
#include "app/window_message.h"
#include "storage/shared_routines.h"

namespace somnexa::app {

TfrmMain::TfrmMain(AppContext& context) : TQvForm(context, QStringLiteral("frmMain"), nullptr, false) {
    context.startupSteps.emplace_back("frmMain");
    context.dm().MasterDBPath = context.programFile(QStringLiteral("DBQorvel.mdb")).toStdString();
    if (!InitApplication(context)) return;
    LoadTranslations();
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    if (!loadSkin()) {
        ShowInfo("Resource loading failed!");
        return;
    }
    buildChrome();
    const QString title = Translate(qs(context.ProductTitle));
    QApplication::setApplicationDisplayName(title);
    setWindowTitle(title);
    lblTitle_->setText(title);
    lblTitle_->adjustSize();
    lblVersionHead_->move(lblTitle_->geometry().right() + 1 + 10, lblTitle_->y());
    tmrSlide_.setInterval(kSlideIntervalMs);
    connect(&tmrSlide_, &QTimer::timeout, this, [this] { tmrSlideTimer(); });
    created_ = true;
}

bool TfrmMain::loadSkin() { return LoadSkin(context().programFile(QStringLiteral("face.rcc")), skin_); }

void TfrmMain::setPage(int item, QWidget* page) {
    if (item >= 0 && item < kMenuItemCount) pages_[static_cast<std::size_t>(item)] = page;
}

QWidget* TfrmMain::page(int item) const {
    if (item < 0 || item >= kMenuItemCount) return nullptr;
    return pages_[static_cast<std::size_t>(item)];
}

QLabel* TfrmMain::menuLabel(int index) const {
    if (index < 0 || index >= static_cast<int>(menuLabels_.size())) return nullptr;
    return menuLabels_[static_cast<std::size_t>(index)];
}

void TfrmMain::FormShow() {
    if (!menuBuilt_) {
        // The menu is made once; later shows (restoring the window) keep it.
        const char* items[kMenuItemCount] = {"Home Page", "Open Patient", "Patient Info", "Down Data", "Data Analysis"};
        for (int i = 0; i < kMenuItemCount; ++i) AddMenuItem(Translate(QString::fromLatin1(items[i])), i);
        menuBuilt_ = true;
        current_ = -1;
        SelectItem(0);
        setWindowState(Qt::WindowMaximized);
    }
}

bool TfrmMain::WindowMessage(int message, std::intptr_t wParam, std::intptr_t, std::intptr_t&) {
    switch (message) {
        case msg::WM_CHANGE_PAGE: WMChangePage(wParam); return true;
        case msg::WM_USER_INFO: WMUserInfo(); return true;
        default: return false;
    }
}

void TfrmMain::WMChangePage(std::intptr_t item) {
    if (item < 0 || item >= kMenuItemCount) return;
    SelectItem(static_cast<int>(item));
}

void TfrmMain::WMUserInfo() {
    const auto& caption = context().CurrentPatientCaption;
    const QString who = caption.empty() ? Translate(QStringLiteral("No Selected")) : qs(caption);
    lblPatient_->setText(QStringLiteral("%1: %2").arg(Translate(QStringLiteral("Selected Patient")), who));
}

bool TfrmMain::analysisAllowed() {
    auto& ctx = context();
    if (ctx.CurrentPatientID.empty()) {
        ShowInfo("View data analysis prior to select the current required to operate a patient!");
        return false;
    }
    auto& dm = ctx.dm();
    if (!dm.ConnectDatabase(storage::kPatientConnection)) return false;
    storage::Query query;
    const int rows = dm.ExecSQL(query,
                                "select datevalue(dateadd('h',-12,opentime)) as Dates, times, WorkPress from tsession "
                                "where times > 0 order by datevalue(dateadd('h',-12,opentime)) desc, opentime",
                                storage::kPatientConnection, true);
    if (rows <= 0) {
        // A failed query has shown its error box; no rows means no therapy data.
        if (rows == 0) ShowInfo("The current user data!");
        return false;
    }
    return true;
}

void TfrmMain::SelectItem(int index) {
    if (index < 0 || index >= kMenuItemCount || index == current_) return;
    if (index == kAnalysisItem && !analysisAllowed()) return;
    QWidget* target = page(index);
    if (target == nullptr) return;  // no page behind the item in this build
    moveMarkerTo(index);
    EmbedPage(pnlClient_, target);
    if (index >= 1 && index <= 3) PostMessage(target, msg::WM_USER_RESIZE);
    current_ = index;
}

void TfrmMain::moveMarkerTo(int index) {
    QLabel* label = menuLabel(index);
    if (label == nullptr || skin_.SelectMiddle.width() <= 0) return;
    const int width = label->width();
    const int k = (width + 20) / skin_.SelectMiddle.width();
    marker_->setPieces(skin_.SelectLeft, skin_.SelectMiddle, skin_.SelectRight, k);
    const int markerWidth = marker_->stripWidth(k);
    markerTarget_ = label->x() - (markerWidth - width) / 2;
    marker_->setGeometry(marker_->x(), menuBar_->y() + 1, markerWidth, marker_->pieceHeight());
    marker_->show();
    for (auto* l : menuLabels_) l->raise();
    for (auto* a : menuAreas_) a->raise();
    tmrSlide_.start();
}

int TfrmMain::markerLeft() const { return marker_ != nullptr ? marker_->x() : 0; }

void TfrmMain::tmrSlideTimer() {
    const int distance = markerTarget_ - marker_->x();
    const int step = std::abs(distance) <= kSlideStep ? distance : (distance > 0 ? kSlideStep : -kSlideStep);
    marker_->move(marker_->x() + step, marker_->y());
    if (marker_->x() == markerTarget_) tmrSlide_.stop();
}

void TfrmMain::btnCloseClick() {
    if (AskQuestion("Sure you want to exit the system?")) context().terminate(0);
}

void TfrmMain::btnMinClick() { showMinimized(); }

void TfrmMain::btnHelpClick() {
    const QString file = context().programFile(QStringLiteral("help.html"));
    if (!QFile::exists(file)) {
        ShowError("Help file does not exist, please contact the supplier!");
        return;
    }
    context().openUrl(QUrl::fromLocalFile(file));
}

}  // namespace somnexa::app
