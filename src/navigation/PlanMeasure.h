#pragma once
// Distance and azimuth on the grid plane, for the chart's distance measure.

// Straight-line distance between two grid points, metres.
double PlanDistance(double x1, double y1, double x2, double y2);

// Azimuth from the first point to the second, clockwise from grid north, in radians
// in [0, 2 pi): due east pi/2, due west 3 pi/2; a zero vector gives 0.
double PlanAzimuth(double x1, double y1, double x2, double y2);
