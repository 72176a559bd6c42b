#pragma once
#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

// Work shared out among the machine's cores: the player draws the bands of a
// large image and converts the layers of a large movie side by side.

// Workers to use when `asked` is 0 (one per core, at most 8), else `asked`.
inline int WorkerCount(int asked) {
    if (asked > 0) return std::min(asked, 64);
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

// Calls each(item, worker) for every item in [0, count), handing the items out
// in turn to `workers` workers: the calling thread (worker 0) and threads of
// its own. When the system gives fewer threads, those running take the rest.
// After every worker stopped, rethrows the first exception one of them threw.
template <typename Each>
void ForEachOnWorkers(std::size_t count, int workers, Each&& each) {
    workers = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(std::max(workers, 1)), std::max<std::size_t>(count, 1)));
    std::atomic<std::size_t> next{0};
    std::vector<std::exception_ptr> failures(static_cast<std::size_t>(workers));
    const auto work = [&](int worker) {
        try {
            for (std::size_t item = next++; item < count; item = next++) each(item, worker);
        } catch (...) {
            failures[static_cast<std::size_t>(worker)] = std::current_exception();
            next = count;  // the others stop after their item
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(static_cast<std::size_t>(workers - 1));  // no allocation once threads run
    for (int w = 1; w < workers; ++w) {
        try {
            threads.emplace_back(work, w);
        } catch (const std::system_error&) {
            break;  // no more threads to be had: the running ones share the items
        }
    }
    work(0);
    for (std::thread& t : threads) t.join();
    for (const std::exception_ptr& f : failures)
        if (f) std::rethrow_exception(f);
}
