#pragma once
// A few threads kept to run jobs away from the caller's thread, in the order
// they were handed in. Threads start as jobs need them, up to a limit, and
// then wait for the next job: handing one in costs a lock and a wake-up, with
// no allocation of its own. Destroying the pool drops the jobs still queued
// and waits for the running ones to end.
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace plyx {

class WorkerPool {
public:
    explicit WorkerPool(unsigned maxThreads);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    /// Runs `job` on one of the pool's threads, once one is free.
    void run(std::function<void()> job);

private:
    void work();

    const unsigned max_;
    std::mutex mutex_;
    std::condition_variable ready_;
    // Queued jobs from `head_` on; the storage is kept when the queue empties.
    std::vector<std::function<void()>> queue_;
    std::size_t head_ = 0;
    unsigned idle_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

} // namespace plyx
