#include "charts/line_color_box.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

#include <cstdio>

namespace somnexa::charts {
namespace {

constexpr int kCustomData = -1;

struct NamedColor {
    TColor color;
    const char* name;
};

// Stored form: red in the low byte.
constexpr NamedColor kDefaults[] = {
    {0x000000, "Black"},  {0x000080, "Maroon"}, {0x008000, "Green"},  {0x008080, "Olive"},
    {0x800000, "Navy"},   {0x800080, "Purple"}, {0x808000, "Teal"},   {0x808080, "Gray"},
    {0xC0C0C0, "Silver"}, {0x0000FF, "Red"},    {0x00FF00, "Lime"},   {0x00FFFF, "Yellow"},
    {0xFF0000, "Blue"},   {0xFF00FF, "Fuchsia"}, {0xFFFF00, "Aqua"},  {0xB44600, "Deep blue"},
    {0x3C8C00, "Leaf green"}, {0x0078E6, "Orange"}, {0xAA3C8C, "Violet"}, {0x1E1EDC, "Signal red"},
};

QPixmap swatch(TColor color) {
    QPixmap picture(28, 12);
    picture.fill(toQColor(color));
    QPainter painter(&picture);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 27, 11);
    return picture;
}

}  // namespace

LineColorBox::LineColorBox(QWidget* parent) : QComboBox(parent) {
    setIconSize(QSize(28, 12));
    for (const NamedColor& c : kDefaults) addSwatch(c.color, QString::fromLatin1(c.name));
    addItem(QStringLiteral("Custom..."), kCustomData);
    connect(this, &QComboBox::activated, this, [this](int index) { chosen(index); });
}

void LineColorBox::addSwatch(TColor color, const QString& name) {
    insertItem(count() > 0 && itemData(count() - 1).toInt() == kCustomData ? count() - 1 : count(), QIcon(swatch(color)),
               name, static_cast<qlonglong>(color));
}

TColor LineColorBox::color() const {
    const QVariant data = currentData();
    return data.toLongLong() >= 0 ? static_cast<TColor>(data.toLongLong()) : 0;
}

void LineColorBox::setColor(TColor color) {
    int index = findData(static_cast<qlonglong>(color));
    if (index < 0) {
        char name[16];
        std::snprintf(name, sizeof name, "#%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
        addSwatch(color, QString::fromLatin1(name));
        index = findData(static_cast<qlonglong>(color));
    }
    setCurrentIndex(index);
    lastIndex_ = index;
}

void LineColorBox::chosen(int index) {
    if (itemData(index).toInt() != kCustomData) {
        lastIndex_ = index;
        return;
    }
    const QColor picked = QColorDialog::getColor(toQColor(color()), this);
    if (picked.isValid()) setColor(fromQColor(picked));
    else setCurrentIndex(lastIndex_);
}

}  // namespace somnexa::charts
