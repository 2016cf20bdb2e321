#pragma once
// The timeline provider of the simple widgets: a built-in sample for
// placeholders and gallery previews, a plain function that reads the live
// value, and how many minutes later to ask again. Each request reads `live`
// at most once and answers one entry.
#include "platform/time/Time.h"
#include "platform/widgetkit/Timeline.h"
#include "shared/foundation/PlyxEntry.h"
#include "shared/intents/SurfaceConfigIntent.h"

namespace plyx {

template <class T> struct LocalProvider {
    using Intent = SurfaceConfigIntent;
    using Entry = PlyxEntry<T>;

    /// Shown in placeholders and preview snapshots.
    T sample;
    /// Reads the current value. A plain function: the provider holds no state.
    T (*live)();
    /// Minutes from a timeline request until the next one.
    int refreshMinutes;

    /// The sample on the app's own background, whatever the widget is
    /// configured with: a placeholder is drawn before the configuration is known.
    Entry placeholder(const widgetkit::TimelineProviderContext&) const {
        return Entry{time::now(), sample, SurfaceOption::followApp};
    }

    /// The sample in a gallery preview, else the live value once.
    Entry snapshot(const Intent& intent, const widgetkit::TimelineProviderContext& ctx) const {
        const Date date = time::now();
        T data = ctx.isPreview ? sample : live();
        return Entry{date, std::move(data), intent.surface};
    }

    /// One live entry dated at the request, to be replaced `refreshMinutes`
    /// after it.
    widgetkit::Timeline<Entry> timeline(const Intent& intent, const widgetkit::TimelineProviderContext&) const {
        const Date date = time::now();
        Entry entry{date, live(), intent.surface};
        // Counted from after the reading, which may have taken a while.
        const Date reload = time::now() + static_cast<double>(refreshMinutes) * 60.0;
        return {{std::move(entry)}, widgetkit::TimelineReloadPolicy::after(reload)};
    }
};

} // namespace plyx
