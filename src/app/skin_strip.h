#pragma once
// A strip of skin pieces: a left piece, a run of middle pieces and a right
// piece side by side (the header, menu bar, selection marker and footer), or
// one piece repeated downwards (the side panels).

#include <QPixmap>
#include <QWidget>

namespace somnexa::app {

class SkinStrip : public QWidget {
public:
    explicit SkinStrip(QWidget* parent = nullptr);

    // Horizontal: left, middle * count, right. count < 0 fills the width:
    // (width - left - right) div middle + 1 pieces.
    void setPieces(const QPixmap& left, const QPixmap& middle, const QPixmap& right, int middleCount = -1);
    // Vertical: piece repeated (height div piece height) + 1 times from the top.
    void setVerticalPiece(const QPixmap& piece);

    int middleCount() const;
    int middleWidth() const { return middle_.width(); }
    int leftWidth() const { return left_.width(); }
    int rightWidth() const { return right_.width(); }
    // The width of left + count middles + right.
    int stripWidth(int count) const { return left_.width() + count * middle_.width() + right_.width(); }
    int pieceHeight() const { return left_.isNull() ? middle_.height() : left_.height(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap left_, middle_, right_;
    int count_ = -1;
    bool vertical_ = false;
};

}  // namespace somnexa::app
