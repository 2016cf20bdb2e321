#pragma once
// A widget declaration: its kind, configuration intent, provider, content and
// the texts the gallery shows. Providers and entries are typed where a widget
// declares them (`AppIntentConfiguration<Intent>(kind, provider, content)`)
// and held here behind plain functions, so one bundle can list widgets of
// every data type and the host can drive them alike.
#include "platform/intents/Intent.h"
#include "platform/time/Date.h"
#include "platform/ui/View.h"
#include "platform/widgetkit/Timeline.h"
#include "platform/widgetkit/WidgetFamily.h"

#include <any>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace plyx::widgetkit {

/// One timeline entry of any widget: its date and the typed entry itself.
struct AnyEntry {
    Date date;
    std::any entry;
};

using AnyTimeline = Timeline<AnyEntry>;

class WidgetConfiguration {
public:
    using Placeholder = std::function<AnyEntry(const TimelineProviderContext&)>;
    using Snapshot = std::function<AnyEntry(const intents::Configuration&, const TimelineProviderContext&)>;
    using TimelineFn = std::function<AnyTimeline(const intents::Configuration&, const TimelineProviderContext&)>;
    using Content = std::function<ui::View(const AnyEntry&)>;

    WidgetConfiguration(std::string kind, const intents::IntentDescriptor& intent, Placeholder placeholder,
                        Snapshot snapshot, TimelineFn timeline, Content content)
        : kind_(std::move(kind)), intent_(&intent), placeholder_(std::move(placeholder)),
          snapshot_(std::move(snapshot)), timeline_(std::move(timeline)), content_(std::move(content)) {}

    // Declaration modifiers, applied in the order a widget's body lists them.
    WidgetConfiguration configurationDisplayName(std::string name) && {
        displayName_ = std::move(name);
        return std::move(*this);
    }
    WidgetConfiguration description(std::string text) && {
        description_ = std::move(text);
        return std::move(*this);
    }
    WidgetConfiguration supportedFamilies(std::vector<WidgetFamily> families) && {
        families_ = std::move(families);
        return std::move(*this);
    }
    WidgetConfiguration contentMarginsDisabled() && {
        contentMarginsDisabled_ = true;
        return std::move(*this);
    }

    const std::string& kind() const { return kind_; }
    const intents::IntentDescriptor& intent() const { return *intent_; }
    const std::string& displayName() const { return displayName_; }
    const std::string& description() const { return description_; }
    const std::vector<WidgetFamily>& supportedFamilies() const { return families_; }
    bool areContentMarginsDisabled() const { return contentMarginsDisabled_; }

    /// The provider's three answers. Call them off the painting thread.
    AnyEntry placeholder(const TimelineProviderContext& ctx) const { return placeholder_(ctx); }
    AnyEntry snapshot(const intents::Configuration& c, const TimelineProviderContext& ctx) const {
        return snapshot_(c, ctx);
    }
    AnyTimeline timeline(const intents::Configuration& c, const TimelineProviderContext& ctx) const {
        return timeline_(c, ctx);
    }
    /// The view of one entry (the widget's root, its link applied).
    ui::View content(const AnyEntry& entry) const { return content_(entry); }

private:
    std::string kind_;
    const intents::IntentDescriptor* intent_;
    Placeholder placeholder_;
    Snapshot snapshot_;
    TimelineFn timeline_;
    Content content_;
    std::string displayName_;
    std::string description_;
    std::vector<WidgetFamily> families_;
    bool contentMarginsDisabled_ = false;
};

/// Declares a widget configured by `Intent`. `Intent` offers
/// `static const intents::IntentDescriptor& descriptor()` and
/// `static Intent from(const intents::Configuration&)`; `provider` answers
/// `placeholder(ctx)`, `snapshot(intent, ctx)` and `timeline(intent, ctx)` with
/// entries that have a `date`; `content` maps such an entry to its view.
template <class Intent, class Provider, class ContentFn>
WidgetConfiguration AppIntentConfiguration(std::string kind, Provider provider, ContentFn content) {
    using Entry = decltype(provider.placeholder(std::declval<const TimelineProviderContext&>()));
    auto wrap = [](Entry e) { return AnyEntry{e.date, std::any(std::move(e))}; };
    return WidgetConfiguration(
        std::move(kind), Intent::descriptor(),
        [provider, wrap](const TimelineProviderContext& ctx) { return wrap(provider.placeholder(ctx)); },
        [provider, wrap](const intents::Configuration& c, const TimelineProviderContext& ctx) {
            return wrap(provider.snapshot(Intent::from(c), ctx));
        },
        [provider, wrap](const intents::Configuration& c, const TimelineProviderContext& ctx) {
            auto typed = provider.timeline(Intent::from(c), ctx);
            AnyTimeline out;
            out.policy = typed.policy;
            out.entries.reserve(typed.entries.size());
            for (auto& e : typed.entries) out.entries.push_back(wrap(std::move(e)));
            return out;
        },
        [content](const AnyEntry& any) { return content(std::any_cast<const Entry&>(any.entry)); });
}

} // namespace plyx::widgetkit
