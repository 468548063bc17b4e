#pragma once
// Survey lines laid out along a route drawn on the chart: cross lines perpendicular to
// the route at a fixed spacing, or lines parallel to it at multiples of the spacing on
// both sides. Grid coordinates in metres.

#include <optional>
#include <string>
#include <utility>
#include <vector>

using RunlinePoint = std::pair<double, double>;  // easting, northing
using RunlinePolyline = std::vector<RunlinePoint>;

enum class RunlineMode { Perpendicular, Parallel };

// More lines than this are refused: they would take the chart minutes to make.
constexpr double kMaxRunlines = 100000;

// The spacing or length typed by the user: the text as a real, or the default when it
// is not a number or not above zero.
double RunlineValue(const std::string& text, double fallback);

// How many lines runlines() would make, counted without making them (the route copy
// not included). Perpendicular: on every segment of at least 0.001 m one line at each
// station k * S from 0 up to its length (a station within 1e-9 of the length counts);
// parallel: 2 * trunc(L / S).
double RunlineCount(const RunlinePolyline& route, double S, double L, RunlineMode mode);

// The route itself, then the lines. Perpendicular: per segment, lines 2 L long centred
// on the route at each station. Parallel: for k = 1 .. trunc(L / S) the route offset by
// k * S to the left, then to the right, along each vertex's normal (an interior
// vertex takes the mean of its segments' left normals, made unit length when it is
// longer than 0.001). Empty for a route of fewer than 2 points; nothing (nullopt) when
// more than kMaxRunlines lines would be made. S and L must be above zero.
std::optional<std::vector<RunlinePolyline>> runlines(const RunlinePolyline& route, double S, double L,
                                                    RunlineMode mode);

// The event-log text of a generation, with the spacing and length texts as typed.
std::string RunlinesLogText(const std::string& spacingText, const std::string& lengthText);
