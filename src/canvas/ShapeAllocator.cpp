#include "canvas/ShapeAllocator.h"

#include "canvas/HugePages.h"

#include <algorithm>
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

constexpr std::size_t kClasses = kMaxBlock / kGranule + 1;

// A chunk serves blocks of every size: each thread carves its fresh blocks
// from one chunk at a time, whatever their size, so a chart of many kinds of
// shape leaves one chunk partly used rather than one per size (with huge
// pages, a partly used chunk is resident whole).
struct Chunk {
    // Per block size: the blocks of this size released into the chunk, and the
    // chunk's place in the pool's list of chunks that have such blocks.
    struct Sized {
        void* free = nullptr;  // linked through their first bytes
        Chunk* prev = nullptr;
        Chunk* next = nullptr;
        bool listed = false;
    };
    Pool* owner = nullptr;
    std::size_t live = 0;
    char* bump = nullptr;  // never-used room starts here
    char* end = nullptr;
    Chunk* nextSpare = nullptr;
    Sized sized[kClasses];
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

// Blocks are at least two words: a block released by another thread carries
// its link and its size until its owner takes it back.
std::size_t blockSizeOf(std::size_t size) { return alignUp(std::max(size, 2 * sizeof(void*)), kGranule); }

// The chunks of one thread. Only that thread touches them but for remote,
// where other threads push the blocks they release.
struct Pool {
    void* allocate(std::size_t size)
    {
        const std::size_t blockSize = blockSizeOf(size);
        const std::size_t c = blockSize / kGranule;
        if (!withFree[c])
            takeRemote();
        if (Chunk* chunk = withFree[c]) {
            Chunk::Sized& sized = chunk->sized[c];
            void* block = sized.free;
            sized.free = *static_cast<void**>(block);
            if (!sized.free)
                unlink(c, chunk);
            ++chunk->live;
            return block;
        }
        if (!current || current->bump + blockSize > current->end)
            replaceCurrent();
        void* block = current->bump;
        current->bump += blockSize;
        ++current->live;
        return block;
    }

    void release(Chunk* chunk, void* p, std::size_t blockSize) noexcept
    {
        const std::size_t c = blockSize / kGranule;
        Chunk::Sized& sized = chunk->sized[c];
        *static_cast<void**>(p) = sized.free;
        sized.free = p;
        if (!sized.listed)
            link(c, chunk);
        --chunk->live;
        if (chunk->live == 0) {
            if (chunk == current)
                current = nullptr;
            retire(chunk);
        }
    }

    // From another thread: the owner takes the block back at its next chance.
    void releaseRemote(void* p, std::size_t blockSize) noexcept
    {
        static_cast<std::size_t*>(p)[1] = blockSize;
        void* head = remote.load(std::memory_order_relaxed);
        do
            *static_cast<void**>(p) = head;
        while (!remote.compare_exchange_weak(head, p, std::memory_order_release, std::memory_order_relaxed));
    }

    Chunk* withFree[kClasses] = {};  // per block size, chunks holding released blocks of it
    Chunk* current = nullptr;        // where fresh blocks are carved
    Chunk* spares = nullptr;
    std::size_t spareCount = 0;
    std::atomic<void*> remote{nullptr};

private:
    void takeRemote() noexcept
    {
        void* p = remote.exchange(nullptr, std::memory_order_acquire);
        while (p) {
            void* next = *static_cast<void**>(p);
            release(chunkOf(p), p, static_cast<std::size_t*>(p)[1]);
            p = next;
        }
    }

    void link(std::size_t c, Chunk* chunk)
    {
        Chunk::Sized& sized = chunk->sized[c];
        sized.prev = nullptr;
        sized.next = withFree[c];
        if (withFree[c])
            withFree[c]->sized[c].prev = chunk;
        withFree[c] = chunk;
        sized.listed = true;
    }

    void unlink(std::size_t c, Chunk* chunk)
    {
        Chunk::Sized& sized = chunk->sized[c];
        (sized.prev ? sized.prev->sized[c].next : withFree[c]) = sized.next;
        if (sized.next)
            sized.next->sized[c].prev = sized.prev;
        sized.prev = sized.next = nullptr;
        sized.listed = false;
    }

    // A new chunk to carve from; the old one keeps its blocks (the few bytes
    // left at its end are not used) and goes if none of them is alive.
    void replaceCurrent()
    {
        Chunk* fresh = takeChunk();
        Chunk* old = current;
        current = fresh;
        if (old && old->live == 0)
            retire(old);
    }

    Chunk* takeChunk()
    {
        void* memory;
        if (spares) {
            memory = spares;
            spares = spares->nextSpare;
            --spareCount;
        } else {
            memory = mapChunk();
        }
        Chunk* chunk = new (memory) Chunk;
        chunk->owner = this;
        chunk->bump = static_cast<char*>(memory) + kHeaderBytes;
        chunk->end = static_cast<char*>(memory) + kChunkBytes;
        return chunk;
    }

    // An empty chunk leaves the lists of released blocks; it is kept for reuse
    // while the reserve has room, else it goes back whole.
    void retire(Chunk* chunk) noexcept
    {
        for (std::size_t c = 0; c < kClasses; ++c)
            if (chunk->sized[c].listed)
                unlink(c, chunk);
        if (spareCount < kReserveChunks) {
            chunk->nextSpare = spares;
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
    const std::size_t blockSize = blockSizeOf(size);
    if (chunk->owner == localPool(false))
        chunk->owner->release(chunk, p, blockSize);
    else
        chunk->owner->releaseRemote(p, blockSize);
}

std::size_t ShapeAllocator::slabBytes() { return chunksMapped.load(std::memory_order_relaxed) * kChunkBytes; }

std::size_t ShapeAllocator::reserveBytes() { return kReserveChunks * kChunkBytes; }

#endif

}  // namespace skerra::canvas
