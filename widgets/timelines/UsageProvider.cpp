#include "widgets/timelines/UsageProvider.h"

#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"
#include "shared/stores/UsageLog.h"

namespace plyx {

std::int64_t UsageProvider::budget() {
    return SharedStorage::positiveInteger(StorageKeys::screenTimeBudgetMinutes, kDefaultBudgetMinutes);
}

UsageProvider::Entry UsageProvider::placeholder(const widgetkit::TimelineProviderContext&) const {
    return {time::now(), UsageSnapshot::sample(), SurfaceOption::followApp};
}

UsageProvider::Entry UsageProvider::snapshot(const Intent& intent, const widgetkit::TimelineProviderContext& ctx) const {
    const Date date = time::now();
    if (ctx.isPreview) return {date, UsageSnapshot::sample(), intent.surface};
    return {date, UsageLog::snapshot(budget()).value_or(UsageSnapshot::sample()), intent.surface};
}

widgetkit::Timeline<UsageProvider::Entry> UsageProvider::timeline(const Intent& intent,
                                                                  const widgetkit::TimelineProviderContext&) const {
    const Date date = time::now();
    auto data = UsageLog::snapshot(budget());
    if (!data) {
        data = UsageSnapshot{};
        data->budgetMinutes = budget();
    }
    const Date reload = time::now() + kRefreshMinutes * 60.0;
    return {{Entry{date, std::move(*data), intent.surface}}, widgetkit::TimelineReloadPolicy::after(reload)};
}

} // namespace plyx
