#pragma once
// What the chart engine needs of the panel its image fills: the panel's size,
// colour, font, tag and place on the screen, and a way to show the image again
// after the engine has drawn into it. A window implements it on its panel;
// tests and picture export use FixedChartHost.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>

namespace somnexa::charts {

class ChartHost {
public:
    virtual ~ChartHost() = default;
    virtual QSize clientSize() const = 0;
    virtual QColor color() const = 0;
    virtual QFont font() const = 0;
    virtual int tag() const = 0;
    // The panel's rectangle in screen coordinates.
    virtual QRect screenRect() const = 0;
    // The engine has drawn into its image.
    virtual void imageChanged() {}
};

// A host panel given by plain values.
class FixedChartHost : public ChartHost {
public:
    FixedChartHost() = default;
    FixedChartHost(int width, int height) : size(width, height) {}

    QSize size{600, 160};
    QColor panelColor{Qt::white};
    QFont panelFont;
    int panelTag = 0;
    QRect screen;

    QSize clientSize() const override { return size; }
    QColor color() const override { return panelColor; }
    QFont font() const override { return panelFont; }
    int tag() const override { return panelTag; }
    QRect screenRect() const override { return screen.isNull() ? QRect(QPoint(0, 0), size) : screen; }
};

}  // namespace somnexa::charts
