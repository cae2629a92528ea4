#pragma once
// The two marks of the options navigator, drawn to the item's size: the
// selection mark of the chosen item and the lighter hover mark.

#include <QPixmap>
#include <QSize>

namespace somnexa::app {

QPixmap optionMark(QSize size, bool hover);

}  // namespace somnexa::app
