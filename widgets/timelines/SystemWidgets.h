#pragma once
// The system group: the system monitor, network and storage widgets, each on
// the local provider, fed by the live readings of this computer.
#include "platform/widgetkit/WidgetFamily.h"
#include "shared/foundation/WidgetPalette.h"
#include "shared/models/NetworkSnapshot.h"
#include "shared/models/StorageSnapshot.h"
#include "shared/models/SystemSnapshot.h"
#include "widgets/timelines/DeclaredWidget.h"
#include "widgets/timelines/LocalProvider.h"

#include <optional>

namespace plyx {

struct SystemWidget {
    static constexpr const char* kind = "plyx.system.monitor";
    static constexpr const char* displayName = "System";
    static constexpr const char* description = "CPU, memory and GPU load.";
    static constexpr widgetkit::WidgetFamily family = widgetkit::WidgetFamily::systemMedium;
    static constexpr WidgetPalette::Tone tone = WidgetPalette::Tone::dark;
    static constexpr ui::Size designSize{344, 160};

    /// Processor and memory load (0 when unreadable) and the graphics load if known.
    static SystemSnapshot live();
    static LocalProvider<SystemSnapshot> provider();
    static widgetkit::WidgetConfiguration body();
    static DeclaredWidget declaration();
};

struct NetworkWidget {
    static constexpr const char* kind = "plyx.system.network";
    static constexpr const char* displayName = "Network";
    static constexpr const char* description = "Average throughput since last refresh.";
    static constexpr widgetkit::WidgetFamily family = widgetkit::WidgetFamily::systemSmall;
    static constexpr WidgetPalette::Tone tone = WidgetPalette::Tone::light;
    static constexpr ui::Size designSize{160, 160};

    /// The average throughput since the previous reading; nothing when none can be formed.
    static std::optional<NetworkSnapshot> live();
    static LocalProvider<std::optional<NetworkSnapshot>> provider();
    static widgetkit::WidgetConfiguration body();
    static DeclaredWidget declaration();
};

struct StorageWidget {
    static constexpr const char* kind = "plyx.system.storage";
    static constexpr const char* displayName = "Storage";
    static constexpr const char* description = "Disk used, as a ring.";
    static constexpr widgetkit::WidgetFamily family = widgetkit::WidgetFamily::systemSmall;
    static constexpr WidgetPalette::Tone tone = WidgetPalette::Tone::dark;
    static constexpr ui::Size designSize{160, 160};

    /// The home volume's use; the sample's 721 of 1000 when it cannot be read.
    static StorageSnapshot live();
    static LocalProvider<StorageSnapshot> provider();
    static widgetkit::WidgetConfiguration body();
    static DeclaredWidget declaration();
};

} // namespace plyx
