#pragma once
// One DXF load onto the canvas (internal to the DXF import; see DxfLoad.h).
//
// The drawing is read four times: pass 1 makes sure an ENTITIES section
// exists, pass 2 reads the layer table, pass 3 the blocks and pass 4 the
// entities. Sections are found line by line; inside a section every record is
// read pair by pair (code line, value line), so a value never starts a record.

#include "canvas/ShapeBatch.h"
#include "chartfiles/DxfLineReader.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class THalvekCanvasModel;
class THShape;
struct THBlock;
struct THLayer;

class DxfLoader {
public:
    DxfLoader(THalvekCanvasModel& canvas, DxfByteSource& source);

    bool entitiesSectionPresent();  // pass 1
    void readLayerTable();          // pass 2
    void readBlocks();              // pass 3
    void readEntities();            // pass 4

    // Shapes made so far; they are on the chart once committed (a loader
    // destroyed before takes them away again).
    int converted() const { return converted_; }
    void commit() { batch_.Commit(); }

private:
    // What a handler leaves for the entity loop.
    enum class Next {
        TypeLine,  // the record ended at its code line "0": the next line is a type
        HaveType,  // the handler read the next record's type line already
        End,       // the input ended
    };

    bool findSection(std::string_view name);
    Next after(bool more) const { return more ? Next::TypeLine : Next::End; }

    Next dispatch(std::string_view type);
    Next readLine();
    Next readCircle();
    Next readArc();
    Next readEllipse();
    Next readSolid();
    Next readPoint();
    Next readSpline();
    Next readText(bool mtext);
    Next readLwPolyline();
    Next readPolyline();
    Next readInsert();

    int importLayer() const;
    const THLayer* importLayerRecord() const;
    // The append rule: layer, pen colour from the colour number (or the
    // layer's), pen width from the layer or 1, then on top of the chart.
    void append(std::unique_ptr<THShape> shape, int colorNumber, bool layerPenWidth);
    // On top of the chart on the import layer, with that pen.
    void put(std::unique_ptr<THShape> shape, TColor penFg, int penWidth);
    // A polyline of the listed vertices (nothing when they are fewer than 2).
    void appendPolyline(const std::vector<double>& xs, const std::vector<double>& ys, bool closed, int colorNumber);

    THalvekCanvasModel& canvas_;
    ShapeBatch batch_;
    DxfLineReader in_;
    int converted_ = 0;
    // This load's blocks by their name as read (the first of a name counts).
    std::unordered_map<std::string, const THBlock*> blocks_;
    // Vertex lists of the entity being read (kept to spare allocations).
    std::vector<double> scratchX_;
    std::vector<double> scratchY_;
};
