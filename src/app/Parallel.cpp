#include "app/Parallel.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

void ParallelFor(size_t count, int jobs, const std::function<void(size_t)>& work) {
    const size_t threads = std::min(count, static_cast<size_t>(std::max(jobs, 1)));
    if (threads <= 1) {
        for (size_t i = 0; i < count; ++i) work(i);
        return;
    }
    std::atomic<size_t> next{0};
    std::exception_ptr failure;
    std::mutex failureLock;
    auto drain = [&] {
        for (size_t i = next++; i < count; i = next++) {
            try {
                work(i);
            } catch (...) {
                std::lock_guard guard(failureLock);
                if (!failure) failure = std::current_exception();
            }
        }
    };
    std::vector<std::thread> helpers;
    helpers.reserve(threads - 1);
    for (size_t t = 1; t < threads; ++t) helpers.emplace_back(drain);
    drain();
    for (std::thread& helper : helpers) helper.join();
    if (failure) std::rethrow_exception(failure);
}

void OrderedPipeline(size_t count, int jobs, size_t window, const std::function<void(size_t)>& produce,
                     const std::function<bool(size_t)>& consume) {
    if (jobs <= 1 || count <= 1) {
        for (size_t i = 0; i < count; ++i) {
            produce(i);
            if (!consume(i)) return;
        }
        return;
    }
    window = std::max<size_t>(window, 1);
    std::mutex lock;
    std::condition_variable changed;
    std::vector<char> ready(count, 0);
    size_t next = 0;     // the next item a producer takes
    size_t consumed = 0; // items handed to the consumer so far
    bool stop = false;
    std::exception_ptr failure;

    auto producer = [&] {
        for (;;) {
            size_t i = 0;
            {
                std::unique_lock guard(lock);
                if (stop || next >= count) return;
                i = next++;
                changed.wait(guard, [&] { return stop || i < consumed + window; });
                if (stop) return;
            }
            try {
                produce(i);
            } catch (...) {
                std::lock_guard guard(lock);
                if (!failure) failure = std::current_exception();
                stop = true;
            }
            std::lock_guard guard(lock);
            ready[i] = 1;
            changed.notify_all();
        }
    };
    std::vector<std::thread> producers;
    const size_t threads = std::min(count, static_cast<size_t>(jobs));
    producers.reserve(threads);
    for (size_t t = 0; t < threads; ++t) producers.emplace_back(producer);

    for (size_t i = 0; i < count; ++i) {
        {
            std::unique_lock guard(lock);
            changed.wait(guard, [&] { return stop || ready[i]; });
            if (stop) break;
        }
        const bool more = consume(i);
        std::lock_guard guard(lock);
        consumed = i + 1;
        if (!more) stop = true;
        changed.notify_all();
        if (stop) break;
    }
    {
        std::lock_guard guard(lock);
        stop = true;
        changed.notify_all();
    }
    for (std::thread& thread : producers) thread.join();
    if (failure) std::rethrow_exception(failure);
}

int CoreCount() {
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}
