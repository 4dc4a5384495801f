#pragma once
// Counts the bytes a benchmark program holds: its global operator new and delete keep the live total and
// its peak (by the allocator's usable size). Include in exactly one source file of a program.
#include <malloc.h>

#include <cstddef>
#include <cstdlib>
#include <new>

namespace vtl::bench {
inline std::size_t gLive = 0;
inline std::size_t gPeak = 0;

inline void* countedAlloc(std::size_t size) {
    void* p = std::malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    gLive += malloc_usable_size(p);
    if (gLive > gPeak) gPeak = gLive;
    return p;
}
inline void countedFree(void* p) noexcept {
    if (!p) return;
    gLive -= malloc_usable_size(p);
    std::free(p);
}

// Peak bytes allocated while `build` runs, above what was live before.
template <class Build>
std::size_t peakBytes(Build build) {
    const std::size_t before = gLive;
    gPeak = gLive;
    build();
    return gPeak - before;
}
}  // namespace vtl::bench

void* operator new(std::size_t size) { return vtl::bench::countedAlloc(size); }
void* operator new[](std::size_t size) { return vtl::bench::countedAlloc(size); }
void operator delete(void* p) noexcept { vtl::bench::countedFree(p); }
void operator delete[](void* p) noexcept { vtl::bench::countedFree(p); }
void operator delete(void* p, std::size_t) noexcept { vtl::bench::countedFree(p); }
void operator delete[](void* p, std::size_t) noexcept { vtl::bench::countedFree(p); }
