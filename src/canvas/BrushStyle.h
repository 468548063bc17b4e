#pragma once
// Brush styles as the chart stores them: one byte, 0 solid, 1 clear, then the
// hatch patterns. Values outside the list are kept as given.

#include <cstdint>

enum TBrushStyle : std::uint8_t {
    bsSolid = 0,
    bsClear = 1,
    bsHorizontal = 2,
    bsVertical = 3,
    bsFDiagonal = 4,
    bsBDiagonal = 5,
    bsCross = 6,
    bsDiagCross = 7,
};

// Pen styles of the chart API (only psSolid is used by the program itself).
enum TPenStyleCode : int { psSolid = 0, psDash = 1, psDot = 2, psDashDot = 3, psDashDotDot = 4, psClear = 5 };

// A pen style as a shape stores it (one byte): a code outside 0..255 is no
// style a shape can carry and reads as psSolid.
inline std::uint8_t penStyleByte(int style)
{
    return (style >= 0 && style <= 255) ? static_cast<std::uint8_t>(style) : std::uint8_t{psSolid};
}
