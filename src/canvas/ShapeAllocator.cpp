#include "canvas/ShapeAllocator.h"

#include <cstdint>
#include <mutex>
#include <new>

#include <sys/mman.h>

#if defined(__SANITIZE_ADDRESS__)
#define SKERRA_SHAPES_FROM_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SKERRA_SHAPES_FROM_HEAP 1
#endif
#endif

namespace skerra::canvas {

#ifdef SKERRA_SHAPES_FROM_HEAP

void* ShapeAllocator::allocate(std::size_t size) { return ::operator new(size); }
void ShapeAllocator::release(void* p, std::size_t) noexcept { ::operator delete(p); }
std::size_t ShapeAllocator::slabBytes() { return 0; }

#else

namespace {

constexpr std::size_t kGranule = 8;
constexpr std::size_t kMaxBlock = 512;  // larger objects come from the general heap
constexpr std::size_t kSlabBytes = std::size_t{1} << 18;

struct Slab;

struct SizeClass {
    Slab* partial = nullptr;  // slabs with room, most recently freed into first
    Slab* spare = nullptr;    // one empty slab kept for reuse
};

// The header at the start of each slab; blocks follow it.
struct Slab {
    SizeClass* owner = nullptr;
    std::size_t blockSize = 0;
    std::size_t live = 0;
    void* freeList = nullptr;  // released blocks, linked through their first bytes
    char* bump = nullptr;      // never-used room starts here
    char* end = nullptr;
    Slab* prev = nullptr;      // in owner->partial
    Slab* next = nullptr;
    bool listed = false;

    bool hasRoom() const { return freeList != nullptr || bump + blockSize <= end; }
};

constexpr std::size_t kHeaderBytes = (sizeof(Slab) + 15) & ~std::size_t{15};

std::uintptr_t alignUp(std::uintptr_t v, std::size_t a) { return (v + a - 1) & ~(std::uintptr_t{a} - 1); }

class Pool {
public:
    void* allocate(std::size_t size)
    {
        const std::size_t blockSize = alignUp(size, kGranule);
        std::lock_guard lock(mutex_);
        SizeClass& cls = classes_[blockSize / kGranule];
        Slab* slab = cls.partial;
        if (!slab) {
            slab = takeSlab(cls, blockSize);
            link(cls, slab);
        }
        void* block;
        if (slab->freeList) {
            block = slab->freeList;
            slab->freeList = *static_cast<void**>(block);
        } else {
            block = slab->bump;
            slab->bump += blockSize;
        }
        ++slab->live;
        if (!slab->hasRoom())
            unlink(cls, slab);
        return block;
    }

    void release(void* p) noexcept
    {
        Slab* slab = reinterpret_cast<Slab*>(reinterpret_cast<std::uintptr_t>(p) & ~(kSlabBytes - 1));
        std::lock_guard lock(mutex_);
        SizeClass& cls = *slab->owner;
        *static_cast<void**>(p) = slab->freeList;
        slab->freeList = p;
        --slab->live;
        if (slab->live == 0) {
            if (slab->listed)
                unlink(cls, slab);
            retire(cls, slab);
        } else if (!slab->listed) {
            link(cls, slab);
        }
    }

    std::size_t slabBytes()
    {
        std::lock_guard lock(mutex_);
        return slabs_ * kSlabBytes;
    }

private:
    static void link(SizeClass& cls, Slab* slab)
    {
        slab->prev = nullptr;
        slab->next = cls.partial;
        if (cls.partial)
            cls.partial->prev = slab;
        cls.partial = slab;
        slab->listed = true;
    }

    static void unlink(SizeClass& cls, Slab* slab)
    {
        (slab->prev ? slab->prev->next : cls.partial) = slab->next;
        if (slab->next)
            slab->next->prev = slab->prev;
        slab->prev = slab->next = nullptr;
        slab->listed = false;
    }

    Slab* takeSlab(SizeClass& cls, std::size_t blockSize)
    {
        void* memory = nullptr;
        if (cls.spare) {
            memory = cls.spare;
            cls.spare = nullptr;
        } else {
            memory = mapAligned();
            ++slabs_;
        }
        Slab* slab = new (memory) Slab;
        slab->owner = &cls;
        slab->blockSize = blockSize;
        slab->bump = static_cast<char*>(memory) + kHeaderBytes;
        slab->end = static_cast<char*>(memory) + kSlabBytes;
        return slab;
    }

    // An empty slab is kept as the spare or goes back to the system.
    void retire(SizeClass& cls, Slab* slab)
    {
        if (!cls.spare) {
            cls.spare = slab;
            return;
        }
        munmap(slab, kSlabBytes);
        --slabs_;
    }

    // kSlabBytes of fresh memory aligned to kSlabBytes, so that a block finds its slab by masking.
    static void* mapAligned()
    {
        const std::size_t span = 2 * kSlabBytes;
        void* raw = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (raw == MAP_FAILED)
            throw std::bad_alloc();
        const auto start = reinterpret_cast<std::uintptr_t>(raw);
        const std::uintptr_t aligned = alignUp(start, kSlabBytes);
        if (aligned > start)
            munmap(raw, aligned - start);
        const std::uintptr_t tail = aligned + kSlabBytes;
        if (tail < start + span)
            munmap(reinterpret_cast<void*>(tail), start + span - tail);
        return reinterpret_cast<void*>(aligned);
    }

    std::mutex mutex_;
    SizeClass classes_[kMaxBlock / kGranule + 1];
    std::size_t slabs_ = 0;
};

// Never destroyed: shapes held by static objects are released after every
// other static is gone.
Pool& pool()
{
    static Pool* const instance = new Pool;
    return *instance;
}

}  // namespace

void* ShapeAllocator::allocate(std::size_t size)
{
    return size <= kMaxBlock ? pool().allocate(size) : ::operator new(size);
}

void ShapeAllocator::release(void* p, std::size_t size) noexcept
{
    if (!p)
        return;
    if (size <= kMaxBlock)
        pool().release(p);
    else
        ::operator delete(p);
}

std::size_t ShapeAllocator::slabBytes() { return pool().slabBytes(); }

#endif

}  // namespace skerra::canvas
