#include "canvas/HugePages.h"

#include <cstdint>

#include <sys/mman.h>

namespace skerra::canvas {

void* mapHugePages(std::size_t bytes)
{
    const std::size_t span = bytes + kHugePage;
    void* raw = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + kHugePage - 1) & ~std::uintptr_t{kHugePage - 1};
    if (aligned > start)
        munmap(raw, aligned - start);
    const std::uintptr_t tail = aligned + bytes;
    if (tail < start + span)
        munmap(reinterpret_cast<void*>(tail), start + span - tail);
#ifdef MADV_HUGEPAGE
    madvise(reinterpret_cast<void*>(aligned), bytes, MADV_HUGEPAGE);
#endif
    return reinterpret_cast<void*>(aligned);
}

void unmapHugePages(void* p, std::size_t bytes) noexcept { munmap(p, bytes); }

}  // namespace skerra::canvas
