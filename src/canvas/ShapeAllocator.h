#pragma once
// Memory for shape objects. A chart holds a million small shapes; taken one by
// one from the general heap, each pays a header and rounding, and the shapes of
// a chart end up scattered among everything else.
//
// Blocks are carved from slabs (256 KiB, aligned to their size) of equal-sized
// blocks, one slab list per size rounded up to 8 bytes; a slab goes back to the
// system as soon as its last block is released (one empty slab per size is
// kept for the map timer's shapes that come and go every tick). Larger objects
// go to the general heap. Thread-safe. Under AddressSanitizer every block comes
// from the general heap, so leaks and double frees stay visible.

#include <cstddef>

namespace skerra::canvas {

class ShapeAllocator {
public:
    static void* allocate(std::size_t size);
    // size: the one given to allocate.
    static void release(void* p, std::size_t size) noexcept;

    // Bytes of the slabs currently taken from the system (for benchmarks and tests).
    static std::size_t slabBytes();
};

}  // namespace skerra::canvas
