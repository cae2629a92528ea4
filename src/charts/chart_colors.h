#pragma once
// Colours as the chart definitions store them: 32 bits, red in the low byte,
// green in the next, blue in the third (0x0000FF red, 0xFF0000 blue). A value
// whose top byte is 0xFF names a system colour by its low byte (0xFF00000D
// the highlight colour, 0xFF00000C the application-workspace colour).

#include <QColor>

#include <cstdint>

namespace somnexa::charts {

using TColor = std::uint32_t;

inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clGridGray = 0xC0C0C0;
inline constexpr TColor clAppWorkSpace = 0xFF00000C;
inline constexpr TColor clHighlight = 0xFF00000D;

// The colour a stored value stands for; unknown system colours are black.
QColor toQColor(TColor color);
// The stored value of a colour (never a system colour).
TColor fromQColor(const QColor& color);

}  // namespace somnexa::charts
