#pragma once

// Ordered work over files cut into runs: each file is opened once, by the first thread that comes
// to one of its runs (the others wait for it), its runs made on every core, and all runs taken on
// the calling thread in order, file by file and run by run.

#include <functional>
#include <vector>

namespace ravelin::search {

struct FileRunWork {
    // How many runs each file is cut into (at least 1 each).
    std::vector<int> runs;
    // On a helper thread, before any run of the file is made.
    std::function<void(int file)> open;
    // On a helper thread: makes run k of the file.
    std::function<void(int file, int run)> produce;
    // On a helper thread, once every run of the file is made: lets go of what open took.
    std::function<void(int file)> close;
    // On the calling thread, for each run in order; false takes no more.
    std::function<bool(int file, int run)> consume;
    // On the calling thread while it waits (a cancel poll).
    std::function<void()> waiting;
};

void RunFileRuns(const FileRunWork& work);

}  // namespace ravelin::search
