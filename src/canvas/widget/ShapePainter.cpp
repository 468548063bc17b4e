#include "canvas/widget/ShapePainter.h"

#include "canvas/THArc.h"
#include "canvas/THCircle.h"
#include "canvas/THEllipse.h"
#include "canvas/THLine.h"
#include "canvas/THPoint.h"
#include "canvas/THPolyline.h"
#include "canvas/THRectangle.h"
#include "canvas/THText.h"
#include "canvas/widget/ChartFonts.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace skerra::canvas {

namespace {

constexpr TColor kSelectedColour = 0x0000FF;

// Only for points inside the guard box (or given by its clips): never a value
// that is not finite or beyond the int range.
QPoint toPoint(PixelPoint p) { return QPoint(static_cast<int>(p.x), static_cast<int>(p.y)); }

TColor strokeColour(const THShape& s, TColor penFg) { return s.Selected() ? kSelectedColour : penFg; }

void setStroke(GdiPainter& g, const THShape& s, TColor penFg) { g.setPen(strokeColour(s, penFg), s.PenWidth()); }

void setFill(GdiPainter& g, const THShape& s) { g.setBrush(s.BrushFg, s.BrushStyle); }

}  // namespace

void drawClippedLine(GdiPainter& g, double x1, double y1, double x2, double y2, const GuardBox& box)
{
    if (box.contains(x1, y1) && box.contains(x2, y2)) {
        g.line(static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(x2), static_cast<int>(y2));
        return;
    }
    if (clipSegment(x1, y1, x2, y2, box))
        g.line(static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(x2), static_cast<int>(y2));
}

namespace {

void clippedLine(GdiPainter& g, PixelPoint a, PixelPoint b, const GuardBox& box)
{
    drawClippedLine(g, a.x, a.y, b.x, b.y, box);
}

bool allInside(const std::vector<PixelPoint>& pts, const GuardBox& box)
{
    return std::all_of(pts.begin(), pts.end(), [&](PixelPoint p) { return box.contains(p.x, p.y); });
}

// Points already inside the guard box, as pixels.
std::vector<QPoint> toPoints(const std::vector<PixelPoint>& pts)
{
    std::vector<QPoint> q;
    q.reserve(pts.size());
    for (PixelPoint p : pts)
        q.push_back(toPoint(p));
    return q;
}

void strokePath(GdiPainter& g, const std::vector<PixelPoint>& pts, const GuardBox& box)
{
    if (allInside(pts, box)) {
        const std::vector<QPoint> q = toPoints(pts);
        g.polyline(q.data(), static_cast<int>(q.size()));
        return;
    }
    for (std::size_t i = 0; i + 1 < pts.size(); ++i)
        clippedLine(g, pts[i], pts[i + 1], box);
}

void fillAndStrokePolygon(GdiPainter& g, const std::vector<PixelPoint>& pts, const GuardBox& box)
{
    if (allInside(pts, box)) {
        const std::vector<QPoint> q = toPoints(pts);
        g.polygon(q.data(), static_cast<int>(q.size()));
        return;
    }
    // Fill the clipped polygon without outline, then stroke the real edges clipped.
    const std::vector<PixelPoint> clipped = clipPolygon(pts, box);
    if (clipped.size() >= 3) {
        std::vector<QPoint> q;
        for (PixelPoint p : clipped)
            q.push_back(toPoint(p));
        QPainter& p = g.painter();
        const QPen pen = p.pen();
        p.setPen(Qt::NoPen);
        g.polygon(q.data(), static_cast<int>(q.size()));
        p.setPen(pen);
    }
    std::vector<PixelPoint> ring = pts;
    ring.push_back(pts.front());
    for (std::size_t i = 0; i + 1 < ring.size(); ++i)
        clippedLine(g, ring[i], ring[i + 1], box);
}

// An ellipse over the pixel box; one that reaches far outside is drawn as a fine polygon.
void drawEllipseBox(GdiPainter& g, double l, double t, double r, double b, const GuardBox& box)
{
    constexpr double kNative = 1 << 22;
    if (std::abs(l) <= kNative && std::abs(r) <= kNative && std::abs(t) <= kNative && std::abs(b) <= kNative) {
        g.ellipse(static_cast<int>(l), static_cast<int>(t), static_cast<int>(r), static_cast<int>(b));
        return;
    }
    if (!(std::isfinite(l) && std::isfinite(t) && std::isfinite(r) && std::isfinite(b)))
        return;
    // Each point between the box's sides (std::lerp), so none overflows.
    constexpr int kSteps = 4096;
    std::vector<PixelPoint> pts;
    pts.reserve(kSteps);
    for (int i = 0; i < kSteps; ++i) {
        const double a = 2.0 * 3.141592653589793 * i / kSteps;
        pts.push_back({std::lerp(l, r, (1.0 + std::cos(a)) / 2.0), std::lerp(t, b, (1.0 + std::sin(a)) / 2.0)});
    }
    fillAndStrokePolygon(g, pts, box);
}

void drawPoint(GdiPainter& g, const THPoint& s, const PixelMapping& m, TColor penFg)
{
    const double fx = m.px(s.X), fy = m.py(s.Y);
    const GuardBox box(m);
    if (!box.contains(fx, fy))
        return;
    const int px = static_cast<int>(fx), py = static_cast<int>(fy);
    const TColor c = strokeColour(s, penFg);
    const int w = s.PenWidth();
    if (w <= 0) {
        g.fillRect(px, py, px + 1, py + 1, c);
    } else if (w == 1) {
        g.fillRect(px, py, px + 2, py + 2, c);
    } else {
        const int r = (w + 1) / 2;
        if (w <= 3) {
            g.fillRect(px - r, py - r, px + r + 1, py + r + 1, c);
        } else {
            g.setPen(c, w);
            g.setBrush(c, bsSolid);
            g.ellipse(px - r, py - r, px + r, py + r);
        }
    }
}

}  // namespace

std::optional<ShortLine> shortLine(const THLine& s, const PixelMapping& m)
{
    const double x1 = m.px(s.X1), y1 = m.py(s.Y1), x2 = m.px(s.X2), y2 = m.py(s.Y2);
    // Both ends inside the guard box: drawn as they are (see drawClippedLine).
    const GuardBox box(m);
    if (!(std::abs(x2 - x1) <= 1.0 && std::abs(y2 - y1) <= 1.0) || !box.contains(x1, y1) || !box.contains(x2, y2))
        return std::nullopt;
    return ShortLine{QPoint(static_cast<int>(x1), static_cast<int>(y1)), x1 == x2 && y1 == y2};
}

namespace {

void drawLine(GdiPainter& g, const THLine& s, const PixelMapping& m, TColor penFg)
{
    setStroke(g, s, penFg);
    clippedLine(g, {m.px(s.X1), m.py(s.Y1)}, {m.px(s.X2), m.py(s.Y2)}, GuardBox(m));
}

void drawCircle(GdiPainter& g, const THCircle& s, const PixelMapping& m, TColor penFg)
{
    const double px = m.px(s.CX), py = m.py(s.CY);
    const double rx = std::trunc(s.Radius * m.kx), ry = std::trunc(s.Radius * m.ky);
    setStroke(g, s, penFg);
    setFill(g, s);
    drawEllipseBox(g, px - rx, py - ry, px + rx, py + ry, GuardBox(m));
}

double clampToBox(double v, double lo, double hi) { return std::clamp(v, lo, hi); }

void drawRectangle(GdiPainter& g, const THRectangle& s, const PixelMapping& m, TColor penFg)
{
    const GuardBox box(m);
    double x1 = m.px(s.X1), y1 = m.py(s.Y1), x2 = m.px(s.X2), y2 = m.py(s.Y2);
    if (!(std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2)))
        return;
    // Axis-aligned: clamping the corners to the guard box clips it exactly.
    const int l = static_cast<int>(clampToBox(std::min(x1, x2), box.xmin, box.xmax));
    const int r = static_cast<int>(clampToBox(std::max(x1, x2), box.xmin, box.xmax));
    const int t = static_cast<int>(clampToBox(std::min(y1, y2), box.ymin, box.ymax));
    const int b = static_cast<int>(clampToBox(std::max(y1, y2), box.ymin, box.ymax));
    if (s.PenWidth() == 0 && s.BrushStyle == bsSolid && !s.Selected() && !s.Rounded) {
        g.fillRect(l, t, r, b, s.BrushFg);
        return;
    }
    setStroke(g, s, penFg);
    setFill(g, s);
    if (s.Rounded) {
        const int e = static_cast<int>(std::clamp(s.CornerRadius * std::min(m.kx, m.ky), -kPixelGuard, kPixelGuard));
        g.roundRect(l, t, r, b, e, e);
    } else {
        g.rectangle(l, t, r, b);
    }
}

void drawEllipse(GdiPainter& g, const THEllipse& s, const PixelMapping& m, TColor penFg)
{
    setStroke(g, s, penFg);
    setFill(g, s);
    drawEllipseBox(g, m.px(s.X1), m.py(s.Y1), m.px(s.X2), m.py(s.Y2), GuardBox(m));
}

void drawArc(GdiPainter& g, const THArc& s, const PixelMapping& m, TColor penFg)
{
    setStroke(g, s, penFg);
    strokePath(g, {{m.px(s.X1), m.py(s.Y1)}, {m.px(s.X2), m.py(s.Y2)}, {m.px(s.X3), m.py(s.Y3)}}, GuardBox(m));
}

void drawText(GdiPainter& g, const THText& s, const PixelMapping& m, TColor penFg)
{
    if (s.DisplayText.isEmpty())
        return;
    const double fx = m.px(s.X), fy = m.py(s.Y);
    // The anchor alone decides (written so that NaN fails).
    if (!(fx >= -500.0 && fx <= m.width + 500.0 && fy >= -100.0 && fy <= m.height + 100.0))
        return;
    const int px = static_cast<int>(fx), py = static_cast<int>(fy);
    int size = s.Height > 0.0 ? static_cast<int>(std::min(s.Height, 1000.0)) : 10;
    size = std::clamp(size, 4, 72);
    TColor colour = s.Selected() ? kSelectedColour : penFg;
    if (!s.Selected() && (colorRed(colour) + colorGreen(colour) + colorBlue(colour)) / 3 > 200)
        colour = 0;
    g.setFont(chartFont(s.FontName, size, s.Bold, s.Italic));
    g.setClearBrush();
    const int orientation = s.Angle == 0.0 || !std::isfinite(s.Angle)
        ? 0
        : static_cast<int>(std::clamp(s.Angle * 10.0, -1e9, 1e9));
    const int tw = g.textWidth(s.DisplayText);
    const int th = g.textHeight(s.DisplayText);
    const int dx = s.Align == 1 ? -tw / 2 : s.Align == 2 ? -tw : 0;
    const int dy = s.Justify == 1 ? -th / 2 : s.Justify == 2 ? -th : 0;
    g.textOut(px + dx, py + dy, s.DisplayText, colour, orientation);
}

// One cubic Bézier; flattened and clipped when it reaches far outside.
void bezier(GdiPainter& g, PixelPoint p0, PixelPoint c1, PixelPoint c2, PixelPoint p3, const GuardBox& box)
{
    if (box.contains(p0.x, p0.y) && box.contains(c1.x, c1.y) && box.contains(c2.x, c2.y)
        && box.contains(p3.x, p3.y)) {
        g.polyBezier(toPoint(p0), toPoint(c1), toPoint(c2), toPoint(p3));
        return;
    }
    constexpr int kSteps = 64;
    std::vector<PixelPoint> pts;
    pts.reserve(kSteps + 1);
    for (int i = 0; i <= kSteps; ++i) {
        const double t = static_cast<double>(i) / kSteps, u = 1.0 - t;
        const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
        pts.push_back({a * p0.x + b * c1.x + c * c2.x + d * p3.x, a * p0.y + b * c1.y + c * c2.y + d * p3.y});
    }
    strokePath(g, pts, box);
}

PixelPoint truncated(double x, double y) { return {std::trunc(x), std::trunc(y)}; }

void drawPolyline(GdiPainter& g, const THPolyline& s, const PixelMapping& m, TColor penFg)
{
    const int n = s.PointCount();
    if (n < 2)
        return;
    setStroke(g, s, penFg);
    setFill(g, s);
    const GuardBox box(m);
    std::vector<PixelPoint> q;
    q.reserve(n);
    for (const auto& v : s.Points)
        q.push_back({m.px(v.x), m.py(v.y)});
    if (s.ShapeType == 8) {
        // Catmull-Rom through every vertex, ends mirrored; never filled.
        for (int i = 0; i + 1 < n; ++i) {
            const PixelPoint p1 = q[i], p2 = q[i + 1];
            const PixelPoint p0 = i > 0 ? q[i - 1] : PixelPoint{2 * p1.x - p2.x, 2 * p1.y - p2.y};
            const PixelPoint p3 = i + 2 < n ? q[i + 2] : PixelPoint{2 * p2.x - p1.x, 2 * p2.y - p1.y};
            const PixelPoint c1 = truncated(p1.x + (p2.x - p0.x) * 0.5 / 3.0, p1.y + (p2.y - p0.y) * 0.5 / 3.0);
            const PixelPoint c2 = truncated(p2.x - (p3.x - p1.x) * 0.5 / 3.0, p2.y - (p3.y - p1.y) * 0.5 / 3.0);
            bezier(g, p1, c1, c2, p2, box);
        }
        return;
    }
    if (s.ShapeType == 10 && n == 3) {
        // The quadratic curve with q[1] as control point, raised to a cubic.
        const PixelPoint p0 = q[0], p3 = q[2];
        const PixelPoint c1 = truncated(p0.x + (q[1].x - p0.x) * 2.0 / 3.0, p0.y + (q[1].y - p0.y) * 2.0 / 3.0);
        const PixelPoint c2 = truncated(q[2].x + (q[1].x - q[2].x) * 2.0 / 3.0, q[2].y + (q[1].y - q[2].y) * 2.0 / 3.0);
        bezier(g, p0, c1, c2, p3, box);
        return;
    }
    if (s.Closed && n > 2)
        fillAndStrokePolygon(g, q, box);
    else
        strokePath(g, q, box);
}

}  // namespace

void drawShape(GdiPainter& painter, const THShape& shape, const PixelMapping& map, TColor penFg)
{
    if (!shape.Visible)
        return;
    switch (shape.Kind()) {
    case ShapeKind::Point: drawPoint(painter, static_cast<const THPoint&>(shape), map, penFg); break;
    case ShapeKind::Line: drawLine(painter, static_cast<const THLine&>(shape), map, penFg); break;
    case ShapeKind::Circle: drawCircle(painter, static_cast<const THCircle&>(shape), map, penFg); break;
    case ShapeKind::Rectangle: drawRectangle(painter, static_cast<const THRectangle&>(shape), map, penFg); break;
    case ShapeKind::Ellipse: drawEllipse(painter, static_cast<const THEllipse&>(shape), map, penFg); break;
    case ShapeKind::Arc: drawArc(painter, static_cast<const THArc&>(shape), map, penFg); break;
    case ShapeKind::Text: drawText(painter, static_cast<const THText&>(shape), map, penFg); break;
    case ShapeKind::Polyline: drawPolyline(painter, static_cast<const THPolyline&>(shape), map, penFg); break;
    }
}

}  // namespace skerra::canvas
