#include "app/option_marks.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace somnexa::app {

QPixmap optionMark(QSize size, bool hover) {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 6, 6);
    if (hover) {
        painter.fillPath(shape, QColor(255, 255, 255, 38));
        return picture;
    }
    QLinearGradient fill(0, 0, size.width(), 0);
    fill.setColorAt(0, QColor(74, 163, 232));
    fill.setColorAt(1, QColor(46, 128, 201));
    painter.fillPath(shape, fill);
    painter.setPen(QPen(QColor(255, 255, 255, 70), 1));
    painter.drawPath(shape);
    painter.fillRect(QRectF(0, 8, 4, size.height() - 16), QColor(255, 255, 255));
    return picture;
}

}  // namespace somnexa::app
