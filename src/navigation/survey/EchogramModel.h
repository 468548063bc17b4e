#pragma once
// The echogram's history and geometry, without widgets: the last soundings (oldest
// first), the depth range they are drawn over, the rows they fall on for a given
// height and the depth grid. The window pushes one sounding per timer tick that saw
// a new depth and computes everything else at paint time.

#include <array>
#include <string>
#include <vector>

// The depth range drawn, metres downwards; span = bottom - top, never 0.
struct EchogramRange {
    double top = 0;
    double bottom = 0;
    double span = 1;
};

// One grid line: its depth and its label ("20m", "2.5m").
struct EchogramGridLine {
    double depth = 0;
    std::string label;
};

class EchogramModel {
public:
    static constexpr int kCapacity = 200;     // soundings the history holds
    static constexpr int kDefaultWidth = 50;  // soundings shown by default
    static constexpr double kDefaultTop = 0, kDefaultBottom = 50;

    // A shown width from the settings file, kept to 1..kCapacity.
    static int ClampDataWidth(int width);

    int DataWidth() const { return width_; }
    void SetDataWidth(int width) { width_ = ClampDataWidth(width); }

    // Shifts the shown soundings one towards the start and stores depth as the newest
    // (a depth that is not a finite number as no depth).
    void Push(double depth);
    double Depth(int index) const { return depths_[static_cast<std::size_t>(index)]; }
    double Newest() const { return Depth(width_ - 1); }

    // From the fourth valid sounding on, the data's range with a margin of a tenth of
    // its spread (at least 0.3 m) and a top never above the surface; otherwise 0 to 50 m.
    EchogramRange Range() const;
    // The pixel row of every shown sounding for a picture `height` pixels high; 0 for
    // entries without a depth.
    std::vector<int> Rows(const EchogramRange& range, int height) const;

private:
    std::array<double, kCapacity> depths_{};  // entries <= 0 hold no depth
    int width_ = kDefaultWidth;
};

// About a quarter of the span rounded to 1, 2, 2.5 or 5 times a power of ten.
double EchogramGridStep(double span);
// The fewest decimals that write the step exactly (2.5 -> 1, 0.25 -> 2, 20 -> 0).
int EchogramGridDecimals(double step);
// The most grid lines the echogram draws.
constexpr int kMostEchogramGridLines = 200;
// The grid lines at the multiples of the step between top and bottom; never more than
// kMostEchogramGridLines (the step grows tenfold until they fit), none for a range that
// is not finite.
std::vector<EchogramGridLine> EchogramGrid(const EchogramRange& range);
// The pixel row of a depth in a picture `height` pixels high, truncated towards zero and
// kept within four heights of the picture.
int EchogramRow(double depth, const EchogramRange& range, int height);
