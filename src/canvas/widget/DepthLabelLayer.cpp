#include "canvas/widget/DepthLabelLayer.h"

#include "canvas/THalvekCanvasModel.h"
#include "canvas/widget/GdiPainter.h"
#include "canvas/widget/OverlayPainter.h"
#include "canvas/widget/ScrollRegion.h"
#include "canvas/widget/WholePixelPan.h"

#include <QPainter>

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace skerra::canvas {

using DepthLabel = CanvasOverlayFields::DepthLabel;
static_assert(std::is_trivially_copyable_v<DepthLabel> && sizeof(DepthLabel) == 3 * sizeof(double),
              "labels are compared as bytes");

DepthLabelLayer::Key DepthLabelLayer::keyOf(const THalvekCanvasModel& v, const CanvasOverlayFields& o)
{
    Key k;
    k.left = v.WorldLeft;
    k.right = v.WorldRight;
    k.top = v.WorldTop;
    k.bottom = v.WorldBottom;
    k.width = v.ClientWidth();
    k.height = v.ClientHeight();
    k.visible = o.DepthLabelsVisible;
    k.fontName = o.DepthLabelFontName;
    k.fontSize = o.DepthLabelFontSize;
    k.colour = o.DepthLabelColor;
    return k;
}

// The labels drawn are the first ones of the list, unchanged (compared as
// bytes: a NaN stays equal to itself, and -0 differs from 0, which only
// rebuilds more often than needed).
bool DepthLabelLayer::onlyAppended(const std::vector<DepthLabel>& labels) const
{
    return labels.size() >= drawn_.size()
        && (drawn_.empty() || std::memcmp(labels.data(), drawn_.data(), drawn_.size() * sizeof(DepthLabel)) == 0);
}

QRect DepthLabelLayer::draw(const THalvekCanvasModel& view, const CanvasOverlayFields& o, DepthLabelPass pass,
                            const QRegion* clip)
{
    QPainter p(&image_);
    if (clip)
        p.setClipRegion(*clip);
    GdiPainter g(p);
    pass.largest = largest_;
    pass.texts = &texts_;
    const QRect drawn = DrawDepthLabels(g, clientMapping(view), o, pass) & image_.rect();
    largest_ = pass.largest;
    ink_ |= drawn;
    return drawn;
}

QRect DepthLabelLayer::append(const THalvekCanvasModel& view, const CanvasOverlayFields& o)
{
    DepthLabelPass pass;
    pass.from = drawn_.size();
    pass.measureAll = true;  // those out of reach may come in with a pan
    const QRect drawn = draw(view, o, pass, nullptr);
    drawn_.insert(drawn_.end(), o.DepthLabels.begin() + static_cast<std::ptrdiff_t>(pass.from), o.DepthLabels.end());
    return drawn;
}

std::optional<QPoint> DepthLabelLayer::pannedBy(const Key& key) const
{
    Key unmoved = key;
    unmoved.left = key_.left;
    unmoved.right = key_.right;
    unmoved.top = key_.top;
    unmoved.bottom = key_.bottom;
    if (!(unmoved == key_) || key.width <= 0 || key.height <= 0 || image_.size() != QSize(key.width, key.height)
        || largest_.width() / 2 + 1 > kLabelReachX || largest_.height() / 2 + 1 > kLabelReachY)
        return std::nullopt;
    return wholePixelPan({key_.left, key_.right, key_.top, key_.bottom}, {key.left, key.right, key.top, key.bottom},
                         key.width, key.height, std::max(kLabelReachX, kLabelReachY));
}

QRegion DepthLabelLayer::scroll(const THalvekCanvasModel& view, const CanvasOverlayFields& o, QPoint shift)
{
    ++stats_.scrolls;
    const int dx = shift.x(), dy = shift.y(), W = image_.width(), H = image_.height();
    scrollImage(image_, dx, dy);
    ink_ = ink_.translated(dx, dy) & image_.rect();
    // What moving cannot give (see the header): a label's pixels lie within
    // half its size of its point (and the overhang of glyphs reaching past
    // their advance), and no label of the list is larger than the largest
    // measured.
    const int margin = depthLabelOverhang(largest_.height());
    const int reachX = largest_.width() / 2 + margin, reachY = largest_.height() / 2 + margin;
    QRegion again;
    if (dx != 0) {
        again += QRect(QPoint(0, 0), QPoint(std::max(0, dx) + reachX + 1, H - 1));
        if (dx < 0)
            again += QRect(QPoint(W + dx - 1, 0), QPoint(W - 1, H - 1));
    }
    if (dy != 0) {
        again += QRect(QPoint(0, 0), QPoint(W - 1, std::max(0, dy) + reachY + 1));
        if (dy < 0)
            again += QRect(QPoint(0, H + dy - 1), QPoint(W - 1, H - 1));
    }
    again &= QRegion(image_.rect());
    {
        QPainter p(&image_);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        for (const QRect& r : again)
            p.fillRect(r, Qt::transparent);
    }
    QRegion near;
    for (const QRect& r : again)
        near += r.adjusted(-reachX, -reachY, reachX, reachY);
    // The labels drawn before; those appended since are drawn whole afterwards.
    DepthLabelPass pass;
    pass.near = &near;
    pass.to = drawn_.size();
    draw(view, o, pass, &again);
    return again;
}

QRect DepthLabelLayer::update(const THalvekCanvasModel& view, const CanvasOverlayFields& o)
{
    const Key key = keyOf(view, o);
    const bool appendedOnly = valid_ && onlyAppended(o.DepthLabels);
    QRect changed;
    movedBy_.reset();
    if (appendedOnly && !(key == key_) && key.visible) {
        if (const std::optional<QPoint> shift = pannedBy(key)) {
            redrawn_ = scroll(view, o, *shift);
            movedBy_ = shift;
            key_ = key;
            changed = image_.rect();
        }
    }
    if (!appendedOnly || !(key == key_)) {
        ++stats_.rebuilds;
        key_ = key;
        valid_ = true;
        drawn_.clear();
        ink_ = QRect();
        largest_ = QSize();
        texts_.clear();  // the font or colour may have changed
        const QSize size(std::max(1, key.width), std::max(1, key.height));
        if (image_.size() != size)
            image_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
        image_.fill(Qt::transparent);
        if (key.visible)
            append(view, o);
        return image_.rect();
    }
    if (key.visible && o.DepthLabels.size() > drawn_.size()) {
        ++stats_.appends;
        const QRect appended = append(view, o);
        changed |= appended;
        if (movedBy_)
            redrawn_ += appended;
    }
    return changed;
}

void DepthLabelLayer::paint(QPainter& painter, const THalvekCanvasModel& view, const CanvasOverlayFields& o)
{
    update(view, o);
    laidPicture_ = QImage();  // what changed now is not followed in the laid picture
    if (key_.visible && !ink_.isEmpty())
        painter.drawImage(ink_.topLeft(), image_, ink_);
}

// Rows first .. last of the picture copied into laid_ and the image laid over them.
void DepthLabelLayer::layRows(const QImage& picture, int first, int last)
{
    stats_.rowsLaid += last - first + 1;
    const auto rowBytes = static_cast<std::size_t>(picture.bytesPerLine());
    for (int y = first; y <= last; ++y)
        std::memcpy(laid_.scanLine(y), picture.constScanLine(y), rowBytes);
    const QRect rows = ink_ & QRect(0, first, laid_.width(), last - first + 1);
    if (rows.isEmpty())
        return;
    QPainter p(&laid_);
    p.drawImage(rows.topLeft(), image_, rows);
}

// The picture was made by the same pan that moved the image: laid_ is moved
// along, and laid again where either was drawn again.
bool DepthLabelLayer::layMoved(const ChartRenderer& renderer, const QImage& picture)
{
    if (!movedBy_ || laidPicture_.isNull() || laid_.size() != picture.size() || laid_.format() != picture.format())
        return false;
    const ChartRenderer::Moved* moved = renderer.movedSince(laidNumber_);
    if (!moved || moved->shift != *movedBy_)
        return false;
    ++stats_.moves;
    scrollImage(laid_, movedBy_->x(), movedBy_->y());
    QRegion again = redrawn_;
    for (const QRect& r : moved->rects)
        again += r;
    again &= QRegion(laid_.rect());
    constexpr std::size_t px = 4;
    for (const QRect& r : again) {
        stats_.rowsLaid += r.height();
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::memcpy(laid_.scanLine(y) + r.left() * px, picture.constScanLine(y) + r.left() * px, r.width() * px);
    }
    QPainter p(&laid_);
    for (const QRect& r : again)
        if (const QRect inked = r & ink_; !inked.isEmpty())
            p.drawImage(inked.topLeft(), image_, inked);
    return true;
}

const QImage& DepthLabelLayer::over(const ChartRenderer& renderer, const THalvekCanvasModel& view,
                                    const CanvasOverlayFields& o)
{
    const QImage& picture = renderer.image();
    const QRect changed = update(view, o);
    if (!key_.visible || ink_.isEmpty() || picture.size() != image_.size()) {
        laidPicture_ = QImage();
        return picture;
    }
    if (changed == image_.rect() && layMoved(renderer, picture)) {
        // moved along with the pan
    } else if (changed == image_.rect() || laid_.size() != picture.size() || laid_.format() != picture.format()
               || laidPicture_.isNull()) {
        // Every row is copied over: a buffer of the right size is all it takes (kept between paints).
        if (laid_.size() != picture.size() || laid_.format() != picture.format())
            laid_ = QImage(picture.size(), picture.format());
        layRows(picture, 0, picture.height() - 1);
    } else {
        // Lay again the runs of rows where the picture changed or labels were added.
        std::optional<ChartRenderer::Rows> known = renderer.rowsChangedSince(laidNumber_);
        if (picture.cacheKey() == laidPicture_.cacheKey())
            known = ChartRenderer::Rows{0, -1};
        const auto rowBytes = static_cast<std::size_t>(picture.bytesPerLine());
        auto differs = [&](int y) {
            if (y >= changed.top() && y <= changed.bottom())
                return true;
            if (known)
                return y >= known->first && y <= known->last;
            ++stats_.rowsCompared;
            return std::memcmp(picture.constScanLine(y), laidPicture_.constScanLine(y), rowBytes) != 0;
        };
        int runStart = -1;
        for (int y = 0; y < picture.height(); ++y) {
            const bool differ = differs(y);
            if (differ && runStart < 0)
                runStart = y;
            if (!differ && runStart >= 0) {
                layRows(picture, runStart, y - 1);
                runStart = -1;
            }
        }
        if (runStart >= 0)
            layRows(picture, runStart, picture.height() - 1);
    }
    laidPicture_ = picture;
    laidNumber_ = renderer.pictureNumber();
    return laid_;
}

}  // namespace skerra::canvas
