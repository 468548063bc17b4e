#include "Colour.h"

namespace skerra {

QColor toQColor(TColor c) { return QColor(colorRed(c), colorGreen(c), colorBlue(c)); }

TColor fromQColor(const QColor& c)
{
    const QColor rgb = c.toRgb();
    return rgbColor(rgb.red(), rgb.green(), rgb.blue());
}

}  // namespace skerra
