#pragma once
// A read-only view of the shapes of one layer, in no particular order: the
// layer's member list holds positions in the drawing order, and the view
// reads each shape from there. Invalidated by any change of the shapes.

#include <cstddef>
#include <cstdint>
#include <iterator>

class THShape;

class LayerShapes {
public:
    class iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = THShape*;
        using difference_type = std::ptrdiff_t;
        using pointer = THShape* const*;
        using reference = THShape*;

        iterator() = default;
        THShape* operator*() const { return slots_[*p_]; }
        iterator& operator++()
        {
            ++p_;
            return *this;
        }
        iterator operator++(int)
        {
            iterator t = *this;
            ++p_;
            return t;
        }
        friend bool operator==(const iterator& a, const iterator& b) { return a.p_ == b.p_; }

    private:
        friend class LayerShapes;
        iterator(const std::uint32_t* p, THShape* const* slots) : p_(p), slots_(slots) {}
        const std::uint32_t* p_ = nullptr;
        THShape* const* slots_ = nullptr;
    };

    LayerShapes() = default;
    LayerShapes(const std::uint32_t* first, std::size_t count, THShape* const* slots)
        : first_(first), count_(count), slots_(slots)
    {
    }
    iterator begin() const { return {first_, slots_}; }
    iterator end() const { return {first_ + count_, slots_}; }
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    THShape* operator[](std::size_t i) const { return slots_[first_[i]]; }

private:
    const std::uint32_t* first_ = nullptr;
    std::size_t count_ = 0;
    THShape* const* slots_ = nullptr;
};
