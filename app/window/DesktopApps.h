#pragma once
// The desktop's own weather, calendar and task applications, as the main
// window's links open them: located first, then opened without waiting.
// Tests hand the window a double.
#include "app/window/WindowLinks.h"

#include <memory>
#include <optional>
#include <string>

namespace plyx {

class DesktopApps {
public:
    virtual ~DesktopApps() = default;
    /// Where the application for `app` is installed; none when there is none.
    virtual std::optional<std::string> locate(WindowLinks::DesktopApp app) = 0;
    /// Starts the application `locate` found and returns at once.
    virtual void open(const std::string& location) = 0;

    /// The desktop's: for calendar the user's default application for
    /// calendar files, for reminders the default for task lists (else a
    /// known task application), for weather an installed weather
    /// application, each found by its desktop entry.
    static std::unique_ptr<DesktopApps> live();
};

} // namespace plyx
