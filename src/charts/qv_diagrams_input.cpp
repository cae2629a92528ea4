// Mouse actions turned into messages for the owning view, the rubber band of
// a drag selection, and the read-out of the value under a pixel column.

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "charts/chart_canvas.h"
#include "charts/float_format.h"
#include "charts/line_layout.h"
#include "charts/qv_diagrams.h"
#include "records/window_messages.h"

namespace somnexa::charts {

void TQvDiagrams::drawRubberBand(int from, int to) {
    if (image_.isNull()) return;
    QPainter painter(&image_);
    resetCanvas(painter);
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    const QColor highlight = toQColor(clHighlight);
    drawFrameRect(painter, from, 1, to, image_.height() - 1, highlight, QBrush(highlight));
    painter.end();
    host_.imageChanged();
}

void TQvDiagrams::MouseDown(Qt::MouseButton button, QPoint pos) {
    if (button != Qt::LeftButton) return;
    const int h = image_.height();
    if (IsTimeAxis && pos.x() >= kPlotLeft && pos.x() <= DrawWidth && pos.y() >= h - kAxisClickBand && pos.y() <= h) {
        axisClick_ = true;
        const int plotWidth = DrawWidth - kPlotLeft;
        const std::intptr_t tick =
            plotWidth > 0 ? static_cast<std::intptr_t>(pos.x() - kPlotLeft) * Cols / plotWidth : 0;
        post(msg::WM_CHART_CLICK, tick, 0);
    }
    if (DiagramModel == kRectangleChart) {
        send(msg::WM_CHART_CLICK, -1, 0);
        highlightRectangles(pos.x());
    }
    selectStart_ = std::max(pos.x(), kPlotLeft);
    dragX_ = selectStart_;
    pressed_ = true;
}

void TQvDiagrams::MouseMove(Qt::MouseButtons buttons, QPoint pos, QPoint globalPos) {
    const bool selects = DiagramModel == kLineChart || IsTimeAxis;
    if (buttons & Qt::LeftButton) {
        if (!selects || axisClick_ || !pressed_) return;
        drawRubberBand(selectStart_, dragX_);
        dragX_ = std::max(pos.x(), kPlotLeft);
        drawRubberBand(selectStart_, dragX_);
        return;
    }
    if (buttons != Qt::NoButton || IsTimeAxis) return;
    if (DiagramModel == kLineChart && pos.y() <= kLegendButtonBand) {
        const QRect panel = host_.screenRect();
        post(msg::WM_CHART_HOVER, -static_cast<std::intptr_t>(host_.tag()),
             static_cast<std::intptr_t>(panel.x() + panel.width()) * 65536 + panel.y());
    } else {
        post(msg::WM_CHART_HOVER, pos.x(), static_cast<std::intptr_t>(globalPos.x()) * 65536 + globalPos.y());
    }
}

void TQvDiagrams::MouseUp(Qt::MouseButton button, QPoint pos) {
    if (button != Qt::LeftButton) return;
    const bool wasPressed = pressed_;
    pressed_ = false;
    if (DiagramModel != kLineChart && !IsTimeAxis) return;
    if (axisClick_) {
        axisClick_ = false;
        return;
    }
    if (!wasPressed) return;
    // Remove the band where it was last drawn, which is where the last move left it.
    drawRubberBand(selectStart_, dragX_);
    selectEnd_ = std::max(pos.x(), kPlotLeft);
    int from = selectStart_;
    int to = selectEnd_;
    if (from > to) std::swap(from, to);
    selectStart_ = from;
    selectEnd_ = to;
    if (GetPointTimeLength(to - from) > 0)
        post(msg::WM_CHART_SELECT, static_cast<std::intptr_t>(from) * 65536 + to, IsTimeAxis ? 1 : 0);
}

std::string TQvDiagrams::GetPointData(int x) const {
    switch (DiagramModel) {
        case kLineChart: return readLine(x);
        case kRectangleChart: return readRectangle(x);
        case kColumnChart: return readColumns(x);
        default: return "0";
    }
}

std::string TQvDiagrams::readLine(int x) const {
    const int plotWidth = image_.width() - kPlotLeft;
    if (Rate <= 0 || TimeLength <= 0 || plotWidth <= 0) return "0";
    std::int32_t raw = 0;
    for (const arTPoint& segment : Series) {
        const std::int64_t n = static_cast<std::int64_t>(segment.size());
        if (n == 0) continue;
        const std::int64_t w = static_cast<std::int64_t>(
            std::trunc(static_cast<double>((n / Rate) * plotWidth) / TimeLength));
        if (w <= 0) continue;
        int x0 = 0;
        timeToX(segment.front().x, x0);
        if (x > x0 && x < x0 + w) {
            const std::int64_t index = static_cast<std::int64_t>(x - x0) * n / w;
            if (index >= 0 && index < n) raw = segment[static_cast<std::size_t>(index)].y;
        }
    }
    if (raw == 0) return formatFloat(0.0, TextFormatY);
    if (DigitalMax == DigitalMin) return "0";
    const double value = (static_cast<double>(raw) - DigitalMin) / (static_cast<double>(DigitalMax) - DigitalMin) *
                             (static_cast<double>(MaxY) - MinY) +
                         MinY;
    return formatFloat(value, TextFormatY);
}

std::string TQvDiagrams::readRectangle(int x) const {
    if (Series.empty()) return "0";
    const arTPoint& events = Series.front();
    for (std::size_t i = 0; i + 1 < events.size(); i += 2) {
        int x1 = 0;
        int x2 = 0;
        if (!rectanglePair(i, x1, x2)) return "0";
        if (x >= x1 && x <= x2)
            return formatFloat(static_cast<double>(events[i + 1].x) - events[i].x, TextFormatY);
    }
    return formatFloat(0.0, TextFormatY);
}

std::string TQvDiagrams::readColumns(int x) const {
    const int plotWidth = DrawWidth - kPlotLeft;
    if (plotWidth <= 0) return "0";
    const std::int64_t c = static_cast<std::int64_t>(
        std::trunc(static_cast<double>(static_cast<std::int64_t>(x - kPlotLeft) * Cols) / plotWidth + 0.5));
    if (c <= 0) return {};
    std::string text = std::to_string(c);
    for (const arTPoint& series : Series) {
        if (static_cast<std::int64_t>(series.size()) - 1 < c) continue;
        const TPoint& p = series[static_cast<std::size_t>(c)];
        text += "|" + std::to_string(p.x) + "|" + std::to_string(p.y);
    }
    return text;
}

}  // namespace somnexa::charts
