#include "app/window/gallerykit/ConnectSources.h"

#include "app/services/AppServices.h"
#include "shared/sources/DefaultPlace.h"

namespace plyx {

namespace {

class LiveConnectSources : public ConnectSources {
public:
    LiveConnectSources(AppServices& services, std::function<void()> requestLocation)
        : services_(services), requestLocation_(std::move(requestLocation)) {
        connect(&services_, &AppServices::remindersConnectedChanged, this, &ConnectSources::changed);
        connect(&services_, &AppServices::calendarConnectedChanged, this, &ConnectSources::changed);
    }
    bool remindersConnected() const override { return services_.remindersConnected(); }
    bool calendarConnected() const override { return services_.calendarConnected(); }
    bool hasMyLocation() const override { return WeatherProvider::myLocation().has_value(); }
    void connectReminders() override { services_.connectReminders(); }
    void connectCalendar() override { services_.connectCalendar(); }
    void requestLocation() override {
        if (requestLocation_) requestLocation_();
    }

private:
    AppServices& services_;
    std::function<void()> requestLocation_;
};

} // namespace

std::unique_ptr<ConnectSources> ConnectSources::live(AppServices& services, std::function<void()> requestLocation) {
    return std::make_unique<LiveConnectSources>(services, std::move(requestLocation));
}

} // namespace plyx
