#pragma once
// Drawing steps of the chart engine in the platform's canvas terms: a
// rectangle covers the pixels from (left, top) up to but not including
// (right, bottom), its outline in the pen colour and its inside in the brush;
// text is placed by its top-left corner. The outline and the inside never
// overlap, so under the NOT-XOR mix every pixel is changed exactly once.

#include <QBrush>
#include <QColor>
#include <QPainter>
#include <QString>

namespace somnexa::charts {

void drawFrameRect(QPainter& painter, int left, int top, int right, int bottom, const QColor& pen,
                   const QBrush& brush);

// Text with its top-left corner at (x, top), in the painter's font and pen.
void drawTextTopLeft(QPainter& painter, int x, int top, const QString& text);

// Plain copy drawing: no smoothing of lines, copy mix.
void resetCanvas(QPainter& painter);

// A 32-bit image at the platform's 96 dots per inch, so that font sizes in
// points give the same pixel sizes everywhere.
QImage makeChartImage(int width, int height);

}  // namespace somnexa::charts
