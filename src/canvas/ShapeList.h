#pragma once
// A growable array of shape pointers for the store's long lists (the drawing
// order, number -> shape). Once large, the array lives in huge pages of its
// own (HugePages.h) and grows with mremap: its entries are not copied, the
// pages already written move over as they are, and room that is reserved but
// not yet written costs no memory. So a list of a million shapes grows without being copied or held
// twice, and a reader may reserve generously.

#include <cstddef>

class THShape;

class ShapeList {
public:
    ShapeList() = default;
    ShapeList(const ShapeList&) = delete;
    ShapeList& operator=(const ShapeList&) = delete;
    ShapeList(ShapeList&& other) noexcept { swap(other); }
    ShapeList& operator=(ShapeList&& other) noexcept
    {
        ShapeList gone(static_cast<ShapeList&&>(*this));
        swap(other);
        return *this;
    }
    ~ShapeList() { release(); }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    THShape** data() { return data_; }
    THShape* const* data() const { return data_; }
    THShape*& operator[](std::size_t i) { return data_[i]; }
    THShape* operator[](std::size_t i) const { return data_[i]; }
    THShape*& back() { return data_[size_ - 1]; }
    THShape** begin() { return data_; }
    THShape** end() { return data_ + size_; }
    THShape* const* begin() const { return data_; }
    THShape* const* end() const { return data_ + size_; }

    void push_back(THShape* shape)
    {
        if (size_ == capacity_)
            grow(size_ + 1);
        data_[size_++] = shape;
    }
    void pop_back() { --size_; }
    // Room for one more entry, so that the next push_back cannot fail.
    void makeRoom()
    {
        if (size_ == capacity_)
            grow(size_ + 1);
    }
    // Entries added by growing are null.
    void resize(std::size_t size);
    void reserve(std::size_t capacity)
    {
        if (capacity > capacity_)
            grow(capacity);
    }
    void clear() { size_ = 0; }
    // Drops the first count entries.
    void eraseFront(std::size_t count);
    // Gives the memory back.
    void release() noexcept;
    void swap(ShapeList& other) noexcept;

private:
    void grow(std::size_t atLeast);

    THShape** data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    bool mapped_ = false;
};
