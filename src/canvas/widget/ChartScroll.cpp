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
//   are drawn again whole: a wide pen paints past the bounds.
// - The clipping against the guard box moves with the window: shapes reaching
//   far outside (half the guard) leave it to a full rebuild.
// - The culls of curves under half a pixel and of wide-pen lines without
//   length depend on the scale alone. Skipping a short line that paints the
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
// The window's coordinates carry their own rounding: a whole-pixel pan of a
// window at 6,000,000 m is whole only to about 1e-6 pixel at 1 cm a pixel.
// That much is taken as whole; a vertex closer than that to a pixel's edge
// may land one pixel off what a full rebuild gives.

#include "canvas/widget/ChartRenderer.h"

#include "canvas/THalvekCanvasModel.h"
#include "canvas/widget/GdiPainter.h"
#include "canvas/widget/GridPainter.h"
#include "canvas/widget/ScrollRegion.h"

#include <QPainter>

#include <cmath>
#include <limits>

namespace skerra::canvas {

namespace {

// Shapes reaching further outside the client than this (pixels) leave a pan to a full rebuild.
constexpr double kScrollReach = kPixelGuard / 2;

// How far from whole a pixel offset of the window may be from its coordinates' rounding alone.
double roundingOf(double a, double b, double c, double d, double scale)
{
    const double largest = std::max({std::abs(a), std::abs(b), std::abs(c), std::abs(d)});
    return 1e-9 + 8.0 * std::numeric_limits<double>::epsilon() * largest * scale;
}

std::optional<int> wholePixels(double offset, double tolerance, int size)
{
    const double whole = std::round(offset);
    if (!(std::abs(offset - whole) <= tolerance) || !(std::abs(whole) < size))
        return std::nullopt;
    return static_cast<int>(whole);
}

// A shape's bounds in pixels of a window, before truncation; a spline's
// curve may swing out by a third of its size.
struct PixelBounds {
    double left, top, right, bottom;
};

PixelBounds pixelBounds(const THShape& s, const PixelMapping& m)
{
    PixelBounds b{(s.MinX - m.left) * m.kx, (m.top - s.MaxY) * m.ky, (s.MaxX - m.left) * m.kx,
                  (m.top - s.MinY) * m.ky};
    if (s.ShapeType == ShapeTypeCode::Spline) {
        const double grow = std::max(b.right - b.left, b.bottom - b.top);
        b = {b.left - grow, b.top - grow, b.right + grow, b.bottom + grow};
    }
    return b;
}

bool within(const PixelBounds& b, int width, int height)
{
    return b.left >= -kScrollReach && b.right <= width + kScrollReach && b.top >= -kScrollReach
        && b.bottom <= height + kScrollReach;  // false for NaN
}

// The pixels the shape can paint: its bounds, widened by its pen and the rounding.
QRect paintedBox(const PixelBounds& b, const THShape& s)
{
    const int margin = std::max(1, s.PenWidth()) + 3;
    return QRect(QPoint(static_cast<int>(std::floor(b.left)) - margin, static_cast<int>(std::floor(b.top)) - margin),
                 QPoint(static_cast<int>(std::ceil(b.right)) + margin,
                        static_cast<int>(std::ceil(b.bottom)) + margin));
}

// The band between the old and the new client edge (pixels of the new window), where trunc does not move along.
bool inBand(double low, double high, int shift)
{
    return shift != 0 && high >= std::min(0, shift) - 1.0 && low <= std::max(0, shift) + 1.0;
}

void addGridParts(ScrollRegion& region, const GridFixedParts& parts, int dx, int dy, int height)
{
    region.addRows(parts.labelRowsFrom + std::min(0, dy) - 2, height - 1);
    if (parts.labelColumnsTo >= 0)
        region.addColumns(0, parts.labelColumnsTo + std::max(0, dx) + 2);
    for (int x : parts.columns)
        region.addColumns(x + dx - 1, x + dx + 1);
    for (int y : parts.rows)
        region.addRows(y + dy - 1, y + dy + 1);
}

}  // namespace

void ChartRenderer::renderPanned(const THalvekCanvasModel& model)
{
    if (!scroll(model))
        renderAll(model);
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
    const double toleranceX = roundingOf(key_.left, key_.right, next.left, next.right, map_.kx);
    const double toleranceY = roundingOf(key_.top, key_.bottom, next.top, next.bottom, map_.ky);
    if (!(std::abs(to.kx - map_.kx) * (W + kScrollReach) <= toleranceX)
        || !(std::abs(to.ky - map_.ky) * (H + kScrollReach) <= toleranceY))
        return false;
    const std::optional<int> shiftX = wholePixels((key_.left - next.left) * map_.kx, toleranceX, W);
    const std::optional<int> shiftY = wholePixels((next.top - key_.top) * map_.ky, toleranceY, H);
    if (!shiftX || !shiftY)
        return false;
    const int dx = *shiftX, dy = *shiftY;

    // What is drawn again: the edges coming in, the grid's fixed parts, the shapes named above.
    ScrollRegion region(W, H);
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
        if (before.shown != after.shown || before.axes != after.axes)
            return false;
        if (before.shown) {
            addGridParts(region, before, dx, dy, H);
            addGridParts(region, after, 0, 0, H);
        }
    }
    const std::size_t committed = checkpointState_.index;
    ShapeRange::iterator it = range.begin();
    for (std::size_t i = 0; i < committed; ++i, ++it) {
        const THShape& s = **it;
        if (!isShown(s, key_))
            continue;
        const bool before = inWindow(s, key_), after = inWindow(s, next);
        if (!before && !after)
            continue;
        if (s.ShapeType == ShapeTypeCode::Text || s.ShapeType == ShapeTypeCode::Point)
            return false;
        const PixelBounds b = pixelBounds(s, to);
        if (!within(b, W, H))
            return false;
        if (before != after || inBand(b.left, b.right, dx) || inBand(b.top, b.bottom, dy))
            region.addBox(paintedBox(b, s));
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
        it = range.begin();
        for (std::size_t i = 0; i < committed; ++i, ++it) {
            const THShape& s = **it;
            if (!isShown(s, key_) || !inWindow(s, key_))
                continue;
            const QRect box = paintedBox(pixelBounds(s, to), s);
            if (!region.touches(box.left(), box.top(), box.right(), box.bottom()))
                continue;
            state.index = i;
            passShape(model, s, g, state);
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
    finishPicture(model);
    changedRows_.reset();
    return true;
}

}  // namespace skerra::canvas
