#include "shared/collectors/PeripheralBatteryPoller.h"

#include "platform/system/PeripheralBatteries.h"
#include "platform/widgetkit/WidgetCenter.h"
#include "shared/storage/SharedStorage.h"

#include <nlohmann/json.hpp>

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace plyx {

namespace {
constexpr const char* kKinds[] = {"plyx.battery.devices", "plyx.battery.ring", "plyx.battery.percent",
                                  "plyx.battery.log"};

std::string trimBlanks(const std::string& s) {
    const auto a = s.find_first_not_of(" \t");
    const auto b = s.find_last_not_of(" \t");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

const nlohmann::json* member(const nlohmann::json& object, const char* key) {
    const auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}
} // namespace

PeripheralBatteryPoller::Reader PeripheralBatteryPoller::upowerOn(std::function<QDBusConnection()> bus) {
    return [bus = std::move(bus)]() -> std::optional<nlohmann::json> {
        const auto batteries = system::readPeripheralBatteries(bus());
        if (!batteries) return std::nullopt;
        // UPower gives one level per device; it does not tell earbuds apart.
        auto connected = nlohmann::json::array();
        for (const auto& b : *batteries)
            connected.push_back({{b.name, {{"device_batteryLevel", std::llround(b.percentage)}}}});
        return nlohmann::json::array({{{"device_connected", connected}}});
    };
}

PeripheralBatteryPoller::Reader PeripheralBatteryPoller::upower() {
    return upowerOn([] { return QDBusConnection::systemBus(); });
}

PeripheralBatteryPoller& PeripheralBatteryPoller::shared() {
    static PeripheralBatteryPoller* instance = new PeripheralBatteryPoller;  // lives for the whole run
    return *instance;
}

PeripheralBatteryPoller::PeripheralBatteryPoller(Reader reader, QObject* parent)
    : QObject(parent), reader_(std::move(reader)) {}

void PeripheralBatteryPoller::start() {
    if (timer_) return;
    timer_ = new QTimer(this);
    timer_->setInterval(kInterval * 1000);
    connect(timer_, &QTimer::timeout, this, [this] { poll(); });
    timer_->start();
    poll();
}

void PeripheralBatteryPoller::poll() {
    if (polling_) return;
    polling_ = true;
    auto* watcher = new QFutureWatcher<std::optional<nlohmann::json>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] {
        watcher->deleteLater();
        finish(watcher->result());
    });
    auto future = QtConcurrent::run([reader = reader_] { return reader(); });
    watcher->setFuture(future);
}

void PeripheralBatteryPoller::finish(const std::optional<nlohmann::json>& sections) {
    polling_ = false;
    // A failed read keeps the stored list: the devices have not gone, we
    // just could not ask. A read that finds none stores an empty list. The
    // list is a fetched snapshot, and this is the main thread: a busy suite
    // is not waited for, the next poll stores it.
    if (sections) SharedStorage::writeIfFree(StorageKeys::btBatteries, devices(*sections));
    for (const char* kind : kKinds) widgetkit::WidgetCenter::reloadTimelines(kind);
    emit polled();
}

std::string PeripheralBatteryPoller::shortName(const std::string& key) {
    std::string name = key;
    for (const std::string owner : {"\u2019s ", "'s "}) {
        if (const auto at = name.find(owner); at != std::string::npos) name = name.substr(at + owner.size());
    }
    return trimBlanks(name);
}

std::optional<std::int64_t> PeripheralBatteryPoller::percent(const nlohmann::json* value) {
    if (!value) return std::nullopt;
    if (value->is_string()) {
        std::string text = value->get<std::string>();
        std::erase(text, '%');
        text = trimBlanks(text);
        std::string_view digits = text;
        if (!digits.empty() && digits[0] == '+') digits.remove_prefix(1);
        if (digits.empty() || (text[0] == '+' && digits[0] == '-')) return std::nullopt;
        std::int64_t n = 0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
        if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
        return n;
    }
    if (value->is_number_integer()) return value->get<std::int64_t>();
    if (value->is_number_float()) {
        const double d = value->get<double>();
        if (std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 9e18) return static_cast<std::int64_t>(d);
    }
    return std::nullopt;
}

std::vector<PowerSnapshot::Device> PeripheralBatteryPoller::devices(const nlohmann::json& sections) {
    std::vector<PowerSnapshot::Device> out;
    if (!sections.is_array()) return out;
    for (const auto& section : sections) {
        if (!section.is_object()) continue;
        const auto* connected = member(section, "device_connected");
        if (!connected || !connected->is_array()) continue;
        for (const auto& entry : *connected) {
            if (!entry.is_object()) continue;
            for (const auto& [key, props] : entry.items()) {
                if (!props.is_object()) continue;
                const std::string name = shortName(key);
                const auto left = percent(member(props, "device_batteryLevelLeft"));
                const auto right = percent(member(props, "device_batteryLevelRight"));
                auto single = percent(member(props, "device_batteryLevelMain"));
                if (!single) single = percent(member(props, "device_batteryLevel"));
                if (left && right) {
                    out.push_back({name, std::min(*left, *right)});
                    if (const auto box = percent(member(props, "device_batteryLevelCase"))) out.push_back({name + " Case", *box});
                } else if (single) {
                    out.push_back({name, *single});
                }
            }
        }
    }
    std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return out;
}

} // namespace plyx
