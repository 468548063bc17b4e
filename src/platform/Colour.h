#pragma once
// TColor: a 24-bit colour as 0x00BBGGRR, the form the settings file stores.

#include <QColor>
#include <cstdint>

using TColor = std::int32_t;

namespace skerra {

constexpr TColor rgbColor(int r, int g, int b) { return (b << 16) | (g << 8) | r; }
constexpr int colorRed(TColor c) { return c & 0xFF; }
constexpr int colorGreen(TColor c) { return (c >> 8) & 0xFF; }
constexpr int colorBlue(TColor c) { return (c >> 16) & 0xFF; }

QColor toQColor(TColor c);
TColor fromQColor(const QColor& c);

namespace colors {
constexpr TColor Black = 0x000000;
constexpr TColor Maroon = 0x000080;
constexpr TColor Green = 0x008000;
constexpr TColor Olive = 0x008080;
constexpr TColor Navy = 0x800000;
constexpr TColor Purple = 0x800080;
constexpr TColor Teal = 0x808000;
constexpr TColor Gray = 0x808080;
constexpr TColor Silver = 0xC0C0C0;
constexpr TColor Red = 0x0000FF;
constexpr TColor Lime = 0x00FF00;
constexpr TColor Yellow = 0x00FFFF;
constexpr TColor Blue = 0xFF0000;
constexpr TColor Fuchsia = 0xFF00FF;
constexpr TColor Aqua = 0xFFFF00;
constexpr TColor White = 0xFFFFFF;
}  // namespace colors

}  // namespace skerra
