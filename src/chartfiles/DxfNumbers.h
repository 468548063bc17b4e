#pragma once
// Numbers of a DXF drawing, read by the C library's atol and atof rules but
// without the locale: leading white space, an optional sign, then as much of a
// number as there is ("10abc" is 10, "1,5" is 1.0, "abc" is 0). The point is
// always ".". Integers saturate at the 32-bit range. Texts that the C library
// would read as infinity or NaN, and reals too large for a double, read as 0.0:
// they are not numbers a drawing can use.

#include <string_view>

int dxfAtol(std::string_view text);
double dxfAtof(std::string_view text);
