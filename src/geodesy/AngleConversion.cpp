#include "geodesy/AngleConversion.h"

namespace skerra {

long double ConvertAngle(long double value, const std::string& selector)
{
    if (selector == "r" || selector == "R")
        return geodesy::degToRad(value);
    if (selector == "d" || selector == "D")
        return geodesy::radToDeg(value);
    return 0;
}

}  // namespace skerra
