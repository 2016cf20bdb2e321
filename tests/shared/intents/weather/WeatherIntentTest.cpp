#include "platform/time/Time.h"
#include "shared/intents/WeatherConfigIntent.h"
#include "shared/intents/WeatherPlaceQuery.h"
#include "shared/sources/DefaultPlace.h"
#include "tests/support/http/WebSourcesTest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace plyx {
namespace {

using WeatherProvider::Place;
using test::HttpServer;

const Place kLondon{"London", 51.5072, -0.1276};

TEST(WeatherPlaceEntity, EncodesEachCoordinateInItsShortestExactText) {
    const std::pair<Place, const char*> cases[] = {
        {{"New York", 40.7128, -74.006}, "New York|40.7128|-74.006"},
        {{"Berlin", 52, 13}, "Berlin|52.0|13.0"},
        {{"Null Island", 0, -0.0}, "Null Island|0.0|-0.0"},
        {{"Sum", 0.1 + 0.2, 1e-7}, "Sum|0.30000000000000004|1e-07"},
        {{"Paris, FR", 48.85341, 2.3488}, "Paris, FR|48.85341|2.3488"},
    };
    for (const auto& [place, id] : cases) {
        SCOPED_TRACE(id);
        const auto entity = WeatherPlaceEntity::of(place);
        EXPECT_EQ(entity.id, id);
        const auto back = entity.place();
        EXPECT_EQ(back.name, place.name);
        // The same doubles, bit for bit (the sign of zero included).
        EXPECT_EQ(std::signbit(back.latitude), std::signbit(place.latitude));
        EXPECT_EQ(back.latitude, place.latitude);
        EXPECT_EQ(back.longitude, place.longitude);
        EXPECT_EQ(entity.displayTitle(), place.name);
    }
    EXPECT_STREQ(WeatherPlaceEntity::typeDisplayName, "Place");
}

TEST(WeatherPlaceEntity, DecodesFromTheRightAndFallsBackToLondon) {
    const std::pair<const char*, Place> cases[] = {
        // Plain identifiers, also with empty pieces, read as they always have.
        {"Oslo|59.9139|10.7522", {"Oslo", 59.9139, 10.7522}},
        {"|Oslo||59.9139|10.7522|", {"Oslo", 59.9139, 10.7522}},
        {"Oslo|+59.5|1e1", {"Oslo", 59.5, 10}},
        // A name holding the separator keeps it, instead of becoming London.
        {"Bar | Grill, US|40.5|-74.25", {"Bar | Grill, US", 40.5, -74.25}},
        {"A|B|C|1.0|2.0", {"A|B|C", 1, 2}},
        // Unreadable: London at its own coordinates.
        {"", kLondon},
        {"Oslo", kLondon},
        {"Oslo|59.9", kLondon},
        {"|59.9|10.7", kLondon},
        {"Oslo|north|10.7", kLondon},
        {"Oslo|59.9|east", kLondon},
        {"Oslo|59.9|10.7x", kLondon},
        {"Oslo| 59.9|10.7", kLondon},
        {"Oslo|nan|10.7", kLondon},
        {"Oslo|59.9|inf", kLondon},
        {"Oslo|1e999|10.7", kLondon},
    };
    for (const auto& [id, place] : cases) {
        SCOPED_TRACE(id);
        const WeatherPlaceEntity entity{id};
        EXPECT_EQ(entity.place(), place);
        EXPECT_EQ(entity.displayTitle(), place.name);
    }
    // A name with the separator survives the whole round trip.
    const Place odd{"Pipe|Town", -1.25, 36.75};
    EXPECT_EQ(WeatherPlaceEntity::of(odd).place(), odd);
}

TEST(TempUnitOption, CasesInSheetOrder) {
    const std::tuple<TempUnitOption, const char*, const char*> rows[] = {
        {TempUnitOption::system, "system", "Follow system"},
        {TempUnitOption::celsius, "celsius", "Celsius"},
        {TempUnitOption::fahrenheit, "fahrenheit", "Fahrenheit"},
    };
    ASSERT_EQ(TempUnitOptionInfo::allCases.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const auto& [option, raw, title] = rows[i];
        EXPECT_EQ(TempUnitOptionInfo::allCases[i], option);
        EXPECT_EQ(TempUnitOptionInfo::rawValue(option), raw);
        EXPECT_EQ(TempUnitOptionInfo::displayText(option), title);
        EXPECT_EQ(TempUnitOptionInfo::fromRawValue(raw), option);
    }
    EXPECT_EQ(TempUnitOptionInfo::fromRawValue("Celsius"), std::nullopt);
    EXPECT_EQ(TempUnitOptionInfo::fromRawValue(""), std::nullopt);
    EXPECT_STREQ(TempUnitOptionInfo::typeDisplayText, "Units");
}

TEST(WeatherConfigIntent, ParametersDefaultsAndConfiguredValues) {
    const auto& d = WeatherConfigIntent::descriptor();
    EXPECT_EQ(d.type, "WeatherConfigIntent");
    EXPECT_EQ(d.title, "Weather Options");
    ASSERT_EQ(d.parameters.size(), 3u);
    const auto& [place, unit, surface] = std::tie(d.parameters[0], d.parameters[1], d.parameters[2]);
    EXPECT_EQ(place.key, "place");
    EXPECT_EQ(place.title, "Place");
    EXPECT_EQ(place.kind, intents::ParameterKind::entity);
    EXPECT_TRUE(place.optional);
    EXPECT_TRUE(place.defaultValue.is_null());
    EXPECT_EQ(unit.key, "unit");
    EXPECT_EQ(unit.title, "Units");
    EXPECT_EQ(unit.defaultValue, "system");
    ASSERT_EQ(unit.cases.size(), 3u);
    EXPECT_EQ(unit.cases[2].raw, "fahrenheit");
    EXPECT_EQ(unit.cases[0].title, "Follow system");
    EXPECT_EQ(surface.key, "surface");
    EXPECT_EQ(surface.title, "Background");
    EXPECT_EQ(surface.defaultValue, "followApp");
    EXPECT_EQ(surface.cases.size(), 4u);

    const auto fresh = WeatherConfigIntent::from(intents::Configuration::defaults(d));
    EXPECT_EQ(fresh.place, std::nullopt);
    EXPECT_EQ(fresh.unit, TempUnitOption::system);
    EXPECT_EQ(fresh.surface, SurfaceOption::followApp);

    const auto set = WeatherConfigIntent::from(
        *intents::Configuration::parse(d, R"({"place":"Oslo|59.9|10.7","unit":"celsius","surface":"glass"})"));
    ASSERT_TRUE(set.place);
    EXPECT_EQ(set.place->place(), (Place{"Oslo", 59.9, 10.7}));
    EXPECT_EQ(set.unit, TempUnitOption::celsius);
    EXPECT_EQ(set.surface, SurfaceOption::glass);

    // The bag refuses what the parameters cannot hold.
    EXPECT_FALSE(intents::Configuration::parse(d, R"({"unit":"kelvin"})"));
    EXPECT_FALSE(intents::Configuration::parse(d, R"({"place":12})"));
    EXPECT_TRUE(intents::Configuration::parse(d, R"({"place":null})"));
}

TEST(WeatherConfigIntent, LocalizedConvertsForFahrenheitAndForUSLocalesFollowingTheSystem) {
    struct Case {
        TempUnitOption unit;
        const char* locale;
        bool fahrenheit;
    };
    const Case cases[] = {
        {TempUnitOption::celsius, "en_US", false},   {TempUnitOption::system, "en_US", true},
        {TempUnitOption::system, "en_GB", false},    {TempUnitOption::system, "de_DE", false},
        {TempUnitOption::system, "es_US", true},     {TempUnitOption::system, "en_LR", true},
        {TempUnitOption::fahrenheit, "de_DE", true}, {TempUnitOption::fahrenheit, "en_US", true},
    };
    const auto& celsius = WeatherSnapshot::sample();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(TempUnitOptionInfo::rawValue(c.unit)) + " " + c.locale);
        time::setCurrentLocale(c.locale);
        WeatherConfigIntent intent;
        intent.unit = c.unit;
        const auto shown = intent.localized(celsius);
        time::setCurrentLocale("en_US");
        EXPECT_EQ(shown, c.fahrenheit ? celsius.inFahrenheit() : celsius);
        EXPECT_EQ(shown.temperature, c.fahrenheit ? 73 : 23);
    }
}

class WeatherPlaceQueryTest : public test::WebSourcesTest {
protected:
    WeatherPlaceQueryTest() {
        time::setCurrentZone("America/New_York");
        // The place search's own fixture.
        server.answer("/v1/search", HttpServer::Answer::text(test::readFile(
                                        std::filesystem::path(PLYX_SOURCE_DIR) / "tests/shared/sources/fixtures/search.json")));
    }
    ~WeatherPlaceQueryTest() override { time::setCurrentZone("UTC"); }
};

TEST_F(WeatherPlaceQueryTest, SearchListsTheServiceMatchesAndFailuresListNothing) {
    const auto found = WeatherPlaceQuery{}.entitiesMatching("Paris");
    std::vector<std::string> ids;
    for (const auto& e : found) ids.push_back(e.id);
    EXPECT_EQ(ids, (std::vector<std::string>{"Paris, FR|48.85341|2.3488", "Paris, US|33.66094|-95.55551",
                                             "Nowhere|-0.5|10.0", "Blank, |1.0|2.0"}));
    EXPECT_EQ(server.lastRequest().query, "name=Paris&count=8&language=en");

    for (const auto& failure : {HttpServer::Answer::text("", 500), HttpServer::Answer::garbage(),
                                HttpServer::Answer::text("{\"results\":[{\"name\":1}]}")}) {
        server.answer("/v1/search", failure);
        EXPECT_TRUE(WeatherPlaceQuery{}.entitiesMatching("Paris").empty());
    }
}

TEST_F(WeatherPlaceQueryTest, SuggestionsAndTheDefaultAreTheDefaultPlace) {
    const WeatherPlaceEntity newYork{"New York|40.7128|-74.006"};
    const WeatherPlaceQuery query;
    EXPECT_EQ(query.defaultResult(), newYork);
    EXPECT_EQ(query.suggestedEntities(), std::vector<WeatherPlaceEntity>{newYork});
    EXPECT_EQ(query.results(), std::vector<WeatherPlaceEntity>{newYork});
    EXPECT_EQ(query.entitiesFor({"a|1|2", "garbage"}), (std::vector<WeatherPlaceEntity>{{"a|1|2"}, {"garbage"}}));
    EXPECT_EQ(server.requestCount(), 0u);
}

TEST_F(WeatherPlaceQueryTest, TheDialogFindsPlacesThroughThePlaceParameter) {
    const auto* place = WeatherConfigIntent::descriptor().parameter("place");
    ASSERT_NE(place, nullptr);
    ASSERT_NE(place->query, nullptr);
    EXPECT_EQ(place->query->typeDisplayName(), "Place");
    const auto found = place->query->entitiesMatching("Paris");
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(found[0], (intents::EntityDisplay{"Paris, FR|48.85341|2.3488", "Paris, FR"}));
    EXPECT_EQ(place->query->defaultResult(), (intents::EntityDisplay{"New York|40.7128|-74.006", "New York"}));
    EXPECT_EQ(place->query->suggestedEntities(),
              (std::vector<intents::EntityDisplay>{{"New York|40.7128|-74.006", "New York"}}));
    // A stored identifier is shown as the place it encodes, London when unreadable.
    EXPECT_EQ(place->query->entitiesFor({"Bar | Grill|1.0|2.0", "x"}),
              (std::vector<intents::EntityDisplay>{{"Bar | Grill|1.0|2.0", "Bar | Grill"}, {"x", "London"}}));
}

} // namespace
} // namespace plyx
