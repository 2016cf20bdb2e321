#pragma once
// What the connect banners read and ask: the reminders and calendar access
// flags, whether the user's location is stored, and the three requests.
// The application hands in the services hub; tests a double.
#include <QObject>

#include <functional>
#include <memory>

namespace plyx {

class AppServices;

class ConnectSources : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual bool remindersConnected() const = 0;
    virtual bool calendarConnected() const = 0;
    /// Whether a place for the user's location is stored; read afresh each call.
    virtual bool hasMyLocation() const = 0;
    /// Each starts its request and returns at once.
    virtual void connectReminders() = 0;
    virtual void connectCalendar() = 0;
    virtual void requestLocation() = 0;

    /// The services hub's flags and connect operations, the stored location,
    /// and `requestLocation` for the location request (nothing happens
    /// without one).
    static std::unique_ptr<ConnectSources> live(AppServices& services, std::function<void()> requestLocation);

signals:
    /// A flag changed.
    void changed();
};

} // namespace plyx
