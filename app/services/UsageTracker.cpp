#include "app/services/UsageTracker.h"

#include "platform/time/Time.h"
#include "shared/identity/AppIdentity.h"
#include "shared/stores/UsageLog.h"

#include <QPointer>

#include <algorithm>
#include <array>

namespace plyx {

namespace {
constexpr const char* kUnknownApp = "Unknown";
constexpr std::array<const char*, 4> kScreenTimeKinds = {"plyx.screentime.total", "plyx.screentime.elapsed",
                                                         "plyx.screentime.apps", "plyx.screentime.weekly"};
} // namespace

UsageTracker::UsageTracker(desktop::Desktop& desktop, Reload reload, QObject* parent)
    : QObject(parent), desktop_(desktop), reload_(std::move(reload)) {}

void UsageTracker::start() {
    if (timer_) return;
    timer_ = new QTimer(this);
    timer_->setInterval(static_cast<int>(sampleInterval * 1000));
    connect(timer_, &QTimer::timeout, this, [this] {
        QMetaObject::invokeMethod(this, [this] { sample(); }, Qt::QueuedConnection);
    });
    timer_->start();
    sample();
}

void UsageTracker::sample() {
    const Date now = time::now();
    // Without an idle time the desktop cannot tell use from absence: the
    // sample is skipped, as with no frontmost application.
    const auto idle = desktop_.idleSeconds();
    if (!idle) return;
    if (*idle >= idleThreshold) {
        lastSample_ = now;
        return;
    }
    const auto front = desktop_.frontmostApplication();
    if (!front) return;
    // A click or drag on a desktop widget activates the host's window, but
    // the user is still in the application they were in: it keeps the time.
    // With none before it, the sample is skipped as with no application.
    const bool host = front->windowClass == AppIdentity::kHostWindowClass;
    if (host && !lastApp_) return;
    const std::string name = host ? *lastApp_ : front->localizedName.value_or(kUnknownApp);
    lastApp_ = name;

    // A clock set back gives a negative interval: nothing is credited for it.
    const double elapsed =
        lastSample_ ? std::clamp(now.sinceReferenceDate - lastSample_->sinceReferenceDate, 0.0, longestCredit) : sampleInterval;
    lastSample_ = now;
    if (elapsed > 0) UsageLog::add(elapsed, name, now);

    if (!lastWidgetReload_ || now.sinceReferenceDate - lastWidgetReload_->sinceReferenceDate > reloadSpacing) {
        lastWidgetReload_ = now;
        for (const char* kind : kScreenTimeKinds) reload_(kind);
    }
}

} // namespace plyx
