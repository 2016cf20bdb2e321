#pragma once
// The reload after an interactive intent changed shared data: the widgets of
// the kinds that show the change get new timelines, and a running application
// hears that shared data changed (it then reloads every timeline).
#include <string>
#include <vector>

namespace plyx {

/// Posted after every reload of kinds, immediately and with nothing attached.
inline constexpr const char* kReloadWidgetsNotification = "com.zelvanedesigns.plyx.reloadwidgets";

/// Reloads the timelines of each kind, in order, then posts the reload
/// notification, always (also for no kinds).
void reloadKinds(const std::vector<std::string>& kinds);

} // namespace plyx
