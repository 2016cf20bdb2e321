#pragma once
// The system group: the system monitor, network and storage widgets, each on
// the local provider, fed by the live readings of this computer.
#include "widgets/timelines/DeclareWidget.h"

#include <vector>

namespace plyx {

//                                        kind                   display name  description                              family   tone
inline constexpr WidgetRow SystemWidget {"plyx.system.monitor", "System",     "CPU, memory and GPU load.",              kMedium, kDark};
inline constexpr WidgetRow NetworkWidget{"plyx.system.network", "Network",    "Average throughput since last refresh.", kSmall,  kLight};
inline constexpr WidgetRow StorageWidget{"plyx.system.storage", "Storage",    "Disk used, as a ring.",                  kSmall,  kDark};

/// The three widgets, each with its provider and view, in the rows' order.
std::vector<DeclaredWidget> systemWidgets();

} // namespace plyx
