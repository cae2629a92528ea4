#pragma once
// TfrmOptDiagram ("Diagram setting"), the chart page of the options window:
// the realtime and log chart definitions that are not system rows, listed as
// "Realtime data - name" and "Log data - name"; the editors of the chosen
// one; and the check and save of the options window's message 1334.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>

#include <cstdint>
#include <string>

#include "app/qv_form.h"
#include "charts/line_color_box.h"

namespace somnexa::charts {

class TfrmOptDiagram : public app::TQvForm {
public:
    explicit TfrmOptDiagram(app::AppContext& context, QWidget* parent = nullptr);

    // Shows the definition of the chosen list item in the editors.
    void cobListChange();

    QComboBox* cobList;
    // Basic information
    QLineEdit* edtName;
    QLineEdit* edtChannleName;
    QLineEdit* edtUnits;
    QLineEdit* edtTextFormat;
    QCheckBox* chkVisible;
    // Diagram information
    LineColorBox* cobLineColor;
    QSpinBox* edtRows;
    QSpinBox* edtHeight;
    // Diagram data and data loading (hidden, loaded and saved alike)
    QSpinBox* edtCols;
    QComboBox* cobDiagramModel;
    QSpinBox* edtRate;
    QSpinBox* edtMinY;
    QSpinBox* edtMaxY;
    QSpinBox* edtDigitalMin;
    QSpinBox* edtDigitalMax;
    QComboBox* cobDataMode;
    QSpinBox* edtCode;
    QSpinBox* edtCodePos;

protected:
    bool WindowMessage(int message, std::intptr_t wParam, std::intptr_t lParam, std::intptr_t& result) override;
    void FormShow() override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void fillList();
    // Type and name of the chosen list item; false when none is chosen.
    bool chosenDefinition(int& type, std::string& name) const;
    std::intptr_t WMOptionSave(std::intptr_t wParam, std::intptr_t lParam);
    QGroupBox* diagramData_;
    QGroupBox* dataLoading_;
};

// Registers the page as the options window's chart page (tag 2).
void registerDiagramOptionPage(app::AppContext& context);

}  // namespace somnexa::charts
