#include "canvas/ShapeAllocator.h"

#include "canvas/HugePages.h"

#include <atomic>
#include <cstdint>
#include <new>

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
std::size_t ShapeAllocator::reserveBytes() { return 0; }

#else

namespace {

constexpr std::size_t kGranule = 8;
constexpr std::size_t kMaxBlock = 512;  // larger objects come from the general heap
constexpr std::size_t kChunkBytes = std::size_t{1} << 21;
constexpr std::size_t kReserveChunks = 32;

std::atomic<std::size_t> chunksMapped{0};

struct Chunk;
struct Pool;

struct SizeClass {
    Chunk* partial = nullptr;  // chunks with room, most recently freed into first
};

// The header at the start of each chunk; blocks follow it.
struct Chunk {
    Pool* owner = nullptr;
    SizeClass* cls = nullptr;
    std::size_t blockSize = 0;
    std::size_t live = 0;
    void* freeList = nullptr;  // released blocks, linked through their first bytes
    char* bump = nullptr;      // never-used room starts here
    char* end = nullptr;
    Chunk* prev = nullptr;     // in cls->partial, or the next spare
    Chunk* next = nullptr;
    bool listed = false;

    bool hasRoom() const { return freeList != nullptr || bump + blockSize <= end; }
};

constexpr std::size_t kHeaderBytes = (sizeof(Chunk) + 63) & ~std::size_t{63};

std::uintptr_t alignUp(std::uintptr_t v, std::size_t a) { return (v + a - 1) & ~(std::uintptr_t{a} - 1); }

Chunk* chunkOf(void* p)
{
    return reinterpret_cast<Chunk*>(reinterpret_cast<std::uintptr_t>(p) & ~(kChunkBytes - 1));
}

// kChunkBytes of fresh memory aligned to kChunkBytes, so that a block finds its
// chunk by masking (and the chunk can be one huge page).
void* mapChunk()
{
    static_assert(kChunkBytes == kHugePage);
    void* chunk = mapHugePages(kChunkBytes);
    chunksMapped.fetch_add(1, std::memory_order_relaxed);
    return chunk;
}

void unmapChunk(Chunk* chunk)
{
    unmapHugePages(chunk, kChunkBytes);
    chunksMapped.fetch_sub(1, std::memory_order_relaxed);
}

// The chunks of one thread. Only that thread touches them but for remote_,
// where other threads push the blocks they release.
struct Pool {
    void* allocate(std::size_t size)
    {
        const std::size_t blockSize = alignUp(size, kGranule);
        SizeClass& cls = classes[blockSize / kGranule];
        Chunk* chunk = cls.partial;
        if (!chunk) {
            takeRemote();
            chunk = cls.partial;
            if (!chunk) {
                chunk = takeChunk(cls, blockSize);
                link(cls, chunk);
            }
        }
        void* block;
        if (chunk->freeList) {
            block = chunk->freeList;
            chunk->freeList = *static_cast<void**>(block);
        } else {
            block = chunk->bump;
            chunk->bump += blockSize;
        }
        ++chunk->live;
        if (!chunk->hasRoom())
            unlink(cls, chunk);
        return block;
    }

    void release(Chunk* chunk, void* p) noexcept
    {
        SizeClass& cls = *chunk->cls;
        *static_cast<void**>(p) = chunk->freeList;
        chunk->freeList = p;
        --chunk->live;
        if (chunk->live == 0) {
            if (chunk->listed)
                unlink(cls, chunk);
            retire(chunk);
        } else if (!chunk->listed) {
            link(cls, chunk);
        }
    }

    // From another thread: the owner takes the block back at its next chance.
    void releaseRemote(void* p) noexcept
    {
        void* head = remote.load(std::memory_order_relaxed);
        do
            *static_cast<void**>(p) = head;
        while (!remote.compare_exchange_weak(head, p, std::memory_order_release, std::memory_order_relaxed));
    }

    SizeClass classes[kMaxBlock / kGranule + 1];
    Chunk* spares = nullptr;
    std::size_t spareCount = 0;
    std::atomic<void*> remote{nullptr};

private:
    void takeRemote() noexcept
    {
        void* p = remote.exchange(nullptr, std::memory_order_acquire);
        while (p) {
            void* next = *static_cast<void**>(p);
            release(chunkOf(p), p);
            p = next;
        }
    }

    static void link(SizeClass& cls, Chunk* chunk)
    {
        chunk->prev = nullptr;
        chunk->next = cls.partial;
        if (cls.partial)
            cls.partial->prev = chunk;
        cls.partial = chunk;
        chunk->listed = true;
    }

    static void unlink(SizeClass& cls, Chunk* chunk)
    {
        (chunk->prev ? chunk->prev->next : cls.partial) = chunk->next;
        if (chunk->next)
            chunk->next->prev = chunk->prev;
        chunk->prev = chunk->next = nullptr;
        chunk->listed = false;
    }

    Chunk* takeChunk(SizeClass& cls, std::size_t blockSize)
    {
        void* memory;
        if (spares) {
            memory = spares;
            spares = spares->next;
            --spareCount;
        } else {
            memory = mapChunk();
        }
        Chunk* chunk = new (memory) Chunk;
        chunk->owner = this;
        chunk->cls = &cls;
        chunk->blockSize = blockSize;
        chunk->bump = static_cast<char*>(memory) + kHeaderBytes;
        chunk->end = static_cast<char*>(memory) + kChunkBytes;
        return chunk;
    }

    // An empty chunk is kept for reuse while the reserve has room, else it goes back whole.
    void retire(Chunk* chunk) noexcept
    {
        if (spareCount < kReserveChunks) {
            chunk->next = spares;
            spares = chunk;
            ++spareCount;
            return;
        }
        unmapChunk(chunk);
    }
};

// The calling thread's pool; made on first use and never destroyed: its
// shapes may outlive the thread, and other threads may still release them.
Pool* localPool(bool make)
{
    static thread_local Pool* pool = nullptr;
    if (!pool && make)
        pool = new Pool;
    return pool;
}

}  // namespace

void* ShapeAllocator::allocate(std::size_t size)
{
    return size <= kMaxBlock ? localPool(true)->allocate(size) : ::operator new(size);
}

void ShapeAllocator::release(void* p, std::size_t size) noexcept
{
    if (!p)
        return;
    if (size > kMaxBlock) {
        ::operator delete(p);
        return;
    }
    Chunk* chunk = chunkOf(p);
    if (chunk->owner == localPool(false))
        chunk->owner->release(chunk, p);
    else
        chunk->owner->releaseRemote(p);
}

std::size_t ShapeAllocator::slabBytes() { return chunksMapped.load(std::memory_order_relaxed) * kChunkBytes; }

std::size_t ShapeAllocator::reserveBytes() { return kReserveChunks * kChunkBytes; }

#endif

}  // namespace skerra::canvas
