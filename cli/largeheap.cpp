#include "largeheap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

bool reserveLargePageHeap(std::size_t bytes) {
#if defined(__GLIBC__) && defined(MADV_HUGEPAGE)
    // Everything from the one heap (no separate mappings for large blocks, no separate heaps for
    // other threads), which keeps the reserve once it is freed instead of handing it back.
    if (mallopt(M_MMAP_MAX, 0) == 0 || mallopt(M_ARENA_MAX, 1) == 0 ||
        mallopt(M_TRIM_THRESHOLD, int(std::min<std::size_t>(2 * bytes, INT_MAX))) == 0)
        return false;
    void* block = std::malloc(bytes);
    if (!block) return false;
    const auto page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const auto begin = (std::uintptr_t(block) + page - 1) & ~(page - 1);
    const auto end = (std::uintptr_t(block) + bytes) & ~(page - 1);
    const bool advised =
        end > begin && madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE) == 0;
    // Freed, the block becomes the heap's free top, from which the allocations that follow come.
    std::free(block);
    return advised;
#else
    (void)bytes;
    return false;
#endif
}
