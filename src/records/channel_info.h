#pragma once
// A channel description with the fields a data file's frame layout needs; the
// rest (scales, colours) stays zero. For tools and tests that write files
// without a chart definition behind them.

#include <cstdint>
#include <string_view>

#include "records/device_records.h"
#include "records/fixed_text.h"

namespace somnexa {

inline TChannleInfo MakeChannelInfo(std::string_view name, int code, int codePos, int rate, int pointsPerSample = 1) {
    TChannleInfo c;
    setFixedText(c.Name, name);
    c.Code = static_cast<std::uint8_t>(code);
    c.CodePos = static_cast<std::uint8_t>(codePos);
    c.Rate = static_cast<std::uint8_t>(rate);
    c.PointsPerSample = static_cast<std::uint16_t>(pointsPerSample);
    c.Visible = 1;
    return c;
}

}  // namespace somnexa
