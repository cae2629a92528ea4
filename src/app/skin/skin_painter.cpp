#include "skin_painter.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <functional>

namespace somnexa::skin {

namespace {

constexpr int kHeadHeight = 104;
constexpr int kMenuHeight = 30;
constexpr int kSelectHeight = 28;
constexpr int kFooterHeight = 44;

const QColor kHeadTop(12, 58, 104);
const QColor kHeadBottom(24, 101, 166);

QImage blank(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void paintHeadBackground(QPainter& p, int w) {
    QLinearGradient g(0, 0, 0, kHeadHeight);
    g.setColorAt(0, kHeadTop);
    g.setColorAt(1, kHeadBottom);
    p.fillRect(0, 0, w, kHeadHeight, g);
    p.fillRect(0, kHeadHeight - 2, w, 1, QColor(74, 163, 232));
    p.fillRect(0, kHeadHeight - 1, w, 1, QColor(9, 44, 80));
}

// A soft breathing curve, the motif of the header's ends.
void paintWaves(QPainter& p, int w, double phase, int alpha) {
    p.setRenderHint(QPainter::Antialiasing);
    for (int line = 0; line < 3; ++line) {
        QPainterPath path;
        const double base = 40 + line * 12;
        for (int x = 0; x <= w; x += 2) {
            const double y = base + 9 * std::sin((x + phase + line * 40) / 38.0) * (0.6 + 0.4 * std::sin(x / 90.0));
            if (x == 0) path.moveTo(x, y); else path.lineTo(x, y);
        }
        p.setPen(QPen(QColor(120, 190, 245, alpha - line * 8), 1.4));
        p.drawPath(path);
    }
}

QImage headPiece(int w, int part) {
    QImage image = blank(w, kHeadHeight);
    QPainter p(&image);
    paintHeadBackground(p, w);
    if (part == 0) {
        QRadialGradient glow(60, 40, 150);
        glow.setColorAt(0, QColor(90, 170, 235, 70));
        glow.setColorAt(1, QColor(90, 170, 235, 0));
        p.fillRect(0, 0, w, kHeadHeight - 2, glow);
    } else if (part == 2) {
        paintWaves(p, w, 0, 46);
    }
    return image;
}

// A rounded bar cut into its left end, one middle column and its right end.
QImage barSlice(int h, int endWidth, int middleWidth, int part, const std::function<void(QPainter&, QRectF)>& draw) {
    const int full = 2 * endWidth + middleWidth;
    QImage whole = blank(full, h);
    {
        QPainter p(&whole);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p, QRectF(0.5, 0.5, full - 1, h - 1));
    }
    if (part == 0) return whole.copy(0, 0, endWidth, h);
    if (part == 1) return whole.copy(endWidth, 0, middleWidth, h);
    return whole.copy(endWidth + middleWidth, 0, endWidth, h);
}

void drawMenuBar(QPainter& p, QRectF r) {
    QPainterPath path;
    path.addRoundedRect(r, r.height() / 2, r.height() / 2);
    QLinearGradient g(0, r.top(), 0, r.bottom());
    g.setColorAt(0, QColor(5, 30, 60, 95));
    g.setColorAt(1, QColor(5, 30, 60, 60));
    p.fillPath(path, g);
    p.setPen(QPen(QColor(255, 255, 255, 30), 1));
    p.drawPath(path);
}

void drawSelection(QPainter& p, QRectF r) {
    QPainterPath path;
    path.addRoundedRect(r, r.height() / 2, r.height() / 2);
    QLinearGradient g(0, r.top(), 0, r.bottom());
    g.setColorAt(0, QColor(88, 178, 242));
    g.setColorAt(1, QColor(38, 128, 208));
    p.fillPath(path, g);
    p.setPen(QPen(QColor(255, 255, 255, 110), 1));
    p.drawPath(path);
}

void drawFooter(QPainter& p, QRectF r) {
    QLinearGradient g(0, 0, 0, r.height());
    g.setColorAt(0, QColor(231, 238, 246));
    g.setColorAt(1, QColor(214, 226, 238));
    p.fillRect(r.adjusted(-1, -1, 1, 1), g);
    p.fillRect(QRectF(0, 0, r.width() + 1, 1), QColor(176, 198, 220));
}

QImage sidePiece() {
    QImage image = blank(4, 40);
    QPainter p(&image);
    QLinearGradient g(0, 0, 4, 0);
    g.setColorAt(0, QColor(24, 101, 166));
    g.setColorAt(1, QColor(60, 140, 205));
    p.fillRect(0, 0, 4, 40, g);
    return image;
}

QImage logo() {
    QImage image = blank(156, 66);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tile;
    tile.addRoundedRect(QRectF(2, 7, 52, 52), 13, 13);
    QLinearGradient g(0, 7, 0, 59);
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(1, QColor(214, 234, 250));
    p.fillPath(tile, g);
    // A breath: a calm wave rising to one peak, drawn across the tile.
    QPainterPath wave;
    wave.moveTo(10, 36);
    wave.cubicTo(17, 36, 18, 30, 22, 30);
    wave.cubicTo(27, 30, 27, 44, 32, 44);
    wave.cubicTo(36, 44, 36, 20, 41, 20);
    wave.cubicTo(44, 20, 44, 33, 47, 33);
    p.setPen(QPen(QColor(28, 110, 184), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(wave);
    QFont name(QStringLiteral("DejaVu Sans"));
    name.setPixelSize(24);
    name.setBold(true);
    name.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    p.setFont(name);
    p.setPen(Qt::white);
    p.drawText(QRectF(62, 8, 94, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Qorvel"));
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(10);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 2.2);
    p.setFont(small);
    p.setPen(QColor(160, 206, 245));
    p.drawText(QRectF(63, 38, 94, 16), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("MEDICAL"));
    return image;
}

enum class Glyph { Help, Minimise, Maximise, Close };

QImage windowButton(Glyph glyph, bool hot) {
    QImage image = blank(30, 24);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (hot) {
        QPainterPath back;
        back.addRoundedRect(QRectF(0.5, 0.5, 29, 23), 5, 5);
        p.fillPath(back, glyph == Glyph::Close ? QColor(214, 64, 64) : QColor(255, 255, 255, 52));
    }
    p.setPen(QPen(QColor(255, 255, 255, hot ? 255 : 220), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (glyph) {
        case Glyph::Help: {
            p.drawEllipse(QRectF(8, 5, 14, 14));
            QPainterPath q;
            q.moveTo(12.6, 10.2);
            q.cubicTo(12.6, 7.6, 17.4, 7.6, 17.4, 10.2);
            q.cubicTo(17.4, 12.0, 15.0, 12.0, 15.0, 14.0);
            p.drawPath(q);
            p.drawPoint(QPointF(15.0, 16.4));
            break;
        }
        case Glyph::Minimise: p.drawLine(QPointF(9, 16), QPointF(21, 16)); break;
        case Glyph::Maximise: p.drawRoundedRect(QRectF(9.5, 6.5, 11, 11), 1.5, 1.5); break;
        case Glyph::Close:
            p.drawLine(QPointF(10, 7), QPointF(20, 17));
            p.drawLine(QPointF(20, 7), QPointF(10, 17));
            break;
    }
    return image;
}

}  // namespace

std::map<QString, QImage> drawPngPictures() {
    std::map<QString, QImage> pictures;
    pictures[QStringLiteral("Login")] = logo();
    pictures[QStringLiteral("HeadLeft")] = headPiece(200, 0);
    pictures[QStringLiteral("HeadMiddle")] = headPiece(8, 1);
    pictures[QStringLiteral("HeadRight")] = headPiece(260, 2);
    for (int part = 0; part < 3; ++part) {
        static const char* const suffix[] = {"Left", "Middle", "Right"};
        pictures[QStringLiteral("Menu") + suffix[part]] = barSlice(kMenuHeight, 15, 6, part, drawMenuBar);
        pictures[QStringLiteral("Select") + suffix[part]] = barSlice(kSelectHeight, 14, 6, part, drawSelection);
        pictures[QStringLiteral("Footer") + suffix[part]] = barSlice(kFooterHeight, 10, 8, part, drawFooter);
    }
    pictures[QStringLiteral("Left")] = sidePiece();
    pictures[QStringLiteral("Right")] = sidePiece().mirrored(true, false);
    return pictures;
}

std::map<QString, QImage> drawButtonPictures() {
    // Normal then hot, under the names the main window reads.
    return {
        {QStringLiteral("Question"), windowButton(Glyph::Help, false)},
        {QStringLiteral("Question1"), windowButton(Glyph::Help, true)},
        {QStringLiteral("min1"), windowButton(Glyph::Minimise, false)},
        {QStringLiteral("min"), windowButton(Glyph::Minimise, true)},
        {QStringLiteral("Max1"), windowButton(Glyph::Maximise, false)},
        {QStringLiteral("Max"), windowButton(Glyph::Maximise, true)},
        {QStringLiteral("Close1"), windowButton(Glyph::Close, false)},
        {QStringLiteral("Close"), windowButton(Glyph::Close, true)},
    };
}

}  // namespace somnexa::skin
