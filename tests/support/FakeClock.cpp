#include "tests/support/FakeClock.h"

#include "platform/time/Time.h"

namespace plyx::test {

FakeClock::FakeClock(Date start) : state_(std::make_shared<State>()) {
    state_->now.store(start.sinceReferenceDate);
    auto state = state_;
    time::setClock([state] {
        const double step = state->step.load();
        // Answers the value before the step, even when reads race.
        const double read = step == 0 ? state->now.load() : state->now.fetch_add(step);
        return Date{read};
    });
}

FakeClock::~FakeClock() { time::setClock({}); }

Date FakeClock::now() const { return Date{state_->now.load()}; }
void FakeClock::set(Date d) { state_->now.store(d.sinceReferenceDate); }
void FakeClock::advance(double seconds) { state_->now.fetch_add(seconds); }
void FakeClock::stepEachRead(double seconds) { state_->step.store(seconds); }

} // namespace plyx::test
