#pragma once
#include <cstddef>
#include <functional>

// Runs work(0) .. work(count - 1) on up to `jobs` threads (the calling thread is one of them),
// each index exactly once, in no particular order; returns when all are done. With jobs <= 1 or a
// single item, everything runs on the calling thread in index order. The first exception thrown by
// a work item is rethrown here after the others have finished.
void ParallelFor(size_t count, int jobs, const std::function<void(size_t)>& work);

// The number of cores the program may use (at least 1).
int CoreCount();
