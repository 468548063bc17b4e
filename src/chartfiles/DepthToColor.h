#pragma once
// The colour ramp of XYZ grids: red at zMin through yellow, green and cyan to blue
// at zMax. An empty or reversed range counts as 1 wide; a value that gives no
// finite place on the ramp is coloured as zMin.

#include "platform/Colour.h"

TColor DepthToColor(double z, double zMin, double zMax);
