#pragma once
// The desktop's own settings for location access, where this desktop has a
// page for it: found by its desktop entry, started like any application.
#include <QStringList>

#include <filesystem>
#include <optional>
#include <vector>

namespace plyx::location {

/// The command line of the first location-settings entry found in
/// `folders` (the "applications" folders, most important first): its Exec
/// line split into words, without field codes. None when no desktop here
/// has such a page, or its entry is hidden or has no command.
std::optional<QStringList> locationSettingsCommand(const std::vector<std::filesystem::path>& folders);

/// Starts the desktop's location settings from the usual folders; false when
/// there are none or they could not be started.
bool openLocationSettings();

} // namespace plyx::location
