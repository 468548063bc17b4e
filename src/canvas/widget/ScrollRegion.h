#pragma once
// ScrollRegion: the part of a scrolled picture that is drawn again rather than
// moved: whole rows, whole columns, and a few boxes (one per client edge, each
// the union of the boxes added nearest that edge), clipped to the client.

#include <QImage>
#include <QRect>

#include <array>
#include <vector>

namespace skerra::canvas {

class ScrollRegion {
public:
    ScrollRegion() = default;
    ScrollRegion(int width, int height) { reset(width, height); }
    // Empty again, for a client of this size (the memory it took is kept for the next pan).
    void reset(int width, int height);

    void addRows(int first, int last);
    void addColumns(int first, int last);
    void addBox(QRect box);

    // Call once everything is added, before touches() and copy().
    void finish();
    // An upper bound of the pixels in the region.
    long area() const;
    // The box (client pixels, inclusive) may have a pixel in the region (it
    // meets a tile the region meets).
    bool touches(int left, int top, int right, int bottom) const;
    // Copies the region's pixels from `from` into `to` (both client-sized, 32 bits a pixel).
    void copy(const QImage& from, QImage& to) const;
    // Rectangles covering the region (they may overlap), added to `out`.
    void appendRects(std::vector<QRect>& out) const;

private:
    static constexpr int kTile = 8;  // touches() looks at tiles of this many pixels square
    int W = 0, H = 0;
    int tilesX_ = 0, tilesY_ = 0;
    std::vector<char> rows_, columns_, tiles_;
    std::vector<int> tileSums_;  // tiles the region meets, summed over the rectangle from (0, 0)
    static constexpr int kPerEdge = 8;
    std::array<QRect, 4 * kPerEdge> boxes_;  // nearest the left, right, top, bottom edge
};

// Moves the picture by (dx, dy) pixels in place; what comes in at the edges is left as it was.
void scrollImage(QImage& image, int dx, int dy);

}  // namespace skerra::canvas
