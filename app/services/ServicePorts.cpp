#include "app/services/ServicePorts.h"

#include "platform/events/EventStoreObserver.h"
#include "platform/widgetkit/WidgetCenter.h"
#include "shared/sync/EventSync.h"

#include <QPointer>

#include <memory>

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
    auto observer = std::make_shared<QPointer<events::EventStoreObserver>>();
    p.observeEventStore = [observer](QObject* owner, std::function<void()> onChange) {
        *observer = new events::EventStoreObserver(&EventSync::sources, 500, owner);
        QObject::connect(*observer, &events::EventStoreObserver::storeChanged, owner, std::move(onChange));
    };
    p.refreshEventStoreWatch = [observer] {
        if (*observer) (*observer)->refreshSources();
    };
    p.reloadTimelines = [](const std::string& kind) { widgetkit::WidgetCenter::reloadTimelines(kind); };
    p.reloadAllTimelines = [] { widgetkit::WidgetCenter::reloadAllTimelines(); };
    return p;
}

} // namespace plyx
