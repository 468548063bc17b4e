#pragma once
// The profile graph editor without its widgets: the points, the view's ranges, the
// pixel transforms, the hit and lasso tests, the wheel zoom, the grid lines and the
// exchange of lines with the sound-velocity window and of rows with the table.
//
// SV grows to the right, depth downwards. The plot area is the rectangle from
// (MarginLeft, MarginTop) to (PlotWidth - MarginRight, PlotHeight - MarginBottom).
// Pixels are clamped to +-1e6 before they become ints, so a typed SV of 1e9 neither
// overflows nor makes the painter wait; the number of grid lines is bounded too.

#include <QPoint>

#include <array>
#include <string>
#include <vector>

namespace skerra::svp {

struct TSVPPoint {
    int Depth = 0;        // whole metres
    double SV = 0;        // m/s
    int Hits = 0;         // samples averaged into the point, 0 for filled depths
    bool Selected = false;
};

struct GridLine {
    double value = 0;
    int pixel = 0;
    std::string label;
};

using GridRowTexts = std::array<std::string, 3>;  // depth, SV, hits

class SvpGraphModel {
public:
    std::vector<TSVPPoint> Points;    // in the order of the lines they came from, never sorted
    std::vector<QPoint> LassoPoints;  // plot pixels
    bool IsLassoing = false;
    bool IsDragging = false;
    int DragIndex = -1;
    int MarginLeft = 60;
    int MarginRight = 20;
    int MarginTop = 20;
    int MarginBottom = 40;
    double MinSV = 0, MaxSV = 0;
    double MinDepth = 0, MaxDepth = 0;
    bool Modified = false;  // set by every edit; never cleared
    int PlotWidth = 0, PlotHeight = 0;

    // Lines "depth,SV[,hits]" (hits 1 when missing); unreadable lines are dropped.
    void ReadPoints(const std::vector<std::string>& lines);
    // "depth,SV,hits" per point, SV with 2 decimals.
    std::vector<std::string> SaveToStrings() const;

    // The view that shows every point; also the reset of the zoom. No points: no change.
    void CalculateRanges();

    int SVToX(double sv) const;
    int DepthToY(double depth) const;
    double XToSV(int x) const;
    double YToDepth(int y) const;

    // First point in list order whose pixel lies within 7 pixels each way; -1 when none.
    int FindPointAt(int x, int y) const;
    // Even-odd rule on the lasso polygon (at least 3 points), integer arithmetic.
    bool PointInLasso(int x, int y) const;
    // Replaces the selection with the points inside the lasso; returns their number.
    int SelectInLasso();
    int SelectedCount() const;

    // Sets the dragged point's SV from a pixel column when it lies in 1300..1700.
    bool DragTo(int x);
    // Wheel zoom anchored at a plot pixel: in (0.9) for a positive delta, else out
    // (1.1); neither span shrinks below 5. A span of 0 is widened by 0.5 each way first.
    void ZoomAt(int px, int py, bool wheelForward);
    // Keeps the unselected points and clears the lasso.
    void DeleteSelected();

    std::vector<GridLine> SVGridLines() const;
    std::vector<GridLine> DepthGridLines() const;

    // The text under the plot for a pointer position.
    std::string StatusText(int x, int y) const;
};

GridRowTexts GridRow(const TSVPPoint& point);
// Table rows -> points: a row whose depth or SV does not convert is dropped; hits 1
// when its cell is not an integer.
std::vector<TSVPPoint> ReadGridRows(const std::vector<GridRowTexts>& rows);
// The row "Add Row" appends after these points.
GridRowTexts NewRow(const std::vector<TSVPPoint>& points);
std::string DeleteSelectedCaption(int selected);

constexpr int kMaxGridLines = 200;
constexpr double kLowestDragSV = 1300;
constexpr double kHighestDragSV = 1700;

}  // namespace skerra::svp
