#pragma once
// Shape number -> shape, in constant time.
//
// Numbers are handed out in increasing order, so the shapes of a chart fill a
// run of numbers with few gaps: they are kept in a plain vector indexed by
// number - base, holding the shape's position in the store's drawing order
// plus one (4 bytes a number, 0 for none; two loads to find a shape). The
// store tells the index whenever a shape's position changes. Numbers below
// the run, or far beyond it, go to a hash table. Gaps left by deleted shapes
// are trimmed off both ends of the run; when they come to outnumber the shapes
// in it several times over (a survey day of vessel symbols redrawn at every
// tick between the track marks), the run's shapes move to the hash table and a
// new run starts, so the index stays in proportion to the shapes that exist.

#include "canvas/ShapeHashIndex.h"
#include "canvas/ShapeList.h"
#include "canvas/THShape.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class ShapeIndex {
public:
    // order: the drawing order the positions refer to.
    THShape* find(long number, const ShapeList& order) const
    {
        const auto i = static_cast<unsigned long>(number - base_);
        if (i < run_.size() && run_[i])
            return order[run_[i] - 1];
        return far_.size() != 0 ? far_.find(number) : nullptr;
    }
    // The shape's number must be positive and not present yet; slot is its
    // position in the drawing order.
    void insert(THShape* shape, std::size_t slot);
    // The shape of that number is now at slot.
    void moved(long number, std::size_t slot)
    {
        const auto i = static_cast<unsigned long>(number - base_);
        if (i < run_.size() && run_[i])
            run_[i] = static_cast<std::uint32_t>(slot + 1);
    }
    // order: the drawing order, every shape in the index still in it.
    void erase(long number, const ShapeList& order);
    void clear();
    // Room for count more shapes numbered on from the run's end.
    void reserve(std::size_t count) { run_.reserve(run_.size() + count); }
    std::size_t size() const { return runCount_ + far_.size(); }
    // Entries of the vector part, empty ones included.
    std::size_t runLength() const { return run_.size(); }

private:
    void trimFront();
    void moveRunToFar(const ShapeList& order);

    SlotList run_;
    long base_ = 1;               // the number of run_[0]
    std::size_t runCount_ = 0;    // shapes in run_
    ShapeHashIndex far_;
};
