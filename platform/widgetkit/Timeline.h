#pragma once
// What a timeline provider is asked with and what it answers: the request's
// context, a timeline of entries, and when the host is to ask again.
#include "platform/time/Date.h"
#include "platform/ui/View.h"
#include "platform/widgetkit/WidgetFamily.h"

#include <vector>

namespace plyx::widgetkit {

/// Passed with every request.
struct TimelineProviderContext {
    /// Set when the widget is shown in a gallery rather than placed.
    bool isPreview = false;
    WidgetFamily family = WidgetFamily::systemSmall;
    /// The size the widget will be drawn at, in points.
    ui::Size displaySize{160, 160};
};

/// When the host asks a provider for its next timeline.
class TimelineReloadPolicy {
public:
    enum class Kind { atEnd, after, never };

    /// After the last entry's date has passed.
    static TimelineReloadPolicy atEnd() { return TimelineReloadPolicy(Kind::atEnd, Date{}); }
    /// At `date` (or at once when it has passed).
    static TimelineReloadPolicy after(Date date) { return TimelineReloadPolicy(Kind::after, date); }
    /// Only when a reload is asked for.
    static TimelineReloadPolicy never() { return TimelineReloadPolicy(Kind::never, Date{}); }

    Kind kind() const { return kind_; }
    /// The moment of an `after` policy.
    Date date() const { return date_; }
    bool operator==(const TimelineReloadPolicy&) const = default;

private:
    TimelineReloadPolicy(Kind k, Date d) : kind_(k), date_(d) {}
    Kind kind_;
    Date date_;
};

template <class Entry> struct Timeline {
    std::vector<Entry> entries;
    TimelineReloadPolicy policy = TimelineReloadPolicy::atEnd();
};

} // namespace plyx::widgetkit
