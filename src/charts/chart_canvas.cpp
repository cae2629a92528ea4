#include "charts/chart_canvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPen>
#include <QPolygon>

#include <algorithm>

namespace somnexa::charts {

void drawFrameRect(QPainter& painter, int left, int top, int right, int bottom, const QColor& pen,
                   const QBrush& brush) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    const int w = right - left;
    const int h = bottom - top;
    if (w <= 0 || h <= 0) return;
    // Outline: top and bottom rows, then the side columns between them.
    painter.fillRect(left, top, w, 1, pen);
    if (h > 1) painter.fillRect(left, bottom - 1, w, 1, pen);
    if (h > 2) {
        painter.fillRect(left, top + 1, 1, h - 2, pen);
        if (w > 1) painter.fillRect(right - 1, top + 1, 1, h - 2, pen);
    }
    if (w <= 2 || h <= 2) return;
    if (brush.style() != Qt::DiagCrossPattern) {
        painter.fillRect(left + 1, top + 1, w - 2, h - 2, brush);
        return;
    }
    // A diagonal cross hatch on an 8-pixel lattice fixed to the image: only
    // the hatch pixels are touched, each once, so the mix stays reversible.
    QPolygon hatch;
    for (int y = top + 1; y < bottom - 1; ++y) {
        for (int x = left + 1; x < right - 1; ++x) {
            if (((x + y) & 7) == 0 || ((x - y) & 7) == 0) hatch << QPoint(x, y);
        }
    }
    const QPen saved = painter.pen();
    painter.setPen(QPen(brush.color(), 1));
    painter.drawPoints(hatch);
    painter.setPen(saved);
}

void drawTextTopLeft(QPainter& painter, int x, int top, const QString& text) {
    painter.drawText(x, top + QFontMetrics(painter.font()).ascent(), text);
}

void resetCanvas(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setBackgroundMode(Qt::TransparentMode);
}

QImage makeChartImage(int width, int height) {
    QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    constexpr int kDotsPerMeter = 3780;  // 96 dpi
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    return image;
}

}  // namespace somnexa::charts
