#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/Parallel.h"

// The ordered pipeline must hand every item over in index order, never produce an item while its
// slot (i % window) still holds one the consumer has not taken, stop where the consumer says, and
// pass on a producer's exception, whatever the number of threads.
TEST(OrderedPipeline, ConsumesInOrderWithinTheWindowAndStops) {
    struct Case {
        size_t count;
        int jobs;
        size_t window;
        size_t stopAt; // the consumer returns false for this item (count: never)
    };
    const Case cases[] = {
        {0, 2, 4, 0},     {1, 2, 4, 1},      {100, 1, 1, 100}, {100, 2, 1, 100}, {500, 2, 8, 500},
        {500, 4, 3, 500}, {500, 3, 64, 137}, {50, 2, 4, 0},    {7, 8, 128, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.count << " items, " << c.jobs << " jobs, window " << c.window);
        std::vector<std::atomic<int>> slots(c.window);
        std::vector<size_t> order;
        std::atomic<bool> overran{false};
        OrderedPipeline(
            c.count, c.jobs, c.window,
            [&](size_t i) {
                // The slot must have been emptied by the consumer of item i - window.
                int expected = 0;
                if (!slots[i % c.window].compare_exchange_strong(expected, static_cast<int>(i) + 1))
                    overran = true;
            },
            [&](size_t i) {
                if (slots[i % c.window].exchange(0) != static_cast<int>(i) + 1) overran = true;
                order.push_back(i);
                return i != c.stopAt;
            });
        EXPECT_FALSE(overran);
        const size_t expectedCount = c.stopAt < c.count ? c.stopAt + 1 : c.count;
        ASSERT_EQ(order.size(), expectedCount);
        for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i], i);
    }
}

TEST(OrderedPipeline, PassesOnTheFirstFailure) {
    for (int jobs : {1, 2, 3}) {
        std::vector<size_t> consumed;
        EXPECT_THROW(OrderedPipeline(
                         200, jobs, 16,
                         [](size_t i) {
                             if (i == 40) throw std::runtime_error("unreadable");
                         },
                         [&](size_t i) {
                             consumed.push_back(i);
                             return true;
                         }),
                     std::runtime_error)
            << jobs;
        EXPECT_LE(consumed.size(), 40u) << jobs; // nothing at or after the failed item is handed over
    }
}

// A thread that cannot be created (a process or memory limit) leaves the work to the threads that
// could be: every item still runs exactly once, the pipeline still hands them over in order, and
// the shortage is told once.
TEST(Parallel, FallsBackToTheThreadsThatCouldBeStarted) {
    struct Case {
        int jobs;
        int threadsBeforeFailure;
    };
    const Case cases[] = {{64, 0}, {64, 1}, {64, 5}, {2, 0}, {3, 1}};
    std::vector<std::string> told;
    SetThreadShortageHandler([&](const std::string& text) { told.push_back(text); });
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.jobs << " jobs, " << c.threadsBeforeFailure << " threads");
        std::vector<std::atomic<int>> runs(300);
        FailThreadCreationAfter(c.threadsBeforeFailure);
        ParallelFor(runs.size(), c.jobs, [&](size_t i) { ++runs[i]; });
        for (const std::atomic<int>& count : runs) EXPECT_EQ(count.load(), 1);

        std::vector<size_t> order;
        FailThreadCreationAfter(c.threadsBeforeFailure);
        OrderedPipeline(
            runs.size(), c.jobs, 8, [&](size_t i) { ++runs[i]; },
            [&](size_t i) {
                order.push_back(i);
                return true;
            });
        FailThreadCreationAfter(-1);
        ASSERT_EQ(order.size(), runs.size());
        for (size_t i = 0; i < order.size(); ++i) {
            EXPECT_EQ(order[i], i);
            EXPECT_EQ(runs[i].load(), 2);
        }
    }
    SetThreadShortageHandler({});
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(
        told.front(),
        "only 0 of 63 more threads could be started (Resource temporarily unavailable); the work goes on "
        "with fewer");
}
