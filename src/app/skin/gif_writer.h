#pragma once
// A small writer of animated GIF files (GIF89a): frames of palette indices
// with one global palette of up to 256 colours, looping for ever. The LZW
// stream restarts its table before it would grow past the first code width,
// which every reader accepts; the files are larger than fully packed ones.

#include <QByteArray>
#include <QColor>
#include <QVector>

#include <cstdint>
#include <vector>

namespace somnexa::skin {

struct GifFrame {
    std::vector<std::uint8_t> indices;  // width * height palette indices, row by row
    int delayCs = 8;                    // hundredths of a second
};

// transparentIndex < 0: no transparent colour.
QByteArray writeGif(int width, int height, const QVector<QColor>& palette, const std::vector<GifFrame>& frames,
                    int transparentIndex = -1);

}  // namespace somnexa::skin
