#include "platform/events/EventSources.h"

#include "platform/events/EventStore.h"
#include "platform/events/ICalFile.h"
#include "platform/coding/Coding.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>

namespace plyx::events {

namespace fs = std::filesystem;

namespace {

SourceAsker& asker() {
    static SourceAsker a;
    return a;
}

fs::path home() {
    const char* h = std::getenv("HOME");
    return h && *h ? fs::path(h) : fs::path();
}

fs::path dataHome() {
    const char* x = std::getenv("XDG_DATA_HOME");
    if (x && *x && fs::path(x).is_absolute()) return x;
    return home() / ".local" / "share";
}

} // namespace

std::vector<fs::path> configuredSources(const store::Defaults& suite) {
    std::vector<fs::path> out;
    const auto text = suite.data(kSourcesKey);
    if (!text) return out;
    const auto j = coding::parse(*text);
    if (!j || !j->is_array()) return out;
    for (const auto& e : *j)
        if (e.is_string() && !e.get_ref<const std::string&>().empty()) out.emplace_back(e.get<std::string>());
    return out;
}

void setConfiguredSources(store::Defaults& suite, const std::vector<fs::path>& sources) {
    if (sources.empty()) {
        suite.remove(kSourcesKey);
        return;
    }
    nlohmann::json j = nlohmann::json::array();
    for (const auto& s : sources) j.push_back(s.string());
    suite.setData(kSourcesKey, j.dump());
}

std::vector<fs::path> usualSources() {
    const fs::path data = dataHome();
    const std::vector<fs::path> candidates{
        home() / ".calendars",
        data / "calendars",
        data / "evolution" / "calendar" / "system" / "calendar.ics",
        data / "evolution" / "tasks" / "system" / "tasks.ics",
    };
    std::vector<fs::path> out;
    for (const auto& c : candidates)
        if (!home().empty() && detail::isReadable(c)) out.push_back(c);
    return out;
}

void setSourceAsker(SourceAsker a) { asker() = std::move(a); }

bool requestFullAccess(EntityType type, store::Defaults& suite) {
    const auto configured = configuredSources(suite);
    if (EventStore::authorizationStatus(type, configured) == AuthorizationStatus::fullAccess) return true;

    std::vector<fs::path> sources;
    auto add = [&sources](const fs::path& p) {
        if (detail::isReadable(p) && std::find(sources.begin(), sources.end(), p) == sources.end())
            sources.push_back(p);
    };
    for (const auto& s : configured) add(s);
    for (const auto& s : usualSources()) add(s);
    if (sources.empty()) {
        if (const SourceAsker& ask = asker())
            if (auto chosen = ask(type)) {
                std::error_code ec;
                const fs::path full = fs::absolute(*chosen, ec);
                if (!ec) add(full);
            }
    }
    if (sources.empty()) return false;
    setConfiguredSources(suite, sources);
    return EventStore::authorizationStatus(type, sources) == AuthorizationStatus::fullAccess;
}

} // namespace plyx::events
