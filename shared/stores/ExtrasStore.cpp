#include "shared/stores/ExtrasStore.h"

#include "platform/base/TextLength.h"
#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"

#include <QLoggingCategory>

#include <algorithm>
#include <limits>

namespace plyx::ExtrasStore {

namespace {

Q_LOGGING_CATEGORY(lcExtras, "com.zelvanedesigns.plyx.extras")

using Bytes = std::optional<std::string>;

/// A write the store gave up on (another program held the suite past the
/// wait, or the file could not be written): said once, with its key.
bool reportedFailure(const char* key) {
    qCWarning(lcExtras) << key << "could not be stored: the store gave up on the write, the change was not made";
    return false;
}

// One atomic read-modify-write of a record: `change` gets the stored record
// (or `fallback` when absent or undecodable). A record that cannot be encoded
// leaves the stored bytes as they were.
template <class T> bool updateRecord(const char* key, const T& fallback, const std::function<T(T)>& change) {
    const bool stored = SharedStorage::suite().update(key, [&](Bytes current) -> Bytes {
        T value = fallback;
        if (current)
            if (auto decoded = coding::decode<T>(*current)) value = std::move(*decoded);
        if (auto bytes = coding::encode(change(std::move(value)))) return bytes;
        return current;
    });
    return stored || reportedFailure(key);
}

// a + b, held within the 64-bit range instead of wrapping.
std::int64_t saturatingAdd(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (!__builtin_add_overflow(a, b, &sum)) return sum;
    return b > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
}

} // namespace

CounterSnapshot counter(const std::string& name, std::int64_t goal) {
    return CounterSnapshot{SharedStorage::integer(StorageKeys::counterKey(name, time::now())), goal};
}

bool addToCounter(const std::string& name, std::int64_t amount) {
    const auto key = StorageKeys::counterKey(name, time::now());
    const auto stored = SharedStorage::suite().updateInteger(
        key, [&](std::int64_t count) { return std::max<std::int64_t>(saturatingAdd(count, amount), 0); });
    return stored || reportedFailure(key.c_str());
}

std::int64_t stepsGoal() { return SharedStorage::positiveInteger(StorageKeys::stepsGoal, 10000); }

std::int64_t waterGoal() { return SharedStorage::positiveInteger(StorageKeys::waterGoal, 8); }

std::optional<std::vector<HabitItem>> habits() {
    auto list = SharedStorage::read<std::vector<HabitItem>>(StorageKeys::habits);
    // Only what is shown is held: a change writes the stored names as they are.
    if (list)
        for (auto& habit : *list) habit.name = text::heldToLength(habit.name, text::kMaxNameLength);
    return list;
}

bool updateHabits(const HabitsChange& change) {
    auto suite = SharedStorage::suite();
    // A value that does not decode is kept aside before the samples are
    // written over it. Should another writer replace it between the setting
    // aside and the write, the change starts again on what it wrote.
    for (int attempt = 0; attempt < 3; ++attempt) {
        // A value of another type than data (text, a number, null) reads as
        // absent, but is unreadable data all the same.
        const Bytes seen = suite.data(StorageKeys::habits);
        const bool unreadable = seen ? !coding::decode<std::vector<HabitItem>>(*seen)
                                     : suite.holdsOtherThanData(StorageKeys::habits);
        if (unreadable && change(HabitItem::samples())) {
            suite.copy(StorageKeys::habits, kUnreadableHabitsKey);
            qCWarning(lcExtras) << "the stored habits could not be read; kept under" << kUnreadableHabitsKey
                                << "before writing the sample habits over them";
        }
        bool changedMeanwhile = false, unencodable = false;
        const bool stored = suite.update(StorageKeys::habits, [&](Bytes current) -> Bytes {
            changedMeanwhile = unencodable = false;
            std::vector<HabitItem> list;
            if (current) {
                if (auto decoded = coding::decode<std::vector<HabitItem>>(*current)) list = std::move(*decoded);
                else if (current != seen) {
                    changedMeanwhile = true;
                    return current;
                } else list = HabitItem::samples();
            } else list = HabitItem::samples();

            auto changed = change(std::move(list));
            if (!changed) return current;
            if (auto bytes = coding::encode(*changed)) return bytes;
            unencodable = true;
            return current;
        });
        if (!stored) return reportedFailure(StorageKeys::habits);
        if (unencodable) {
            qCWarning(lcExtras) << "the habits could not be stored: the list does not encode";
            return false;
        }
        if (!changedMeanwhile) return true;
    }
    qCWarning(lcExtras) << "the habits could not be stored: another program kept replacing them";
    return false;
}

bool toggleHabitToday(const Uuid& id) {
    const std::string today = time::dayKey(time::now());
    return updateHabits([&](std::vector<HabitItem> list) -> std::optional<std::vector<HabitItem>> {
        auto habit = std::find_if(list.begin(), list.end(), [&](const HabitItem& h) { return h.id == id; });
        if (habit == list.end()) return std::nullopt;
        if (!habit->checkins.erase(today)) habit->checkins.insert(today);
        return list;
    });
}

std::vector<HabitWeekRow> habitWeek() {
    const auto stored = habits();
    return HabitWeekRow::week(stored ? *stored : HabitItem::samples(), time::now());
}

FocusSession focus() {
    return SharedStorage::read<FocusSession>(StorageKeys::focus).value_or(FocusSession{std::nullopt, 25});
}

bool updateFocus(const std::function<FocusSession(FocusSession)>& change) {
    return updateRecord<FocusSession>(StorageKeys::focus, FocusSession{std::nullopt, 25}, change);
}

StopwatchState stopwatch() {
    return SharedStorage::read<StopwatchState>(StorageKeys::stopwatch).value_or(StopwatchState{});
}

bool setStopwatch(const StopwatchState& state) {
    // An unencodable state is kept out as before; only a refused write fails.
    const auto bytes = coding::encode(state);
    return !bytes || SharedStorage::suite().setData(StorageKeys::stopwatch, *bytes) ||
           reportedFailure(StorageKeys::stopwatch);
}

bool updateStopwatch(const std::function<StopwatchState(StopwatchState)>& change) {
    return updateRecord<StopwatchState>(StorageKeys::stopwatch, StopwatchState{}, change);
}

} // namespace plyx::ExtrasStore
