#pragma once
// Number texts of the figures: fixed decimals rounded half away from zero on
// the value's 15 significant digits, and the shortest general form.

#include <string>

namespace somnexa::analysis {

// "0.0" (decimals 1), "0.00" (decimals 2) and the like.
std::string FormatFixed(double value, int decimals);
// The general form with 15 significant digits ("4.5", "5", "0.3" for 0.1 * 3).
std::string FormatGeneral(double value);

}  // namespace somnexa::analysis
