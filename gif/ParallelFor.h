#pragma once
// Runs fn(0) .. fn(count - 1) on `threads` worker threads (0: one per core),
// each index exactly once. The first exception thrown by any call is raised
// again in the caller once every worker has stopped; calls not yet started
// are then skipped. Callers write results into slots of their own, so the
// outcome does not depend on the number of threads.
#include <QThread>

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

template <typename Fn>
void ParallelFor(int count, int threads, const Fn& fn)
{
    if (count <= 0)
        return;
    if (threads <= 0)
        threads = std::max(1, QThread::idealThreadCount());
    threads = std::min(threads, count);
    std::atomic<int> next{0};
    std::exception_ptr failure;
    std::mutex failureLock;
    auto work = [&] {
        for (int i = next++; i < count; i = next++) {
            try {
                fn(i);
            } catch (...) {
                const std::lock_guard lock(failureLock);
                if (!failure)
                    failure = std::current_exception();
                next = count;
            }
        }
    };
    {
        std::vector<std::jthread> workers;
        workers.reserve(size_t(threads));
        for (int t = 0; t < threads; ++t)
            workers.emplace_back(work);
    }
    if (failure)
        std::rethrow_exception(failure);
}
