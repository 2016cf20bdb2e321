#pragma once
// The one fake of the clock `time::now()` reads, for a scope: fixed, set or
// moved by hand, optionally moving on by itself at every read. The process's
// own clock comes back when the scope ends, whatever the test did. Reads may
// come from worker threads.
#include "platform/time/Date.h"

#include <atomic>
#include <memory>

namespace plyx::test {

class FakeClock {
public:
    /// A clock standing at `start`.
    explicit FakeClock(Date start = Date{800'000'000});
    ~FakeClock();
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    /// What the next read answers.
    Date now() const;
    void set(Date d);
    void advance(double seconds);
    /// After each read the clock moves on by `seconds` (0, the default, keeps
    /// it still), so a test can tell which read a date came from.
    void stepEachRead(double seconds);

private:
    struct State {
        std::atomic<double> now;
        std::atomic<double> step{0};
    };
    std::shared_ptr<State> state_;
};

} // namespace plyx::test
