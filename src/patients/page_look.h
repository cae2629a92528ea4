#pragma once
// The look the patient pages share: rounded page corners, the light card
// style, and the tooltip-coloured background of read-only fields.

#include <QString>

class QWidget;

namespace somnexa::patients {

inline constexpr int kPageCornerRadius = 12;

// Clips widget to a rounded rectangle of the radius (again after each resize).
void RoundCorners(QWidget* widget, int radius = kPageCornerRadius);

// The style sheet of a patient page whose object name is formName.
QString PageStyleSheet(const QString& formName);

// Marks a field that the user cannot edit, in the tooltip colour.
void MarkReadOnly(QWidget* field);

}  // namespace somnexa::patients
