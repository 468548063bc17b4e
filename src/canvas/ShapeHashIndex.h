#pragma once
// Shape number -> shape for numbers spread far apart, in constant time: an
// open-addressing hash table with
// linear probing and backward-shift deletion (no tombstones). An entry is the
// shape pointer alone (8 bytes); its number is read from the shape, and the
// low bits of the pointer, free by alignment, carry a few bits of the number's
// hash so that most probes of other numbers stop without reading their shape.
// Numbers are positive; an empty entry is 0.

#include "canvas/THShape.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class ShapeHashIndex {
public:
    ShapeHashIndex();

    THShape* find(long number) const
    {
        if (number <= 0)
            return nullptr;
        const std::uint64_t h = hash(number);
        const std::uintptr_t tag = tagOf(h);
        for (std::size_t i = home(h);; i = (i + 1) & mask_) {
            const std::uintptr_t e = entries_[i];
            if (e == 0)
                return nullptr;
            if ((e & kTagMask) == tag && shapeOf(e)->ShapeNumber() == number)
                return shapeOf(e);
        }
    }
    // The shape's number must be positive and not present yet.
    void insert(THShape* shape);
    void erase(long number);
    void clear();
    std::size_t size() const { return count_; }

private:
    static_assert(alignof(THShape) >= 8);
    static constexpr std::uintptr_t kTagMask = 7;

    static std::uint64_t hash(long key) { return static_cast<std::uint64_t>(key) * 0x9E3779B97F4A7C15ull; }
    static std::uintptr_t tagOf(std::uint64_t h) { return static_cast<std::uintptr_t>(h >> 20) & kTagMask; }
    static THShape* shapeOf(std::uintptr_t e) { return reinterpret_cast<THShape*>(e & ~kTagMask); }
    static long keyOf(std::uintptr_t e) { return shapeOf(e)->ShapeNumber(); }
    std::size_t home(std::uint64_t h) const { return static_cast<std::size_t>(h >> shift_); }
    void rehash(std::size_t capacity);
    void place(std::uintptr_t entry, std::uint64_t h);

    std::vector<std::uintptr_t> entries_;
    std::size_t mask_ = 0;
    unsigned shift_ = 0;
    std::size_t count_ = 0;
};
