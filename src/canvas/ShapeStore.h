#pragma once
// The canvas's owned shapes with the indexes that keep every operation cheap
// on a chart of a million shapes:
// - the drawing order: a pointer array with empty entries left by removals
//   (compacted once they outnumber the shapes), so a removal, a move to the
//   front or to the back costs O(1) amortised and the order never changes
//   otherwise;
// - number -> shape in a vector indexed by number (O(1), see ShapeIndex);
// - per layer id, the list of its shapes (any order, as positions in the
//   drawing order: 4 bytes a shape), so clearing or restyling
//   a layer costs in proportion to that layer; the lists of the ids a chart
//   uses (0 up) are found by position in a vector;
// - per layer id, how many of its shapes differ from the pen the layer last
//   pushed, so restyling a layer with the pen it already has costs O(1).
//
// The store keeps the identity fields of THShape (number, layer, pen, selected)
// and nothing else of the numbering rules: those are the canvas model's.

#include "canvas/LayerShapes.h"
#include "canvas/ShapeIndex.h"
#include "canvas/ShapeList.h"
#include "canvas/ShapeRange.h"
#include "canvas/THShape.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>


class ShapeStore {
public:
    ShapeStore() = default;
    ShapeStore(const ShapeStore&) = delete;
    ShapeStore& operator=(const ShapeStore&) = delete;
    ~ShapeStore();

    ShapeRange shapes() const;
    std::size_t size() const { return live_; }
    THShape* find(long number) const { return index_.find(number, slots_); }

    // Takes a detached shape whose number is set and not in use; appends it on top.
    void add(std::unique_ptr<THShape> shape);
    // Gives a new shape its identity and appends it on top; the store owns it
    // from then on. Throws std::bad_alloc before taking it when there is no room.
    void addNew(THShape* shape, long number, int layer, TColor penFg, int penWidth);
    // Room for count more shapes on top.
    void reserve(std::size_t count);
    // Where the next shape added goes in the drawing order; with truncate, the
    // shapes added since can be taken off again (while nothing else changed the store).
    std::size_t endMark() const { return slots_.size(); }
    void truncate(std::size_t mark);
    void swap(ShapeStore& other) noexcept;
    // Takes the shape out of the store and hands it back.
    std::unique_ptr<THShape> remove(THShape* shape);
    // Destroys every shape on the layer; returns the numbers of those that were selected.
    std::vector<long> destroyLayer(int layer);
    // Destroys every shape.
    void clear();

    void moveToFront(THShape* shape);
    void moveToBack(THShape* shape);
    // True when a is drawn before b.
    bool drawnBefore(const THShape* a, const THShape* b) const { return a->slot_ < b->slot_; }

    void setLayer(THShape* shape, int layer);
    // Moves every shape of one layer id to another.
    void moveLayer(int from, int to);
    // The shapes carrying the layer id, in no particular order.
    LayerShapes layerMembers(int layer) const;
    std::vector<THShape*> layerInDrawingOrder(int layer) const;

    // Each returns whether anything changed.
    bool setPenFg(THShape* shape, TColor colour);
    bool setPenWidth(THShape* shape, int width);
    bool applyLayerPenFg(int layer, TColor colour);
    bool applyLayerPenWidth(int layer, int width);

    void setSelected(THShape* shape, bool selected);
    std::size_t selectedCount() const { return selected_; }

    // For shapes that are not in the store (the drawing in progress, new shapes).
    // Throws std::length_error past THShape::kMaxNumber (four thousand million
    // shapes in one chart session).
    static void assignNumber(THShape& shape, long number) { shape.number_ = checkedNumber(number); }

private:
    static std::uint32_t checkedNumber(long number);
    // For one pen attribute of a layer's shapes: the value the layer last
    // pushed and how many members differ from it.
    struct PenTally {
        std::int32_t counted = 0;
        std::size_t other = 0;
    };
    struct Bucket {
        SlotList members;  // positions in the drawing order
        PenTally fg;
        PenTally width{1};
    };
    // A pen attribute: the shape's field and its tally in the bucket.
    using PenField = std::int32_t THShape::*;
    using PenTallyOf = PenTally Bucket::*;
    static constexpr std::pair<PenField, PenTallyOf> kPens[] = {{&THShape::penFg_, &Bucket::fg},
                                                                 {&THShape::penWidth_, &Bucket::width}};
    bool setPen(THShape* shape, PenField field, PenTallyOf tally, std::int32_t value);
    bool applyLayerPen(int layer, PenField field, PenTallyOf tally, std::int32_t value);
    Bucket& bucket(int layer)
    {
        if (static_cast<unsigned>(layer) < buckets_.size())
            return buckets_[static_cast<unsigned>(layer)];
        return farBucket(layer);
    }
    const Bucket* findBucket(int layer) const;
    Bucket& farBucket(int layer);
    void link(THShape* shape);
    // Puts the shape at that position of the drawing order and tells the
    // indexes (the shape must be in its layer's list and the number index).
    void placeAt(THShape* shape, std::size_t slot);
    void joinBucket(THShape* shape);
    void leaveBucket(THShape* shape);
    void unlinkOrder(THShape* shape);
    void trimEnds();
    void compactIfSparse();
    void compact(std::size_t frontRoom);

    ShapeList slots_;
    std::size_t head_ = 0;  // slots_[head_ .. end) is the drawing order
    std::size_t live_ = 0;
    std::size_t selected_ = 0;
    ShapeIndex index_;
    std::vector<Bucket> buckets_;  // by layer id, for the ids 0 .. 65535
    std::unordered_map<int, Bucket> farBuckets_;  // the other ids
};
