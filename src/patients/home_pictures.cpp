#include "home_pictures.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace somnexa::patients {

namespace {

constexpr int kIcon = 64;

QPixmap blank(int w, int h) {
    QPixmap p(w, h);
    p.fill(Qt::transparent);
    return p;
}

void badge(QPainter& p, const QColor& top, const QColor& bottom) {
    QLinearGradient g(0, 0, 0, kIcon);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(2, 2, kIcon - 4, kIcon - 4), 14, 14);
    p.setPen(QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
}

void person(QPainter& p, double cx, double cy, double s) {
    p.drawEllipse(QPointF(cx, cy - 7 * s), 6 * s, 6 * s);
    QPainterPath body;
    body.moveTo(cx - 11 * s, cy + 14 * s);
    body.cubicTo(cx - 11 * s, cy + 1 * s, cx + 11 * s, cy + 1 * s, cx + 11 * s, cy + 14 * s);
    p.drawPath(body);
}

}  // namespace

QPixmap TileIcon(int tag) {
    QPixmap pic = blank(kIcon, kIcon);
    QPainter p(&pic);
    p.setRenderHint(QPainter::Antialiasing);
    switch (tag) {
        case 1:  // the patient list
            badge(p, QColor(86, 160, 232), QColor(40, 110, 196));
            for (int i = 0; i < 3; ++i) {
                const double y = 22 + i * 10;
                p.drawPoint(QPointF(19, y));
                p.drawLine(QPointF(26, y), QPointF(45, y));
            }
            break;
        case 2:  // a patient's record
            badge(p, QColor(92, 196, 160), QColor(34, 146, 112));
            person(p, 32, 30, 1.0);
            p.drawLine(QPointF(40, 45), QPointF(48, 45));
            p.drawLine(QPointF(44, 41), QPointF(44, 49));
            break;
        case 3:  // download
            badge(p, QColor(244, 176, 82), QColor(220, 128, 36));
            p.drawLine(QPointF(32, 15), QPointF(32, 38));
            p.drawLine(QPointF(23, 30), QPointF(32, 39));
            p.drawLine(QPointF(41, 30), QPointF(32, 39));
            p.drawLine(QPointF(18, 47), QPointF(46, 47));
            break;
        case 4:  // analysis chart
            badge(p, QColor(166, 128, 230), QColor(112, 76, 190));
            p.drawLine(QPointF(18, 46), QPointF(46, 46));
            for (auto [x, h] : {std::pair{23.0, 12.0}, std::pair{32.0, 22.0}, std::pair{41.0, 16.0}})
                p.drawLine(QPointF(x, 41), QPointF(x, 41 - h));
            break;
        default: {  // settings
            badge(p, QColor(138, 156, 178), QColor(86, 104, 128));
            p.drawEllipse(QPointF(32, 32), 6, 6);
            for (int i = 0; i < 8; ++i) {
                const double a = i * M_PI / 4;
                p.drawLine(QPointF(32 + 11 * std::cos(a), 32 + 11 * std::sin(a)),
                           QPointF(32 + 16 * std::cos(a), 32 + 16 * std::sin(a)));
            }
            p.drawEllipse(QPointF(32, 32), 11, 11);
            break;
        }
    }
    return pic;
}

QPixmap HoverFrame() {
    QPixmap pic = blank(kTileWidth, kTileHeight);
    QPainter p(&pic);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, kTileHeight);
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(1, QColor(226, 238, 251));
    p.setBrush(g);
    p.setPen(QPen(QColor(94, 150, 220), 2));
    p.drawRoundedRect(QRectF(1.5, 1.5, kTileWidth - 3, kTileHeight - 3), 12, 12);
    return pic;
}

QPixmap HistoryIcon() {
    QPixmap pic = blank(16, 16);
    QPainter p(&pic);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(70, 96, 190), 1.6));
    p.setBrush(Qt::NoBrush);
    person(p, 8, 8, 0.42);
    return pic;
}

}  // namespace somnexa::patients
