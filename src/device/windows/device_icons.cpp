#include "device/windows/device_icons.h"

#include <QPainter>
#include <QPainterPath>

#include "device/device_item.h"

namespace somnexa::device::windows {

namespace {

// A bedside ventilator seen from the front: a rounded housing with a display
// and a dial, the hose outlet on the right; a badge in the lower right corner
// tells the state.
QPixmap drawVentilator(const QColor& body, const QColor& edge, const QColor& screen, int badge) {
    QPixmap picture(kDeviceIconWidth, kDeviceIconHeight);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, true);

    QLinearGradient shade(0, 3, 0, 29);
    shade.setColorAt(0, body.lighter(125));
    shade.setColorAt(1, body);
    p.setPen(QPen(edge, 1.2));
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(3.5, 4.5, 36, 24), 5, 5);
    // hose outlet
    p.setBrush(edge.lighter(140));
    p.drawRoundedRect(QRectF(39.5, 12.5, 6, 8), 2, 2);
    // display
    p.setPen(QPen(edge.darker(120), 1));
    p.setBrush(screen);
    p.drawRoundedRect(QRectF(8.5, 8.5, 18, 10), 2, 2);
    p.setPen(QPen(screen.lighter(170), 1.2));
    QPainterPath wave;
    wave.moveTo(10, 15);
    wave.cubicTo(13, 9, 15, 9, 17.5, 13.5);
    wave.cubicTo(20, 17, 22, 17, 25, 11);
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
    // dial and buttons
    p.setPen(QPen(edge, 1));
    p.setBrush(body.lighter(150));
    p.drawEllipse(QPointF(32.5, 13.5), 4, 4);
    p.setBrush(edge.lighter(120));
    p.drawEllipse(QPointF(11, 23.5), 1.6, 1.6);
    p.drawEllipse(QPointF(16, 23.5), 1.6, 1.6);
    p.drawEllipse(QPointF(21, 23.5), 1.6, 1.6);

    if (badge == kIconDownloaded) {
        p.setPen(QPen(Qt::white, 1.5));
        p.setBrush(QColor(0x2e, 0x9d, 0x4f));
        p.drawEllipse(QPointF(38, 24), 7, 7);
        QPen tick(Qt::white, 2.2);
        tick.setCapStyle(Qt::RoundCap);
        tick.setJoinStyle(Qt::RoundJoin);
        p.setPen(tick);
        p.drawPolyline(QPolygonF({QPointF(34.6, 24.2), QPointF(37.2, 26.8), QPointF(41.6, 21.4)}));
    } else if (badge == kIconOtherModel) {
        p.setPen(QPen(Qt::white, 1.5));
        p.setBrush(QColor(0xd9, 0x8c, 0x1f));
        p.drawEllipse(QPointF(38, 24), 7, 7);
        p.setPen(Qt::white);
        QFont font = p.font();
        font.setPixelSize(10);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRectF(31, 17, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
    }
    return picture;
}

}  // namespace

QPixmap DeviceIconPicture(int icon) {
    switch (icon) {
        case kIconKnownModel:
            return drawVentilator(QColor(0x3f, 0x86, 0xc8), QColor(0x1d, 0x4f, 0x82), QColor(0x12, 0x2c, 0x46),
                                  kIconKnownModel);
        case kIconDownloaded:
            return drawVentilator(QColor(0x3f, 0x86, 0xc8), QColor(0x1d, 0x4f, 0x82), QColor(0x12, 0x2c, 0x46),
                                  kIconDownloaded);
        default:
            return drawVentilator(QColor(0x9a, 0xa7, 0xb4), QColor(0x5b, 0x67, 0x73), QColor(0x33, 0x3d, 0x47),
                                  kIconOtherModel);
    }
}

}  // namespace somnexa::device::windows
