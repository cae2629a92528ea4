#pragma once
// The line colour picker of the chart settings: a drop-down of colour swatches
// with the default colours, the colour being edited when it is none of them,
// and "Custom..." to choose any colour.

#include <QComboBox>

#include "charts/chart_colors.h"

namespace somnexa::charts {

class LineColorBox : public QComboBox {
public:
    explicit LineColorBox(QWidget* parent = nullptr);

    TColor color() const;
    void setColor(TColor color);

private:
    void addSwatch(TColor color, const QString& name);
    void chosen(int index);

    int lastIndex_ = 0;
};

}  // namespace somnexa::charts
