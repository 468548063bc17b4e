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

void DepthLabelLayer::draw(const THalvekCanvasModel& view, const CanvasOverlayFields& o, std::size_t from)
{
    QPainter p(&image_);
    GdiPainter g(p);
    ink_ |= DrawDepthLabels(g, clientMapping(view), o, from) & image_.rect();
    drawn_.insert(drawn_.end(), o.DepthLabels.begin() + static_cast<std::ptrdiff_t>(from), o.DepthLabels.end());
}

void DepthLabelLayer::paint(QPainter& painter, const THalvekCanvasModel& view, const CanvasOverlayFields& o)
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
    } else if (key.visible && o.DepthLabels.size() > drawn_.size()) {
        ++stats_.appends;
        draw(view, o, drawn_.size());
    }
    if (key.visible && !ink_.isEmpty())
        painter.drawImage(ink_.topLeft(), image_, ink_);
}

}  // namespace skerra::canvas
