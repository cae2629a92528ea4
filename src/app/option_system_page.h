#pragma once
// TfrmOptSystem, the system page of the options window: the user-interface
// language, stored as the option "Language" and used from the next start.

#include <QComboBox>

#include "app/qv_form.h"

namespace somnexa::app {

class TfrmOptSystem : public TQvForm {
public:
    explicit TfrmOptSystem(AppContext& context, QWidget* parent = nullptr);

    QComboBox* languageList() const { return cobLanguage_; }
    // The language code of the chosen item: 1 for the first, 3 otherwise.
    int chosenLanguage() const { return cobLanguage_->currentIndex() == 0 ? 1 : 3; }

protected:
    bool WindowMessage(int message, std::intptr_t wParam, std::intptr_t lParam, std::intptr_t& result) override;

private:
    std::intptr_t WMOptionSave(std::intptr_t wParam);

    QComboBox* cobLanguage_;
};

}  // namespace somnexa::app
