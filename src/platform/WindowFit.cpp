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

// A centred window moved off the main window's bars: inside the chart's area.
QPoint clearOfBars(QPoint centred, QSize frame, const PlacementAnchors& anchors)
{
    if (anchors.chart.isEmpty()) return centred;
    return keepInside(QRect(centred, frame), chartRoom(frame, anchors)).topLeft();
}

long long overlapArea(QRect frame, const std::vector<QRect>& taken)
{
    long long area = 0;
    for (const QRect& t : taken) {
        const QRect common = frame.intersected(t);
        if (!common.isEmpty()) area += static_cast<long long>(common.width()) * common.height();
    }
    return area;
}

// The places a frame may take inside the area, the preferred one first.
std::vector<QPoint> candidatePlaces(QSize frame, QPoint preferred, QRect area, const std::vector<QRect>& taken)
{
    std::vector<QPoint> places{preferred};
    const int left = area.left(), right = area.right() + 1 - frame.width();
    const int top = area.top(), bottom = area.bottom() + 1 - frame.height();
    const int middleX = area.left() + (area.width() - frame.width()) / 2;
    const int middleY = area.top() + (area.height() - frame.height()) / 2;
    for (const int y : {top, middleY, bottom})
        for (const int x : {left, middleX, right}) places.emplace_back(x, y);
    for (const QRect& t : taken) {
        for (const int y : {preferred.y(), t.top(), t.bottom() + 1 - frame.height()}) {
            places.emplace_back(t.right() + 1, y);
            places.emplace_back(t.left() - frame.width(), y);
        }
        for (const int x : {preferred.x(), t.left(), t.right() + 1 - frame.width()}) {
            places.emplace_back(x, t.bottom() + 1);
            places.emplace_back(x, t.top() - frame.height());
        }
    }
    for (QPoint& place : places) place = keepInside(QRect(place, frame), area).topLeft();
    return places;
}

}  // namespace

QRect chartRoom(QSize frame, const PlacementAnchors& anchors)
{
    const QRect& clear = anchors.chartClear;
    if (!clear.isEmpty() && frame.width() <= clear.width() && frame.height() + 2 * ChartCornerGap <= clear.height())
        return clear;
    return orAvailable(anchors.chart, anchors.available);
}

QRect keepInside(QRect frame, QRect area)
{
    if (area.isEmpty()) return frame;
    frame.moveTo(fitAxis(frame.left(), frame.width(), area.left(), area.width()),
                 fitAxis(frame.top(), frame.height(), area.top(), area.height()));
    return frame;
}

QPoint defaultFramePosition(DefaultPlace place, QSize frame, QPoint designed, const PlacementAnchors& anchors)
{
    const QRect chart = chartRoom(frame, anchors);
    const int gap = ChartCornerGap;
    switch (place) {
    case DefaultPlace::AsDesigned: return designed;
    case DefaultPlace::CentredOnMain:
        return clearOfBars(centredIn(frame, orAvailable(anchors.mainWindow, anchors.available)), frame, anchors);
    case DefaultPlace::CentredOnOpener:
        return clearOfBars(
            centredIn(frame, orAvailable(anchors.opener, orAvailable(anchors.mainWindow, anchors.available))), frame,
            anchors);
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

QPoint freeFramePosition(QSize frame, QPoint preferred, QRect area, const std::vector<QRect>& taken)
{
    QPoint best = preferred;
    long long bestCover = -1;
    int bestDistance = 0;
    for (const QPoint place : candidatePlaces(frame, preferred, area, taken)) {
        const long long cover = overlapArea(QRect(place, frame), taken);
        const int distance = (place - preferred).manhattanLength();
        if (bestCover < 0 || cover < bestCover || (cover == bestCover && distance < bestDistance)) {
            best = place;
            bestCover = cover;
            bestDistance = distance;
        }
    }
    return best;
}

QMargins expectedFrameMargins(QMargins reported, bool decorated, QMargins known)
{
    if (!decorated || !reported.isNull()) return reported;
    if (!known.isNull()) return known;
    return {4, 30, 4, 4};
}

}  // namespace skerra
