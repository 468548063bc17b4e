#include "Contrast.h"

#include <algorithm>
#include <cmath>

namespace skerra {
namespace {

double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

}  // namespace

double relativeLuminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableTextOn(const QColor& background, const QColor& preferred)
{
    return readableTextOnAll({background}, preferred);
}

QColor readableTextOnAll(const QList<QColor>& backgrounds, const QColor& preferred)
{
    // The contrast on the background where the text reads worst.
    const auto worst = [&](const QColor& text) {
        double lowest = 21.0;
        for (const QColor& background : backgrounds) lowest = std::min(lowest, contrastRatio(text, background));
        return lowest;
    };
    const QColor black(Qt::black), white(Qt::white);
    const QColor extreme = worst(black) >= worst(white) ? black : white;
    if (!preferred.isValid()) return extreme;
    // The preferred colour taken step by step towards black or white: it keeps its hue.
    const QColor from = preferred.toRgb();
    for (int step = 0; step < 10; ++step) {
        const double t = step / 10.0;
        const QColor mixed = QColor::fromRgbF(float(from.redF() + (extreme.redF() - from.redF()) * t),
                                              float(from.greenF() + (extreme.greenF() - from.greenF()) * t),
                                              float(from.blueF() + (extreme.blueF() - from.blueF()) * t));
        if (worst(mixed) >= ReadableContrast) return mixed;
    }
    return extreme;
}

QPalette::ColorRole textRoleOn(QPalette::ColorRole background)
{
    return background == QPalette::Base     ? QPalette::Text
           : background == QPalette::Button ? QPalette::ButtonText
                                            : QPalette::WindowText;
}

void setReadableBackground(QPalette& palette, QPalette::ColorRole background, const QColor& colour,
                           const QColor& preferredText)
{
    palette.setColor(background, colour);
    palette.setColor(textRoleOn(background), readableTextOn(colour, preferredText));
}

}  // namespace skerra
