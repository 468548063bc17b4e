#pragma once
// A read-only view of the canvas's shapes in drawing order (first drawn first,
// the last one on top). Iterators are invalidated by any change of the shapes.

#include <cstddef>
#include <iterator>

class THShape;

class ShapeRange {
public:
    class iterator {
    public:
        using iterator_category = std::bidirectional_iterator_tag;
        using value_type = THShape*;
        using difference_type = std::ptrdiff_t;
        using pointer = THShape* const*;
        using reference = THShape* const&;

        iterator() = default;
        reference operator*() const { return *p_; }
        iterator& operator++()
        {
            do
                ++p_;
            while (p_ != end_ && *p_ == nullptr);
            return *this;
        }
        iterator operator++(int)
        {
            iterator t = *this;
            ++*this;
            return t;
        }
        iterator& operator--()
        {
            do
                --p_;
            while (*p_ == nullptr);  // the range always starts with a shape
            return *this;
        }
        iterator operator--(int)
        {
            iterator t = *this;
            --*this;
            return t;
        }
        friend bool operator==(const iterator& a, const iterator& b) { return a.p_ == b.p_; }

    private:
        friend class ShapeRange;
        iterator(THShape* const* p, THShape* const* end) : p_(p), end_(end) {}
        THShape* const* p_ = nullptr;
        THShape* const* end_ = nullptr;
    };
    using reverse_iterator = std::reverse_iterator<iterator>;

    // [first, last) holds shapes and empty entries; it begins and ends with a shape when not empty.
    ShapeRange(THShape* const* first, THShape* const* last, std::size_t count)
        : first_(first), last_(last), count_(count)
    {
    }

    iterator begin() const { return iterator(first_, last_); }
    iterator end() const { return iterator(last_, last_); }
    reverse_iterator rbegin() const { return reverse_iterator(end()); }
    reverse_iterator rend() const { return reverse_iterator(begin()); }
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    // The bottom and the top shape; only when not empty.
    THShape* front() const { return *first_; }
    THShape* back() const { return *(last_ - 1); }

private:
    THShape* const* first_;
    THShape* const* last_;
    std::size_t count_;
};
