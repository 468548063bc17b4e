#include "canvas/ShapeAllocator.h"

#include "canvas/HugePages.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <new>
#include <utility>

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
bool ShapeAllocator::carvesChunks() { return false; }

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

    // From another thread: the owner takes the block back at its next chance;
    // a pool whose thread ended is emptied at once.
    void releaseRemote(void* p, std::size_t blockSize) noexcept
    {
        static_cast<std::size_t*>(p)[1] = blockSize;
        void* head = remote.load(std::memory_order_relaxed);
        do
            *static_cast<void**>(p) = head;
        while (!remote.compare_exchange_weak(head, p, std::memory_order_seq_cst, std::memory_order_relaxed));
        // Either the ending thread's last look at the list finds the block, or
        // this sees that it ended (both sides sequentially consistent).
        if (orphaned.load(std::memory_order_seq_cst))
            takeRemoteOfOrphan();
    }

    // The thread of the pool ends: the blocks released to it so far go back,
    // its empty chunks go to the system, and the pool waits for a thread to
    // adopt it with the chunks that still hold blocks.
    void orphan() noexcept;
    // A new thread takes the pool over.
    void adopt() noexcept;

    Chunk* withFree[kClasses] = {};  // per block size, chunks holding released blocks of it
    Chunk* current = nullptr;        // where fresh blocks are carved
    Chunk* spares = nullptr;
    std::size_t spareCount = 0;
    std::atomic<void*> remote{nullptr};
    // No thread owns the pool: whoever holds orphanLock tends it.
    std::atomic<bool> orphaned{false};
    Pool* nextOrphan = nullptr;

private:
    void takeRemoteOfOrphan() noexcept;

    void takeRemote() noexcept
    {
        void* p = remote.exchange(nullptr, std::memory_order_seq_cst);
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
    // while the reserve has room and a thread owns the pool, else it goes back whole.
    void retire(Chunk* chunk) noexcept
    {
        for (std::size_t c = 0; c < kClasses; ++c)
            if (chunk->sized[c].listed)
                unlink(c, chunk);
        if (spareCount < kReserveChunks && !orphaned.load(std::memory_order_relaxed)) {
            chunk->nextSpare = spares;
            spares = chunk;
            ++spareCount;
            return;
        }
        unmapChunk(chunk);
    }

    void freeSpares() noexcept
    {
        while (spares) {
            Chunk* next = spares->nextSpare;
            unmapChunk(spares);
            spares = next;
        }
        spareCount = 0;
    }
};

// The pools of ended threads. A pool is never destroyed: its blocks may
// outlive its thread, and other threads may still release them.
constinit std::mutex orphanLock;
Pool* orphans = nullptr;

void Pool::orphan() noexcept
{
    std::lock_guard lock(orphanLock);
    orphaned.store(true, std::memory_order_seq_cst);
    takeRemote();
    freeSpares();
    nextOrphan = orphans;
    orphans = this;
}

void Pool::adopt() noexcept { orphaned.store(false, std::memory_order_relaxed); }

void Pool::takeRemoteOfOrphan() noexcept
{
    std::lock_guard lock(orphanLock);
    if (orphaned.load(std::memory_order_relaxed))  // else adopted meanwhile: its new thread takes them
        takeRemote();
}

Pool* adoptOrMake()
{
    {
        std::lock_guard lock(orphanLock);
        if (Pool* pool = orphans) {
            orphans = pool->nextOrphan;
            pool->nextOrphan = nullptr;
            pool->adopt();
            return pool;
        }
    }
    return new Pool;
}

// The calling thread's pool, made (or adopted) at its first shape.
constinit thread_local Pool* threadPool = nullptr;

// Hands the thread's pool over when the thread ends.
struct PoolHandover {
    bool armed = false;
    ~PoolHandover()
    {
        if (Pool* pool = std::exchange(threadPool, nullptr))
            pool->orphan();
    }
};
thread_local PoolHandover handover;

Pool* localPool(bool make)
{
    if (!threadPool && make) {
        threadPool = adoptOrMake();
        handover.armed = true;  // its end is seen to
    }
    return threadPool;
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

bool ShapeAllocator::carvesChunks() { return true; }

#endif

}  // namespace skerra::canvas
