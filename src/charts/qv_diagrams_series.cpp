// The series of the three chart kinds that draw data: lines, event
// rectangles with their highlight, and columns.

#include <QPainter>
#include <QPen>

#include <cmath>
#include <cstdlib>

#include "charts/chart_canvas.h"
#include "charts/line_layout.h"
#include "charts/qv_diagrams.h"

namespace somnexa::charts {

void TQvDiagrams::drawLines(QPainter& painter) {
    const int plotWidth = image_.width() - kPlotLeft;
    const ValueMapping values{image_.height(), DigitalMin, DigitalMax};
    if (TimeLength <= 0 || plotWidth <= 0 || Rate <= 0 || !values.valid()) return;
    resetCanvas(painter);
    painter.setPen(QPen(toQColor(LineColor), 1));
    for (const arTPoint& segment : Series) {
        const std::int64_t n = static_cast<std::int64_t>(segment.size());
        if (n == 0) continue;
        const std::int64_t seconds = n / Rate;
        const std::int64_t w = static_cast<std::int64_t>(
            std::trunc(static_cast<double>(seconds * plotWidth) / TimeLength));
        if (w <= 0) continue;
        int x0 = 0;
        timeToX(segment.front().x, x0);
        const SegmentLayout layout(n, x0, w);
        if (reduceLines) reducedVertices(segment, layout, values, image_.width(), vertices_);
        else fullVertices(segment, layout, values, vertices_);
        if (vertices_.empty()) continue;
        painter.drawPolyline(vertices_.data(), static_cast<int>(vertices_.size()));
        // The rasteriser leaves out the last pixel of a line; the segment's
        // last sample is drawn like every other one.
        painter.drawPoint(vertices_.back());
    }
}

bool TQvDiagrams::rectanglePair(std::size_t i, int& x1, int& x2) const {
    const arTPoint& events = Series.front();
    if (!timeToX(events[i].x, x1) || !timeToX(events[i + 1].x, x2)) return false;
    return true;
}

void TQvDiagrams::drawRectangles(QPainter& painter) {
    const arTPoint& events = Series.front();
    const QColor color = toQColor(LineColor);
    resetCanvas(painter);
    for (std::size_t i = 0; i + 1 < events.size(); i += 2) {
        int x1 = 0;
        int x2 = 0;
        if (!rectanglePair(i, x1, x2)) return;
        if (x1 == x2) x2 = x1 + 1;
        drawFrameRect(painter, x1, 1, x2, image_.height(), color, QBrush(color));
    }
}

// A highlighted rectangle carries a diagonal cross over its plain colour; the
// highlight is drawn with the NOT-XOR mix, so drawing it again restores the
// rectangle. The rectangle under column gets it, every other one loses it.
void TQvDiagrams::highlightRectangles(int column) {
    if (DiagramModel != kRectangleChart || Series.empty() || image_.isNull()) return;
    const arTPoint& events = Series.front();
    const std::size_t pairs = events.size() / 2;
    highlighted_.resize(pairs, 0);
    QPainter painter(&image_);
    resetCanvas(painter);
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    const QColor pen = toQColor(LineColor ^ clAppWorkSpace);
    const QBrush brush(toQColor(LineColor ^ clHighlight), Qt::DiagCrossPattern);
    bool changed = false;
    for (std::size_t p = 0; p < pairs; ++p) {
        int x1 = 0;
        int x2 = 0;
        if (!rectanglePair(2 * p, x1, x2)) break;
        if (x1 == x2) x2 = x1 + 1;
        const bool under = column >= x1 && column <= x2;
        if (under == (highlighted_[p] != 0)) continue;
        drawFrameRect(painter, x1, 1, x2, image_.height(), pen, brush);
        highlighted_[p] = under ? 1 : 0;
        changed = true;
    }
    painter.end();
    if (changed) host_.imageChanged();
}

void TQvDiagrams::ClearSelectRect() { highlightRectangles(0); }

void TQvDiagrams::drawColumns(QPainter& painter) {
    const ValueMapping values{image_.height(), DigitalMin, DigitalMax};
    if (Cols <= 0 || !values.valid()) return;
    const double step = static_cast<double>(TimeLength) / Cols;
    resetCanvas(painter);
    painter.setFont(host_.font());
    for (const arTPoint& series : Series) {
        if (series.size() < 2) continue;
        const QColor fill = toQColor(static_cast<TColor>(series.front().x));
        for (std::size_t j = 1; j < series.size(); ++j) {
            const double centre = std::trunc(static_cast<double>(j) * step);
            const double half = std::trunc(step * 0.35);
            int left = 0;
            int right = 0;
            if (!timeToX(centre - half, left) || !timeToX(centre + half, right)) return;
            const int top = values.y(series[j].x);
            const int bottom = series[j].y != 0 ? values.y(series[j].y) : image_.height();
            if (std::abs(bottom - top) <= 2) continue;
            drawFrameRect(painter, left, top, right, bottom, Qt::black, QBrush(fill));
        }
    }
}

}  // namespace somnexa::charts
