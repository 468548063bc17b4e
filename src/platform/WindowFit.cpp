#include "WindowFit.h"

#include <algorithm>

namespace skerra {
namespace {

int fitAxis(int start, int length, int areaStart, int areaLength)
{
    const int last = areaStart + areaLength - length;
    return std::max(areaStart, std::min(start, last));
}

QPoint centredIn(QSize frame, QRect area)
{
    return {area.left() + (area.width() - frame.width()) / 2, area.top() + (area.height() - frame.height()) / 2};
}

QRect orAvailable(QRect anchor, QRect available) { return anchor.isEmpty() ? available : anchor; }

}  // namespace

QRect keepInside(QRect frame, QRect area)
{
    if (area.isEmpty()) return frame;
    frame.moveTo(fitAxis(frame.left(), frame.width(), area.left(), area.width()),
                 fitAxis(frame.top(), frame.height(), area.top(), area.height()));
    return frame;
}

QPoint defaultFramePosition(DefaultPlace place, QSize frame, QPoint designed, const PlacementAnchors& anchors)
{
    const QRect chart = orAvailable(anchors.chart, anchors.available);
    const int gap = ChartCornerGap;
    switch (place) {
    case DefaultPlace::AsDesigned: return designed;
    case DefaultPlace::CentredOnMain: return centredIn(frame, orAvailable(anchors.mainWindow, anchors.available));
    case DefaultPlace::CentredOnOpener:
        return centredIn(frame, orAvailable(anchors.opener, orAvailable(anchors.mainWindow, anchors.available)));
    case DefaultPlace::ChartUpperLeft: return {chart.left() + gap, chart.top() + gap};
    case DefaultPlace::ChartUpperCentre: return {chart.left() + (chart.width() - frame.width()) / 2, chart.top() + gap};
    case DefaultPlace::ChartUpperRight: return {chart.right() + 1 - gap - frame.width(), chart.top() + gap};
    case DefaultPlace::ChartLowerLeft: return {chart.left() + gap, chart.bottom() + 1 - gap - frame.height()};
    case DefaultPlace::ChartLowerCentre:
        return {chart.left() + (chart.width() - frame.width()) / 2, chart.bottom() + 1 - gap - frame.height()};
    case DefaultPlace::ChartLowerRight:
        return {chart.right() + 1 - gap - frame.width(), chart.bottom() + 1 - gap - frame.height()};
    }
    return designed;
}

QMargins expectedFrameMargins(QMargins reported, bool decorated)
{
    if (!decorated || !reported.isNull()) return reported;
    return {4, 30, 4, 4};
}

}  // namespace skerra
