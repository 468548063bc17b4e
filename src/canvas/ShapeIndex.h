#pragma once
// Shape number -> shape, in constant time.
//
// Numbers are handed out in increasing order, so the shapes of a chart fill a
// run of numbers with few gaps: they are kept in a plain vector indexed by
// number - base (8 bytes a number, one load to find a shape). Numbers below
// the run, or far beyond it, go to a hash table. Gaps left by deleted shapes
// are trimmed off both ends of the run; when they come to outnumber the shapes
// in it several times over (a survey day of vessel symbols redrawn at every
// tick between the track marks), the run's shapes move to the hash table and a
// new run starts, so the index stays in proportion to the shapes that exist.

#include "canvas/ShapeHashIndex.h"
#include "canvas/ShapeList.h"
#include "canvas/THShape.h"

#include <cstddef>
#include <vector>

class ShapeIndex {
public:
    THShape* find(long number) const
    {
        const auto i = static_cast<unsigned long>(number - base_);
        if (i < run_.size() && run_[i])
            return run_[i];
        return far_.size() != 0 ? far_.find(number) : nullptr;
    }
    // The shape's number must be positive and not present yet.
    void insert(THShape* shape);
    void erase(long number);
    void clear();
    // Room for count more shapes numbered on from the run's end.
    void reserve(std::size_t count) { run_.reserve(run_.size() + count); }
    std::size_t size() const { return runCount_ + far_.size(); }
    // Entries of the vector part, empty ones included.
    std::size_t runLength() const { return run_.size(); }

private:
    void trimFront();
    void moveRunToFar();

    ShapeList run_;
    long base_ = 1;               // the number of run_[0]
    std::size_t runCount_ = 0;    // shapes in run_
    ShapeHashIndex far_;
};
