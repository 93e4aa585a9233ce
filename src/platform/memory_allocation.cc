#include "platform/memory_allocation.h"

#include <malloc.h>

namespace ravelin::platform {

void KeepLargeBlocksInHeap() {
#if defined(M_MMAP_THRESHOLD) && defined(M_TRIM_THRESHOLD)
    // The largest block the allocator lets a heap serve; above it, blocks are mapped as before.
    constexpr int kLargestHeapBlock = 32 << 20;
    // Free memory kept at the top of a heap before it is given back to the system.
    constexpr int kKeptFreeMemory = 64 << 20;
    // A refusal leaves the allocator's own thresholds, which are only slower.
    mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
    mallopt(M_TRIM_THRESHOLD, kKeptFreeMemory);
#endif
}

}  // namespace ravelin::platform
