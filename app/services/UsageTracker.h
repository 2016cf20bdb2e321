#pragma once
// Screen time: every 30 seconds the frontmost application is credited with
// the time since the previous sample in the shared usage log, and the
// screen-time widgets are reloaded at most every 300 seconds. The desktop
// host's widget windows never count as an application.
#include "platform/desktop/Desktop.h"
#include "platform/time/Date.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>

namespace plyx {

class UsageTracker : public QObject {
    Q_OBJECT
public:
    using Reload = std::function<void(const std::string& kind)>;

    /// Samples `desktop` (kept by the caller) and asks `reload` for widget reloads.
    UsageTracker(desktop::Desktop& desktop, Reload reload, QObject* parent = nullptr);

    /// The timer interval, and the time credited by the very first sample.
    static constexpr double sampleInterval = 30;
    /// Input older than this makes the user idle: nothing is credited.
    static constexpr double idleThreshold = 180;
    /// The most one sample credits (after a sleep, say).
    static constexpr double longestCredit = 60;
    /// The least time between two reloads of the screen-time widgets.
    static constexpr double reloadSpacing = 300;

    /// Starts the timer and samples at once; a second call does nothing.
    void start();
    /// One sample.
    void sample();

    const QTimer* timer() const { return timer_; }
    std::optional<Date> lastSample() const { return lastSample_; }

private:
    desktop::Desktop& desktop_;
    Reload reload_;
    QTimer* timer_ = nullptr;
    std::optional<Date> lastSample_;
    std::optional<Date> lastWidgetReload_;
    std::optional<std::string> lastApp_; // the application last credited
};

} // namespace plyx
