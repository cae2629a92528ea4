#include "app/option_system_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include "app/option_save.h"
#include "app/window_message.h"

namespace somnexa::app {

TfrmOptSystem::TfrmOptSystem(AppContext& context, QWidget* parent)
    : TQvForm(context, QStringLiteral("frmOptSystem"), parent) {
    auto* group = new QGroupBox(QStringLiteral("Interface"), this);
    group->setObjectName(QStringLiteral("grpInterface"));
    auto* label = new QLabel(QStringLiteral("Language"), group);
    label->setObjectName(QStringLiteral("lblLanguage"));
    cobLanguage_ = new QComboBox(group);
    cobLanguage_->setObjectName(QStringLiteral("cobLanguage"));
    cobLanguage_->addItem(Translate(QStringLiteral("ChinaSimplified")));
    cobLanguage_->addItem(Translate(QStringLiteral("English")));
    cobLanguage_->setCurrentIndex(context.LanguageCode == 3 ? 1 : 0);
    cobLanguage_->setMinimumWidth(220);
    auto* note = new QLabel(QStringLiteral("A changed language applies from the next start."), group);
    note->setObjectName(QStringLiteral("lblLanguageNote"));

    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(18, 22, 18, 18);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(10);
    grid->addWidget(label, 0, 0);
    grid->addWidget(cobLanguage_, 0, 1);
    grid->addWidget(note, 1, 1);
    grid->setColumnStretch(2, 1);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->addWidget(group, 0, 0);
    layout->setRowStretch(1, 1);
    resize(520, 200);
}

bool TfrmOptSystem::WindowMessage(int message, std::intptr_t wParam, std::intptr_t, std::intptr_t& result) {
    if (message != msg::WM_OPTION_SAVE) return false;
    result = WMOptionSave(wParam);
    return true;
}

std::intptr_t TfrmOptSystem::WMOptionSave(std::intptr_t wParam) {
    if (wParam != kOptionSave) return 0;
    const int code = chosenLanguage();
    // A failed write has shown its database error; refusing keeps the
    // window from reporting success for a setting it did not store.
    if (!context().dm().SetOption("Language", std::to_string(code))) return -2;
    if (code != context().LanguageCode) {
        ShowInfo("The type of language has been modified, the next time you open the program effect!");
    }
    return 0;
}

}  // namespace somnexa::app
