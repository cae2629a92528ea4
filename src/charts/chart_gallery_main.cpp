// somnexa_chart_gallery [OUTDIR]: writes the chart pictures (en_chart_*.png)
// into OUTDIR ("screens") without starting the program.

#include <QDir>
#include <QGuiApplication>

#include "charts/chart_gallery.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screens");
    if (!QDir(out).mkpath(QStringLiteral("."))) return 1;
    QFont font = QGuiApplication::font();
    font.setPointSize(9);
    return somnexa::charts::writeChartGallery(out, QStringLiteral("en"), font) ? 0 : 1;
}
