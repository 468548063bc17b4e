// ChartRenderer: a pan by whole pixels drawn by moving the picture.
//
// Why the moved picture equals a full rebuild's outside the part drawn again:
// - A shape's pixels come from trunc((x - left) * kx) of its vertices (and of
//   points derived from them, for splines). When the window moves by n whole
//   pixels, every such value moves by n, and trunc moves with it, except where
//   the value and the moved one lie on both sides of 0 (trunc rounds toward
//   0): a vertex between the old and the new client edge. Shapes reaching
//   into that band are drawn again, whole.
// - Shapes that enter or leave the window (its bounds against the shape's)
//   are drawn again whole: a wide pen paints past the bounds. They reach out
//   of one of the pictures, as below.
// - Qt clips a line at the picture's edge, and where it cuts the line shifts
//   the line's pixels a little: shapes reaching out of either picture are
//   drawn again whole (a long line across the view makes the pan a full
//   rebuild). Not so short lines with a wide pen (a survey's track): they are
//   laid down from a stamp, cut pixel by pixel (WideLineStamp.h).
// - The clipping against the guard box moves with the window: shapes reaching
//   far outside (half the guard) leave it to a full rebuild.
// - Qt's drawing of lines, polylines, polygons, rectangles and circles with
//   thin pens (pixels from integer ends) moves along by whole pixels. Curves
//   it flattens and circles with a pen of 3 pixels or more need not (their
//   edges meet pixel centres, decided by rounding): they are drawn again
//   whole wherever they are in view.
// - The scale is the same, but for the last bits of the window's
//   coordinates: what is taken from the scale alone (a circle's radius in
//   pixels, the cull of curves under half a pixel, the grid's step) is
//   compared at both, and drawn again (or rebuilt) when it differs. The cull
//   of wide-pen lines without length depends on their ends alone. Skipping a short line that paints the
//   pixel the last drawn shape painted, in its colour, changes no pixel: which
//   short lines it skips does not matter.
// - The points' 2-pixel rule, the one text per cell and the drawing limit look
//   along the whole drawing order: with a point or text below the checkpoint
//   in either window, or with more shapes than the limit, nothing is moved.
// - The grid's labels stay at the client's edges, and its dotted lines count
//   their dots from the edge: their rows and columns are drawn again.
// What is drawn again is drawn whole (never clipped, so no line is drawn
// differently) into a scratch picture of background and grid, with every shape
// that reaches it, and copied over. Tests compare pan after pan with a full
// rebuild, pixel for pixel.
//
// The window's coordinates carry their own rounding (see WholePixelPan.h): a
// vertex closer than that to a pixel's edge may land one pixel off what a full
// rebuild gives.

#include "canvas/widget/ChartRenderer.h"

#include "canvas/THArc.h"
#include "canvas/THCircle.h"
#include "canvas/THEllipse.h"
#include "canvas/THLine.h"
#include "canvas/THPolyline.h"
#include "canvas/THRectangle.h"
#include "canvas/THalvekCanvasModel.h"
#include "canvas/widget/GdiPainter.h"
#include "canvas/widget/GridPainter.h"
#include "canvas/widget/ScrollRegion.h"
#include "canvas/widget/WholePixelPan.h"
#include "canvas/widget/WideLineStamp.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace skerra::canvas {

namespace {

// Shapes reaching further outside the client than this (pixels) leave a pan to a full rebuild.
constexpr double kScrollReach = kPixelGuard / 2;

// A shape's bounds in pixels of a window, before truncation; a spline's
// curve may swing out by a third of its size each way.
struct PixelBounds {
    double left, top, right, bottom;
};

PixelBounds pixelBounds(double minX, double minY, double maxX, double maxY, int type, const PixelMapping& m)
{
    PixelBounds b{(minX - m.left) * m.kx, (m.top - maxY) * m.ky, (maxX - m.left) * m.kx, (m.top - minY) * m.ky};
    if (type == ShapeTypeCode::Spline) {
        // Control points lie a sixth of a span between neighbours (a third at the mirrored ends) out.
        const double gx = (b.right - b.left) / 3.0 + 1.0, gy = (b.bottom - b.top) / 3.0 + 1.0;
        b = {b.left - gx, b.top - gy, b.right + gx, b.bottom + gy};
    }
    return b;
}

bool within(const PixelBounds& b, int width, int height)
{
    return b.left >= -kScrollReach && b.right <= width + kScrollReach && b.top >= -kScrollReach
        && b.bottom <= height + kScrollReach;  // false for NaN
}

// How far past its bounds a shape can paint: its pen and the rounding.
int penReach(int penWidth) { return std::max(1, penWidth) + 3; }

// The pixels a shape of these bounds and pen can paint.
QRect paintedBox(const PixelBounds& b, int penWidth)
{
    // Within kScrollReach of the client (checked before): truncation of a value
    // made positive, widened by a pixel, covers floor and ceil.
    constexpr double lift = 2 * kScrollReach;
    auto low = [&](double v) { return static_cast<int>(v + lift) - static_cast<int>(lift) - 1; };
    auto high = [&](double v) { return static_cast<int>(v + lift) - static_cast<int>(lift) + 1; };
    const int margin = penReach(penWidth);
    return QRect(QPoint(low(b.left) - margin, low(b.top) - margin), QPoint(high(b.right) + margin, high(b.bottom) + margin));
}

// The band between the old and the new client edge (pixels of the new
// window, before truncation), where trunc does not move along; a little wider
// for the rounding.
struct Band {
    double low, high;
    bool empty;
    explicit Band(int shift) : low(std::min(0, shift) - 0.01), high(std::max(0, shift) + 0.01), empty(shift == 0) {}
    bool holds(double v) const { return !empty && v > low && v < high; }
    bool meets(double from, double to) const { return !empty && to > low && from < high; }
};

// A curve's control points, truncated when drawn, lie in a band. They are
// its truncated vertices plus sixths or thirds of their differences: when no
// vertex lies in the band they move along by whole pixels exactly.
bool controlInBand(const THPolyline& p, const PixelMapping& m, const Band& bx, const Band& by)
{
    const int n = p.PointCount();
    std::vector<double> qx(n), qy(n);
    for (int i = 0; i < n; ++i) {
        qx[i] = std::trunc((p.Points[i].x - m.left) * m.kx);
        qy[i] = std::trunc((m.top - p.Points[i].y) * m.ky);
    }
    auto holds = [&](double x, double y) { return bx.holds(x) || by.holds(y); };
    if (p.ShapeType == ShapeTypeCode::Arc3) {
        return n == 3
            && (holds(qx[0] + (qx[1] - qx[0]) * 2.0 / 3.0, qy[0] + (qy[1] - qy[0]) * 2.0 / 3.0)
                || holds(qx[2] + (qx[1] - qx[2]) * 2.0 / 3.0, qy[2] + (qy[1] - qy[2]) * 2.0 / 3.0));
    }
    for (int i = 0; i + 1 < n; ++i) {
        const double x0 = i > 0 ? qx[i - 1] : 2 * qx[i] - qx[i + 1], y0 = i > 0 ? qy[i - 1] : 2 * qy[i] - qy[i + 1];
        const double x3 = i + 2 < n ? qx[i + 2] : 2 * qx[i + 1] - qx[i];
        const double y3 = i + 2 < n ? qy[i + 2] : 2 * qy[i + 1] - qy[i];
        if (holds(qx[i] + (qx[i + 1] - x0) * 0.5 / 3.0, qy[i] + (qy[i + 1] - y0) * 0.5 / 3.0)
            || holds(qx[i + 1] - (x3 - qx[i]) * 0.5 / 3.0, qy[i + 1] - (y3 - qy[i]) * 0.5 / 3.0))
            return true;
    }
    return false;
}

// A pixel coordinate the drawing of the shape truncates lies in a band.
bool truncatesInBand(const THShape& s, const PixelMapping& m, const Band& bx, const Band& by)
{
    auto at = [&](double x, double y) { return bx.holds((x - m.left) * m.kx) || by.holds((m.top - y) * m.ky); };
    switch (s.Kind()) {
    case ShapeKind::Line: {
        const auto& l = static_cast<const THLine&>(s);
        return at(l.X1, l.Y1) || at(l.X2, l.Y2);
    }
    case ShapeKind::Circle: {
        const auto& c = static_cast<const THCircle&>(s);
        return at(c.CX, c.CY);
    }
    case ShapeKind::Rectangle: {
        const auto& r = static_cast<const THRectangle&>(s);
        return at(r.X1, r.Y1) || at(r.X2, r.Y2);
    }
    case ShapeKind::Ellipse: {
        const auto& e = static_cast<const THEllipse&>(s);
        return at(e.X1, e.Y1) || at(e.X2, e.Y2);
    }
    case ShapeKind::Arc: {
        const auto& a = static_cast<const THArc&>(s);
        return at(a.X1, a.Y1) || at(a.X2, a.Y2) || at(a.X3, a.Y3);
    }
    case ShapeKind::Polyline: {
        const auto& p = static_cast<const THPolyline&>(s);
        if (std::any_of(p.Points.begin(), p.Points.end(), [&](const auto& v) { return at(v.x, v.y); }))
            return true;
        return (s.ShapeType == ShapeTypeCode::Spline || s.ShapeType == ShapeTypeCode::Arc3)
            && controlInBand(p, m, bx, by);
    }
    default:
        return true;
    }
}

// Qt draws it the same wherever it lies, moved by whole pixels. Not so for
// curves it flattens (splines, rounded corners), nor for circles and ellipses
// with a pen of 3 pixels or more, whose edges meet pixel centres and are
// decided by rounding.
bool movesExactly(const THShape& s)
{
    switch (s.Kind()) {
    case ShapeKind::Circle:
    case ShapeKind::Ellipse: return s.PenWidth() <= 2;
    case ShapeKind::Rectangle: return !static_cast<const THRectangle&>(s).Rounded;
    case ShapeKind::Polyline: return s.ShapeType != ShapeTypeCode::Spline && s.ShapeType != ShapeTypeCode::Arc3;
    default: return true;
    }
}

// What the drawing takes from the scale alone comes out the same at both
// (the scales may differ in their last bits): a circle's radius in pixels,
// and whether a curve is under half a pixel.
// (w, h: the shape's size in world units; radius: a circle's, else negative.)
bool sameAtScale(double w, double h, double radius, const PixelMapping& a, const PixelMapping& b, double unitsA,
                 double unitsB)
{
    if (radius >= 0) {
        const double r = radius;
        if (std::trunc(r * a.kx) != std::trunc(r * b.kx) || std::trunc(r * a.ky) != std::trunc(r * b.ky))
            return false;
    }
    return (w < unitsA * 0.5 && h < unitsA * 0.5) == (w < unitsB * 0.5 && h < unitsB * 0.5);
}

// A line's or a straight polyline's vertices lie within its bounds: in a band
// only when the bounds reach into it. Other shapes are asked.
bool mayTruncateInBand(ShapeKind kind, int type, const PixelBounds& b, const Band& bx, const Band& by)
{
    const bool straight = kind == ShapeKind::Line
        || (kind == ShapeKind::Polyline && type != ShapeTypeCode::Spline && type != ShapeTypeCode::Arc3);
    return !straight || bx.meets(std::min(b.left, b.right), std::max(b.left, b.right))
        || by.meets(std::min(b.top, b.bottom), std::max(b.top, b.bottom));
}

}  // namespace

ChartRenderer::Committed::Committed(const THShape& s, const skerra::canvas::ShapeBounds& b)
    : shape(&s), minX(b.minX), minY(b.minY), maxX(b.maxX), maxY(b.maxY),
      radius(s.Kind() == ShapeKind::Circle ? static_cast<const THCircle&>(s).Radius : -1.0), layer(s.LayerId()),
      type(s.ShapeType), penWidth(s.PenWidth()), visible(s.Visible), kind(s.Kind()), exact(movesExactly(s))
{
}



namespace {

// A short line with a wide pen, laid down from its stamp: its pixels in a
// picture are those of the whole line, cut pixel by pixel at the edge.
bool stamped(const THShape& s, const PixelMapping& m)
{
    if (s.Kind() != ShapeKind::Line)
        return false;
    const auto& l = static_cast<const THLine&>(s);
    const double dx = m.px(l.X2) - m.px(l.X1), dy = m.py(l.Y2) - m.py(l.Y1);
    constexpr double reach = WideLineStamp::kReach;
    return std::abs(dx) <= reach && std::abs(dy) <= reach
        && WideLineStamp::covers(static_cast<int>(dx), static_cast<int>(dy), s.PenWidth());
}

void addGridParts(ScrollRegion& region, const GridFixedParts& parts, int dx, int dy, int height)
{
    region.addRows(parts.labelRowsFrom + std::min(0, dy) - 2, height - 1);
    if (parts.labelColumnsTo >= 0)
        region.addColumns(0, parts.labelColumnsTo + std::max(0, dx) + 2);
    for (int x : parts.columns)
        region.addColumns(x + dx, x + dx);
    for (int y : parts.rows)
        region.addRows(y + dy, y + dy);
}

}  // namespace

void ChartRenderer::renderPanned(const THalvekCanvasModel& model)
{
    if (!scroll(model))
        renderAll(model);
}

void ChartRenderer::keepCommitted(ShapeRange::iterator first, ShapeRange::iterator boundary)
{
    if (!keepCommitted_)
        return;
    std::size_t count = 0;
    for (ShapeRange::iterator c = first; c != boundary && committed_.size() + count <= keptCommittedLimit; ++c)
        ++count;
    if (committed_.size() + count > keptCommittedLimit) {
        keepCommitted_ = false;
        std::vector<Committed>().swap(committed_);
        return;
    }
    for (ShapeRange::iterator c = first; c != boundary; ++c)
        committed_.emplace_back(**c, (*c)->Bounds());
}

// What every shape of one pan is measured against.
struct ChartRenderer::ScrollPass {
    const PixelMapping& to;
    int W, H;
    Band bandX, bandY;
    double nextUnits;
    QRect insideBoth;
    ScrollRegion& region;
    std::vector<InView>& inView;
};

bool ChartRenderer::scrollShape(ScrollPass& pass, std::size_t index, const Committed& c, bool before, bool after)
{
    if (c.type == ShapeTypeCode::Text || c.type == ShapeTypeCode::Point)
        return false;
    const PixelBounds b = pixelBounds(c.minX, c.minY, c.maxX, c.maxY, c.type, pass.to);
    if (!within(b, pass.W, pass.H))
        return false;
    const QRect box = paintedBox(b, c.penWidth);
    if (after)
        pass.inView.push_back({index, c.shape, box});
    // The shape itself is looked at only near the band and the edges.
    if (before != after || !c.exact
        || !sameAtScale(c.maxX - c.minX, c.maxY - c.minY, c.radius, map_, pass.to, unitsPerPixel_, pass.nextUnits)
        || (mayTruncateInBand(c.kind, c.type, b, pass.bandX, pass.bandY)
            && truncatesInBand(*c.shape, pass.to, pass.bandX, pass.bandY))
        || (!pass.insideBoth.contains(box) && !stamped(*c.shape, pass.to)))
        pass.region.addBox(box);
    return true;
}

bool ChartRenderer::scroll(const THalvekCanvasModel& model)
{
    if (!valid_ || lastCommitted_ == nullptr || !checkpointState_.claimedTexts.empty())
        return false;
    const ShapeRange range = model.Shapes();
    if (range.size() > static_cast<std::size_t>(kDrawLimit) || newestFrom_ != 0)
        return false;
    const ViewKey next = keyOf(model);
    ViewKey unmoved = next;
    unmoved.left = key_.left;
    unmoved.right = key_.right;
    unmoved.top = key_.top;
    unmoved.bottom = key_.bottom;
    if (!(unmoved == key_))
        return false;

    // Moved by whole pixels at the same scale?
    const int W = key_.width, H = key_.height;
    const PixelMapping to = PixelMapping::make(next.left, next.right, next.top, next.bottom, W, H);
    const std::optional<QPoint> shift = wholePixelPan({key_.left, key_.right, key_.top, key_.bottom},
                                                      {next.left, next.right, next.top, next.bottom}, W, H,
                                                      kScrollReach);
    if (!shift)
        return false;
    const int dx = shift->x(), dy = shift->y();

    // What is drawn again: the edges coming in, the grid's fixed parts, the shapes named above.
    ScrollRegion& region = region_;  // kept between pans, as the list below
    region.reset(W, H);
    if (dx > 0)
        region.addColumns(0, dx - 1);
    else if (dx < 0)
        region.addColumns(W + dx, W - 1);
    if (dy > 0)
        region.addRows(0, dy - 1);
    else if (dy < 0)
        region.addRows(H + dy, H - 1);
    if (key_.gridOnTop == 0) {
        const GridFixedParts before = gridFixedParts(model, key_.left, key_.right, key_.top, key_.bottom, &checkpoint_);
        const GridFixedParts after = gridFixedParts(model, next.left, next.right, next.top, next.bottom, &checkpoint_);
        if (before.shown != after.shown || before.axes != after.axes || before.stepX != after.stepX
            || before.stepY != after.stepY)
            return false;
        if (before.shown) {
            addGridParts(region, before, dx, dy, H);
            addGridParts(region, after, 0, 0, H);
        }
    }
    const std::size_t committed = checkpointState_.index;
    std::vector<InView>& inView = inView_;  // the shapes below the checkpoint in the new window, in drawing order
    inView.clear();
    const double nextUnits = ((next.right - next.left) > 0.0 ? next.right - next.left : 1.0) / W;
    // Qt clips a line reaching out of the picture at the edge, and where it
    // cuts it shifts the line's pixels a little (and a rectangle's corner):
    // a shape reaching out of either picture is drawn again.
    const QRect insideBoth(QPoint(std::max(0, dx) + 2, std::max(0, dy) + 2),
                           QPoint(std::min(W, W + dx) - 3, std::min(H, H + dy) - 3));
    ScrollPass pass{to, W, H, Band(dx), Band(dy), nextUnits, insideBoth, region, inView};
    if (keepCommitted_) {
        if (committed_.size() != committed)
            return false;  // cannot happen while the rules of use hold
        for (std::size_t i = 0; i < committed; ++i) {
            const Committed& c = committed_[i];
            if (!layerShown(c.visible, c.layer, key_))
                continue;
            const bool before = boundsMeet(c.minX, c.minY, c.maxX, c.maxY, key_);
            const bool after = boundsMeet(c.minX, c.minY, c.maxX, c.maxY, next);
            if ((before || after) && !scrollShape(pass, i, c, before, after))
                return false;
        }
    } else {
        ShapeRange::iterator shape = range.begin();
        for (std::size_t i = 0; i < committed; ++i, ++shape) {
            // The shapes below the checkpoint lead the drawing order, the last of them
            // known: anything else cannot happen while the rules of use hold.
            if (shape == range.end() || (i + 1 == committed && *shape != lastCommitted_))
                return false;
            // Most shapes lie out of both windows: they are passed over on their bounds alone.
            const THShape& s = **shape;
            if (!layerShown(s.Visible, s.LayerId(), key_))
                continue;
            const skerra::canvas::ShapeBounds w = s.Bounds();
            const bool before = boundsMeet(w.minX, w.minY, w.maxX, w.maxY, key_);
            const bool after = boundsMeet(w.minX, w.minY, w.maxX, w.maxY, next);
            if ((before || after) && !scrollShape(pass, i, Committed(s, w), before, after))
                return false;
        }
    }
    region.finish();
    if (region.area() * 2 > static_cast<long>(W) * H)
        return false;  // drawing most of it again: a full rebuild is as quick

    // Draw the region afresh in the scratch picture, move the picture, copy the region over.
    key_ = next;
    map_ = to;
    const double ww = key_.right - key_.left;
    unitsPerPixel_ = (ww > 0.0 ? ww : 1.0) / W;
    if (scratch_.size() != QSize(W, H))
        scratch_ = QImage(W, H, QImage::Format_RGB32);
    scratch_.fill(toQColor(key_.back));
    long redrawn = 0;
    {
        QPainter p(&scratch_);
        GdiPainter g(p);
        if (key_.gridOnTop == 0)
            DrawGrid(g, model);
        PassState state;
        for (const InView& v : inView) {
            if (!region.touches(v.box.left(), v.box.top(), v.box.right(), v.box.bottom()))
                continue;
            state.index = v.index;
            passShape(model, *v.shape, g, state);
            ++redrawn;
        }
    }
    scrollImage(checkpoint_, dx, dy);
    region.copy(scratch_, checkpoint_);

    // The pass's state below the checkpoint as a full rebuild leaves it: no
    // point was there, and the last short line need not be known.
    checkpointState_.lastPointX = checkpointState_.lastPointY = -9999;
    checkpointState_.lastDot.reset();
    ++stats_.scrolls;
    stats_.lastRedrawn = redrawn;
    ++pictureNumber_;
    startedAfresh_ = false;
    const RowSpan tailBefore = lastTailRows_;
    const bool textsBefore = hadTexts_;
    finishPicture(model);
    changedRows_.reset();
    noteMoved(QPoint(dx, dy), tailBefore, textsBefore);
    return true;
}

// The picture is the one before moved, but for the region drawn again, the
// shapes above the checkpoint (drawn in both, at their rows) and what lies
// over the shapes (texts, the grid on top), which is not followed.
void ChartRenderer::noteMoved(QPoint shift, const RowSpan& tailBefore, bool textsBefore)
{
    if (startedAfresh_ || textsBefore || hadTexts_ || key_.gridOnTop != 0 || tailBefore.unbounded
        || drawnRows_.unbounded)
        return;
    const int W = key_.width, H = key_.height;
    moved_.shift = shift;
    moved_.rects.clear();
    region_.appendRects(moved_.rects);
    auto rows = [&](int first, int last) {
        first = std::max(0, first);
        last = std::min(H - 1, last);
        if (first <= last)
            moved_.rects.emplace_back(0, first, W, last - first + 1);
    };
    rows(tailBefore.first + shift.y(), tailBefore.last + shift.y());
    rows(drawnRows_.first, drawnRows_.last);
    movedNumber_ = pictureNumber_;
}

}  // namespace skerra::canvas
