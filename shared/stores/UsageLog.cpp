#include "shared/stores/UsageLog.h"

#include "platform/base/Numbers.h"

#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"

#include <QLoggingCategory>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace plyx::UsageLog {

namespace {

Q_LOGGING_CATEGORY(lcUsage, "com.zelvanedesigns.plyx.usage")

constexpr const char* kWeekdayPattern = "EEE";
constexpr int kWeekDays = 7;
constexpr std::size_t kTopApps = 3;

/// Whole minutes of `seconds`, truncated; a count past the integer range
/// (no writer produces one) is held at its end rather than overflowing.
std::int64_t minutesOf(double seconds) { return num::saturatedInt64(seconds / 60.0); }

double totalSeconds(const std::map<std::string, double>& apps) {
    double sum = 0;
    for (const auto& [name, seconds] : apps) sum += seconds;
    return sum;
}

void prune(Store& s) {
    // Day keys sort as dates, so the first ones are the oldest.
    while (s.days.size() > kMaxDays) s.days.erase(s.days.begin());
}

} // namespace

std::string dayFormat(Date date) { return time::dayKey(date); }

Store load() { return SharedStorage::read<Store>(StorageKeys::usage).value_or(Store{}); }

void save(const Store& store) { SharedStorage::write(StorageKeys::usage, store); }

void add(double seconds, const std::string& app, Date on) {
    const std::string key = dayFormat(on);
    auto suite = SharedStorage::suite();
    // A stored log that does not decode is kept aside before a fresh one is
    // written over it. Should another writer replace it between the setting
    // aside and the update, the addition starts again on what it wrote.
    for (int attempt = 0; attempt < 3; ++attempt) {
        // A value of another type than data (text, a number, null) reads as
        // absent, but is unreadable data all the same.
        const auto seen = suite.data(StorageKeys::usage);
        if (seen ? !coding::decode<Store>(*seen) : suite.holdsOtherThanData(StorageKeys::usage)) {
            suite.copy(StorageKeys::usage, kUnreadableUsageKey);
            qCWarning(lcUsage) << "the usage log could not be read; kept under" << kUnreadableUsageKey
                               << "before a new one is started";
        }
        bool changedMeanwhile = false;
        // The tracker adds every half minute; one transaction keeps an
        // addition from overwriting another process's in between.
        suite.update(StorageKeys::usage, [&](std::optional<std::string> bytes) -> std::optional<std::string> {
            Store s;
            if (bytes) {
                if (auto decoded = coding::decode<Store>(*bytes)) s = std::move(*decoded);
                else if (bytes != seen) {
                    changedMeanwhile = true;
                    return bytes;
                }
            }
            s.days[key][app] += seconds;
            prune(s);
            auto encoded = coding::encode(s);
            return encoded ? encoded : bytes; // unencodable (a non-finite sum): keep what was there
        });
        if (!changedMeanwhile) return;
    }
}

std::optional<UsageSnapshot> snapshot(std::int64_t budgetMinutes) {
    const Store store = load();
    const Date now = time::now();

    static const std::map<std::string, double> kNoApps;
    const auto todayIt = store.days.find(dayFormat(now));
    const auto& today = todayIt == store.days.end() ? kNoApps : todayIt->second;

    UsageSnapshot s;
    s.budgetMinutes = budgetMinutes;
    // The sum is taken in seconds first: two apps of 59 s make one minute.
    s.totalMinutes = minutesOf(totalSeconds(today));

    std::vector<std::pair<std::string, double>> ranked(today.begin(), today.end());
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    for (std::size_t i = 0; i < ranked.size() && i < kTopApps; ++i)
        s.apps.push_back({ranked[i].first, minutesOf(ranked[i].second), i == kTopApps - 1});

    for (int n = kWeekDays - 1; n >= 0; --n) {
        const Date day = time::addingDays(now, -n);
        const auto it = store.days.find(dayFormat(day));
        const std::int64_t minutes = it == store.days.end() ? 0 : minutesOf(totalSeconds(it->second));
        s.week.push_back({time::format(day, kWeekdayPattern), minutes, n == 0, false});
    }

    std::int64_t peak = 0;
    for (const auto& d : s.week) peak = std::max(peak, d.minutes);
    if (peak > 0)
        for (auto& d : s.week)
            if (d.minutes == peak) {
                d.isPeak = true;
                break;
            }

    if (s.totalMinutes < 1 && peak < 1) return std::nullopt;
    return s;
}

} // namespace plyx::UsageLog
