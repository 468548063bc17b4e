#pragma once
// Memory for shape objects. A chart holds a million small shapes; taken one by
// one from the general heap, each pays a header and rounding, and the shapes of
// a chart end up scattered among everything else.
//
// Blocks (sizes rounded up to 8 bytes) are carved from chunks of 2 MiB (aligned
// to their size, transparent huge pages asked for where the system allows),
// one chunk at a time for blocks of every size; a released block is kept in
// its chunk for the next block of its size. Each thread that makes shapes has
// its own chunks, so no lock is taken; a block released by another thread goes
// back to its owner through a lock-free list. An empty chunk is kept for reuse
// (a reloaded chart finds its memory mapped already) up to a reserve, and
// beyond it goes back to the system whole. When a thread ends, the blocks
// released to it so far and its empty chunks go back; its pool waits, with
// the chunks that still hold blocks, for the next thread that makes shapes to
// adopt it, and until then a block released into it goes back at once (so
// the memory of a chart made on a thread that ended comes back when the chart
// is freed). Larger objects go to the general heap. Under AddressSanitizer
// every block comes from the general heap, so leaks and double frees stay visible.

#include <cstddef>

namespace skerra::canvas {

class ShapeAllocator {
public:
    static void* allocate(std::size_t size);
    // size: the one given to allocate.
    static void release(void* p, std::size_t size) noexcept;

    // Bytes of the chunks currently taken from the system, kept spares
    // included (for benchmarks and tests).
    static std::size_t slabBytes();
    // Bytes of empty chunks a thread keeps for reuse at most.
    static std::size_t reserveBytes();
    // False where every block comes from the general heap (AddressSanitizer
    // builds): no chunks, slabBytes and reserveBytes are 0.
    static bool carvesChunks();
};

}  // namespace skerra::canvas
