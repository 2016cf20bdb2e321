#include "app/services/ServicePorts.h"

#include "platform/events/EventStoreObserver.h"
#include "platform/widgetkit/WidgetCenter.h"
#include "shared/sync/EventSync.h"

namespace plyx {

ServicePorts ServicePorts::live() {
    ServicePorts p;
    p.authorizationStatus = &EventSync::authorizationStatus;
    p.readReminders = &EventSync::readReminders;
    p.storeReminders = &EventSync::storeReminders;
    p.readCalendar = &EventSync::readCalendar;
    p.storeCalendar = &EventSync::storeCalendar;
    p.requestRemindersAccess = &EventSync::requestRemindersAccess;
    p.requestCalendarAccess = &EventSync::requestCalendarAccess;
    p.observeEventStore = [](QObject* owner, std::function<void()> onChange) {
        auto* observer = new events::EventStoreObserver(EventSync::sources(), 500, owner);
        QObject::connect(observer, &events::EventStoreObserver::storeChanged, owner, std::move(onChange));
    };
    p.reloadTimelines = [](const std::string& kind) { widgetkit::WidgetCenter::reloadTimelines(kind); };
    p.reloadAllTimelines = [] { widgetkit::WidgetCenter::reloadAllTimelines(); };
    return p;
}

} // namespace plyx
