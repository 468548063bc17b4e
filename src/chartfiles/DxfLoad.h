#pragma once
// DXF import: an ASCII DXF drawing onto the chart, every entity of a file on
// one import layer named "_dxf_" and the file's name.
//
// A load empties that layer if it exists (else makes it), makes it the current
// and the last import layer (CurrentDxfLayer), locks it and shows it, takes its
// pen colour from the drawing's layer table, keeps the drawing's blocks in the
// canvas's block list and appends one shape for each entity it converts: LINE,
// CIRCLE, ARC, ELLIPSE, SOLID, TRACE, POINT, SPLINE, TEXT, MTEXT, LWPOLYLINE,
// POLYLINE and the lines of the block an INSERT places. Then the world window
// is fitted to the chart and NeedsRedraw is set.
//
// Each returns true when at least one shape was made. Otherwise false, with a
// reason in *reason when one is given. A drawing without an ENTITIES section
// also shows "DXF load failed: ENTITIES section not found" through the
// platform's message function.

#include "chartfiles/DxfByteSource.h"

#include <QLoggingCategory>
#include <QString>

#include <string_view>

class THalvekCanvasModel;

bool DXFLoad(THalvekCanvasModel& canvas, const QString& path, QString* reason = nullptr);
// The same as DXFLoad (the import command offers both).
bool DXFLoadReplace(THalvekCanvasModel& canvas, const QString& path, QString* reason = nullptr);
// A drawing from any byte source; fileName names the import layer.
bool DXFLoadFromSource(THalvekCanvasModel& canvas, DxfByteSource& source, const QString& fileName,
                       QString* reason = nullptr);

// The layer an entity of the running load goes to, whatever DXF layer it names:
// the import layer.
int GetOrCreateDXFLayer(const THalvekCanvasModel& canvas, std::string_view dxfLayerName);

// The first LINEs of a load are traced here (debug level, off unless enabled).
Q_DECLARE_LOGGING_CATEGORY(lcDxfImport)
