#pragma once
// The number format of chart labels and read-outs: digit placeholders "0"
// (always written) and "#" (written when significant), a point before the
// decimals, "," in the whole part for thousands groups. Text before the first
// and after the last placeholder is copied. Halves round away from zero. An
// empty pattern writes the shortest text of the value. Every window that
// formats a chart value uses this one function.

#include <string>
#include <string_view>

namespace somnexa {

std::string formatFloat(double value, std::string_view pattern);

}  // namespace somnexa
