#pragma once
// The realtime overlays' data kept by the chart canvas: the distance measure,
// depth labels, event labels, the depth/speed box and the corners of the two
// boxes. They are not shapes: they are drawn over the chart at every paint and
// never cause its picture to be rebuilt.

#include "platform/Colour.h"

#include <QString>

#include <vector>

struct CanvasOverlayFields {
    struct DepthLabel {
        double x = 0.0;  // world
        double y = 0.0;
        double depth = 0.0;  // metres
    };
    struct EventLabel {
        double x = 0.0;  // world
        double y = 0.0;
        int eventNumber = 0;
    };

    bool MeasureActive = false;
    double MeasureStartX = 0.0;
    double MeasureStartY = 0.0;
    double MeasureEndX = 0.0;
    double MeasureEndY = 0.0;
    double MeasureDistance = 0.0;  // metres, as given by the caller
    double MeasureBearing = 0.0;   // degrees, as given by the caller

    std::vector<DepthLabel> DepthLabels;  // oldest first
    bool DepthLabelsVisible = true;
    double DepthLabelSpacing = 10.0;  // least world distance between two depth labels
    QString DepthLabelFontName = QStringLiteral("Arial");
    int DepthLabelFontSize = 12;
    TColor DepthLabelColor = 0;

    std::vector<EventLabel> EventLabels;  // in insertion order

    double CurrentDepth1 = 0.0;  // high frequency, metres
    double CurrentDepth2 = 0.0;  // low frequency, metres; 0 = none
    bool CurrentDepthValid = false;
    double CurrentSpeed = 0.0;  // knots
    bool CurrentSpeedValid = false;

    int DepthSpeedDisplayMode = 0;  // 0 bottom-left, 1 bottom-right, 2 top-right, 3 top-left
    int GGAOverlayPosition = 0;     // 0 top-left, 1 top-right, 2 bottom-right, 3 bottom-left
    bool HeadingValid = true;       // kept only
};
