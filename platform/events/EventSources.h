#pragma once
// Which calendar sources the user has given us, kept in a defaults suite
// both programs share, and asking for them. Access here is the sources
// themselves: granting access means naming readable sources.
#include "platform/events/EventTypes.h"
#include "platform/store/Defaults.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace plyx::events {

/// The key that holds the sources: a JSON array of absolute paths.
inline constexpr const char* kSourcesKey = "plyx.events.sources.v1";

/// The configured sources; empty when none are stored or the value is unreadable.
std::vector<std::filesystem::path> configuredSources(const store::Defaults& suite);
/// Stores `sources` (an empty list removes the key).
void setConfiguredSources(store::Defaults& suite, const std::vector<std::filesystem::path>& sources);

/// The places where Linux calendar tools usually keep local data, that exist
/// and can be read now: the vdir folders "~/.calendars" and
/// "$XDG_DATA_HOME/calendars", and the local calendar and task files of the
/// desktop's personal-information manager under "$XDG_DATA_HOME/evolution".
std::vector<std::filesystem::path> usualSources();

/// Asks the user to choose a folder or file holding items of `type`; none
/// when the user declines. The application installs one with its windows.
using SourceAsker = std::function<std::optional<std::filesystem::path>(EntityType type)>;
/// Installs the asker, once at start before any request runs; an empty
/// function removes it (no one to ask).
void setSourceAsker(SourceAsker asker);

/// Requests full access to `type`: keeps the configured sources that can
/// still be read, adds the usual places, and only when that leaves none asks
/// the user. Stores the outcome when it gives readable sources. Returns
/// whether access is now full.
bool requestFullAccess(EntityType type, store::Defaults& suite);

} // namespace plyx::events
