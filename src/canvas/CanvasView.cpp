// THalvekCanvasModel: the world window and the conversions to and from pixels.

#include "canvas/THalvekCanvasModel.h"

#include "canvas/ClientFit.h"
#include "canvas/ShapeGeometry.h"

#include <algorithm>
#include <cmath>

using skerra::canvas::allFinite;

namespace {

constexpr double kFitLimit = 1e15;
constexpr double kNoShape = 1e30;

int toPixel(double v)
{
    constexpr double limit = THalvekCanvasModel::PixelLimit;
    if (!(v > -limit))  // also NaN
        return -THalvekCanvasModel::PixelLimit;
    if (v > limit)
        return THalvekCanvasModel::PixelLimit;
    return static_cast<int>(v);  // truncation toward zero
}

double nonZero(double v) { return v == 0.0 ? 1.0 : v; }
double positiveOrOne(double v) { return v > 0.0 ? v : 1.0; }

}  // namespace

void THalvekCanvasModel::SetClientSize(int width, int height)
{
    clientWidth_ = width;
    clientHeight_ = height;
}

void THalvekCanvasModel::WorldToScreen(double x, double y, int& sx, int& sy) const
{
    const double kx = clientWidth_ / nonZero(WorldRight - WorldLeft);
    const double ky = clientHeight_ / nonZero(WorldTop - WorldBottom);
    sx = toPixel((x - WorldLeft) * kx);
    sy = toPixel((WorldTop - y) * ky);
}

void THalvekCanvasModel::ScreenToWorld(int sx, int sy, double& x, double& y) const
{
    const double w = clientWidth_ > 0 ? clientWidth_ : 1;
    const double h = clientHeight_ > 0 ? clientHeight_ : 1;
    x = WorldLeft + sx * ((WorldRight - WorldLeft) / w);
    y = WorldTop - sy * ((WorldTop - WorldBottom) / h);
}

int THalvekCanvasModel::WorldToAbsX(double x) const
{
    int sx = 0, sy = 0;
    WorldToScreen(x, 0.0, sx, sy);
    return sx;
}

int THalvekCanvasModel::WorldToAbsY(double y) const
{
    int sx = 0, sy = 0;
    WorldToScreen(0.0, y, sx, sy);
    return sy;
}

void THalvekCanvasModel::WorldExtents()
{
    double minX = kNoShape, minY = kNoShape, maxX = -kNoShape, maxY = -kNoShape;
    bool counted = false;
    for (const THShape* s : Shapes()) {
        if (!s->Visible)
            continue;
        // Written so that NaN bounds fail the test.
        const skerra::canvas::ShapeBounds b = s->Bounds();
        const bool usable = b.minX >= -kFitLimit && b.maxX <= kFitLimit && b.minY >= -kFitLimit && b.maxY <= kFitLimit
            && b.minX <= b.maxX && b.minY <= b.maxY;
        if (!usable)
            continue;
        minX = std::min(minX, b.minX);
        minY = std::min(minY, b.minY);
        maxX = std::max(maxX, b.maxX);
        maxY = std::max(maxY, b.maxY);
        counted = true;
    }
    if (!counted || !(minX < maxX) || !(minY < maxY)) {
        minX = 0.0;
        maxX = 1000.0;
        minY = 0.0;
        maxY = 1000.0;
    } else {
        const double mx = (maxX - minX) * 0.05;
        const double my = (maxY - minY) * 0.05;
        minX -= mx;
        maxX += mx;
        minY -= my;
        maxY += my;
        // A collapsed client has no aspect to follow: keep the fitted box.
        if (clientWidth_ > 0)
            skerra::canvas::growToAspect(minX, minY, maxX, maxY, clientWidth_ / positiveOrOne(clientHeight_));
    }
    WorldSet(minX, maxY, maxX, minY);
}

void THalvekCanvasModel::WorldZoom(int, double factor, double x, double y)
{
    double s = 1.0 - factor;
    if (!allFinite({s, x, y}))
        return;
    if (s <= 0.0)
        s = 0.1;
    if (s > 10.0)
        s = 10.0;
    const double ww = positiveOrOne(WorldRight - WorldLeft);
    const double wh = positiveOrOne(WorldTop - WorldBottom);
    // A collapsed client has no aspect: keep the window's own.
    const double a = clientWidth_ > 0 ? clientWidth_ / positiveOrOne(clientHeight_) : ww / wh;
    // The width limits stop a zoom, they never turn it round: a window already wider
    // than the limit (fitted to a chart with one stray far-off point) does not shrink
    // when zooming out, and zooming in takes it down by the factor only.
    double W = ww * s;
    if (s > 1.0)
        W = std::min(W, std::max(MaxWorldWidth, ww));
    else if (s < 1.0)
        W = std::max(W, std::min(MinWorldWidth, ww));
    const double H = W / a;
    const double rx = (x - WorldLeft) / ww;
    const double ry = (y - WorldBottom) / wh;
    const double left = x - W * rx;
    const double right = x + (1.0 - rx) * W;
    const double bottom = y - H * ry;
    const double top = y + (1.0 - ry) * H;
    if (!allFinite({left, right, bottom, top}))
        return;
    WorldSet(left, top, right, bottom);
}

void THalvekCanvasModel::WorldPan(double dx, double dy)
{
    if (!allFinite({dx, dy}))
        return;
    WorldSet(WorldLeft + dx, WorldTop + dy, WorldRight + dx, WorldBottom + dy);
}

void THalvekCanvasModel::WorldSet(double left, double top, double right, double bottom)
{
    WorldLeft = left;
    WorldTop = top;
    WorldRight = right;
    WorldBottom = bottom;
    redraw();
    Invalidate();
}
