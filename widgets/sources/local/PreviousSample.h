#pragma once
// The previous raw sample of a counter a rate is measured from (processor
// ticks, network bytes). The process remembers the last sample it took and
// measures from it; the shared suite holds one too, so another process, or
// this one after a restart, has something to measure from. The suite is read
// only when the process has no sample of its own for it, and written at most
// every few seconds: a widget refreshed faster than that would otherwise pay a
// store read and write on every refresh (and make every reader of the suite
// read it again), while the sample a newcomer finds is still only seconds old.
#include "platform/time/Date.h"
#include "shared/storage/SharedStorage.h"

#include <cmath>
#include <mutex>
#include <optional>
#include <string>

namespace plyx::SystemStats {

template <class Sample> class PreviousSample {
public:
    /// How stale the stored sample may grow while the process measures from its own.
    static constexpr double kStoreEvery = 5.0;

    explicit PreviousSample(const char* key) : key_(key) {}

    /// The sample to measure `current` from (nothing when there is none or
    /// the stored one cannot be decoded); `current` takes its place.
    std::optional<Sample> exchange(const Sample& current) {
        const auto suite = SharedStorage::suite();
        std::lock_guard lock(mutex_);
        std::optional<Sample> previous;
        if (last_ && suitePath_ == suite.path().native()) {
            previous = last_;
        } else {
            // A suite this process has not sampled into yet (or another data
            // folder altogether): what is stored there counts.
            previous = SharedStorage::read<Sample>(key_);
            suitePath_ = suite.path().native();
            storedAt_.reset();
        }
        last_ = current;
        // Stored on the first sample and whenever the stored one is
        // kStoreEvery old, or dated after now (the clock was set back).
        if (!storedAt_ || !(std::abs(current.at - *storedAt_) < kStoreEvery)) {
            // A sample the suite is too busy to take now is stored on a later one.
            if (SharedStorage::writeIfFree(key_, current)) storedAt_ = current.at;
        }
        return previous;
    }

private:
    const char* key_;
    std::mutex mutex_;
    std::string suitePath_;
    std::optional<Sample> last_;
    std::optional<Date> storedAt_;
};

} // namespace plyx::SystemStats
