#include "app/skin_button.h"

#include <QMouseEvent>
#include <QPainter>

namespace somnexa::app {

SkinButton::SkinButton(QWidget* parent) : QAbstractButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void SkinButton::setPictures(const QPixmap& normal, const QPixmap& hot) {
    normal_ = normal;
    hot_ = hot;
    resize(normal_.size());
    update();
}

void SkinButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, hot_on_ || isDown() ? hot_ : normal_);
}

void SkinButton::enterEvent(QEnterEvent* event) {
    hot_on_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void SkinButton::leaveEvent(QEvent* event) {
    hot_on_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

ClickArea::ClickArea(int tag, std::function<void(int)> onClick, QWidget* parent)
    : QWidget(parent), tag_(tag), onClick_(std::move(onClick)) {
    setAttribute(Qt::WA_TranslucentBackground);
    setCursor(Qt::PointingHandCursor);
}

void ClickArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) click();
}

}  // namespace somnexa::app
