#include "chartfiles/DxfColor.h"

#include "platform/Colour.h"

using skerra::rgbColor;

int DxfColorToColor(int n)
{
    static constexpr TColor named[] = {
        rgbColor(255, 0, 0),     rgbColor(255, 255, 0),   rgbColor(0, 255, 0),
        rgbColor(0, 255, 255),   rgbColor(0, 0, 255),     rgbColor(255, 0, 255),
        rgbColor(255, 255, 255), rgbColor(128, 128, 128), rgbColor(192, 192, 192),
    };
    if (n >= 1 && n <= 9)
        return named[n - 1];
    if (n >= 10 && n <= 255)
        return rgbColor((17 * n) % 256, (37 * n) % 256, (53 * n) % 256);
    return -1;
}
