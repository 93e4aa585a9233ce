#pragma once

// Work on every core whose results are taken in order: the fast file's chunks of games and the
// files of a directory search are read in parallel, and written one after the other as a single
// walk would write them.

#include <functional>

namespace ravelin::search {

struct OrderedWork {
    int count = 0;
    // Runs on the helper threads (or on the calling thread when it is alone): makes item i.
    // worker (0 to threads - 1) tells the thread, so that each can keep its own state.
    std::function<void(int item, unsigned worker)> produce;
    // Runs on the calling thread for item 0, 1, 2... each once it is made; false takes no more
    // items (the helpers stop taking new ones).
    std::function<bool(int)> consume;
    // Runs on the calling thread about every 20 ms while it waits for an item (a cancel poll).
    std::function<void()> waiting;
    // Items made ahead of the one taken last, per thread: bounds the memory the results hold.
    int aheadPerThread = 4;
};

// The threads it uses: one per core, at most one per item; 0 for every core. What an item throws is
// thrown here once the items before it are taken, after the threads have stopped.
void RunOrderedWork(const OrderedWork& work, unsigned threads = 0);
// How many workers RunOrderedWork will use for that many items.
unsigned OrderedWorkers(int count, unsigned threads = 0);

// The cores this process may run on (at least 1).
unsigned CoreCount();

}  // namespace ravelin::search
