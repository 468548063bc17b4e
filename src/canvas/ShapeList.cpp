#include "canvas/ShapeList.h"

#include "canvas/HugePages.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include <sys/mman.h>

using skerra::canvas::kHugePagesFrom;
using skerra::canvas::mapHugePages;
using skerra::canvas::roundToHugePages;

template <class T>
void PagedList<T>::grow(std::size_t atLeast)
{
    const std::size_t capacity = std::max({atLeast, capacity_ * 2, std::size_t{16}});
    const std::size_t bytes = capacity * sizeof(T);
    if (bytes < kHugePagesFrom) {
        void* p = std::realloc(data_, bytes);
        if (!p)
            throw std::bad_alloc();
        data_ = static_cast<T*>(p);
        capacity_ = capacity;
        return;
    }
    const std::size_t mappedBytes = roundToHugePages(bytes);
    void* p = mapHugePages(mappedBytes);
    if (mapped_) {
        // The pages move over as they are, huge ones included: nothing is copied.
        void* moved = mremap(data_, capacity_ * sizeof(T), capacity_ * sizeof(T),
                             MREMAP_MAYMOVE | MREMAP_FIXED, p);
        if (moved == MAP_FAILED) {
            skerra::canvas::unmapHugePages(p, mappedBytes);
            throw std::bad_alloc();
        }
    } else {
        if (size_ > 0)
            std::memcpy(p, data_, size_ * sizeof(T));
        std::free(data_);
    }
    data_ = static_cast<T*>(p);
    capacity_ = mappedBytes / sizeof(T);
    mapped_ = true;
}

template <class T>
void PagedList<T>::resize(std::size_t size)
{
    reserve(size);
    if (size > size_)
        std::fill(data_ + size_, data_ + size, T{});
    size_ = size;
}

template <class T>
void PagedList<T>::eraseFront(std::size_t count)
{
    count = std::min(count, size_);
    std::memmove(data_, data_ + count, (size_ - count) * sizeof(T));
    size_ -= count;
}

template <class T>
void PagedList<T>::release() noexcept
{
    if (mapped_)
        skerra::canvas::unmapHugePages(data_, capacity_ * sizeof(T));
    else
        std::free(data_);
    data_ = nullptr;
    size_ = capacity_ = 0;
    mapped_ = false;
}

template <class T>
void PagedList<T>::swap(PagedList& other) noexcept
{
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    std::swap(capacity_, other.capacity_);
    std::swap(mapped_, other.mapped_);
}

template class PagedList<THShape*>;
template class PagedList<std::uint32_t>;
