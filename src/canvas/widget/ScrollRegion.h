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
    ScrollRegion(int width, int height);

    void addRows(int first, int last);
    void addColumns(int first, int last);
    void addBox(QRect box);

    // Call once everything is added, before touches() and copy().
    void finish();
    // An upper bound of the pixels in the region.
    long area() const;
    // The box (client pixels, inclusive) has a pixel in the region.
    bool touches(int left, int top, int right, int bottom) const;
    // Copies the region's pixels from `from` into `to` (both client-sized, 32 bits a pixel).
    void copy(const QImage& from, QImage& to) const;

private:
    static bool anyIn(const std::vector<int>& sums, int first, int last);
    int W, H;
    std::vector<char> rows_, columns_;
    std::vector<int> rowSums_, columnSums_;  // how many marked before each index
    static constexpr int kPerEdge = 8;
    std::array<QRect, 4 * kPerEdge> boxes_;  // nearest the left, right, top, bottom edge
    QRect bounds_;                          // of all boxes
};

// Moves the picture by (dx, dy) pixels in place; what comes in at the edges is left as it was.
void scrollImage(QImage& image, int dx, int dy);

}  // namespace skerra::canvas
