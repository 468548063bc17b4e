#include "canvas/widget/ChartRenderer.h"

#include "canvas/THalvekCanvasModel.h"
#include "canvas/THLine.h"
#include "canvas/widget/GdiPainter.h"
#include "canvas/widget/GridPainter.h"
#include "canvas/widget/ShapePainter.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace skerra::canvas {

namespace {

// A pixel coordinate as an int, far-off and NaN values pinned to the int range.
int pinned(double v)
{
    constexpr double limit = 1 << 30;
    if (!(v > -limit))
        return -(1 << 30);
    return v > limit ? (1 << 30) : static_cast<int>(v);
}

// `into` gets the pixels of `from`, in a buffer of its own: the one it has when
// it is of the same size and format and shared with no one, else a new one.
void copyPixels(const QImage& from, QImage& into)
{
    if (into.size() != from.size() || into.format() != from.format() || !into.isDetached())
        into = QImage(from.size(), from.format());
    std::memcpy(into.bits(), from.constBits(), static_cast<std::size_t>(from.sizeInBytes()));
}

constexpr long kVolatileRebuilds = 8;  // a layer stays volatile this many rebuilds after a change

}  // namespace

ChartRenderer::ViewKey ChartRenderer::keyOf(const THalvekCanvasModel& m)
{
    ViewKey k;
    k.left = m.WorldLeft;
    k.right = m.WorldRight;
    k.top = m.WorldTop;
    k.bottom = m.WorldBottom;
    k.width = std::max(1, m.ClientWidth());
    k.height = std::max(1, m.ClientHeight());
    k.back = m.BackColor;
    k.gridVisible = m.GridVisible;
    k.gridAuto = m.GridAutoScale;
    k.gridX = m.GridSpacingX;
    k.gridY = m.GridSpacingY;
    k.gridColour = m.GridColor;
    k.gridOnTop = m.GridOnTop;
    k.nextLayerId = m.NextLayerId();
    k.layerVisible.assign(static_cast<std::size_t>(std::max(0, k.nextLayerId)) + 1, 0);
    for (const auto& layer : m.Layers())
        if (layer->visible && layer->id >= 0 && layer->id <= k.nextLayerId)
            k.layerVisible[layer->id] = 1;
    return k;
}

bool ChartRenderer::layerShown(bool visible, int layer, const ViewKey& key)
{
    return visible && layer >= 0 && layer <= key.nextLayerId && key.layerVisible[layer];
}

bool ChartRenderer::boundsMeet(double minX, double minY, double maxX, double maxY, const ViewKey& key)
{
    return !(maxX < key.left || minX > key.right || maxY < key.bottom || minY > key.top);
}

bool ChartRenderer::isShown(const THShape& s, const ViewKey& key) { return layerShown(s.Visible, s.LayerId(), key); }

bool ChartRenderer::inWindow(const THShape& s, const ViewKey& key)
{
    const skerra::canvas::ShapeBounds b = s.Bounds();
    return boundsMeet(b.minX, b.minY, b.maxX, b.maxY, key);
}

bool ChartRenderer::viewUnchanged(const THalvekCanvasModel& model) const
{
    if (!valid_)
        return false;
    // Cheap fields first: most paints change nothing.
    const ViewKey k = keyOf(model);
    return k == key_;
}

bool ChartRenderer::aboveCheckpoint(const THalvekCanvasModel& model, const THShape* shape) const
{
    if (!valid_ || !shape || !shape->IsOnCanvas())
        return false;
    return lastCommitted_ == nullptr || (shape != lastCommitted_ && model.DrawnBefore(lastCommitted_, shape));
}

std::size_t ChartRenderer::newestFrom(std::size_t shapes)
{
    // Up to the limit nothing is ever left out: the span needs no start then.
    if (shapes <= static_cast<std::size_t>(kDrawLimit))
        return 0;
    return (shapes - kNewestStep) / kNewestStep * kNewestStep;
}

void ChartRenderer::setAlwaysDrawnLayer(int layer)
{
    if (layer == alwaysDrawnLayer_)
        return;
    alwaysDrawnLayer_ = layer;
    invalidate();
}

// The rows a drawn shape can have painted: its bounds, widened by its pen and
// the rounding of the drawing. A spline can swing outside its vertices: any row.
void ChartRenderer::noteDrawnRows(const THShape& s)
{
    if (s.ShapeType == 8) {
        drawnRows_.unbounded = true;
        return;
    }
    const skerra::canvas::ShapeBounds b = s.Bounds();
    const double top = map_.py(b.maxY), bottom = map_.py(b.minY);
    if (!(std::isfinite(top) && std::isfinite(bottom))) {
        drawnRows_.unbounded = true;
        return;
    }
    const int margin = std::max(1, s.PenWidth()) + 3;
    const double lowest = -1.0, highest = key_.height;
    drawnRows_.add(static_cast<int>(std::clamp(top, lowest, highest)) - margin,
                   static_cast<int>(std::clamp(bottom, lowest, highest)) + margin);
}

std::optional<ChartRenderer::Rows> ChartRenderer::rowsChangedSince(long since) const
{
    if (since == pictureNumber_)
        return Rows{0, -1};
    if (since == pictureNumber_ - 1)
        return changedRows_;
    return std::nullopt;
}

const ChartRenderer::Moved* ChartRenderer::movedSince(long since) const
{
    return movedNumber_ == pictureNumber_ && since == pictureNumber_ - 1 ? &moved_ : nullptr;
}

void ChartRenderer::countDrawn(PassState& state, bool alwaysDrawn)
{
    if (alwaysDrawn)
        ++state.alwaysDrawn;
    else
        ++state.count;
}

bool ChartRenderer::isAlwaysDrawn(const THShape& s, std::size_t index) const
{
    return index >= newestFrom_ || (alwaysDrawnLayer_ >= 0 && s.LayerId() == alwaysDrawnLayer_);
}

void ChartRenderer::markVolatile(int layer) { volatileMarks_[layer] = rebuildNumber_; }

bool ChartRenderer::isVolatile(int layer) const
{
    const auto it = volatileMarks_.find(layer);
    return it != volatileMarks_.end() && rebuildNumber_ - it->second <= kVolatileRebuilds;
}

void ChartRenderer::startPicture(const THalvekCanvasModel& model)
{
    key_ = keyOf(model);
    const int W = key_.width, H = key_.height;
    map_ = PixelMapping::make(key_.left, key_.right, key_.top, key_.bottom, W, H);
    const double ww = key_.right - key_.left;
    unitsPerPixel_ = (ww > 0.0 ? ww : 1.0) / W;
    cellColumns_ = W / kTextCell + 2;
    cellRows_ = H / kTextCell + 2;

    if (checkpoint_.size() != QSize(W, H)) {
        // Every buffer of this size made and touched now: the ticks that follow
        // take no fresh memory, whose first touch costs more than the drawing.
        checkpoint_ = QImage(W, H, QImage::Format_RGB32);
        for (QImage* buffer : {&pictures_[0], &pictures_[1], &scratch_}) {
            *buffer = QImage(W, H, QImage::Format_RGB32);
            buffer->fill(0);
        }
    }
    checkpoint_.fill(toQColor(key_.back));
    if (key_.gridOnTop == 0) {
        QPainter p(&checkpoint_);
        GdiPainter g(p);
        DrawGrid(g, model);
    }
    checkpointState_ = PassState{};
    committed_.clear();
    keepCommitted_ = true;
    startedAfresh_ = true;
    checkpointState_.cellTaken.assign(static_cast<std::size_t>(cellColumns_) * cellRows_, 0);
    lastCommitted_ = nullptr;
    valid_ = true;
}

void ChartRenderer::renderAll(const THalvekCanvasModel& model)
{
    ++stats_.fullRebuilds;
    ++pictureNumber_;
    startPicture(model);
    finishPicture(model);
    changedRows_.reset();
}

void ChartRenderer::renderTail(const THalvekCanvasModel& model)
{
    if (!valid_) {
        renderAll(model);
        return;
    }
    ++stats_.tailRebuilds;
    ++pictureNumber_;
    const RowSpan before = lastTailRows_;
    const bool textsBefore = hadTexts_;
    startedAfresh_ = false;
    finishPicture(model);
    RowSpan changed = drawnRows_;
    changed.add(before);
    // Texts and the grid on top are drawn alike over both pictures, but a
    // text taking or leaving a cell is not followed: any text, any row.
    if (startedAfresh_ || changed.unbounded || textsBefore || hadTexts_)
        changedRows_.reset();
    else
        changedRows_ = Rows{std::max(0, changed.first), std::min(key_.height - 1, changed.last)};
}

// Draws the shapes above the checkpoint, moves the checkpoint up, then adds the
// texts and the grid over the shapes. Walks the drawing order in place: a full
// rebuild of a million shapes takes no list of them.
void ChartRenderer::finishPicture(const THalvekCanvasModel& model)
{
    ++rebuildNumber_;
    const ShapeRange range = model.Shapes();
    // Where the newest shapes begin moved: the shapes between the old and the
    // new start changed between drawn whatever the limit and counted. When
    // some of them lie below the checkpoint, it no longer holds.
    const std::size_t newest = newestFrom(range.size());
    if (newest != newestFrom_) {
        const std::size_t changedFrom = std::min(newest, newestFrom_);
        newestFrom_ = newest;
        if (lastCommitted_ != nullptr && checkpointState_.index > changedFrom) {
            startPicture(model);
            finishPicture(model);
            return;
        }
    }
    // The first shape above the checkpoint.
    ShapeRange::iterator first = range.begin();
    std::size_t tailLength = range.size();
    if (lastCommitted_ != nullptr) {
        tailLength = 0;
        ShapeRange::iterator it = range.end();
        bool found = false;
        while (it != range.begin()) {
            --it;
            if (*it == lastCommitted_) {
                found = true;
                first = std::next(it);
                break;
            }
            ++tailLength;
        }
        if (!found) {  // cannot happen while the rules of use hold; start afresh
            startPicture(model);
            finishPicture(model);
            return;
        }
    }
    stats_.lastTailLength = tailLength;

    // Everything below the first often-changed shape among the last few goes under the checkpoint.
    ShapeRange::iterator boundary = range.end();
    ShapeRange::iterator it = range.end();
    for (std::size_t scanned = 0; it != first && scanned < kMaxTail; ++scanned) {
        --it;
        if (isVolatile((*it)->LayerId()))
            boundary = it;
    }

    drawnRows_ = RowSpan{};
    passShapes(model, first, boundary, checkpoint_, checkpointState_);
    keepCommitted(first, boundary);
    if (boundary != first)
        lastCommitted_ = *std::prev(boundary);
    const RowSpan committedRows = drawnRows_;

    QImage& picture = pictures_[1 - shown_];
    copyPixels(checkpoint_, picture);
    PassState state = checkpointState_;
    drawnRows_ = RowSpan{};
    passShapes(model, boundary, range.end(), picture, state);
    lastTailRows_ = drawnRows_;
    drawnRows_.add(committedRows);
    hadTexts_ = !state.claimedTexts.empty();
    if (!state.claimedTexts.empty() || key_.gridOnTop == 1)
        drawTexts(model, state, picture);
    shown_ = 1 - shown_;
    stats_.lastCounted = state.count;
    stats_.lastDrawn = state.count + state.alwaysDrawn;
}

// The texts claimed by the pass, then the grid when it lies on top.
void ChartRenderer::drawTexts(const THalvekCanvasModel& model, PassState& state, QImage& target)
{
    QPainter p(&target);
    GdiPainter g(p);
    bool limitReached = false;
    for (const ClaimedText& claimed : state.claimedTexts) {
        if (limitReached && !claimed.alwaysDrawn)
            continue;
        const THShape* s = claimed.text;
        drawShape(g, *s, map_, model.GetContrastColor(s->PenFg()));
        countDrawn(state, claimed.alwaysDrawn);
        if (!claimed.alwaysDrawn && state.count >= kDrawLimit)
            limitReached = true;
    }
    if (key_.gridOnTop == 1)
        DrawGrid(g, model);
}

void ChartRenderer::passShapes(const THalvekCanvasModel& model, ShapeRange::iterator from, ShapeRange::iterator to,
                               QImage& target, PassState& state)
{
    if (from == to)
        return;
    QPainter p(&target);
    GdiPainter g(p);
    for (ShapeRange::iterator it = from; it != to; ++it, ++state.index)
        passShape(model, **it, g, state);
}

void ChartRenderer::passShape(const THalvekCanvasModel& model, const THShape& s, GdiPainter& g, PassState& state)
{
    if (!isShown(s, key_) || !inWindow(s, key_))
        return;
    const double u = unitsPerPixel_;
    const int type = s.ShapeType;
    if (type == ShapeTypeCode::Text) {
        const THText* text = shape_cast<THText>(&s);
        if (!text)
            return;
        const int px = pinned(std::trunc((text->X - key_.left) / u));
        const int py = pinned(std::trunc((key_.top - text->Y) / u));
        const int col = std::clamp(px / kTextCell, 0, cellColumns_ - 1);
        const int row = std::clamp(py / kTextCell, 0, cellRows_ - 1);
        char& cell = state.cellTaken[static_cast<std::size_t>(row) * cellColumns_ + col];
        if (!cell) {
            cell = 1;
            state.claimedTexts.push_back({text, isAlwaysDrawn(s, state.index)});
        }
        return;
    }
    const bool always = isAlwaysDrawn(s, state.index);
    if (state.count >= kDrawLimit && !always)
        return;
    const TColor penFg = model.GetContrastColor(s.PenFg());
    if (type == ShapeTypeCode::Point) {
        const THPoint* point = shape_cast<THPoint>(&s);
        if (point) {
            const int px = pinned(std::trunc((point->X - key_.left) / u));
            const int py = pinned(std::trunc((key_.top - point->Y) / u));
            const long dx = static_cast<long>(px) - state.lastPointX;
            const long dy = static_cast<long>(py) - state.lastPointY;
            if (dx > -3 && dx < 3 && dy > -3 && dy < 3)
                return;
            state.lastPointX = px;
            state.lastPointY = py;
        }
    } else if (type == ShapeTypeCode::Line) {
        const THLine* line = shape_cast<THLine>(&s);
        const std::optional<ShortLine> little = line ? shortLine(*line, map_) : std::nullopt;
        if (little && s.PenWidth() > 1 && little->withoutLength)
            return;  // a wide pen paints nothing there
        if (little && s.PenWidth() <= 1) {
            const LineDot dot{little->first.x(), little->first.y(), penFg, s.Selected()};
            if (state.lastDot == dot)
                return;  // that pixel was just painted in that colour
            drawShape(g, s, map_, penFg);
            noteDrawnRows(s);
            countDrawn(state, always);
            state.lastDot = dot;
            return;
        }
    } else if (type != ShapeTypeCode::Rectangle) {
        const double half = u * 0.5;
        const skerra::canvas::ShapeBounds b = s.Bounds();
        if (b.maxX - b.minX < half && b.maxY - b.minY < half)
            return;
    }
    drawShape(g, s, map_, penFg);
    noteDrawnRows(s);
    countDrawn(state, always);
    state.lastDot.reset();
}

}  // namespace skerra::canvas
