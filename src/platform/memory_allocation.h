#pragma once

namespace ravelin::platform {

// Serves large blocks from the allocator's heaps and keeps freed memory for the next block, where
// the allocator would otherwise map each large block afresh and unmap it when it is freed. With
// several threads at work (the directory search, Make Fast File) every map and unmap takes the
// process's address-space lock, which stalls the other threads' page faults on the files they have
// mapped, and unmapping interrupts the other cores to flush their address caches. Called once at
// start-up, before any thread is started.
void KeepLargeBlocksInHeap();

}  // namespace ravelin::platform
