#pragma once
// Shape number -> shape, in constant time: an open-addressing hash table with
// linear probing and backward-shift deletion (no tombstones), keys inline.
// Numbers are positive; 0 marks an empty entry.

#include <cstddef>
#include <cstdint>
#include <vector>

class THShape;

class ShapeIndex {
public:
    ShapeIndex();

    THShape* find(long number) const
    {
        if (number <= 0)
            return nullptr;
        for (std::size_t i = home(number);; i = (i + 1) & mask_) {
            const Entry& e = entries_[i];
            if (e.key == number)
                return e.shape;
            if (e.key == 0)
                return nullptr;
        }
    }
    // The number must be positive and not present yet.
    void insert(long number, THShape* shape);
    void erase(long number);
    void clear();
    std::size_t size() const { return count_; }

private:
    struct Entry {
        long key = 0;
        THShape* shape = nullptr;
    };
    std::size_t home(long key) const
    {
        return static_cast<std::size_t>((static_cast<std::uint64_t>(key) * 0x9E3779B97F4A7C15ull) >> shift_);
    }
    void rehash(std::size_t capacity);

    std::vector<Entry> entries_;
    std::size_t mask_ = 0;
    unsigned shift_ = 0;
    std::size_t count_ = 0;
};
