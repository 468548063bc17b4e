#include "canvas/widget/ScrollRegion.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace skerra::canvas {

void ScrollRegion::reset(int width, int height)
{
    W = width;
    H = height;
    tilesX_ = (width + kTile - 1) / kTile;
    tilesY_ = (height + kTile - 1) / kTile;
    rows_.assign(static_cast<std::size_t>(height), 0);
    columns_.assign(static_cast<std::size_t>(width), 0);
    boxes_.fill(QRect());
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
    boxes_[nearest * kPerEdge + std::clamp(along, 0, kPerEdge - 1)] |= box;
}

void ScrollRegion::finish()
{
    const int stride = tilesX_ + 1;
    std::vector<char>& tiles = tiles_;
    tiles.assign(static_cast<std::size_t>(tilesX_) * tilesY_, 0);
    auto mark = [&](const QRect& r) {
        for (int ty = r.top() / kTile; ty <= r.bottom() / kTile; ++ty)
            for (int tx = r.left() / kTile; tx <= r.right() / kTile; ++tx)
                tiles[static_cast<std::size_t>(ty) * tilesX_ + tx] = 1;
    };
    for (int y = 0; y < H; ++y)
        if (rows_[y])
            mark(QRect(0, y, W, 1));
    for (int x = 0; x < W; ++x)
        if (columns_[x])
            mark(QRect(x, 0, 1, H));
    for (const QRect& b : boxes_)
        if (!b.isEmpty())
            mark(b);
    tileSums_.assign(static_cast<std::size_t>(stride) * (tilesY_ + 1), 0);
    for (int ty = 0; ty < tilesY_; ++ty)
        for (int tx = 0; tx < tilesX_; ++tx)
            tileSums_[(ty + 1) * stride + tx + 1] = tiles[static_cast<std::size_t>(ty) * tilesX_ + tx]
                + tileSums_[ty * stride + tx + 1] + tileSums_[(ty + 1) * stride + tx] - tileSums_[ty * stride + tx];
}

long ScrollRegion::area() const
{
    long a = 0;
    for (char r : rows_)
        a += r ? W : 0;
    for (char c : columns_)
        a += c ? H : 0;
    for (const QRect& b : boxes_)
        a += static_cast<long>(b.width()) * b.height();
    return a;
}

bool ScrollRegion::touches(int left, int top, int right, int bottom) const
{
    if (right < 0 || bottom < 0 || left >= W || top >= H || left > right || top > bottom)
        return false;
    const int x0 = std::max(0, left) / kTile, x1 = std::min(W - 1, right) / kTile;
    const int y0 = std::max(0, top) / kTile, y1 = std::min(H - 1, bottom) / kTile;
    const int stride = tilesX_ + 1;
    return tileSums_[(y1 + 1) * stride + x1 + 1] - tileSums_[y0 * stride + x1 + 1] - tileSums_[(y1 + 1) * stride + x0]
        + tileSums_[y0 * stride + x0]
        > 0;
}

void ScrollRegion::copy(const QImage& from, QImage& to) const
{
    constexpr std::size_t px = 4;
    auto copySpan = [&](int y, int x0, int x1) {
        std::memcpy(to.scanLine(y) + x0 * px, from.constScanLine(y) + x0 * px, (x1 - x0 + 1) * px);
    };
    std::vector<std::pair<int, int>> runs;  // of marked columns
    for (int x = 0; x < W; ++x) {
        if (!columns_[x])
            continue;
        int end = x;
        while (end + 1 < W && columns_[end + 1])
            ++end;
        runs.emplace_back(x, end);
        x = end;
    }
    for (int y = 0; y < H; ++y) {
        if (rows_[y]) {
            copySpan(y, 0, W - 1);
            continue;
        }
        for (const auto& [first, last] : runs)
            copySpan(y, first, last);
    }
    for (const QRect& b : boxes_)
        for (int y = b.top(); y <= b.bottom() && !b.isEmpty(); ++y)
            copySpan(y, b.left(), b.right());
}

void ScrollRegion::appendRects(std::vector<QRect>& out) const
{
    auto runs = [](const std::vector<char>& marked, auto add) {
        for (int i = 0; i < static_cast<int>(marked.size()); ++i) {
            if (!marked[i])
                continue;
            int end = i;
            while (end + 1 < static_cast<int>(marked.size()) && marked[end + 1])
                ++end;
            add(i, end);
            i = end;
        }
    };
    runs(rows_, [&](int first, int last) { out.emplace_back(0, first, W, last - first + 1); });
    runs(columns_, [&](int first, int last) { out.emplace_back(first, 0, last - first + 1, H); });
    for (const QRect& b : boxes_)
        if (!b.isEmpty())
            out.push_back(b);
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
