#include "canvas/THAnchored.h"

using namespace skerra::canvas;

void THAnchored::Translate(double dx, double dy) { mapAnchor(Translation{dx, dy}); }

void THAnchored::Scale(double sx, double sy, double cx, double cy) { mapAnchor(Scaling{sx, sy, cx, cy}); }
