#include "platform/intents/Entity.h"
#include "platform/time/Time.h"
#include "platform/time/ZoneList.h"
#include "shared/intents/ClockConfigIntent.h"
#include "shared/intents/DualClockConfigIntent.h"
#include "shared/intents/TimeZoneQuery.h"
#include "shared/intents/WorldClockConfigIntent.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace plyx {
namespace {

struct ZoneGuard {
    explicit ZoneGuard(const std::string& zone) { time::setCurrentZone(zone); }
    ~ZoneGuard() {
        time::setCurrentZone("UTC");
        time::setCurrentLocale("en_US");
    }
};

std::vector<std::string> ids(const std::vector<TimeZoneEntity>& entities) {
    std::vector<std::string> out;
    for (const auto& e : entities) out.push_back(e.id);
    return out;
}

TEST(TimeZoneEntity, CityNameIsTheLastPieceWithBlanks) {
    const std::pair<const char*, const char*> cases[] = {
        {"America/Los_Angeles", "Los Angeles"},
        {"America/Argentina/Buenos_Aires", "Buenos Aires"},
        {"Asia/Tokyo", "Tokyo"},
        {"UTC", "UTC"},
        {"Etc/GMT+5", "GMT+5"},
        {"Mars/Olympus_Mons", "Olympus Mons"},
        {"America/New_York/", "New York"},
        {"No_Slash_Here", "No Slash Here"},
        {"", ""},
        {"//", "//"},
    };
    for (const auto& [id, name] : cases) {
        EXPECT_EQ(TimeZoneEntity::cityName(id), name) << id;
        EXPECT_EQ(TimeZoneEntity{id}.displayTitle(), name) << id;
    }
}

TEST(TimeZoneQuery, SuggestionsLedByACurrentZoneOutsideThem) {
    const std::vector<std::string> listed(TimeZoneEntity::suggestions.begin(), TimeZoneEntity::suggestions.end());
    ASSERT_EQ(listed.size(), 20u);
    EXPECT_EQ(listed.front(), "Europe/London");
    EXPECT_EQ(listed[14], "Asia/Kolkata");
    EXPECT_EQ(listed.back(), "America/Toronto");
    for (const auto& id : listed) EXPECT_TRUE(time::isKnownZone(id)) << id;
    {
        ZoneGuard zone("Europe/London");
        EXPECT_EQ(ids(TimeZoneQuery{}.suggestedEntities()), listed);
        EXPECT_EQ(ids(TimeZoneQuery{}.results()), listed);
    }
    {
        ZoneGuard zone("Asia/Tokyo");
        EXPECT_EQ(ids(TimeZoneQuery{}.suggestedEntities()), listed);
    }
    {
        ZoneGuard zone("Europe/Oslo");
        auto want = listed;
        want.insert(want.begin(), "Europe/Oslo");
        EXPECT_EQ(ids(TimeZoneQuery{}.suggestedEntities()), want);
        ASSERT_TRUE(TimeZoneQuery{}.defaultResult());
        EXPECT_EQ(TimeZoneQuery{}.defaultResult()->id, "Europe/Oslo");
    }
}

TEST(TimeZoneQuery, SearchesCityNamesOnly) {
    ZoneGuard zone("UTC");
    EXPECT_EQ(ids(TimeZoneQuery{}.entitiesMatching("york")), std::vector<std::string>{"America/New_York"});
    EXPECT_EQ(ids(TimeZoneQuery{}.entitiesMatching("NEW YORK")), std::vector<std::string>{"America/New_York"});
    EXPECT_EQ(ids(TimeZoneQuery{}.entitiesMatching("los ang")), std::vector<std::string>{"America/Los_Angeles"});
    // The region part is never searched, and nothing matches nothing.
    EXPECT_TRUE(TimeZoneQuery{}.entitiesMatching("Australia").empty());
    EXPECT_TRUE(TimeZoneQuery{}.entitiesMatching("America/New").empty());
    EXPECT_TRUE(TimeZoneQuery{}.entitiesMatching("").empty());
    EXPECT_TRUE(TimeZoneQuery{}.entitiesMatching("Atlantis").empty());

    // More than twelve matches: the first twelve, in the system's order.
    std::vector<std::string> all;
    for (const auto& id : time::knownZoneIdentifiers())
        if (TimeZoneEntity::cityName(id).find('a') != std::string::npos ||
            TimeZoneEntity::cityName(id).find('A') != std::string::npos)
            all.push_back(id);
    ASSERT_GT(all.size(), 12u);
    all.resize(12);
    EXPECT_EQ(ids(TimeZoneQuery{}.entitiesMatching("a")), all);
}

TEST(TimeZoneQuery, EntitiesForKeepEveryIdentifierAsGiven) {
    EXPECT_EQ(ids(TimeZoneQuery{}.entitiesFor({"Asia/Tokyo", "Mars/Olympus", "", "Asia/Tokyo"})),
              (std::vector<std::string>{"Asia/Tokyo", "Mars/Olympus", "", "Asia/Tokyo"}));
    EXPECT_EQ(TimeZoneQuery{}.entitiesFor({"Mars/Olympus"})[0].displayTitle(), "Olympus");
}

TEST(ClockIntents, ZonesFallBackToTheCurrentZoneOrTheSlotsDefault) {
    ZoneGuard zone("Europe/Berlin");
    const std::optional<TimeZoneEntity> none;
    const std::optional<TimeZoneEntity> paris = TimeZoneEntity{"Europe/Paris"};
    const std::optional<TimeZoneEntity> unknown = TimeZoneEntity{"Mars/Olympus"};
    const std::optional<TimeZoneEntity> icuUnknown = TimeZoneEntity{"Etc/Unknown"};

    EXPECT_EQ(ClockConfigIntent{}.timeZone(), "Europe/Berlin");
    EXPECT_EQ((ClockConfigIntent{paris}.timeZone()), "Europe/Paris");
    EXPECT_EQ((ClockConfigIntent{unknown}.timeZone()), "Europe/Berlin");
    EXPECT_EQ((ClockConfigIntent{icuUnknown}.timeZone()), "Europe/Berlin");

    struct Case {
        std::optional<TimeZoneEntity> c1, c2, c3;
        std::vector<std::string> zones;
    };
    const Case cases[] = {
        {none, none, none, {"Europe/Berlin", "America/New_York", "Asia/Tokyo"}},
        {paris, paris, paris, {"Europe/Paris", "Europe/Paris", "Europe/Paris"}},
        // A set city the system does not know gives the current zone, not the slot's default.
        {none, unknown, none, {"Europe/Berlin", "Europe/Berlin", "Asia/Tokyo"}},
        {unknown, none, icuUnknown, {"Europe/Berlin", "America/New_York", "Europe/Berlin"}},
    };
    for (const auto& c : cases) {
        WorldClockConfigIntent intent;
        intent.city1 = c.c1;
        intent.city2 = c.c2;
        intent.city3 = c.c3;
        EXPECT_EQ(intent.zones(), c.zones);
    }
    // Computed afresh: an unconfigured clock follows the current zone.
    time::setCurrentZone("Asia/Kolkata");
    EXPECT_EQ(ClockConfigIntent{}.timeZone(), "Asia/Kolkata");
    EXPECT_EQ(WorldClockConfigIntent{}.zones()[0], "Asia/Kolkata");
}

TEST(ClockIntents, ParametersAndStoredConfigurations) {
    struct Want {
        const intents::IntentDescriptor& d;
        const char* title;
        std::vector<std::pair<std::string, std::string>> parameters;
    };
    const Want wants[] = {
        {ClockConfigIntent::descriptor(), "Clock Options", {{"city", "City"}, {"surface", "Background"}}},
        {WorldClockConfigIntent::descriptor(),
         "World Clock Options",
         {{"city1", "City 1"}, {"city2", "City 2"}, {"city3", "City 3"}, {"surface", "Background"}}},
        {DualClockConfigIntent::descriptor(), "Dual Time Options", {{"home", "Home"}, {"away", "Away"}, {"surface", "Background"}}},
    };
    for (const auto& w : wants) {
        EXPECT_EQ(w.d.title, w.title);
        ASSERT_EQ(w.d.parameters.size(), w.parameters.size());
        for (size_t i = 0; i < w.parameters.size(); ++i) {
            const auto& p = w.d.parameters[i];
            EXPECT_EQ(p.key, w.parameters[i].first);
            EXPECT_EQ(p.title, w.parameters[i].second);
            const bool city = p.key != "surface";
            EXPECT_EQ(p.kind, city ? intents::ParameterKind::entity : intents::ParameterKind::enumeration);
            EXPECT_EQ(p.typeTitle, city ? "City" : "Background");
            EXPECT_EQ(p.optional, city);
            EXPECT_EQ(p.defaultValue, city ? intents::Json(nullptr) : intents::Json("followApp"));
            EXPECT_EQ(p.query != nullptr, city);
        }
    }

    // The dialog finds cities through the parameter's query: titled by their city names.
    ZoneGuard zone("Europe/Oslo");
    const auto& query = *ClockConfigIntent::descriptor().parameters[0].query;
    using Display = intents::EntityDisplay;
    EXPECT_EQ(query.typeDisplayName(), "City");
    EXPECT_EQ(query.entitiesMatching("york"), (std::vector<Display>{{"America/New_York", "New York"}}));
    EXPECT_EQ(query.entitiesFor({"Mars/Olympus"}), (std::vector<Display>{{"Mars/Olympus", "Olympus"}}));
    EXPECT_EQ(query.defaultResult(), (Display{"Europe/Oslo", "Oslo"}));
    const auto offered = query.suggestedEntities();
    ASSERT_EQ(offered.size(), 21u);
    EXPECT_EQ(offered[0], (Display{"Europe/Oslo", "Oslo"}));
    EXPECT_EQ(offered[3], (Display{"America/Los_Angeles", "Los Angeles"}));

    // As stored: a city that names no zone is kept (a new one is refused when given).
    const auto world = WorldClockConfigIntent::from(*intents::Configuration::make(
        WorldClockConfigIntent::descriptor(), intents::Json::parse(R"({"city2":"Mars/Olympus","surface":"glass"})")));
    EXPECT_FALSE(world.city1);
    ASSERT_TRUE(world.city2);
    EXPECT_EQ(world.city2->id, "Mars/Olympus"); // kept as stored
    EXPECT_EQ(world.surface, SurfaceOption::glass);

    const auto dual = DualClockConfigIntent::from(
        *intents::Configuration::parse(DualClockConfigIntent::descriptor(), R"({"away":"Asia/Tokyo"})"));
    EXPECT_FALSE(dual.home);
    EXPECT_EQ(dual.away, (std::optional<TimeZoneEntity>{TimeZoneEntity{"Asia/Tokyo"}}));
    EXPECT_EQ(dual.surface, SurfaceOption::followApp);

    const auto fresh = ClockConfigIntent::from(intents::Configuration::defaults(ClockConfigIntent::descriptor()));
    EXPECT_EQ(fresh, ClockConfigIntent{});
    EXPECT_FALSE(intents::Configuration::parse(ClockConfigIntent::descriptor(), R"({"city":3})"));
}

} // namespace
} // namespace plyx
