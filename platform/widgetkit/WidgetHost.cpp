#include "platform/widgetkit/WidgetHost.h"

#include <QtConcurrent/QtConcurrentRun>

namespace plyx::widgetkit {

const char* modeName(RequestMode mode) {
    switch (mode) {
    case RequestMode::placeholder: return "placeholder";
    case RequestMode::snapshot: return "snapshot";
    case RequestMode::preview: return "preview";
    case RequestMode::timeline: return "timeline";
    }
    return "";
}

std::optional<RequestMode> modeNamed(const std::string& name) {
    for (auto m : {RequestMode::placeholder, RequestMode::snapshot, RequestMode::preview, RequestMode::timeline})
        if (name == modeName(m)) return m;
    return std::nullopt;
}

ProviderAnswer request(const WidgetConfiguration& widget, RequestMode mode, const intents::Configuration& config,
                       TimelineProviderContext ctx) {
    ctx.isPreview = mode == RequestMode::preview;
    ProviderAnswer answer;
    switch (mode) {
    case RequestMode::placeholder: answer.entries.push_back(widget.placeholder(ctx)); break;
    case RequestMode::snapshot:
    case RequestMode::preview: answer.entries.push_back(widget.snapshot(config, ctx)); break;
    case RequestMode::timeline: {
        auto timeline = widget.timeline(config, ctx);
        answer.entries = std::move(timeline.entries);
        answer.policy = timeline.policy;
        break;
    }
    }
    return answer;
}

QFuture<ProviderAnswer> requestAsync(const WidgetConfiguration& widget, RequestMode mode,
                                     const intents::Configuration& config, TimelineProviderContext ctx) {
    return QtConcurrent::run([widget, mode, config, ctx] { return request(widget, mode, config, ctx); });
}

std::optional<AnyEntry> currentEntry(const ProviderAnswer& answer, Date now) {
    if (answer.entries.empty()) return std::nullopt;
    const AnyEntry* chosen = &answer.entries.front();
    for (const auto& e : answer.entries)
        if (e.date <= now) chosen = &e;
    return *chosen;
}

ui::RenderResult renderEntry(const WidgetConfiguration& widget, const AnyEntry& entry, ui::Size size,
                             double devicePixelRatio, const ui::Environment& env, QImage reuse) {
    return ui::render(widget.content(entry), size, devicePixelRatio, env, std::move(reuse));
}

} // namespace plyx::widgetkit
