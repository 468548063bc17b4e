#pragma once
// Which raw depths a sounder can have measured: one rule for every sounder format.

namespace skerra::survey {

// The deepest sea is a little under 11,000 m deep.
constexpr double kDeepestSeaMetres = 11000;

// A raw depth in metres is plausible when it is 0 (no sounding: shown but never
// logged) or a normal number above 0 and no deeper than kDeepestSeaMetres. A depth
// below zero, deeper than any sea, so small that it is not a normal number (1e-320),
// infinite or not a number is impossible.
bool PlausibleRawDepth(double metres);

}  // namespace skerra::survey
