#include "canvas/widget/OverlayPainter.h"

#include "canvas/THalvekCanvasModel.h"
#include "canvas/widget/ChartFonts.h"
#include "canvas/widget/PixelMapping.h"
#include "canvas/widget/ShapePainter.h"
#include "platform/NumberText.h"
#include "platform/DisplaySettings.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace skerra::canvas {

namespace {

constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000, kYellow = 0x00FFFF, kAqua = 0xFFFF00, kLime = 0x00FF00,
                 kNavy = 0x800000, kWhite = 0xFFFFFF, kBlack = 0;

QString fixed(double value, int decimals) { return QString::fromStdString(FormatFixed(value, decimals)); }

// A world point as a client pixel when it lies within the margins around the client area.
bool labelPixel(const PixelMapping& m, double x, double y, int& sx, int& sy)
{
    const double fx = m.px(x), fy = m.py(y);
    if (!(fx >= -kLabelReachX && fx <= m.width + kLabelReachX && fy >= -kLabelReachY && fy <= m.height + kLabelReachY))
        return false;
    sx = static_cast<int>(fx);
    sy = static_cast<int>(fy);
    return true;
}

}  // namespace

PixelMapping clientMapping(const THalvekCanvasModel& v)
{
    return PixelMapping::make(v.WorldLeft, v.WorldRight, v.WorldTop, v.WorldBottom, v.ClientWidth(),
                              v.ClientHeight());
}

// ---- rubber band ----

void DrawRubberBand(GdiPainter& g, const THalvekCanvasModel& view, const RubberBand& band)
{
    if (!band.drawingActive || !band.firstPointPlaced)
        return;
    const PixelMapping m = clientMapping(view);
    const GuardBox box(m);
    const double sx = m.px(band.startX), sy = m.py(band.startY);
    const double cx = m.px(band.currentX), cy = m.py(band.currentY);
    g.setXorMode(true);
    g.setPen(kWhite, 1);
    g.setClearBrush();
    auto clampX = [&](double v) { return static_cast<int>(std::isfinite(v) ? std::clamp(v, box.xmin, box.xmax) : 0.0); };
    auto clampY = [&](double v) { return static_cast<int>(std::isfinite(v) ? std::clamp(v, box.ymin, box.ymax) : 0.0); };
    switch (band.cadMode) {
    case 1:
    case 4:
    case -3:
    case -1:
        g.rectangle(clampX(sx), clampY(sy), clampX(cx), clampY(cy));
        break;
    case 3:
        drawClippedLine(g, sx, sy, cx, cy, box);
        break;
    case 5:
    case 6:
    case 8:
    case 10: {
        const THPolyline* poly = band.polyline;
        if (!poly || poly->PointCount() < 1)
            break;
        const int n = poly->PointCount();
        for (int i = 0; i + 1 < n; ++i)
            drawClippedLine(g, m.px(poly->GetPointX(i)), m.py(poly->GetPointY(i)), m.px(poly->GetPointX(i + 1)),
                            m.py(poly->GetPointY(i + 1)), box);
        const double lx = m.px(poly->GetPointX(n - 1)), ly = m.py(poly->GetPointY(n - 1));
        drawClippedLine(g, lx, ly, cx, cy, box);
        if (band.cadMode == 6)
            drawClippedLine(g, cx, cy, m.px(poly->GetPointX(0)), m.py(poly->GetPointY(0)), box);
        break;
    }
    case 19: {
        const double r = std::hypot(band.currentX - band.startX, band.currentY - band.startY);
        const double pr = std::abs(m.px(band.startX + r) - sx);
        if (std::isfinite(pr) && pr <= kPixelGuard && box.contains(sx, sy)) {
            const int isx = static_cast<int>(sx), isy = static_cast<int>(sy), ipr = static_cast<int>(pr);
            g.ellipse(isx - ipr, isy - ipr, isx + ipr, isy + ipr);
        }
        break;
    }
    default:
        break;
    }
    g.setXorMode(false);
}

// ---- scale bar ----

ScaleBar scaleBarFor(double worldWidth, int clientWidth)
{
    ScaleBar bar;
    if (!(worldWidth > 0.0) || !std::isfinite(worldWidth) || clientWidth <= 0)
        return bar;
    const double u = worldWidth / clientWidth;
    const double t = u * 150.0;
    const double e = std::pow(10.0, std::floor(std::log10(t)));
    const double f = t / e;
    // The longest round length not above the target, so the bar needs no clamping.
    const double L = e * (f >= 5.0 ? 5.0 : f >= 2.0 ? 2.0 : 1.0);
    bar.length = L;
    bar.pixels = std::clamp(static_cast<int>(L / u), 30, 150);
    if (L >= 1000.0)
        bar.label = fixed(L / 1000.0, 1) + QStringLiteral(" km");
    else if (L >= 1.0)
        bar.label = fixed(L, 0) + QStringLiteral(" m");
    else if (L >= 0.01)
        bar.label = fixed(L * 100.0, 0) + QStringLiteral(" cm");
    else
        bar.label = QString::fromStdString(FormatGeneral(L * 100.0, 3)) + QStringLiteral(" cm");
    return bar;
}

void DrawScaleBar(GdiPainter& g, const THalvekCanvasModel& view)
{
    const ScaleBar bar = scaleBarFor(view.WorldRight - view.WorldLeft, view.ClientWidth());
    g.setFont(chartFont(QStringLiteral("Arial"), 8));
    if (bar.pixels <= 0)
        return;
    const int n = bar.pixels;
    const int x0 = view.ClientWidth() - n - 20;
    const int y0 = view.ClientHeight() - 8 - 20 - 15;
    g.setBrush(kWhite, bsSolid);
    g.setPen(kBlack, 1);
    g.rectangle(x0 - 5, y0 - 5, x0 + n + 5, y0 + 8 + 20);
    g.fillRect(x0, y0, x0 + n / 2, y0 + 8, kBlack);
    g.fillRect(x0 + n / 2, y0, x0 + n, y0 + 8, kWhite);
    g.setClearBrush();
    g.rectangle(x0, y0, x0 + n, y0 + 8);
    g.textOut(x0 + (n - g.textWidth(bar.label)) / 2, y0 + 8 + 2, bar.label, kBlack);
}

// ---- measure ----

void DrawDistanceOverlay(GdiPainter& g, const THalvekCanvasModel& view, const CanvasOverlayFields& o)
{
    if (!o.MeasureActive)
        return;
    const PixelMapping m = clientMapping(view);
    const GuardBox box(m);
    const double fsx = m.px(o.MeasureStartX), fsy = m.py(o.MeasureStartY);
    const double fex = m.px(o.MeasureEndX), fey = m.py(o.MeasureEndY);
    if (!box.contains(fsx, fsy) && !box.contains(fex, fey))
        return;  // both ends far off: nothing of it is on screen
    const double fdx = fex - fsx, fdy = fey - fsy;
    const double d2 = fdx * fdx + fdy * fdy;
    if (!(d2 >= 4.0))
        return;
    const int r = static_cast<int>(std::min(std::sqrt(d2), 4.0 * kPixelGuard));
    const int sx = static_cast<int>(std::clamp(fsx, box.xmin, box.xmax));
    const int sy = static_cast<int>(std::clamp(fsy, box.ymin, box.ymax));
    const int ex = static_cast<int>(std::clamp(fex, box.xmin, box.xmax));
    const int ey = static_cast<int>(std::clamp(fey, box.ymin, box.ymax));
    const int dy = static_cast<int>(std::clamp(fdy, -4.0 * kPixelGuard, 4.0 * kPixelGuard));

    g.setPen(kRed, 1);
    g.setClearBrush();
    if (r > 2)
        g.ellipse(sx - r, sy - r, sx + r, sy + r);
    g.setBrush(kRed, bsSolid);
    g.ellipse(sx - 3, sy - 3, sx + 3, sy + 3);
    g.setPen(kBlue, 1);
    drawClippedLine(g, fsx, fsy, fex, fey, box);
    g.line(ex - 8, ey, ex + 8, ey);
    g.line(ex, ey - 8, ex, ey + 8);

    QFont font = chartFont(QStringLiteral("Arial"), 11, true);
    g.setFont(font);
    const QString text1 = fixed(o.MeasureDistance, 2) + QStringLiteral(" m");
    const QString text2 = fixed(o.MeasureBearing, 1) + QChar(0x00B0);
    const int w1 = g.textWidth(text1), w2 = g.textWidth(text2);
    const int w = std::max(w1, w2);
    const int h = g.textHeight(text1);
    const int mx = sx + static_cast<int>(std::clamp(fdx, -kPixelGuard, kPixelGuard)) / 2;
    const int my = sy + dy / 2 - 30;
    g.setBrush(kYellow, bsSolid);
    g.setPen(kBlack, 1);
    g.rectangle(mx - w / 2 - 8, my - 2, mx + w / 2 + 8, my + 2 * h + 6);
    g.setClearBrush();
    g.textOut(mx - w1 / 2, my, text1, kBlack);
    g.textOut(mx - w2 / 2, my + h + 2, text2, kNavy);
}

// ---- labels ----

namespace {

// The text's size and overhang, measured at its first use.
DepthLabelText& measuredText(GdiPainter& g, const QString& text, QHash<QString, DepthLabelText>& texts)
{
    auto it = texts.find(text);
    if (it == texts.end()) {
        DepthLabelText measured;
        measured.size = QSize(g.textWidth(text), g.textHeight(text));
        measured.pad = depthLabelOverhang(measured.size.height());
        it = texts.insert(text, std::move(measured));
    }
    return *it;
}

// The text measured, and drawn into its image at its first drawing.
const DepthLabelText& drawnText(GdiPainter& g, const QString& text, TColor colour,
                                QHash<QString, DepthLabelText>& texts)
{
    DepthLabelText& drawn = measuredText(g, text, texts);
    if (drawn.image.isNull()) {
        drawn.image = QImage(drawn.size + QSize(2 * drawn.pad, 2 * drawn.pad), QImage::Format_ARGB32_Premultiplied);
        drawn.image.fill(Qt::transparent);
        QPainter p(&drawn.image);
        GdiPainter own(p);
        own.setFont(g.font());
        own.textOut(drawn.pad, drawn.pad, text, colour);
    }
    return drawn;
}

// The label's point may lie in the pixels of `box` (a pixel of slack for the truncation).
bool mayLieIn(const PixelMapping& m, double x, double y, const QRect& box)
{
    const double fx = (x - m.left) * m.kx, fy = (m.top - y) * m.ky;
    return fx >= box.left() - 2 && fx <= box.right() + 2 && fy >= box.top() - 2 && fy <= box.bottom() + 2;
}

}  // namespace

QRect DrawDepthLabels(GdiPainter& g, const PixelMapping& m, const CanvasOverlayFields& o, DepthLabelPass& pass)
{
    QRect ink;
    g.setFont(chartFont(o.DepthLabelFontName, o.DepthLabelFontSize));
    g.setClearBrush();
    const QRect nearBox = pass.near ? pass.near->boundingRect() : QRect();
    for (std::size_t i = pass.from; i < std::min(pass.to, o.DepthLabels.size()); ++i) {
        const auto& label = o.DepthLabels[i];
        int sx = 0, sy = 0;
        const bool shown = (!pass.near || mayLieIn(m, label.x, label.y, nearBox))
            && labelPixel(m, label.x, label.y, sx, sy) && (!pass.near || pass.near->contains(QPoint(sx, sy)));
        if (!shown) {
            if (pass.measureAll && pass.texts)
                pass.largest = pass.largest.expandedTo(measuredText(g, fixed(label.depth, 1), *pass.texts).size);
            continue;
        }
        const QString text = fixed(label.depth, 1);
        QSize size;
        int pad = 0;
        if (pass.texts) {
            const DepthLabelText& kept = drawnText(g, text, o.DepthLabelColor, *pass.texts);
            size = kept.size;
            pad = kept.pad;
            const QPoint topLeft(sx - size.width() / 2, sy - size.height() / 2);
            g.painter().drawImage(topLeft - QPoint(pad, pad), kept.image);
        } else {
            size = QSize(g.textWidth(text), g.textHeight(text));
            pad = depthLabelOverhang(size.height());
            g.textOut(sx - size.width() / 2, sy - size.height() / 2, text, o.DepthLabelColor);
        }
        // The text's box with the overhang: every pixel its anti-aliased edges may touch.
        ink |= QRect(QPoint(sx - size.width() / 2, sy - size.height() / 2), size).adjusted(-pad, -pad, pad, pad);
        pass.largest = pass.largest.expandedTo(size);
    }
    return ink;
}

QRect DrawDepthLabels(GdiPainter& g, const PixelMapping& m, const CanvasOverlayFields& o, std::size_t from)
{
    DepthLabelPass pass;
    pass.from = from;
    return DrawDepthLabels(g, m, o, pass);
}

void DrawEventLabelsOverlay(GdiPainter& g, const THalvekCanvasModel& view, const CanvasOverlayFields& o)
{
    if (o.EventLabels.empty())
        return;
    const PixelMapping m = clientMapping(view);
    g.setFont(chartFont(QStringLiteral("Arial"), DisplaySettings::EventLabelFontSize, true));
    g.setClearBrush();
    for (const auto& label : o.EventLabels) {
        int sx = 0, sy = 0;
        if (!labelPixel(m, label.x, label.y, sx, sy))
            continue;
        const QString text = QString::number(label.eventNumber);
        g.textOut(sx - g.textWidth(text) / 2, sy - g.textHeight(text) / 2, text, DisplaySettings::EventLabelTextColor);
    }
}

// ---- depth/speed box ----

namespace {

// "12.34" -> ("12.3", "4m"): the second decimal is printed small.
void splitDepth(double depth, QString& large, QString& small)
{
    const QString text = fixed(depth, 2);
    large = text.left(text.size() - 1);
    small = text.right(1) + QStringLiteral("m");
}

}  // namespace

DepthSpeedTexts depthSpeedTexts(const CanvasOverlayFields& o)
{
    DepthSpeedTexts t;
    if (o.CurrentDepthValid) {
        if (o.CurrentDepth1 > 0.0) {
            splitDepth(o.CurrentDepth1, t.depth, t.depthTail);
        } else {
            t.depth = QStringLiteral("--.-");
            t.depthTail = QStringLiteral("m");
        }
        QString second, secondTail;
        bool hasSecond = false;
        if (o.CurrentDepth2 > 0.0) {
            splitDepth(o.CurrentDepth2, second, secondTail);
            hasSecond = true;
        } else if (o.CurrentDepth2 == 0.0 && o.CurrentDepth1 == 0.0) {
            second = QStringLiteral("--.-");
            secondTail = QStringLiteral("m");
            hasSecond = true;
        }
        if (hasSecond)
            t.depthTail += QStringLiteral(" / ") + second + secondTail;
    }
    if (o.CurrentSpeedValid) {
        t.speed = fixed(o.CurrentSpeed, 1);
        t.speedUnit = QStringLiteral("kn");
    }
    return t;
}

QPoint depthSpeedOrigin(int mode, int total, int h, int W, int H)
{
    switch (mode) {
    case 1: return {W - total - 10, H - h - 10};
    case 2: return {W - total - 10, 10};
    case 3: return {10, 10};
    default: return {10, H - h - 10};
    }
}

void DrawCurrentDepthOverlay(GdiPainter& g, const THalvekCanvasModel& view, const CanvasOverlayFields& o)
{
    if (!o.CurrentDepthValid && !o.CurrentSpeedValid)
        return;
    const DepthSpeedTexts t = depthSpeedTexts(o);
    if (t.depth.isEmpty() && t.speed.isEmpty())
        return;
    const QFont large = chartFont(QStringLiteral("Arial Black"), DisplaySettings::OverlayFontSize, true);
    const QFont small = chartFont(QStringLiteral("Arial Black"), 10, true);
    auto width = [&](const QFont& f, const QString& s) {
        if (s.isEmpty())
            return 0;
        g.setFont(f);
        return g.textWidth(s);
    };
    const int total = width(large, t.depth) + width(small, t.depthTail) + width(large, t.speed)
        + width(small, t.speedUnit);
    g.setFont(large);
    const int h = g.textHeight(QStringLiteral("0"));
    const QPoint origin = depthSpeedOrigin(o.DepthSpeedDisplayMode, total, h, view.ClientWidth(), view.ClientHeight());
    const int X = origin.x(), Y = origin.y();
    g.setBrush(kWhite, bsSolid);
    g.setPen(kBlack, 1);
    g.roundRect(X - 6, Y - 6, X + total + 6, Y + h + 6, 6, 6);
    g.setClearBrush();
    int x = X;
    auto put = [&](const QFont& f, const QString& s, TColor colour) {
        g.setFont(f);
        g.textOut(x, Y, s, colour);
        x += g.textWidth(s);
    };
    if (!t.depth.isEmpty()) {
        put(large, t.depth, DisplaySettings::OverlayDepthColor);
        put(small, t.depthTail, DisplaySettings::OverlayDepthColor);
    }
    if (!t.speed.isEmpty()) {
        put(large, t.speed, DisplaySettings::OverlaySpeedColor);
        put(small, t.speedUnit, DisplaySettings::OverlaySpeedColor);
    }
}

// ---- position box ----

TColor ggaBoxColour(int q)
{
    switch (q) {
    case 0:
    case 1: return kRed;
    case 2: return kAqua;
    case 4:
    case 7: return kLime;
    default: return kYellow;
    }
}

bool ggaTextIsWhite(int q) { return q == 0 || q == 1; }

QRect ggaBoxRect(int position, int w, int h, int W, int H)
{
    int X = 8, Y = 8;
    switch (position) {
    case 1: X = W - w - 8; break;
    case 2: X = W - w - 8; Y = H - h - 10; break;
    case 3: Y = H - h - 10; break;
    default: break;
    }
    return QRect(QPoint(X - 6, Y - 6), QPoint(X + w + 6, Y + h + 6));
}

QFont ggaFont() { return chartFont(QStringLiteral("Consolas"), 12, true); }

void DrawGGAOverlay(GdiPainter& g, const THalvekCanvasModel& view, const QString& text, int fixQuality, int position)
{
    if (text.isEmpty())
        return;
    g.setFont(ggaFont());
    const int w = g.textWidth(text), h = g.textHeight(text);
    const QRect box = ggaBoxRect(position, w, h, view.ClientWidth(), view.ClientHeight());
    const TColor colour = ggaBoxColour(fixQuality);
    g.setBrush(colour, bsSolid);
    g.setPen(colour, 1);
    g.roundRect(box.left(), box.top(), box.right(), box.bottom(), 6, 6);
    g.setClearBrush();
    g.textOut(box.left() + 6, box.top() + 6, text, ggaTextIsWhite(fixQuality) ? kWhite : kBlack);
}

}  // namespace skerra::canvas
