#include "app/skin_strip.h"

#include <QPainter>

namespace somnexa::app {

SkinStrip::SkinStrip(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TranslucentBackground); }

void SkinStrip::setPieces(const QPixmap& left, const QPixmap& middle, const QPixmap& right, int middleCount) {
    left_ = left;
    middle_ = middle;
    right_ = right;
    count_ = middleCount;
    vertical_ = false;
    update();
}

void SkinStrip::setVerticalPiece(const QPixmap& piece) {
    middle_ = piece;
    vertical_ = true;
    update();
}

int SkinStrip::middleCount() const {
    if (count_ >= 0 || middle_.width() <= 0) return std::max(count_, 0);
    return std::max(0, (width() - left_.width() - right_.width()) / middle_.width() + 1);
}

void SkinStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (vertical_) {
        if (middle_.height() <= 0) return;
        const int pieces = height() / middle_.height() + 1;
        for (int i = 0; i < pieces; ++i) painter.drawPixmap(0, i * middle_.height(), middle_);
        return;
    }
    painter.drawPixmap(0, 0, left_);
    int x = left_.width();
    const int count = middleCount();
    // Stretching the run in one call keeps the strip smooth at any width.
    if (count > 0 && middle_.width() > 0) {
        painter.drawTiledPixmap(x, 0, count * middle_.width(), middle_.height(), middle_);
        x += count * middle_.width();
    }
    if (count_ < 0) x = width() - right_.width();  // a filling strip ends at the right edge
    painter.drawPixmap(x, 0, right_);
}

}  // namespace somnexa::app
