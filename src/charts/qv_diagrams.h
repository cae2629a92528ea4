#pragma once
// TQvDiagrams: one chart of recorded therapy data drawn into a 32-bit image
// that fills its host panel, with the value under the mouse read back, and
// mouse actions turned into window messages for the view that owns it.
// The owning view sets the properties (from a chart definition), hands over
// the point sequences with SetData and asks for a redraw. Drawing is
// immediate: a redraw clears the image and paints everything again; the
// cursor line, the rectangle highlight and the rubber band are drawn onto the
// same image with the NOT-XOR mix, so drawing them twice removes them.

#include <QImage>
#include <QObject>
#include <QPoint>

#include <cstdint>
#include <string>
#include <vector>

#include "charts/chart_colors.h"
#include "charts/chart_host.h"
#include "records/device_records.h"

class QPainter;

namespace somnexa::charts {

// Fixed layout (pixels, origin top-left).
inline constexpr int kPlotLeft = 150;         // every time mapping starts here; the band left of it holds legend and labels
inline constexpr int kTickLength = 5;         // Y-axis ticks run from 150 to 155
inline constexpr int kAxisClickBand = 8;      // rows H − 8 … H of a time axis
inline constexpr int kLegendButtonBand = 40;  // rows 0 … 40 of a line chart

enum DiagramKind : std::uint8_t {
    kLineChart = 1,
    kVerticalBarChart = 2,  // offered by the options page; draws grid, legend and axis only
    kRectangleChart = 3,
    kColumnChart = 4,
};

struct TColorKey {
    TColor Color = 0;
    std::string Text;
};
using arTColorKey = std::vector<TColorKey>;

class TQvDiagrams {
public:
    // The image fills host; messages go to messageWindow (may be null, may be set later).
    explicit TQvDiagrams(ChartHost& host, QObject* messageWindow = nullptr);

    // Properties, set directly by the owning view.
    std::int32_t Rows = 0;
    std::int32_t Cols = 0;
    std::int32_t MaxY = 0;
    std::int32_t MinY = 0;
    std::int32_t DigitalMax = 0;
    std::int32_t DigitalMin = 0;
    double StartTime = 0.0;       // day count of the moment at x = 150
    std::int32_t TimeLength = 0;  // seconds from x = 150 to the right edge
    std::string Name;
    std::string ChannleName;      // legend; "|" separates lines
    std::uint8_t DiagramModel = kLineChart;
    TColor LineColor = 0;
    std::int32_t Rate = 0;        // samples per second of a line chart; 0 is taken as 1
    std::string TextFormatY;
    std::string Units;
    std::int32_t DrawWidth = 0;
    QObject* MessageWindow = nullptr;
    bool IsTimeAxis = false;
    ar2TPoint Series;
    arTColorKey ColorKeys;

    // Line segments drawn through the per-column reduction (same pixels as
    // one vertex per sample, much faster on long recordings).
    bool reduceLines = true;

    void SetData(ar2TPoint series) { Series = std::move(series); }
    void ReDrawDiagram();
    // Kind 1: the time axis along the bottom, labels in format every step columns.
    void DrawCoordinateX(int kind, const std::string& format, int step);
    // The image; a time axis is first cut to DrawWidth.
    QImage GetPicture();
    // The vertical cursor line at x, removing the previous one; x ≤ 151 only removes it.
    void DrawCursorLine(int x);
    std::string GetPointData(int x) const;
    double GetLogicValue(std::int32_t raw) const;
    double GetPointStartTime(int x) const;
    double GetPointTimeLength(int dx) const;
    void ClearSelectRect();
    int AddColorKey(TColor color, const std::string& text);
    void ClearColorKey() { ColorKeys.clear(); }

    // Mouse events of the image, in image coordinates; globalPos is the
    // screen position of the cursor.
    void MouseDown(Qt::MouseButton button, QPoint pos);
    void MouseMove(Qt::MouseButtons buttons, QPoint pos, QPoint globalPos);
    void MouseUp(Qt::MouseButton button, QPoint pos);

    // The Y-axis label texts from top to bottom (none when Rows is 1 or less).
    std::vector<std::string> yAxisLabels() const;

    const QImage& image() const { return image_; }
    ChartHost& host() const { return host_; }
    int imageHeight() const { return image_.height(); }

    // Time in seconds after StartTime to pixel column; nullopt-like false when
    // the time span or the plot width is empty.
    bool timeToX(double seconds, int& x) const;

private:
    void fitImage();
    void clearImage(QPainter& painter);
    void drawGrid(QPainter& painter, int solidEvery);
    void drawLegend(QPainter& painter);
    void drawColorKeys(QPainter& painter);
    void drawYAxis(QPainter& painter);
    void drawLines(QPainter& painter);
    void drawRectangles(QPainter& painter);
    void drawColumns(QPainter& painter);
    void highlightRectangles(int column);
    void drawRubberBand(int from, int to);
    void post(int message, std::intptr_t wParam, std::intptr_t lParam) const;
    void send(int message, std::intptr_t wParam, std::intptr_t lParam) const;
    bool rectanglePair(std::size_t i, int& x1, int& x2) const;
    std::string readLine(int x) const;
    std::string readRectangle(int x) const;
    std::string readColumns(int x) const;

    ChartHost& host_;
    QImage image_;
    int legendBottom_ = 0;
    bool redrawing_ = false;
    int cursorX_ = 0;
    bool cursorDrawn_ = false;
    int selectStart_ = 0;
    int selectEnd_ = 0;
    int dragX_ = 0;
    bool pressed_ = false;
    bool axisClick_ = false;
    std::vector<char> highlighted_;  // per event pair of a rectangle chart
    std::vector<QPoint> vertices_;   // scratch of the line drawing
};

}  // namespace somnexa::charts
