#pragma once
// A window button of the skin: its normal picture, and the hot one while
// the mouse is over it.

#include <QAbstractButton>
#include <QPixmap>

#include <functional>

namespace somnexa::app {

class SkinButton : public QAbstractButton {
public:
    explicit SkinButton(QWidget* parent = nullptr);
    void setPictures(const QPixmap& normal, const QPixmap& hot);
    QSize sizeHint() const override { return normal_.size(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPixmap normal_, hot_;
    bool hot_on_ = false;
};

// A transparent area that reports clicks with its tag.
class ClickArea : public QWidget {
public:
    ClickArea(int tag, std::function<void(int)> onClick, QWidget* parent);
    int tag() const { return tag_; }
    void click() { onClick_(tag_); }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    int tag_;
    std::function<void(int)> onClick_;
};

}  // namespace somnexa::app
