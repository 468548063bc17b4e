#pragma once
// A growable array for the store's long lists (the drawing order of shape
// pointers; number -> position and the layers' members as 32-bit positions in
// the drawing order). Once large, the array lives in huge pages of its
// own (HugePages.h) and grows with mremap: its entries are not copied, the
// pages already written move over as they are, and room that is reserved but
// not yet written costs no memory. So a list of a million shapes grows without being copied or held
// twice, and a reader may reserve generously.

#include <cstddef>
#include <cstdint>

class THShape;

// T: a pointer or an integer (entries are moved as bytes).
template <class T>
class PagedList {
public:
    PagedList() = default;
    PagedList(const PagedList&) = delete;
    PagedList& operator=(const PagedList&) = delete;
    PagedList(PagedList&& other) noexcept { swap(other); }
    PagedList& operator=(PagedList&& other) noexcept
    {
        PagedList gone(static_cast<PagedList&&>(*this));
        swap(other);
        return *this;
    }
    ~PagedList() { release(); }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::size_t capacity() const { return capacity_; }
    T* data() { return data_; }
    const T* data() const { return data_; }
    T& operator[](std::size_t i) { return data_[i]; }
    T operator[](std::size_t i) const { return data_[i]; }
    T& back() { return data_[size_ - 1]; }
    T* begin() { return data_; }
    T* end() { return data_ + size_; }
    const T* begin() const { return data_; }
    const T* end() const { return data_ + size_; }

    void push_back(T entry)
    {
        if (size_ == capacity_)
            grow(size_ + 1);
        data_[size_++] = entry;
    }
    void pop_back() { --size_; }
    // Room for one more entry, so that the next push_back cannot fail.
    void makeRoom()
    {
        if (size_ == capacity_)
            grow(size_ + 1);
    }
    // Entries added by growing are null (zero).
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
    void swap(PagedList& other) noexcept;

private:
    void grow(std::size_t atLeast);

    T* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    bool mapped_ = false;
};

extern template class PagedList<THShape*>;
extern template class PagedList<std::uint32_t>;

// The drawing order and the lists that hold shapes themselves.
using ShapeList = PagedList<THShape*>;
// Positions in the drawing order.
using SlotList = PagedList<std::uint32_t>;
