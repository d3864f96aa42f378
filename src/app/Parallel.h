#pragma once
#include <cstddef>
#include <functional>
#include <string>

// Runs work(0) .. work(count - 1) on up to `jobs` threads (the calling thread is one of them),
// each index exactly once, in no particular order; returns when all are done. With jobs <= 1 or a
// single item, everything runs on the calling thread in index order. The first exception thrown by
// a work item is rethrown here after the others have finished.
void ParallelFor(size_t count, int jobs, const std::function<void(size_t)>& work);

// Produces items 0 .. count - 1 on up to `jobs` threads while the calling thread consumes them in
// index order as they become ready, so the order-bound work overlaps the rest. No item is produced
// more than `window` ahead of the consumer (the caller may keep items in `window` slots, item i in
// slot i % window). When `consume` returns false nothing further is consumed; items produced
// beyond it are dropped unseen. With jobs <= 1 each item is produced just before it is consumed.
// The first exception thrown by `produce` is rethrown here once the threads are done.
void OrderedPipeline(size_t count, int jobs, size_t window, const std::function<void(size_t)>& produce,
                     const std::function<bool(size_t)>& consume);

// Where it is told that fewer threads than asked could be started (once per process; default:
// "warning: TEXT" on stderr). The work itself runs to the same result.
void SetThreadShortageHandler(std::function<void(const std::string&)> handler);
// For tests: thread creation fails once `count` more threads have been started (negative: never).
void FailThreadCreationAfter(int count);

// The number of cores the program may use (at least 1).
int CoreCount();
