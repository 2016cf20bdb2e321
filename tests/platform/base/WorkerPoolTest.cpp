// Jobs run off the caller's thread, no more at once than the limit, in the
// order handed in; a pool going away waits for the running jobs and drops the
// queued ones.
#include "platform/base/WorkerPool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace plyx {
namespace {

using namespace std::chrono_literals;

// A gate jobs wait at until the test opens it; it counts who waits there.
struct Gate {
    std::mutex m;
    std::condition_variable cv;
    bool open = false;
    int waiting = 0;
    void pass() {
        std::unique_lock lock(m);
        ++waiting;
        cv.notify_all();
        cv.wait(lock, [&] { return open; });
    }
    bool waitFor(int n) {
        std::unique_lock lock(m);
        return cv.wait_for(lock, 5s, [&] { return waiting >= n; });
    }
    void release() {
        std::lock_guard lock(m);
        open = true;
        cv.notify_all();
    }
};

TEST(WorkerPool, JobsRunAwayFromTheCallerAtMostTheLimitAtOnceInOrder) {
    Gate gate;
    std::mutex m;
    std::vector<int> order;
    std::atomic<int> running{0}, most{0};
    std::atomic<bool> onCaller{false};
    const auto caller = std::this_thread::get_id();
    {
        WorkerPool pool(2);
        for (int i = 0; i < 6; ++i)
            pool.run([&, i] {
                if (std::this_thread::get_id() == caller) onCaller = true;
                const int now = ++running;
                for (int seen = most; now > seen && !most.compare_exchange_weak(seen, now);) {}
                {
                    std::lock_guard lock(m);
                    order.push_back(i);
                }
                gate.pass();
                --running;
            });
        ASSERT_TRUE(gate.waitFor(2)); // two started and hold their threads
        std::this_thread::sleep_for(50ms);
        EXPECT_EQ(gate.waiting, 2) << "a third job started past the limit";
        gate.release();
        // Every job handed in before the pool goes away has a free thread soon:
        // wait for all six before destroying it, which would drop queued ones.
        for (int tries = 0; tries < 500; ++tries) {
            {
                std::lock_guard lock(m);
                if (order.size() == 6) break;
            }
            std::this_thread::sleep_for(10ms);
        }
    }
    EXPECT_FALSE(onCaller);
    EXPECT_EQ(most.load(), 2);
    // Two threads take jobs in the order they were handed in.
    ASSERT_EQ(order.size(), 6u);
    EXPECT_LT(std::find(order.begin(), order.end(), 0) - order.begin(), 2);
    EXPECT_GE(std::find(order.begin(), order.end(), 5) - order.begin(), 4);
}

TEST(WorkerPool, GoingAwayWaitsForRunningJobsAndDropsQueuedOnes) {
    Gate gate;
    std::atomic<int> finished{0}, started{0};
    std::thread opener;
    {
        WorkerPool pool(1);
        for (int i = 0; i < 3; ++i)
            pool.run([&] {
                ++started;
                gate.pass();
                std::this_thread::sleep_for(20ms);
                ++finished;
            });
        ASSERT_TRUE(gate.waitFor(1));
        // Opened only once the destructor has had time to begin waiting.
        opener = std::thread([&] {
            std::this_thread::sleep_for(200ms);
            gate.release();
        });
    }
    opener.join();
    EXPECT_EQ(started.load(), 1);
    EXPECT_EQ(finished.load(), 1) << "the running job was not waited for";
}

} // namespace
} // namespace plyx
