#include "loading_animation.h"

#include <QImage>
#include <QPainter>

#include <cmath>

#include "gif_writer.h"

namespace somnexa::skin {

QByteArray drawLoadingGif() {
    constexpr int kSize = 72;
    constexpr int kFrames = 12;
    constexpr int kLevels = 16;
    const QColor blue(38, 128, 208);
    // A ramp from white to the blue: the antialiased edges fall on it.
    QVector<QColor> palette;
    for (int i = 0; i < kLevels; ++i) {
        const double t = i / double(kLevels - 1);
        palette.append(QColor(int(255 + (blue.red() - 255) * t), int(255 + (blue.green() - 255) * t),
                              int(255 + (blue.blue() - 255) * t)));
    }
    std::vector<GifFrame> frames;
    for (int f = 0; f < kFrames; ++f) {
        QImage image(kSize, kSize, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        for (int d = 0; d < kFrames; ++d) {
            const int age = (f - d + kFrames) % kFrames;  // 0: the leading dot
            const double strength = std::max(0.18, 1.0 - age / double(kFrames - 2));
            const double angle = d * 2 * M_PI / kFrames - M_PI / 2;
            const QPointF centre(kSize / 2 + 26 * std::cos(angle), kSize / 2 + 26 * std::sin(angle));
            QColor c = blue;
            c.setAlphaF(strength);
            p.setBrush(c);
            const double radius = 4.2 + 1.6 * strength;
            p.drawEllipse(centre, radius, radius);
        }
        p.end();
        GifFrame frame;
        frame.delayCs = 8;
        frame.indices.reserve(kSize * kSize);
        for (int y = 0; y < kSize; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < kSize; ++x) {
                // Distance from white along the ramp, read on the red channel.
                const double t = (255 - qRed(line[x])) / double(255 - blue.red());
                frame.indices.push_back(static_cast<std::uint8_t>(std::clamp(std::lround(t * (kLevels - 1)), 0L,
                                                                             long(kLevels - 1))));
            }
        }
        frames.push_back(std::move(frame));
    }
    return writeGif(kSize, kSize, palette, frames, 0);
}

}  // namespace somnexa::skin
