#include "canvas/widget/GridPainter.h"

#include "canvas/THalvekCanvasModel.h"
#include "canvas/widget/ChartFonts.h"
#include "canvas/widget/PixelMapping.h"
#include "platform/NumberText.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace skerra::canvas {

double NiceGridStep(double range, int parts)
{
    if (!(range > 0.0) || parts <= 0)
        return 1.0;
    const double x = range / parts;
    const double e = std::pow(10.0, std::floor(std::log10(x)));
    const double f = x / e;
    if (f < 1.5)
        return e;
    if (f < 3.5)
        return e * 2.0;
    if (f < 7.5)
        return e * 5.0;
    return e * 10.0;
}

std::string formatGridLabel(double value, int decimals)
{
    std::string text = FormatFixed(value, decimals);
    if (text.find('.') != std::string::npos) {
        while (!text.empty() && text.back() == '0')
            text.pop_back();
        if (!text.empty() && text.back() == '.')
            text.pop_back();
    }
    if (text == "-0")
        text = "0";
    return text;
}

namespace {

// A step that gives at most one line per `pixels` (coarsened by tens); 0 when none fits.
double usableStep(double step, double range, int pixels)
{
    if (!(step > 0.0) || !std::isfinite(step))
        return 0.0;
    const double limit = std::max(1, pixels);
    for (int i = 0; i < 40 && range / step > limit; ++i)
        step *= 10.0;
    return range / step > limit ? 0.0 : step;
}

// Where the grid's lines fall for one world window and client size.
struct GridLayout {
    bool shown = false;
    int W = 0, H = 0;
    double sx = 0, sy = 0, x0 = 0, y0 = 0;
    long nx = 0, ny = 0;
    int xDecimals = 1, yDecimals = 1;
    PixelMapping map;
    bool axes = false;
    int pixX(double x) const { return static_cast<int>(std::clamp(map.px(x), -kPixelGuard, W + kPixelGuard)); }
    int pixY(double y) const { return static_cast<int>(std::clamp(map.py(y), -kPixelGuard, H + kPixelGuard)); }
};

GridLayout layoutGrid(const THalvekCanvasModel& m, double left, double right, double top, double bottom)
{
    GridLayout l;
    const double ww = right - left;
    const double wh = top - bottom;
    if (!m.GridVisible || !(ww > 0.0) || !(wh > 0.0) || !std::isfinite(ww) || !std::isfinite(wh))
        return l;
    l.shown = true;
    l.W = m.ClientWidth();
    l.H = m.ClientHeight();
    double sx, sy;
    if (!m.GridAutoScale && m.GridSpacingX > 0.0 && m.GridSpacingY > 0.0) {
        sx = m.GridSpacingX;
        sy = m.GridSpacingY;
    } else {
        sx = sy = NiceGridStep(ww, 4);
    }
    l.xDecimals = sx >= 1.0 ? 1 : 3;
    l.yDecimals = sy >= 1.0 ? 1 : 3;
    l.sx = sx = usableStep(sx, ww, l.W);
    l.sy = sy = usableStep(sy, wh, l.H);
    l.map = PixelMapping::make(left, right, top, bottom, l.W, l.H);
    l.x0 = sx > 0.0 ? std::floor(left / sx) * sx : 0.0;
    l.y0 = sy > 0.0 ? std::floor(bottom / sy) * sy : 0.0;
    l.nx = sx > 0.0 ? static_cast<long>(std::floor((right - l.x0) / sx)) + 1 : 0;
    l.ny = sy > 0.0 ? static_cast<long>(std::floor((top - l.y0) / sy)) + 1 : 0;
    l.axes = left < 0.0 && 0.0 < right && bottom < 0.0 && 0.0 < top;
    return l;
}

}  // namespace

void DrawGrid(GdiPainter& g, const THalvekCanvasModel& m)
{
    const GridLayout l = layoutGrid(m, m.WorldLeft, m.WorldRight, m.WorldTop, m.WorldBottom);
    if (!l.shown)
        return;
    const int W = l.W, H = l.H;
    const double sx = l.sx, sy = l.sy, x0 = l.x0, y0 = l.y0;
    const long nx = l.nx, ny = l.ny;
    const int xDecimals = l.xDecimals, yDecimals = l.yDecimals;
    auto pixX = [&](double x) { return l.pixX(x); };
    auto pixY = [&](double y) { return l.pixY(y); };

    g.setDottedPen(m.GridColor);
    for (long i = 0; i < nx; ++i) {
        const int px = pixX(x0 + i * sx);
        g.line(px, pixY(m.WorldTop), px, pixY(m.WorldBottom));
    }
    for (long i = 0; i < ny; ++i) {
        const int py = pixY(y0 + i * sy);
        g.line(pixX(m.WorldLeft), py, pixX(m.WorldRight), py);
    }
    g.setPen(m.GridColor, 1);

    g.setFont(chartFont(QStringLiteral("Tahoma"), 8));
    for (long i = 0; i < nx; ++i) {
        const double x = x0 + i * sx;
        const int px = pixX(x);
        if (!(px > 4 && px <= W - 50))
            continue;
        const QString text = QString::fromStdString(formatGridLabel(x, xDecimals));
        const int tw = g.textWidth(text), th = g.textHeight(text), hw = tw / 2;
        g.fillRect(px - hw - 2, H - th - 4, px + hw + 2, H - 2, 0xFFFFFF);
        g.textOut(px - hw, H - th - 3, text, 0);
    }
    for (long i = 0; i < ny; ++i) {
        const double y = y0 + i * sy;
        const int py = pixY(y);
        if (!(py > 14 && py <= H - 20))
            continue;
        const QString text = QString::fromStdString(formatGridLabel(y, yDecimals));
        const int tw = g.textWidth(text), th = g.textHeight(text), hh = th / 2;
        g.fillRect(2, py - hh - 1, tw + 6, py + hh + 1, 0xFFFFFF);
        g.textOut(4, py - hh, text, 0);
    }

    if (l.axes) {
        const int ox = pixX(0.0), oy = pixY(0.0);
        g.setPen(0x0000FF, 1);
        g.line(0, oy, W, oy);
        g.line(ox, 0, ox, H);
    }
    g.setClearBrush();
}

GridFixedParts gridFixedParts(const THalvekCanvasModel& m, double left, double right, double top, double bottom,
                              QPaintDevice* device)
{
    GridFixedParts parts;
    const GridLayout l = layoutGrid(m, left, right, top, bottom);
    if (!l.shown)
        return parts;
    parts.shown = true;
    parts.axes = l.axes;
    parts.stepX = l.sx;
    parts.stepY = l.sy;
    if (l.axes) {
        parts.columns.push_back(l.pixX(0.0));
        parts.rows.push_back(l.pixY(0.0));
    }
    const QFontMetrics metrics(chartFont(QStringLiteral("Tahoma"), 8), device);
    parts.labelRowsFrom = l.H - metrics.height() - 4;
    for (long i = 0; i < l.nx; ++i)
        parts.columns.push_back(l.pixX(l.x0 + i * l.sx));
    for (long i = 0; i < l.ny; ++i) {
        const double y = l.y0 + i * l.sy;
        const int py = l.pixY(y);
        parts.rows.push_back(py);
        if (py > 14 && py <= l.H - 20) {
            const QString text = QString::fromStdString(formatGridLabel(y, l.yDecimals));
            parts.labelColumnsTo = std::max(parts.labelColumnsTo, metrics.horizontalAdvance(text) + 6);
        }
    }
    return parts;
}

}  // namespace skerra::canvas
