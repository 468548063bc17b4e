#include "canvas/ShapeHashIndex.h"

#include <bit>
#include <cassert>
#include <new>

namespace {
constexpr std::size_t kMinCapacity = 64;
}

ShapeHashIndex::ShapeHashIndex() { rehash(kMinCapacity); }

// The new table is made before anything changes: when there is no memory for
// it, std::bad_alloc leaves the index as it was.
void ShapeHashIndex::rehash(std::size_t capacity)
{
    std::vector<std::uintptr_t> old(capacity, 0);
    old.swap(entries_);
    mask_ = capacity - 1;
    shift_ = 64u - static_cast<unsigned>(std::countr_zero(capacity));
    for (const std::uintptr_t e : old)
        if (e != 0)
            place(e, hash(keyOf(e)));
}

void ShapeHashIndex::place(std::uintptr_t entry, std::uint64_t h)
{
    std::size_t i = home(h);
    while (entries_[i] != 0)
        i = (i + 1) & mask_;
    entries_[i] = entry;
}

void ShapeHashIndex::insert(THShape* shape)
{
    assert(shape->ShapeNumber() > 0);
    if ((count_ + 1) * 4 > entries_.size() * 3)
        rehash(entries_.size() * 2);
    const std::uint64_t h = hash(shape->ShapeNumber());
    place(reinterpret_cast<std::uintptr_t>(shape) | tagOf(h), h);
    ++count_;
}

void ShapeHashIndex::erase(long number)
{
    if (number <= 0)
        return;
    const std::uint64_t h = hash(number);
    const std::uintptr_t tag = tagOf(h);
    std::size_t i = home(h);
    for (;; i = (i + 1) & mask_) {
        const std::uintptr_t e = entries_[i];
        if (e == 0)
            return;
        if ((e & kTagMask) == tag && keyOf(e) == number)
            break;
    }
    // Backward shift: pull later members of the probe run into the hole.
    for (std::size_t j = (i + 1) & mask_; entries_[j] != 0; j = (j + 1) & mask_) {
        const std::size_t k = home(hash(keyOf(entries_[j])));
        if (((j - k) & mask_) >= ((j - i) & mask_)) {
            entries_[i] = entries_[j];
            i = j;
        }
    }
    entries_[i] = 0;
    --count_;
    if (entries_.size() > kMinCapacity && count_ * 8 < entries_.size()) {
        try {
            rehash(entries_.size() / 2);
        } catch (const std::bad_alloc&) {
            // The entry is gone; the table just stays larger than it needs to be.
        }
    }
}

void ShapeHashIndex::clear()
{
    entries_.clear();
    count_ = 0;
    rehash(kMinCapacity);
}
