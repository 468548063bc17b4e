#include "canvas/widget/DepthLabelLayer.h"

#include "canvas/THalvekCanvasModel.h"
#include "canvas/widget/GdiPainter.h"
#include "canvas/widget/OverlayPainter.h"

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

QRect DepthLabelLayer::draw(const THalvekCanvasModel& view, const CanvasOverlayFields& o, std::size_t from)
{
    QPainter p(&image_);
    GdiPainter g(p);
    const QRect drawn = DrawDepthLabels(g, clientMapping(view), o, from) & image_.rect();
    ink_ |= drawn;
    drawn_.insert(drawn_.end(), o.DepthLabels.begin() + static_cast<std::ptrdiff_t>(from), o.DepthLabels.end());
    return drawn;
}

QRect DepthLabelLayer::update(const THalvekCanvasModel& view, const CanvasOverlayFields& o)
{
    const Key key = keyOf(view, o);
    if (!valid_ || !(key == key_) || !onlyAppended(o.DepthLabels)) {
        ++stats_.rebuilds;
        key_ = key;
        valid_ = true;
        drawn_.clear();
        ink_ = QRect();
        const QSize size(std::max(1, key.width), std::max(1, key.height));
        if (image_.size() != size)
            image_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
        image_.fill(Qt::transparent);
        if (key.visible)
            draw(view, o, 0);
        return image_.rect();
    }
    if (key.visible && o.DepthLabels.size() > drawn_.size()) {
        ++stats_.appends;
        return draw(view, o, drawn_.size());
    }
    return QRect();
}

void DepthLabelLayer::paint(QPainter& painter, const THalvekCanvasModel& view, const CanvasOverlayFields& o)
{
    update(view, o);
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

const QImage& DepthLabelLayer::over(const ChartRenderer& renderer, const THalvekCanvasModel& view,
                                    const CanvasOverlayFields& o)
{
    const QImage& picture = renderer.image();
    const QRect changed = update(view, o);
    if (!key_.visible || ink_.isEmpty() || picture.size() != image_.size()) {
        laidPicture_ = QImage();
        return picture;
    }
    if (changed == image_.rect() || laid_.size() != picture.size() || laid_.format() != picture.format()
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
