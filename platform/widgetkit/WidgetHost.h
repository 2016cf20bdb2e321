#pragma once
// Driving one widget the way the system's host does: ask its provider for an
// entry on a worker thread, then draw the entry on the painting thread.
#include "platform/intents/Intent.h"
#include "platform/ui/View.h"
#include "platform/widgetkit/WidgetConfiguration.h"

#include <QFuture>

#include <optional>
#include <string>

namespace plyx::widgetkit {

/// Which of the provider's answers to ask for.
enum class RequestMode {
    placeholder,  // the placeholder, before any data is known
    snapshot,     // a snapshot for a placed widget
    preview,      // a snapshot in a gallery (`isPreview` set)
    timeline,     // a live timeline
};

/// "placeholder", "snapshot", "preview" or "timeline".
const char* modeName(RequestMode mode);
std::optional<RequestMode> modeNamed(const std::string& name);

/// The provider's answer: one entry (placeholder, snapshots) or a timeline,
/// with its reload policy (none for placeholders and snapshots).
struct ProviderAnswer {
    std::vector<AnyEntry> entries;
    std::optional<TimelineReloadPolicy> policy;
};

/// Asks `widget`'s provider on the calling thread. In preview mode the
/// context's `isPreview` is set; otherwise it is cleared.
ProviderAnswer request(const WidgetConfiguration& widget, RequestMode mode, const intents::Configuration& config,
                       TimelineProviderContext ctx);

/// As `request`, on a worker thread of the global pool. `widget` and
/// `config` are copied, so the caller may drop them.
QFuture<ProviderAnswer> requestAsync(const WidgetConfiguration& widget, RequestMode mode,
                                     const intents::Configuration& config, TimelineProviderContext ctx);

/// The entry whose time has come at `now`: the last one dated at or before
/// it, else the first. Nothing when there are no entries.
std::optional<AnyEntry> currentEntry(const ProviderAnswer& answer, Date now);

/// Draws `entry` at `size` points and `devicePixelRatio`. Call it on the
/// thread that paints. A host that redraws one widget hands back its last
/// image as `reuse` (see ui::render).
ui::RenderResult renderEntry(const WidgetConfiguration& widget, const AnyEntry& entry, ui::Size size,
                             double devicePixelRatio, const ui::Environment& env, QImage reuse = {});

} // namespace plyx::widgetkit
