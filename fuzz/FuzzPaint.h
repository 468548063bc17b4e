#pragma once
// Paints a chart as its window would (a full rebuild of the picture), so that
// whatever a reader lets in meets the painter and its clipping under the
// sanitizers too. Makes an offscreen application for the fonts when there is none.

#include "canvas/THalvekCanvasModel.h"
#include "canvas/widget/ChartRenderer.h"

#include <QCoreApplication>
#include <QGuiApplication>

inline void paintChartForFuzzing(THalvekCanvasModel& chart)
{
    static const bool ready = [] {
        if (!QCoreApplication::instance()) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            static int argc = 1;
            static char name[] = "skerra-fuzz";
            static char* argv[] = {name, nullptr};
            new QGuiApplication(argc, argv);
        }
        return true;
    }();
    (void)ready;
    chart.SetClientSize(160, 120);
    skerra::canvas::ChartRenderer renderer;
    renderer.renderAll(chart);
    // Again with the window fitted to the shapes, where most of them are in view.
    chart.WorldExtents();
    renderer.renderAll(chart);
}
