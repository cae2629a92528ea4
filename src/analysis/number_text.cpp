#include "analysis/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace somnexa::analysis {

std::string FormatFixed(double value, int decimals) {
    if (!std::isfinite(value)) return "0";
    // The scaled value at 15 significant digits, so that 8.15 rounds to 8.2
    // although its binary value lies just below.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value * std::pow(10.0, decimals));
    const double scaled = std::strtod(buf, nullptr);
    double rounded = std::round(scaled);  // half away from zero
    if (rounded == 0.0) rounded = 0.0;    // no "-0.0"
    std::snprintf(buf, sizeof buf, "%.*f", decimals, rounded / std::pow(10.0, decimals));
    return buf;
}

std::string FormatGeneral(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value == 0.0 ? 0.0 : value);
    return buf;
}

}  // namespace somnexa::analysis
