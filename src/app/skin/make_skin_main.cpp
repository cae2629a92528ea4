// somnexa_make_skin OUTDIR GIFFILE: draws the skin pictures into
// OUTDIR/rcdata and OUTDIR/bitmap with the resource list OUTDIR/face.qrc
// (turned into face.rcc by rcc), and writes the loading animation GIFFILE.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

#include "loading_animation.h"
#include "skin_painter.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: somnexa_make_skin OUTDIR GIFFILE\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);  // fonts for the logo
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("rcdata")) || !out.mkpath(QStringLiteral("bitmap"))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    QString qrc;
    QTextStream list(&qrc);
    list << "<RCC>\n  <qresource prefix=\"/\">\n";
    const auto save = [&](const QString& kind, const std::map<QString, QImage>& pictures) {
        for (const auto& [name, image] : pictures) {
            const QString file = kind + QLatin1Char('/') + name + QStringLiteral(".png");
            if (!image.save(out.filePath(file), "PNG")) return false;
            list << "    <file>" << file << "</file>\n";
        }
        return true;
    };
    if (!save(QStringLiteral("rcdata"), somnexa::skin::drawPngPictures()) ||
        !save(QStringLiteral("bitmap"), somnexa::skin::drawButtonPictures())) {
        std::fprintf(stderr, "cannot write the skin pictures\n");
        return 1;
    }
    list << "  </qresource>\n</RCC>\n";
    list.flush();
    QFile qrcFile(out.filePath(QStringLiteral("face.qrc")));
    if (!qrcFile.open(QIODevice::WriteOnly) || qrcFile.write(qrc.toUtf8()) < 0) return 1;
    qrcFile.close();
    QFile gif(QString::fromLocal8Bit(argv[2]));
    if (!gif.open(QIODevice::WriteOnly) || gif.write(somnexa::skin::drawLoadingGif()) < 0) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
