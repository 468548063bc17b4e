#include "canvas/ShapeIndex.h"

#include <bit>
#include <cassert>

namespace {
constexpr std::size_t kMinCapacity = 64;
}

ShapeIndex::ShapeIndex() { rehash(kMinCapacity); }

void ShapeIndex::rehash(std::size_t capacity)
{
    std::vector<Entry> old = std::move(entries_);
    entries_.assign(capacity, Entry{});
    mask_ = capacity - 1;
    shift_ = 64u - static_cast<unsigned>(std::countr_zero(capacity));
    count_ = 0;
    for (const Entry& e : old)
        if (e.key != 0)
            insert(e.key, e.shape);
}

void ShapeIndex::insert(long number, THShape* shape)
{
    assert(number > 0);
    if ((count_ + 1) * 4 > entries_.size() * 3)
        rehash(entries_.size() * 2);
    std::size_t i = home(number);
    while (entries_[i].key != 0)
        i = (i + 1) & mask_;
    entries_[i] = Entry{number, shape};
    ++count_;
}

void ShapeIndex::erase(long number)
{
    if (number <= 0)
        return;
    std::size_t i = home(number);
    while (entries_[i].key != number) {
        if (entries_[i].key == 0)
            return;
        i = (i + 1) & mask_;
    }
    // Backward shift: pull later members of the probe run into the hole.
    for (std::size_t j = (i + 1) & mask_; entries_[j].key != 0; j = (j + 1) & mask_) {
        const std::size_t h = home(entries_[j].key);
        if (((j - h) & mask_) >= ((j - i) & mask_)) {
            entries_[i] = entries_[j];
            i = j;
        }
    }
    entries_[i] = Entry{};
    --count_;
    if (entries_.size() > kMinCapacity && count_ * 8 < entries_.size())
        rehash(entries_.size() / 2);
}

void ShapeIndex::clear()
{
    entries_.clear();
    rehash(kMinCapacity);
}
