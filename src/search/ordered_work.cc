#include "search/ordered_work.h"

#include <sched.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace ravelin::search {

namespace {

class Queue {
  public:
    Queue(int count, int ahead) : done_(static_cast<std::size_t>(count), 0), count_(count), ahead_(ahead) {}

    // The next item to make, or -1 when there are none left or the work stopped.
    int Take() {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return stop_ || next_ >= count_ || next_ < taken_ + ahead_; });
        return stop_ || next_ >= count_ ? -1 : next_++;
    }
    void Made(int item) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            done_[static_cast<std::size_t>(item)] = 1;
        }
        changed_.notify_all();
    }
    void WaitFor(int item, const std::function<void()>& waiting) {
        constexpr auto kPoll = std::chrono::milliseconds(20);
        std::unique_lock<std::mutex> lock(mutex_);
        while (!done_[static_cast<std::size_t>(item)]) {
            if (!waiting) {
                changed_.wait(lock);
                continue;
            }
            if (!changed_.wait_for(lock, kPoll,
                                   [this, item] { return done_[static_cast<std::size_t>(item)] != 0; })) {
                lock.unlock();
                waiting();
                lock.lock();
            }
        }
    }
    void Taken(int item) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            taken_ = item + 1;
        }
        changed_.notify_all();
    }
    void Stop() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<char> done_;
    int count_;
    int ahead_;
    int next_ = 0;
    int taken_ = 0;
    bool stop_ = false;
};

}  // namespace

unsigned CoreCount() {
    // The cores this process may run on (taskset), else those of the machine.
    cpu_set_t cores;
    CPU_ZERO(&cores);
    if (::sched_getaffinity(0, sizeof cores, &cores) == 0 && CPU_COUNT(&cores) > 0) {
        return static_cast<unsigned>(CPU_COUNT(&cores));
    }
    return std::max(1u, std::thread::hardware_concurrency());
}

unsigned OrderedWorkers(int count, unsigned threads) {
    return std::max(1u, std::min<unsigned>(threads == 0 ? CoreCount() : threads,
                                           static_cast<unsigned>(std::max(count, 1))));
}

void RunOrderedWork(const OrderedWork& work, unsigned threads) {
    if (work.count <= 0) {
        return;
    }
    threads = OrderedWorkers(work.count, threads);
    Queue queue(work.count, std::max(1, work.aheadPerThread) * static_cast<int>(threads));
    // What an item threw, handed to the calling thread when it comes to that item.
    std::vector<std::exception_ptr> thrown(static_cast<std::size_t>(work.count));
    std::vector<std::thread> helpers;
    if (threads > 1) {
        for (unsigned t = 0; t < threads; ++t) {
            try {
                helpers.emplace_back([&queue, &work, &thrown, t] {
                    for (int item = queue.Take(); item >= 0; item = queue.Take()) {
                        try {
                            work.produce(item, t);
                        } catch (...) {
                            thrown[static_cast<std::size_t>(item)] = std::current_exception();
                        }
                        queue.Made(item);
                    }
                });
            } catch (const std::system_error&) {
                break;
            }
        }
    }
    std::exception_ptr failure;
    for (int item = 0; item < work.count; ++item) {
        try {
            if (helpers.empty()) {
                // Alone: each item is made here, just before it is taken.
                work.produce(item, 0);
            } else {
                queue.WaitFor(item, work.waiting);
                if (thrown[static_cast<std::size_t>(item)]) {
                    std::rethrow_exception(thrown[static_cast<std::size_t>(item)]);
                }
            }
            const bool more = work.consume(item);
            queue.Taken(item);
            if (!more) {
                break;
            }
        } catch (...) {
            failure = std::current_exception();
            break;
        }
    }
    queue.Stop();
    for (std::thread& helper : helpers) {
        helper.join();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

}  // namespace ravelin::search
