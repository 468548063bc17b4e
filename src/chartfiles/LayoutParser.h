#pragma once
// The line grammar of a layout file: text in, shapes, layers and the window
// out to a LayoutPlacer, which puts them on the chart. The text may come in
// pieces of any size (as it is inflated); a line may be split between pieces.
//
// Grammar, per line (LF ends a line; one CR before it is dropped):
// - empty lines and lines whose first character is "#" are skipped;
// - the first token (tokens are separated by blanks, tabs and CRs) is the
//   keyword, compared exactly; unknown keywords are ignored;
// - fields are read in order; a field that is missing or not a number keeps its
//   default, and so does every later field of the line. A line whose
//   coordinates, layer, font index or vertex count are missing or not numbers
//   (a number that overflows a double or an int is none) is left out;
// - a shape whose box is not finite (a text 1e308 high) is left out; a text's
//   height and a pen's width are taken as the chart takes them (ShapeReadRules);
// - a polyline header is followed by exactly count lines that are its vertices,
//   whatever they hold; one without two numbers adds no vertex and is left out;
//   a polyline whose vertex lines give no vertex is left out with its header;
// - LAYER takes the rest of its line as the name.

#include "chartfiles/LayoutPlacer.h"

#include <string>
#include <string_view>

class THPolyline;

namespace skerra::layout {

class LayoutParser {
public:
    explicit LayoutParser(LayoutPlacer& placer);
    ~LayoutParser();
    LayoutParser(const LayoutParser&) = delete;
    LayoutParser& operator=(const LayoutParser&) = delete;

    // The next piece of the text.
    void feed(std::string_view text);
    // The end of the text (a last line without LF is read here).
    void finish();
    // The lines left out so far: lines of a known keyword (or vertex lines)
    // that could not be read, and the lines of shapes the chart cannot hold.
    long long leftOutLines() const { return leftOut_; }

private:
    void line(std::string_view text);
    // A line outside a polyline's vertices; false when it is left out.
    bool shapeLine(std::string_view text);
    void vertexLine(std::string_view text);
    void closePolyline();

    LayoutPlacer& placer_;
    std::string carry_;  // the start of a line that continues in the next piece
    std::unique_ptr<THPolyline> polyline_;  // the polyline whose vertices are being read
    int polylineLayer_ = 0;
    Pen polylinePen_;
    long long verticesLeft_ = 0;
    long long leftOut_ = 0;
};

}  // namespace skerra::layout
