#include "platform/net/Http.h"
#include "shared/sources/WeatherProvider.h"
#include "tests/support/http/WebSourcesTest.h"

#include <gtest/gtest.h>

namespace wp = plyx::WeatherProvider;
using plyx::test::HttpServer;

namespace {
constexpr const char* kSearchPath = "/v1/search";
using PlaceSearchTest = plyx::test::WebSourcesTest;
} // namespace

TEST_F(PlaceSearchTest, NamesCarryTheCountryCodeInTheServiceOrder) {
    server.answer(kSearchPath, HttpServer::Answer::text(fixture("search.json")));
    const auto places = wp::searchPlaces("Paris");
    const std::vector<wp::Place> expected = {
        {"Paris, FR", 48.85341, 2.3488},
        {"Paris, US", 33.66094, -95.55551},
        {"Nowhere", -0.5, 10.0},
        {"Blank, ", 1.0, 2.0},
    };
    EXPECT_EQ(places, expected);
    EXPECT_EQ(server.lastRequest().path, kSearchPath);
    EXPECT_EQ(server.lastRequest().query, "name=Paris&count=8&language=en");

    // No cache: the same text asks again.
    wp::searchPlaces("Paris");
    EXPECT_EQ(server.requestCount(kSearchPath), 2u);
}

TEST_F(PlaceSearchTest, AtMostEightPlacesAndOnlyPlacesOnEarth) {
    std::string many = R"({"results":[{"name":"Nowhere","latitude":91,"longitude":0},)"
                       R"({"name":"Nowhere","latitude":0,"longitude":-180.5},)";
    for (int i = 0; i < 40; ++i)
        many += R"({"name":"P)" + std::to_string(i) + R"(","latitude":1,"longitude":2},)";
    many.back() = ']';
    many += "}";
    server.answer(kSearchPath, HttpServer::Answer::text(many));
    const auto places = wp::searchPlaces("P");
    ASSERT_EQ(places.size(), 8u);
    EXPECT_EQ(places.front().name, "P0");
    EXPECT_EQ(places.back().name, "P7");

    // Eight matches are some 3 KB; an answer of megabytes is refused.
    server.answer(kSearchPath, HttpServer::Answer::text(R"({"results":[],"x":")" + std::string(300 * 1024, 'x') + "\"}"));
    EXPECT_THROW(wp::searchPlaces("P"), plyx::net::TransportError);
}

TEST_F(PlaceSearchTest, TextIsSentUnchangedButEscaped) {
    server.answer(kSearchPath, HttpServer::Answer::text("{}"));
    const struct {
        const char* text;
        const char* query;
    } cases[] = {
        {" Saint-Denis+Réunion ", "name=%20Saint-Denis%2BR%C3%A9union%20&count=8&language=en"},
        {"a&count=1", "name=a%26count%3D1&count=8&language=en"},
        {"", "name=&count=8&language=en"},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(wp::searchPlaces(c.text).empty());
        EXPECT_EQ(server.lastRequest().query, c.query) << c.text;
    }
}

TEST_F(PlaceSearchTest, EmptyAndMissingResultsGiveNoPlacesAndBadAnswersThrow) {
    for (const char* body : {R"({"results":[]})", R"({"results":null})", R"({"generationtime_ms":1})"}) {
        server.answer(kSearchPath, HttpServer::Answer::text(body));
        EXPECT_TRUE(wp::searchPlaces("x").empty()) << body;
    }
    for (const char* body : {"", "[]", R"({"results":[{"name":"A","latitude":1}]})",
                             R"({"results":[{"name":"A","latitude":1,"longitude":2,"country_code":7}]})"}) {
        server.answer(kSearchPath, HttpServer::Answer::text(body));
        EXPECT_THROW(wp::searchPlaces("x"), plyx::coding::DecodeError) << body;
    }
    server.answer(kSearchPath, HttpServer::Answer::silent());
    EXPECT_THROW(wp::searchPlaces("x"), plyx::net::TransportError);
}
