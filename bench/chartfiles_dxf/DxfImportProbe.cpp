// Loads one DXF drawing into a chart model and prints how many shapes it made:
// the import as a process of its own, so its time and memory can be measured
// like another program's.

#include "support/ProcessMemory.h"
#include "canvas/THalvekCanvasModel.h"
#include "chartfiles/DxfLoad.h"

#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.dxf\n", argv[0]);
        return 2;
    }
    THalvekCanvasModel canvas;
    QString reason;
    if (!DXFLoad(canvas, QString::fromLocal8Bit(argv[1]), &reason)) {
        std::fprintf(stderr, "not loaded: %s\n", reason.toLocal8Bit().constData());
        return 1;
    }
    std::printf("%d shapes, %.1f MB resident at the end\n", canvas.ShapeCount(), benchsupport::residentMB());
    return 0;
}
