#pragma once
// Where a window's frame goes on the screen: wholly inside the screen's available
// area, and, while no placement of its own is stored, at a default that leaves the
// main window's menu, tool bars and status bar free.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

namespace skerra {

// A window's default place, taken while the settings file stores none for it.
enum class DefaultPlace {
    AsDesigned,       // the position the window was built with
    CentredOnMain,    // centred on the main window (settings windows and dialogs)
    CentredOnOpener,  // centred on the window that opened it
    ChartUpperLeft,   // inside the chart, at its corners and edges
    ChartUpperCentre,
    ChartUpperRight,
    ChartLowerLeft,
    ChartLowerCentre,
    ChartLowerRight,
};

// What a default place is measured against, in screen pixels. An empty rectangle
// stands for one that does not exist (yet); the available area then takes its place.
struct PlacementAnchors {
    QRect available;   // the screen less its panels and docks
    QRect mainWindow;  // the main window's frame
    QRect chart;       // the chart's area on the screen
    QRect chartClear;  // the chart's area less what must stay in sight (its position box)
    QRect opener;      // the frame of the window that opened this one
};

// The part of the chart a window of this size goes in: clear of the position box where
// it fits there, else the whole chart (the screen's available area without a chart).
QRect chartRoom(QSize frame, const PlacementAnchors& anchors);

// Gap between a window placed in a chart corner and the chart's edges.
inline constexpr int ChartCornerGap = 8;

// The frame moved (never resized) so that it lies wholly inside the area; a frame
// wider or taller than the area keeps its left or top edge on the area's.
QRect keepInside(QRect frame, QRect area);

// The frame's top-left corner at the default place. A centred window keeps clear of
// the main window's bars (it stays inside the chart's area where it fits there).
QPoint defaultFramePosition(DefaultPlace place, QSize frame, QPoint designed, const PlacementAnchors& anchors);

// Where a frame of the given size goes inside the area so that it covers none of the
// taken rectangles: the preferred place if it is free, else the free place nearest to
// it among the area's corners and edges and the places beside each taken rectangle.
// With no free place, the one that covers least (the preferred one on a tie).
QPoint freeFramePosition(QSize frame, QPoint preferred, QRect area, const std::vector<QRect>& taken);

// The frame a window will have around the given client geometry: the reported
// margins, or, for a decorated window whose margins the window system has not told
// yet, those of another framed window (known), or else a common title bar and border.
QMargins expectedFrameMargins(QMargins reported, bool decorated, QMargins known = {});

}  // namespace skerra
