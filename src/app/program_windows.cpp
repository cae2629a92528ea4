// The windows of the program after the main window, in their order of
// creation. Windows not yet part of the program have no maker; their menu
// items select nothing.

#include "app/pending_page.h"
#include "app/program.h"

namespace somnexa::app {

namespace {

std::function<QWidget*(AppContext&, QWidget*)> pending(const char* title) {
    return [title](AppContext& context, QWidget* owner) -> QWidget* {
        return new TfrmPendingPage(context, QStringLiteral("frmPendingPage"), QString::fromLatin1(title),
                                   QStringLiteral("This page is being prepared for the next version."), owner);
    };
}

}  // namespace

std::vector<ProgramWindow> programWindows() {
    return {
        {"frmHomePage", 0, pending("Home Page")},
        {"frmOpenPatient", 1, pending("Open Patient")},
        {"frmNewPatient", 2, pending("Patient Info")},
        {"frmDownData", 3, nullptr},
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
