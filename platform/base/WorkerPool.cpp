#include "platform/base/WorkerPool.h"

#include <algorithm>

namespace plyx {

WorkerPool::WorkerPool(unsigned maxThreads) : max_(std::max(1u, maxThreads)) {}

WorkerPool::~WorkerPool() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        queue_.clear();
        head_ = 0;
    }
    ready_.notify_all();
    for (auto& t : threads_) t.join();
}

void WorkerPool::run(std::function<void()> job) {
    bool start = false;
    {
        std::lock_guard lock(mutex_);
        if (stopping_) return;
        queue_.push_back(std::move(job));
        // A job waits for a free thread only once the limit is reached.
        const std::size_t waiting = queue_.size() - head_;
        start = waiting > idle_ && threads_.size() < max_;
        if (start) threads_.emplace_back([this] { work(); });
    }
    if (!start) ready_.notify_one();
}

void WorkerPool::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        ++idle_;
        ready_.wait(lock, [this] { return stopping_ || head_ < queue_.size(); });
        --idle_;
        if (stopping_) return;
        std::function<void()> job = std::move(queue_[head_++]);
        if (head_ == queue_.size()) {
            queue_.clear();
            head_ = 0;
        }
        lock.unlock();
        job();
        job = nullptr; // what the job holds goes before the next wait
        lock.lock();
    }
}

} // namespace plyx
