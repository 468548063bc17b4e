#include "PlausibleDepth.h"

#include <cmath>

namespace skerra::survey {

bool PlausibleRawDepth(double metres)
{
    return metres == 0 || (std::isnormal(metres) && metres > 0 && metres <= kDeepestSeaMetres);
}

}  // namespace skerra::survey
