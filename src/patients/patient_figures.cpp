#include "patient_figures.h"

#include <QString>

#include <cmath>
#include <cstdio>

namespace somnexa::patients {

int AgeFromBirthday(DateTime birthday, DateTime now) {
    const double days = std::fabs(static_cast<double>(now.dayNumber() - birthday.dayNumber()));
    return static_cast<int>(days / 365.25);
}

namespace {

std::optional<double> readDecimal(const std::string& text) {
    bool ok = false;
    const double value = QString::fromStdString(text).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace

std::optional<double> ComputeBmi(const std::string& weightText, const std::string& heightText) {
    const auto weight = readDecimal(weightText);
    const auto height = readDecimal(heightText);
    if (!weight || !height || *height == 0.0) return std::nullopt;
    const double metres = *height / 100.0;
    const double bmi = *weight / (metres * metres);
    if (!std::isfinite(bmi)) return std::nullopt;
    return bmi;
}

std::string BmiText(std::optional<double> bmi) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", bmi ? *bmi : 0.0);
    return text;
}

BmiClass ClassifyBmi(double bmi) {
    if (bmi < 18.5) return {"Lean", 166, 202, 240};
    if (bmi < 25.0) return {"Normal", 0, 128, 0};
    if (bmi < 30.0) return {"The fat", 128, 128, 0};
    return {"Obesity", 255, 0, 0};
}

}  // namespace somnexa::patients
