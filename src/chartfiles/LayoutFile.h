#pragma once
// The program's own chart file (".qmt"): the world window, the layers by name
// and the shapes. Saved on Exit and by the File commands, reloaded at start-up.
//
// CadLoad makes the shapes straight into the chart as it reads them, but puts
// them in place only once the whole file has been read without fault, so a
// file that cannot be used leaves the chart as it was, in both modes. CadSave writes through a temporary file that replaces the
// old one only when complete: a failed save leaves the previous file as it was.

#include "chartfiles/LayoutPlacer.h"

#include <QString>

class THalvekCanvasModel;

struct LayoutResult {
    bool ok = false;
    QString reason;  // why it failed; empty on success
    // A load: the lines that could not be read and were left out (the rest
    // was loaded); see LayoutParser.
    long long leftOutLines = 0;
    explicit operator bool() const { return ok; }
};

// What the user is told of a load that left lines of the file out; empty when
// it left none out.
QString LayoutLeftOutText(const LayoutResult& result, const QString& path);

// Replace: the file's layers and shapes replace the chart's (start-up reload);
// Merge: they are added to it (Open).
using LayoutLoadMode = skerra::layout::LoadMode;

LayoutResult CadLoad(THalvekCanvasModel& canvas, const QString& path, LayoutLoadMode mode);
LayoutResult CadSave(const THalvekCanvasModel& canvas, const QString& path);
