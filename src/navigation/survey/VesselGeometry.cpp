#include "VesselGeometry.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skerra::survey {
namespace {

template <class T, class Parse>
void take(T& value, const std::string& text, const char* name, std::string& problem, Parse parse)
{
    if (skerra::trimBlanks(text).empty()) return;
    if (const auto v = parse(text)) {
        value = T(*v);
    } else if (problem.empty()) {
        problem = std::string("bad value in the vessel shape's ") + name + ": '" + text + "'";
    }
}

}  // namespace

void UpdateVesselShape(VesselShape& shape, const VesselShapeTexts& texts, std::string& problem)
{
    const auto real = [](const std::string& t) { return skerra::tryParseDouble(t); };
    take(shape.ringCount, texts.ringCount, "ring count", problem, [](const std::string& t) { return skerra::tryParseInt(t); });
    shape.ringCount = std::clamp(shape.ringCount, 0, kMaxRings);
    take(shape.ringInterval, texts.ringInterval, "ring interval", problem, real);
    take(shape.firstRingRadius, texts.firstRingRadius, "first ring radius", problem, real);
    take(shape.bowArrow, texts.bowArrow, "bow arrow", problem, real);
    take(shape.sideArrow, texts.sideArrow, "side arrow", problem, real);
}

std::array<Segment, 5> VesselLines(double e, double n, double headingDeg, const VesselShape& s)
{
    const double h = headingDeg * std::numbers::pi / 180.0;
    const double half = std::numbers::pi / 2;
    const double bx = e + s.bowArrow * std::sin(h), by = n + s.bowArrow * std::cos(h);
    const double s1x = e + s.sideArrow * std::sin(h + half), s1y = n + s.sideArrow * std::cos(h + half);
    const double s2x = e + s.sideArrow * std::sin(h - half), s2y = n + s.sideArrow * std::cos(h - half);
    return {{{e, n, bx, by}, {e, n, s1x, s1y}, {e, n, s2x, s2y}, {bx, by, s1x, s1y}, {bx, by, s2x, s2y}}};
}

std::vector<double> RingRadii(const VesselShape& s)
{
    std::vector<double> radii;
    for (int i = 0; i < std::min(s.ringCount, kMaxRings); ++i) radii.push_back(s.firstRingRadius + i * s.ringInterval);
    return radii;
}

}  // namespace skerra::survey
