#pragma once
// Asking the user where their calendars are, when access is requested and
// none of the usual places holds any: a calendar folder or an ".ics" file.
// The answer is stored with the sources, so later starts do not ask again;
// cancelling refuses access.
#include "platform/events/EventTypes.h"

#include <filesystem>
#include <functional>
#include <optional>

namespace plyx {

/// Shows the question for items of `type`; the chosen folder or file, none
/// when the user cancels.
using SourceDialog = std::function<std::optional<std::filesystem::path>(events::EntityType type)>;

/// The desktop's dialogs: which kind of source, then a folder or file picker.
std::optional<std::filesystem::path> chooseSourceWithDialogs(events::EntityType type);

/// Makes `dialog` the one the access requests ask. The requests run on a
/// worker thread; the dialog runs on the main thread while the request waits.
void installSourceChooser(SourceDialog dialog = chooseSourceWithDialogs);

} // namespace plyx
