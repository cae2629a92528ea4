// The time axis, the cursor line and the picture handed to printouts.

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <cmath>

#include "charts/chart_canvas.h"
#include "charts/qv_diagrams.h"
#include "records/date_time.h"
#include "storage/jet_dates.h"

namespace somnexa::charts {

void TQvDiagrams::DrawCoordinateX(int kind, const std::string& format, int step) {
    if (kind != 1) return;
    fitImage();
    if (image_.isNull()) {
        IsTimeAxis = true;
        return;
    }
    const int h = image_.height();
    const int w = DrawWidth;
    QPainter painter(&image_);
    clearImage(painter);
    painter.setFont(host_.font());
    const QFontMetrics metrics(host_.font());
    const int axisY = h - 5;
    const int labelTop = h - metrics.height() - 10;
    // The 2-pixel axis line and the short line down from its start.
    if (w > kPlotLeft) painter.fillRect(kPlotLeft, axisY - 1, w - kPlotLeft, 2, Qt::black);
    painter.fillRect(kPlotLeft - 1, axisY, 2, h - axisY, Qt::black);
    if (Cols > 0 && w > kPlotLeft) {
        if (step <= 0) step = 1;
        const double dx = static_cast<double>(w - kPlotLeft) / Cols;
        painter.setPen(QPen(Qt::black, 1));
        for (int k = 0; k <= Cols; k += step) {
            const int x = kPlotLeft + static_cast<int>(std::trunc(k * dx));
            painter.drawLine(x, axisY, x, h - 1);
            const double seconds = std::trunc(static_cast<double>(TimeLength) / Cols * k);
            const DateTime moment = DateTime(StartTime).addSeconds(seconds);
            const QString text = QString::fromStdString(storage::formatMoment(moment.days(), format));
            drawTextTopLeft(painter, x - metrics.horizontalAdvance(text) / 2 - 25, labelTop, text);
        }
    }
    painter.end();
    IsTimeAxis = true;
    host_.imageChanged();
}

QImage TQvDiagrams::GetPicture() {
    if (IsTimeAxis && DrawWidth >= 0 && DrawWidth < image_.width()) image_ = image_.copy(0, 0, DrawWidth, image_.height());
    return image_;
}

void TQvDiagrams::DrawCursorLine(int x) {
    if (image_.isNull()) return;
    x = std::max(x, kPlotLeft + 1);
    const int h = image_.height();
    const int top = IsTimeAxis ? h - 5 : 0;
    QPainter painter(&image_);
    resetCanvas(painter);
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    const QColor blue = toQColor(clBlue);
    if (cursorDrawn_) {
        painter.fillRect(cursorX_, top, 1, h - top, blue);
        cursorDrawn_ = false;
    }
    if (x > kPlotLeft + 1) {
        painter.fillRect(x, top, 1, h - top, blue);
        cursorX_ = x;
        cursorDrawn_ = true;
    }
    painter.end();
    host_.imageChanged();
}

}  // namespace somnexa::charts
