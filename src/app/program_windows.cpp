// The windows of the program after the main window, in their order of
// creation. Windows not yet part of the program have no maker; their menu
// items select nothing.

#include "app/pending_page.h"
#include "app/program.h"
#include "device/windows/down_data_window.h"
#include "patients/home_page_window.h"
#include "patients/new_patient_window.h"
#include "patients/open_patient_window.h"

namespace somnexa::app {

namespace {

[[maybe_unused]] std::function<QWidget*(AppContext&, QWidget*)> pending(const char* title) {
    return [title](AppContext& context, QWidget* owner) -> QWidget* {
        return new TfrmPendingPage(context, QStringLiteral("frmPendingPage"), QString::fromLatin1(title),
                                   QStringLiteral("This page is being prepared for the next version."), owner);
    };
}

}  // namespace

std::vector<ProgramWindow> programWindows() {
    return {
        {"frmHomePage", 0,
         [](AppContext& context, QWidget* owner) -> QWidget* { return new patients::TfrmHomePage(context, owner); }},
        {"frmOpenPatient", 1,
         [](AppContext& context, QWidget* owner) -> QWidget* {
             return new patients::TfrmOpenPatient(context, patients::ListMode::Page, owner);
         }},
        {"frmNewPatient", 2,
         [](AppContext& context, QWidget* owner) -> QWidget* { return new patients::TfrmNewPatient(context, owner); }},
        {"frmDownData", 3, device::windows::CreateDownDataPage},
        {"frmAnalysis", 4, nullptr},
        {"frmTableStatic", -1, nullptr},
        {"frmTableDetail", -1, nullptr},
        {"frmTableEvent", -1, nullptr},
        {"frmTableCalc", -1, nullptr},
        {"frmTableColumn", -1, nullptr},
        {"frmTableColumnList", -1, nullptr},
    };
}

}  // namespace somnexa::app
