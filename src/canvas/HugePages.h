#pragma once
// Memory for the chart's large arrays in whole huge pages (2 MiB, aligned),
// which the system is asked to back with transparent huge pages where it
// allows: a list of a million entries then faults in a handful of times
// instead of thousands. Below one huge page the general heap serves (a list
// that fills half a huge page would otherwise hold all of it).

#include <cstddef>
#include <new>

namespace skerra::canvas {

constexpr std::size_t kHugePage = std::size_t{1} << 21;
constexpr std::size_t kHugePagesFrom = kHugePage;

inline std::size_t roundToHugePages(std::size_t bytes) { return (bytes + kHugePage - 1) & ~(kHugePage - 1); }

// bytes: a multiple of kHugePage. Throws std::bad_alloc.
void* mapHugePages(std::size_t bytes);
void unmapHugePages(void* p, std::size_t bytes) noexcept;

// A standard allocator that takes large blocks from mapHugePages.
template <class T>
struct HugePageAllocator {
    using value_type = T;
    HugePageAllocator() = default;
    template <class U>
    HugePageAllocator(const HugePageAllocator<U>&) noexcept
    {
    }
    T* allocate(std::size_t n)
    {
        const std::size_t bytes = n * sizeof(T);
        if (bytes < kHugePagesFrom)
            return static_cast<T*>(::operator new(bytes));
        return static_cast<T*>(mapHugePages(roundToHugePages(bytes)));
    }
    void deallocate(T* p, std::size_t n) noexcept
    {
        const std::size_t bytes = n * sizeof(T);
        if (bytes < kHugePagesFrom)
            ::operator delete(p);
        else
            unmapHugePages(p, roundToHugePages(bytes));
    }
    friend bool operator==(const HugePageAllocator&, const HugePageAllocator&) { return true; }
};

}  // namespace skerra::canvas
