#pragma once
// Pictures of the chart engine at work, for the screens output: a breathing
// waveform with legend, colour keys and cursor line, a drag selection on a
// pressure trend, event rectangles with one highlighted, a month of columns,
// a time axis, and all of them stacked as a view shows them.

#include <QFont>
#include <QString>

namespace somnexa::charts {

// Writes the pictures as <prefix>_chart_*.png into folder; false if one could
// not be written. font is the panels' font.
bool writeChartGallery(const QString& folder, const QString& prefix, const QFont& font);

}  // namespace somnexa::charts
