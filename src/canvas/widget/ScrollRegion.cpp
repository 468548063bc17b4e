#include "canvas/widget/ScrollRegion.h"

#include <algorithm>
#include <cstring>

namespace skerra::canvas {

ScrollRegion::ScrollRegion(int width, int height)
    : W(width), H(height), rows_(static_cast<std::size_t>(height), 0), columns_(static_cast<std::size_t>(width), 0)
{
}

void ScrollRegion::addRows(int first, int last)
{
    for (int y = std::max(0, first); y <= std::min(H - 1, last); ++y)
        rows_[y] = 1;
}

void ScrollRegion::addColumns(int first, int last)
{
    for (int x = std::max(0, first); x <= std::min(W - 1, last); ++x)
        columns_[x] = 1;
}

void ScrollRegion::addBox(QRect box)
{
    box &= QRect(0, 0, W, H);
    if (box.isEmpty())
        return;
    const QPoint c = box.center();
    const std::array<int, 4> distance{c.x(), W - 1 - c.x(), c.y(), H - 1 - c.y()};
    const auto nearest = std::min_element(distance.begin(), distance.end()) - distance.begin();
    const int along = nearest < 2 ? c.y() * kPerEdge / H : c.x() * kPerEdge / W;
    QRect& bucket = boxes_[nearest * kPerEdge + std::clamp(along, 0, kPerEdge - 1)];
    bucket |= box;
    bounds_ |= box;
}

void ScrollRegion::finish()
{
    auto sums = [](const std::vector<char>& marks, std::vector<int>& out) {
        out.assign(marks.size() + 1, 0);
        for (std::size_t i = 0; i < marks.size(); ++i)
            out[i + 1] = out[i] + marks[i];
    };
    sums(rows_, rowSums_);
    sums(columns_, columnSums_);
}

long ScrollRegion::area() const
{
    long a = static_cast<long>(rowSums_.back()) * W + static_cast<long>(columnSums_.back()) * H;
    for (const QRect& b : boxes_)
        a += static_cast<long>(b.width()) * b.height();
    return a;
}

bool ScrollRegion::anyIn(const std::vector<int>& sums, int first, int last)
{
    const int n = static_cast<int>(sums.size()) - 1;
    first = std::max(0, first);
    last = std::min(n - 1, last);
    return first <= last && sums[last + 1] > sums[first];
}

bool ScrollRegion::touches(int left, int top, int right, int bottom) const
{
    if (right < 0 || bottom < 0 || left >= W || top >= H || left > right || top > bottom)
        return false;
    if (anyIn(rowSums_, top, bottom) || anyIn(columnSums_, left, right))
        return true;
    const QRect box(QPoint(left, top), QPoint(right, bottom));
    if (!bounds_.intersects(box))
        return false;
    return std::any_of(boxes_.begin(), boxes_.end(), [&](const QRect& b) { return b.intersects(box); });
}

void ScrollRegion::copy(const QImage& from, QImage& to) const
{
    constexpr std::size_t px = 4;
    auto copySpan = [&](int y, int x0, int x1) {
        std::memcpy(to.scanLine(y) + x0 * px, from.constScanLine(y) + x0 * px, (x1 - x0 + 1) * px);
    };
    for (int y = 0; y < H; ++y) {
        if (rows_[y]) {
            copySpan(y, 0, W - 1);
            continue;
        }
        for (int x = 0; x < W;) {  // runs of marked columns
            if (!columns_[x]) {
                ++x;
                continue;
            }
            int end = x;
            while (end + 1 < W && columns_[end + 1])
                ++end;
            copySpan(y, x, end);
            x = end + 1;
        }
    }
    for (const QRect& b : boxes_)
        for (int y = b.top(); y <= b.bottom() && !b.isEmpty(); ++y)
            copySpan(y, b.left(), b.right());
}

void scrollImage(QImage& image, int dx, int dy)
{
    const int W = image.width(), H = image.height();
    if (std::abs(dx) >= W || std::abs(dy) >= H)
        return;
    constexpr std::size_t px = 4;
    const int fromX = std::max(0, -dx), toX = std::max(0, dx);
    const std::size_t bytes = static_cast<std::size_t>(W - std::abs(dx)) * px;
    auto moveRow = [&](int y) {
        std::memmove(image.scanLine(y + dy) + toX * px, image.constScanLine(y) + fromX * px, bytes);
    };
    if (dy > 0)
        for (int y = H - 1 - dy; y >= 0; --y)
            moveRow(y);
    else
        for (int y = -dy; y < H; ++y)
            moveRow(y);
}

}  // namespace skerra::canvas
