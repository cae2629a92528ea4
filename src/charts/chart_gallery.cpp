#include "charts/chart_gallery.h"

#include <QDir>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <cstdio>
#include <random>

#include "charts/qv_diagrams.h"
#include "records/date_time.h"

namespace somnexa::charts {
namespace {

constexpr int kWidth = 1100;
constexpr int kMinutes = 5;
constexpr int kRate = 25;

double startOfNight() { return DateTime::fromCalendar(2026, 12, 10, 23, 42, 0)->days(); }

void fill(TQvDiagrams& chart, int rows, int cols, int minY, int maxY, int dmin, int dmax, TColor color,
          const char* legend, const char* format) {
    chart.Rows = rows;
    chart.Cols = cols;
    chart.MinY = minY;
    chart.MaxY = maxY;
    chart.DigitalMin = dmin;
    chart.DigitalMax = dmax;
    chart.LineColor = color;
    chart.ChannleName = legend;
    chart.TextFormatY = format;
    chart.StartTime = startOfNight();
    chart.TimeLength = kMinutes * 60;
    chart.Rate = kRate;
}

// Flow of quiet breathing (about 14 breaths a minute) with a pause, raw 0 … 4095
// for −100 … 100 l/min; two sessions with a mask-off gap between them.
ar2TPoint breathing() {
    std::mt19937 random(11);
    std::normal_distribution<double> jitter(0.0, 6.0);
    ar2TPoint out;
    const auto session = [&](int startSecond, int seconds) {
        arTPoint samples(static_cast<std::size_t>(seconds * kRate));
        double phase = 0;
        for (std::size_t j = 0; j < samples.size(); ++j) {
            const double t = static_cast<double>(j) / kRate + startSecond;
            const bool pause = t > 150 && t < 162;  // a short apnoea
            phase += 2 * M_PI * (14.0 / 60.0) / kRate;
            const double inspiration = std::sin(phase);
            const double flow = pause ? 0.0 : (inspiration > 0 ? 38 * inspiration : 30 * inspiration * (1 + 0.3 * std::sin(2 * phase)));
            samples[j] = {startSecond, 2048 + static_cast<int>((flow + jitter(random) * 0.3) * 2047 / 100)};
        }
        out.push_back(std::move(samples));
    };
    session(0, 205);
    session(222, 78);
    return out;
}

// Mask pressure following the breaths, raw 0 … 4095 for 0 … 40 cmH2O.
ar2TPoint pressure() {
    ar2TPoint out;
    arTPoint samples(static_cast<std::size_t>(kMinutes * 60 * kRate));
    double phase = 0;
    for (std::size_t j = 0; j < samples.size(); ++j) {
        phase += 2 * M_PI * (14.0 / 60.0) / kRate;
        const double ipap = 14.0 + 0.8 * std::sin(static_cast<double>(j) / 2500.0);
        const double cm = std::sin(phase) > 0 ? ipap : 8.0 + 0.3 * std::sin(phase * 3);
        samples[j] = {0, static_cast<int>(cm * 4095 / 40)};
    }
    out.push_back(std::move(samples));
    return out;
}

bool save(const QImage& image, const QString& folder, const QString& prefix, const char* name) {
    const QString file = QDir(folder).filePath(prefix + QStringLiteral("_chart_") + QLatin1String(name) + QStringLiteral(".png"));
    const bool ok = image.save(file, "PNG");
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(file));
    return ok;
}

}  // namespace

bool writeChartGallery(const QString& folder, const QString& prefix, const QFont& font) {
    bool ok = true;
    const auto host = [&](int height) {
        FixedChartHost h(kWidth, height);
        h.panelFont = font;
        return h;
    };

    // Pressure with a drag selection in progress.
    FixedChartHost pressureHost = host(150);
    TQvDiagrams pressureChart(pressureHost);
    fill(pressureChart, 4, 60, 0, 40, 0, 4095, 0xB44600, "Pressure|(cmH2O)", "0");
    pressureChart.SetData(pressure());
    pressureChart.ReDrawDiagram();
    pressureChart.MouseDown(Qt::LeftButton, {520, 60});
    pressureChart.MouseMove(Qt::LeftButton, {690, 70}, {});
    ok = save(pressureChart.image(), folder, prefix, "rubber_band") && ok;

    // Flow with legend, colour keys and the cursor line.
    FixedChartHost flowHost = host(170);
    TQvDiagrams flowChart(flowHost);
    fill(flowChart, 4, 60, -100, 100, 0, 4095, 0x3C8C00, "Flow|(l/min)", "0");
    flowChart.AddColorKey(0x3C8C00, "Flow");
    flowChart.AddColorKey(0xFF0000, "Cursor");
    flowChart.SetData(breathing());
    flowChart.ReDrawDiagram();
    flowChart.DrawCursorLine(610);
    ok = save(flowChart.image(), folder, prefix, "line") && ok;

    // Apnoea events with the second one highlighted.
    FixedChartHost eventHost = host(44);
    TQvDiagrams events(eventHost);
    fill(events, 1, 60, 0, 1, 0, 1, 0x1E1EDC, "Apnea", "0");
    events.DiagramModel = kRectangleChart;
    events.SetData({{{38, 0}, {51, 0}, {150, 0}, {162, 0}, {262, 0}, {275, 0}}});
    events.ReDrawDiagram();
    events.MouseDown(Qt::LeftButton, {kPlotLeft + (155 * (kWidth - kPlotLeft)) / 300, 20});
    ok = save(events.image(), folder, prefix, "rectangles") && ok;

    // The time axis under them.
    FixedChartHost axisHost = host(36);
    TQvDiagrams axis(axisHost);
    fill(axis, 0, 60, 0, 0, 0, 0, 0, "", "");
    axis.DrawWidth = kWidth;
    axis.DrawCoordinateX(1, "HH:NN:SS", 10);
    axis.DrawCursorLine(610);
    ok = save(axis.GetPicture(), folder, prefix, "time_axis") && ok;

    // A month of daily pressure figures: maximum, 95th percentile and mean.
    FixedChartHost columnHost = host(190);
    TQvDiagrams columns(columnHost);
    fill(columns, 6, 32, 0, 30, 0, 3000, 0x404040, "Pressure|(cmH2O)", "0");
    columns.DiagramModel = kColumnChart;
    columns.TimeLength = 32 * 86400;
    ar2TPoint month(3);
    month[0].push_back({0x2E7D32, 0});
    month[1].push_back({0xB47A1E, 0});
    month[2].push_back({0xC8C8C8, 0});
    for (int day = 1; day <= 31; ++day) {
        const bool used = day % 9 != 4;
        const int mean = used ? 980 + static_cast<int>(90 * std::sin(day / 3.0)) : 0;
        month[0].push_back({used ? mean + 420 + (day * 37) % 180 : 0, 0});
        month[1].push_back({used ? mean + 260 + (day * 23) % 90 : 0, 0});
        month[2].push_back({mean, 0});
    }
    columns.SetData(month);
    columns.AddColorKey(0x2E7D32, "Maximum");
    columns.AddColorKey(0xB47A1E, "95%");
    columns.AddColorKey(0xC8C8C8, "Mean");
    columns.ReDrawDiagram();
    ok = save(columns.image(), folder, prefix, "columns") && ok;

    // Stacked as the realtime view shows them.
    const QImage parts[] = {pressureChart.image(), flowChart.image(), events.image(), axis.GetPicture()};
    int height = 0;
    for (const QImage& part : parts) height += part.height() + 1;
    QImage view(kWidth, height, QImage::Format_RGB32);
    view.fill(QColor(0xA0, 0xA0, 0xA0));
    QPainter painter(&view);
    int y = 0;
    for (const QImage& part : parts) {
        painter.drawImage(0, y, part);
        y += part.height() + 1;
    }
    painter.end();
    ok = save(view, folder, prefix, "view") && ok;
    return ok;
}

}  // namespace somnexa::charts
