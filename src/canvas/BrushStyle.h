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
