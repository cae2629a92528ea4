#include "gif_writer.h"

namespace somnexa::skin {

namespace {

void put16(QByteArray& out, int value) {
    out.append(static_cast<char>(value & 0xff));
    out.append(static_cast<char>((value >> 8) & 0xff));
}

// Packs codes of a fixed width, least significant bit first, into sub-blocks.
class CodeWriter {
public:
    explicit CodeWriter(int width) : width_(width) {}
    void put(int code) {
        buffer_ |= static_cast<std::uint32_t>(code) << bits_;
        bits_ += width_;
        while (bits_ >= 8) {
            bytes_.append(static_cast<char>(buffer_ & 0xff));
            buffer_ >>= 8;
            bits_ -= 8;
        }
    }
    QByteArray finish() {
        if (bits_ > 0) bytes_.append(static_cast<char>(buffer_ & 0xff));
        QByteArray blocks;
        for (qsizetype i = 0; i < bytes_.size(); i += 255) {
            const QByteArray part = bytes_.mid(i, 255);
            blocks.append(static_cast<char>(part.size()));
            blocks.append(part);
        }
        blocks.append('\0');
        return blocks;
    }

private:
    int width_;
    std::uint32_t buffer_ = 0;
    int bits_ = 0;
    QByteArray bytes_;
};

}  // namespace

QByteArray writeGif(int width, int height, const QVector<QColor>& palette, const std::vector<GifFrame>& frames,
                    int transparentIndex) {
    int depth = 1;
    while ((1 << depth) < palette.size() && depth < 8) ++depth;
    const int minCodeSize = std::max(depth, 2);
    const int clear = 1 << minCodeSize;
    // Literal codes between clears, so that the reader's table never reaches
    // the next code width: it adds one entry per code after the first.
    const int run = clear - 3;

    QByteArray out("GIF89a");
    put16(out, width);
    put16(out, height);
    out.append(static_cast<char>(0x80 | ((depth - 1) << 4) | (depth - 1)));
    out.append('\0');  // background colour
    out.append('\0');  // aspect ratio
    for (int i = 0; i < (1 << depth); ++i) {
        const QColor c = i < palette.size() ? palette[i] : QColor(Qt::black);
        out.append(static_cast<char>(c.red()));
        out.append(static_cast<char>(c.green()));
        out.append(static_cast<char>(c.blue()));
    }
    // Loop for ever (NETSCAPE2.0 application extension).
    out.append("\x21\xff\x0bNETSCAPE2.0\x03\x01", 16);
    put16(out, 0);
    out.append('\0');

    for (const GifFrame& frame : frames) {
        out.append("\x21\xf9\x04", 3);
        out.append(static_cast<char>((2 << 2) | (transparentIndex >= 0 ? 1 : 0)));  // restore to background
        put16(out, frame.delayCs);
        out.append(static_cast<char>(transparentIndex >= 0 ? transparentIndex : 0));
        out.append('\0');

        out.append(',');
        put16(out, 0);
        put16(out, 0);
        put16(out, width);
        put16(out, height);
        out.append('\0');
        out.append(static_cast<char>(minCodeSize));
        CodeWriter codes(minCodeSize + 1);
        int sinceClear = run;
        for (std::uint8_t index : frame.indices) {
            if (sinceClear == run) {
                codes.put(clear);
                sinceClear = 0;
            }
            codes.put(index);
            ++sinceClear;
        }
        codes.put(clear + 1);  // end of information
        out.append(codes.finish());
    }
    out.append(';');
    return out;
}

}  // namespace somnexa::skin
