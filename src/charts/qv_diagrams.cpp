#include "charts/qv_diagrams.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "charts/chart_canvas.h"
#include "charts/float_format.h"
#include "device/message_event.h"

namespace somnexa::charts {
namespace {

constexpr double kFarAway = 1 << 22;
constexpr int kLegendLeft = 10;
constexpr int kLegendTop = 5;
constexpr int kLegendPointSize = 13;
constexpr int kLegendGap = 6;
constexpr int kKeyGap = 10;
constexpr int kKeySwatch = 12;
constexpr int kKeyTextLeft = 26;
constexpr int kKeyPitch = 20;
constexpr int kLabelGap = 5;

QPen dottedPen(const QColor& color) {
    QPen pen(color, 1);
    pen.setDashPattern({1.0, 2.0});
    return pen;
}

}  // namespace

TQvDiagrams::TQvDiagrams(ChartHost& host, QObject* messageWindow) : MessageWindow(messageWindow), host_(host) {
    fitImage();
}

void TQvDiagrams::fitImage() {
    const QSize size = host_.clientSize();
    if (image_.size() != size) image_ = makeChartImage(size.width(), size.height());
}

bool TQvDiagrams::timeToX(double seconds, int& x) const {
    const int plotWidth = DrawWidth - kPlotLeft;
    if (TimeLength <= 0 || plotWidth <= 0) return false;
    const double offset = std::trunc(seconds / TimeLength * plotWidth);
    x = static_cast<int>(std::clamp(offset, -kFarAway, kFarAway)) + kPlotLeft;
    return true;
}

double TQvDiagrams::GetPointTimeLength(int dx) const {
    const int plotWidth = DrawWidth - kPlotLeft;
    if (plotWidth <= 0) return 0.0;
    return static_cast<double>(TimeLength) / plotWidth * dx;
}

double TQvDiagrams::GetPointStartTime(int x) const { return StartTime + GetPointTimeLength(x - kPlotLeft) / 86400.0; }

double TQvDiagrams::GetLogicValue(std::int32_t raw) const {
    if (DigitalMax == DigitalMin) return 0.0;
    const std::int64_t product = (static_cast<std::int64_t>(raw) - DigitalMin) * (static_cast<std::int64_t>(MaxY) - MinY);
    return static_cast<double>(product) / (static_cast<double>(DigitalMax) - DigitalMin) + MinY;
}

int TQvDiagrams::AddColorKey(TColor color, const std::string& text) {
    ColorKeys.push_back({color, text});
    return static_cast<int>(ColorKeys.size());
}

void TQvDiagrams::post(int message, std::intptr_t wParam, std::intptr_t lParam) const {
    if (MessageWindow != nullptr) QCoreApplication::postEvent(MessageWindow, new MessageEvent(message, wParam, lParam));
}

void TQvDiagrams::send(int message, std::intptr_t wParam, std::intptr_t lParam) const {
    if (MessageWindow == nullptr) return;
    MessageEvent event(message, wParam, lParam);
    QCoreApplication::sendEvent(MessageWindow, &event);
}

void TQvDiagrams::clearImage(QPainter& painter) {
    resetCanvas(painter);
    painter.fillRect(image_.rect(), host_.color());
    cursorDrawn_ = false;
    highlighted_.clear();
}

void TQvDiagrams::ReDrawDiagram() {
    if (redrawing_) return;
    redrawing_ = true;
    fitImage();
    DrawWidth = image_.width();
    if (!image_.isNull()) {
        QPainter painter(&image_);
        clearImage(painter);
        if (DiagramModel == kLineChart || DiagramModel == kVerticalBarChart || DiagramModel == kRectangleChart) {
            drawGrid(painter, 10);
            drawLegend(painter);
        } else if (DiagramModel == kColumnChart) {
            drawGrid(painter, 5);
            drawLegend(painter);
        }
        drawColorKeys(painter);
        if (!Series.empty()) {
            if (Rate == 0) Rate = 1;
            switch (DiagramModel) {
                case kLineChart: drawLines(painter); break;
                case kRectangleChart: drawRectangles(painter); break;
                case kColumnChart: drawColumns(painter); break;
                default: break;
            }
        }
        drawYAxis(painter);
    }
    redrawing_ = false;
    host_.imageChanged();
}

void TQvDiagrams::drawGrid(QPainter& painter, int solidEvery) {
    const int h = image_.height();
    const int w = DrawWidth;
    resetCanvas(painter);
    const QColor gridColor = toQColor(clGridGray);
    painter.setPen(dottedPen(gridColor));
    if (Rows > 0) {
        for (int k = 0; k <= Rows; ++k) {
            const int y = static_cast<int>(std::trunc(static_cast<double>(k) * h / Rows));
            painter.drawLine(kPlotLeft, y, w, y);
        }
    }
    if (Cols > 0 && w > kPlotLeft) {
        for (int k = 0; k <= Cols; ++k) {
            const int x = kPlotLeft + static_cast<int>(std::trunc(static_cast<double>(k) * (w - kPlotLeft) / Cols));
            painter.setPen(k % solidEvery == 0 ? QPen(gridColor, 1) : dottedPen(gridColor));
            painter.drawLine(x, 0, x, h);
        }
    }
}

void TQvDiagrams::drawLegend(QPainter& painter) {
    QFont font = host_.font();
    font.setPointSize(kLegendPointSize);
    painter.setFont(font);
    painter.setPen(toQColor(clRed));
    const QFontMetrics metrics(font);
    int y = kLegendTop;
    QString rest = QString::fromStdString(ChannleName);
    while (!rest.isEmpty()) {
        const qsizetype bar = rest.indexOf(QLatin1Char('|'));
        const QString line = bar < 0 ? rest : rest.left(bar);
        rest = bar < 0 ? QString() : rest.mid(bar + 1);
        drawTextTopLeft(painter, kLegendLeft, y, line);
        y += metrics.height() + kLegendGap;
    }
    legendBottom_ = y;
}

void TQvDiagrams::drawColorKeys(QPainter& painter) {
    resetCanvas(painter);
    painter.setFont(host_.font());
    const QFontMetrics metrics(host_.font());
    int y = legendBottom_ + kKeyGap;
    for (const TColorKey& key : ColorKeys) {
        drawFrameRect(painter, kLegendLeft, y, kLegendLeft + kKeySwatch, y + kKeySwatch, Qt::black,
                      QBrush(toQColor(key.Color)));
        painter.setPen(Qt::black);
        drawTextTopLeft(painter, kKeyTextLeft, y + (kKeySwatch - metrics.height()) / 2, QString::fromStdString(key.Text));
        y += kKeyPitch;
    }
}

std::vector<std::string> TQvDiagrams::yAxisLabels() const {
    std::vector<std::string> labels;
    if (Rows <= 1) return labels;
    const std::int64_t span = static_cast<std::int64_t>(MaxY) - MinY;
    for (std::int64_t k = 0; k <= Rows; ++k) {
        // Magnitudes: the integer step, then the absolute value.
        const std::int64_t value = std::llabs(MaxY - (k * span) / Rows);
        labels.push_back(formatFloat(static_cast<double>(value), TextFormatY));
    }
    return labels;
}

void TQvDiagrams::drawYAxis(QPainter& painter) {
    const int h = image_.height();
    resetCanvas(painter);
    // The 2-pixel axis covers columns 149 and 150.
    painter.fillRect(kPlotLeft - 1, 0, 2, h, Qt::black);
    if (Rows <= 0) return;
    painter.setFont(host_.font());
    const QFontMetrics metrics(host_.font());
    painter.setPen(QPen(Qt::black, 1));
    const std::vector<std::string> labels = yAxisLabels();
    for (int k = 0; k <= Rows; ++k) {
        const int y = static_cast<int>(std::trunc(static_cast<double>(k) * h / Rows));
        painter.drawLine(kPlotLeft, y, kPlotLeft + kTickLength - 1, y);
        if (labels.empty()) continue;
        const QString text = QString::fromStdString(labels[static_cast<std::size_t>(k)]);
        // The label's top sits on its tick; the bottom label is lifted into the image.
        const int top = std::max(0, std::min(y, h - metrics.height()));
        drawTextTopLeft(painter, kPlotLeft - metrics.horizontalAdvance(text) - kLabelGap, top, text);
    }
}

}  // namespace somnexa::charts
