#pragma once
// A page whose window comes with a later version of the program: it names
// the page and says what it will hold.

#include "app/qv_form.h"

namespace somnexa::app {

class TfrmPendingPage : public TQvForm {
public:
    TfrmPendingPage(AppContext& context, const QString& formName, const QString& title, const QString& text,
                    QWidget* parent = nullptr);
};

}  // namespace somnexa::app
