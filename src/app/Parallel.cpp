#include "app/Parallel.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <exception>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "app/Log.h"

namespace {
std::atomic<int> g_threadsBeforeFailure{-1};
std::once_flag g_shortageTold;

std::function<void(const std::string&)>& ShortageHandler() {
    static std::function<void(const std::string&)> handler = [](const std::string& text) {
        std::fprintf(stderr, "warning: %s\n", text.c_str());
    };
    return handler;
}

// Starts up to `wanted` threads running `body`, as many as the system gives: a process or memory
// limit makes thread creation fail, and the work then goes on with the threads there are (down to
// the calling thread alone). The first shortage of a run is told once.
template <typename Body>
void StartThreads(std::vector<std::thread>& threads, size_t wanted, const Body& body) {
    threads.reserve(wanted);
    for (size_t t = 0; t < wanted; ++t) {
        try {
            if (g_threadsBeforeFailure.load() == 0)
                throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
            threads.emplace_back(body);
            if (g_threadsBeforeFailure.load() > 0) --g_threadsBeforeFailure;
        } catch (const std::exception& error) {
            // std::system_error when the system refuses a thread, std::bad_alloc when its state
            // cannot be allocated.
            const auto* refused = dynamic_cast<const std::system_error*>(&error);
            const std::string reason = refused ? refused->code().message() : error.what();
            std::call_once(g_shortageTold, [&] {
                const std::string text = "only " + std::to_string(t) + " of " + std::to_string(wanted) +
                                         " more threads could be started (" + reason +
                                         "); the work goes on with fewer";
                Log("%s", text.c_str());
                if (ShortageHandler()) ShortageHandler()(text);
            });
            return;
        }
    }
}
} // namespace

void SetThreadShortageHandler(std::function<void(const std::string&)> handler) {
    ShortageHandler() = std::move(handler);
}

void FailThreadCreationAfter(int count) {
    g_threadsBeforeFailure = count;
}

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
    StartThreads(helpers, threads - 1, drain);
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
    StartThreads(producers, std::min(count, static_cast<size_t>(jobs)), producer);
    if (producers.empty()) {
        OrderedPipeline(count, 1, window, produce, consume);
        return;
    }

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
