#include "search/file_runs.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>

#include "search/ordered_work.h"

namespace ravelin::search {

namespace {

struct FileState {
    std::mutex mutex;
    bool opened = false;
    std::atomic<int> unmade{0};
};

// An item of the ordered work: a file's opening, or one of its runs.
struct Item {
    int file = 0;
    int run = 0;  // kOpening for the opening
};
constexpr int kOpening = -1;

}  // namespace

void RunFileRuns(const FileRunWork& work) {
    const int files = static_cast<int>(work.runs.size());
    std::unique_ptr<FileState[]> states(new FileState[static_cast<std::size_t>(files)]);
    // The files are opened ahead of their runs: the first two at once, then each right after the
    // first run of the file two before it, so that a thread opens a file while the others search.
    constexpr int kOpenAhead = 2;
    std::vector<Item> items;
    for (int file = 0; file < std::min(files, kOpenAhead); ++file) {
        items.push_back({file, kOpening});
    }
    for (int file = 0; file < files; ++file) {
        const int runs = std::max(1, work.runs[static_cast<std::size_t>(file)]);
        states[static_cast<std::size_t>(file)].unmade.store(runs, std::memory_order_relaxed);
        for (int run = 0; run < runs; ++run) {
            items.push_back({file, run});
            if (run == 0 && file + kOpenAhead < files) {
                items.push_back({file + kOpenAhead, kOpening});
            }
        }
    }
    const auto open = [&work, &states](int file) {
        FileState& state = states[static_cast<std::size_t>(file)];
        const std::lock_guard<std::mutex> lock(state.mutex);
        if (!state.opened) {
            state.opened = true;
            if (work.open) {
                work.open(file);
            }
        }
    };
    OrderedWork ordered;
    ordered.count = static_cast<int>(items.size());
    ordered.produce = [&](int index, unsigned) {
        const Item item = items[static_cast<std::size_t>(index)];
        if (item.run == kOpening) {
            open(item.file);
            return;
        }
        FileState& state = states[static_cast<std::size_t>(item.file)];
        // The file is let go of once its last run is made, whatever a run throws.
        struct Made {
            const FileRunWork& work;
            FileState& state;
            int file;
            ~Made() {
                if (state.unmade.fetch_sub(1, std::memory_order_acq_rel) == 1 && work.close) {
                    work.close(file);
                }
            }
        } made{work, state, item.file};
        // Opened already, unless a thread is at it still (it is then waited for).
        open(item.file);
        work.produce(item.file, item.run);
    };
    ordered.consume = [&](int index) {
        const Item item = items[static_cast<std::size_t>(index)];
        return item.run == kOpening || work.consume(item.file, item.run);
    };
    ordered.waiting = work.waiting;
    // Runs are short and a file's last one also lets go of its mappings: more of them may be made
    // ahead of the one taken, so that the other threads do not wait for it.
    ordered.aheadPerThread = 16;
    RunOrderedWork(ordered);
}

}  // namespace ravelin::search
