#pragma once
// Charts made by the tests, and a window that records the messages a chart posts.

#include <QCoreApplication>
#include <QImage>
#include <QObject>

#include <cstdint>
#include <vector>

#include "charts/qv_diagrams.h"
#include "device/message_event.h"
#include "gui_app.h"

namespace somnexa::charts::test {

struct Message {
    int number;
    std::intptr_t wParam;
    std::intptr_t lParam;
    friend bool operator==(const Message&, const Message&) = default;
};

class MessageRecorder : public QObject {
public:
    std::vector<Message> messages;

    // Lets posted messages arrive, then hands back everything received.
    std::vector<Message> take() {
        QCoreApplication::sendPostedEvents(this);
        std::vector<Message> out;
        out.swap(messages);
        return out;
    }

protected:
    bool event(QEvent* e) override {
        if (static_cast<int>(e->type()) >= 1024 && e->type() < QEvent::MaxUser) {
            auto* m = static_cast<MessageEvent*>(e);
            messages.push_back({m->message(), m->wParam(), m->lParam()});
            return true;
        }
        return QObject::event(e);
    }
};

// A 25 Hz realtime pressure chart over one minute on a 750 × 160 image (600
// plot pixels: ten pixels a second).
struct LineChartSetup {
    LineChartSetup() : host(750, 160), chart(host, &recorder) {
        ensureGuiApp();
        host.panelTag = 7;
        host.screen = QRect(100, 200, 750, 160);
        chart.DiagramModel = kLineChart;
        chart.Rows = 4;
        chart.Cols = 60;
        chart.MinY = 0;
        chart.MaxY = 40;
        chart.DigitalMin = 0;
        chart.DigitalMax = 4000;
        chart.TimeLength = 60;
        chart.Rate = 25;
        chart.LineColor = 0xB44600;
        chart.TextFormatY = "0.0";
        chart.ChannleName = "Pressure|(cmH2O)";
    }
    MessageRecorder recorder;
    FixedChartHost host;
    TQvDiagrams chart;
};

inline int countPixels(const QImage& image, QRgb color, QRect area = {}) {
    if (area.isNull()) area = image.rect();
    area = area.intersected(image.rect());
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += image.pixel(x, y) == color;
    return n;
}

inline arTPoint ramp(int startSecond, int count, int from, int by) {
    arTPoint out(static_cast<std::size_t>(count));
    for (int j = 0; j < count; ++j) out[static_cast<std::size_t>(j)] = {startSecond, from + j * by};
    return out;
}

}  // namespace somnexa::charts::test
