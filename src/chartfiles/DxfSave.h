#pragma once
// DXF export: the chart's visible shapes as an ASCII DXF drawing of release 12.
//
// A header with the world window as the extents, a layer table of the layers
// that hold shapes, and one entity per visible line, circle, point, text,
// rectangle, two-corner ellipse, polyline and polygon (splines and three-point
// arcs are left out). Reals have six decimals, z is 0.0, lines end in CR LF.
// Texts and layer names are written in the Turkish Windows code page (1254),
// which the header declares as $DWGCODEPAGE ANSI_1254, so that other programs
// read the letters back; a character the code page lacks becomes "?". Control
// characters are written in caret notation (^J for a line feed, "^ " for a caret).
//
// The shapes of the layers in leftOut (the vessel and the grid, which the survey
// draws afresh) are not written, and those layers are not listed.
//
// Returns 1 when the whole file was written, 0 otherwise (the reason in *reason
// when given); the file is replaced only by a complete drawing, so a failure
// leaves the old file as it was.

#include <QString>

#include <vector>

class THalvekCanvasModel;

int DXFSave(const THalvekCanvasModel& canvas, const QString& path, const std::vector<int>& leftOut = {},
            QString* reason = nullptr);
