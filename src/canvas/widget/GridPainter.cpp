#include "canvas/widget/GridPainter.h"

#include "canvas/THalvekCanvasModel.h"
#include "canvas/widget/ChartFonts.h"
#include "canvas/widget/PixelMapping.h"
#include "platform/NumberText.h"

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

}  // namespace

void DrawGrid(GdiPainter& g, const THalvekCanvasModel& m)
{
    const double ww = m.WorldRight - m.WorldLeft;
    const double wh = m.WorldTop - m.WorldBottom;
    if (!m.GridVisible || !(ww > 0.0) || !(wh > 0.0) || !std::isfinite(ww) || !std::isfinite(wh))
        return;
    const int W = m.ClientWidth(), H = m.ClientHeight();
    double sx, sy;
    if (!m.GridAutoScale && m.GridSpacingX > 0.0 && m.GridSpacingY > 0.0) {
        sx = m.GridSpacingX;
        sy = m.GridSpacingY;
    } else {
        sx = sy = NiceGridStep(ww, 4);
    }
    const int xDecimals = sx >= 1.0 ? 1 : 3;
    const int yDecimals = sy >= 1.0 ? 1 : 3;
    sx = usableStep(sx, ww, W);
    sy = usableStep(sy, wh, H);
    const PixelMapping map = PixelMapping::make(m.WorldLeft, m.WorldRight, m.WorldTop, m.WorldBottom, W, H);
    auto pixX = [&](double x) { return static_cast<int>(std::clamp(map.px(x), -kPixelGuard, W + kPixelGuard)); };
    auto pixY = [&](double y) { return static_cast<int>(std::clamp(map.py(y), -kPixelGuard, H + kPixelGuard)); };
    const double x0 = sx > 0.0 ? std::floor(m.WorldLeft / sx) * sx : 0.0;
    const double y0 = sy > 0.0 ? std::floor(m.WorldBottom / sy) * sy : 0.0;
    const long nx = sx > 0.0 ? static_cast<long>(std::floor((m.WorldRight - x0) / sx)) + 1 : 0;
    const long ny = sy > 0.0 ? static_cast<long>(std::floor((m.WorldTop - y0) / sy)) + 1 : 0;

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

    if (m.WorldLeft < 0.0 && 0.0 < m.WorldRight && m.WorldBottom < 0.0 && 0.0 < m.WorldTop) {
        const int ox = pixX(0.0), oy = pixY(0.0);
        g.setPen(0x0000FF, 1);
        g.line(0, oy, W, oy);
        g.line(ox, 0, ox, H);
    }
    g.setClearBrush();
}

}  // namespace skerra::canvas
