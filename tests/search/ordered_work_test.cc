#include "search/ordered_work.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace ravelin::search {
namespace {

// Items made on several threads are taken in order, each after it was made; an item that throws
// ends the work there, the items before it taken, and its exception reaches the caller.
TEST(OrderedWorkTest, ItemsAreTakenInOrderAndAThrowEndsTheWorkThere) {
    for (const unsigned threads : {1u, 2u, 4u}) {
        SCOPED_TRACE(threads);
        constexpr int kItems = 200;
        constexpr int kThrowing = 137;
        std::vector<std::atomic<int>> made(kItems);
        std::vector<int> taken;
        OrderedWork work;
        work.count = kItems;
        work.aheadPerThread = 2;
        work.produce = [&made](int item, unsigned) {
            // Uneven work, so that later items are often made before earlier ones.
            volatile int spin = 0;
            for (int i = 0; i < (item % 7) * 2000; ++i) {
                spin = spin + 1;
            }
            if (item == kThrowing) {
                throw std::runtime_error("item");
            }
            made[static_cast<std::size_t>(item)] = 1;
        };
        work.consume = [&made, &taken](int item) {
            EXPECT_EQ(made[static_cast<std::size_t>(item)], 1) << item;
            taken.push_back(item);
            return true;
        };
        EXPECT_THROW(RunOrderedWork(work, threads), std::runtime_error);
        ASSERT_EQ(taken.size(), static_cast<std::size_t>(kThrowing));
        for (int i = 0; i < kThrowing; ++i) {
            EXPECT_EQ(taken[static_cast<std::size_t>(i)], i);
        }
    }
}

}  // namespace
}  // namespace ravelin::search
