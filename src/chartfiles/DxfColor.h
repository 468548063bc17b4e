#pragma once
// DXF colour numbers as canvas colours (0x00BBGGRR).

// 1..9 the named colours (7 white), 10..255 each component (17n, 37n, 53n)
// mod 256; -1 for 0 (by block), 256 (by layer), negative numbers (a layer
// that is off) and anything above.
int DxfColorToColor(int colorNumber);
