#include "platform/net/Http.h"
#include "platform/net/Url.h"
#include "tests/support/TestSupport.h"
#include "tests/support/http/HttpServer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace std::chrono_literals;
using plyx::test::HttpServer;
namespace net = plyx::net;

namespace {

// Restores the loader's default timeout after a test that shortens it.
struct ShortDefaultTimeout {
    explicit ShortDefaultTimeout(std::chrono::milliseconds t) { net::setDefaultTimeout(t); }
    ~ShortDefaultTimeout() { net::setDefaultTimeout(std::nullopt); }
};

} // namespace

TEST(HttpGet, ReturnsBodyWhateverTheStatusAndSendsHeaders) {
    HttpServer server;
    server.answer("/a", HttpServer::Answer::text(R"({"x":1})", 503));
    const auto r = net::get(server.baseUrl() + "/a?b=1", {{"User-Agent", "Mozilla/5.0"}});
    EXPECT_EQ(r.body, R"({"x":1})");
    EXPECT_EQ(r.status, 503);
    const auto req = server.lastRequest();
    EXPECT_EQ(req.method, "GET");
    EXPECT_EQ(req.path, "/a");
    EXPECT_EQ(req.query, "b=1");
    EXPECT_EQ(req.headers.at("user-agent"), "Mozilla/5.0");
    EXPECT_EQ(server.requestCount("/a"), 1u);
}

TEST(HttpGet, TransferFailuresThrow) {
    HttpServer server;
    server.answer("/garbage", HttpServer::Answer::garbage());
    server.answer("/silent", HttpServer::Answer::silent());
    server.answer("/slow", HttpServer::Answer::slow("late", 2000ms));
    EXPECT_THROW(net::get(server.baseUrl() + "/garbage"), net::TransportError);
    EXPECT_THROW(net::get(server.baseUrl() + "/silent", {}, 200ms), net::TransportError);
    EXPECT_THROW(net::get(server.baseUrl() + "/slow", {}, 200ms), net::TransportError);
    EXPECT_THROW(net::get("not a url"), net::TransportError);
    EXPECT_THROW(net::get("file:///etc/hostname"), net::TransportError);

    int closedPort = 0;
    {
        HttpServer gone;
        closedPort = gone.port();
    }
    EXPECT_THROW(net::get("http://127.0.0.1:" + std::to_string(closedPort) + "/"), net::TransportError);
}

TEST(HttpGet, DefaultTimeoutIsSixtySecondsAndAppliesWhenNoneIsGiven) {
    EXPECT_EQ(net::defaultTimeout(), 60000ms);
    HttpServer server;
    server.answer("/silent", HttpServer::Answer::silent());
    {
        ShortDefaultTimeout shortened(200ms);
        EXPECT_EQ(net::defaultTimeout(), 200ms);
        EXPECT_THROW(net::get(server.baseUrl() + "/silent"), net::TransportError);
    }
    EXPECT_EQ(net::defaultTimeout(), 60000ms);
}

TEST(HttpGet, OversizedBodyFailsTheTransfer) {
    HttpServer server;
    server.answer("/big", HttpServer::Answer::text(std::string(net::kMaxBodyBytes + 1, 'a')));
    server.answer("/fits", HttpServer::Answer::text(std::string(net::kMaxBodyBytes, 'a')));
    EXPECT_THROW(net::get(server.baseUrl() + "/big"), net::TransportError);
    EXPECT_EQ(net::get(server.baseUrl() + "/fits").body.size(), net::kMaxBodyBytes);
    // A caller's own, smaller cap.
    EXPECT_THROW(net::get(server.baseUrl() + "/big", {}, std::nullopt, 1000), net::TransportError);
    server.answer("/small", HttpServer::Answer::text(std::string(1000, 'a')));
    EXPECT_EQ(net::get(server.baseUrl() + "/small", {}, std::nullopt, 1000).body.size(), 1000u);
    server.answer("/small", HttpServer::Answer::text(std::string(1001, 'a')));
    EXPECT_THROW(net::get(server.baseUrl() + "/small", {}, std::nullopt, 1000), net::TransportError);
}

TEST(Url, QueryStringKeepsOrderAndEscapesSeparators) {
    EXPECT_EQ(net::queryString({{"current", "temperature_2m,is_day"}, {"timezone", "auto"}}),
              "current=temperature_2m,is_day&timezone=auto");
    const struct {
        const char* value;
        const char* escaped;
    } cases[] = {
        {"a+b", "a%2Bb"},          {"New York", "New%20York"}, {"a&b=c", "a%26b%3Dc"},
        {"#x", "%23x"},            {"Zürich", "Z%C3%BCrich"},  {"-._~,:@/?", "-._~,:@/?"},
        {"", ""},                  {"100%", "100%25"},
    };
    for (const auto& c : cases) EXPECT_EQ(net::escapeQueryComponent(c.value), c.escaped) << c.value;
}

TEST(Url, PathSegmentEscapesEverythingOutsideUnreserved) {
    const struct {
        const char* text;
        const char* escaped;
    } cases[] = {
        {"AAPL", "AAPL"},     {"BRK.B", "BRK.B"}, {"^GSPC", "%5EGSPC"}, {"A/B", "A%2FB"},
        {"..", "%2E%2E"},     {".", "%2E"},       {"../x", "..%2Fx"},   {"A B?c#", "A%20B%3Fc%23"},
        {"ÄX", "%C3%84X"},    {"~-_", "~-_"},
    };
    for (const auto& c : cases) EXPECT_EQ(net::escapePathSegment(c.text), c.escaped) << c.text;
}

TEST(Url, NumberTextKeepsPointZeroOnWholeValues) {
    const struct {
        double v;
        const char* text;
    } cases[] = {
        {51.5, "51.5"}, {0.0, "0.0"},     {-0.0, "-0.0"},   {180.0, "180.0"},    {-8.259, "-8.259"},
        {0.1, "0.1"},   {9.876, "9.876"}, {1e-5, "1e-05"},  {-33.8688, "-33.8688"},
    };
    for (const auto& c : cases) EXPECT_EQ(net::numberText(c.v), c.text) << c.v;
}

TEST(Url, ServiceBaseComesFromTheEnvironment) {
    {
        plyx::test::ScopedEnv unset("PLYX_FORECAST_URL", std::nullopt);
        EXPECT_EQ(net::serviceBase(net::Service::forecast), "https://api.open-meteo.com");
    }
    {
        plyx::test::ScopedEnv empty("PLYX_STOCKS_URL", "");
        EXPECT_EQ(net::serviceBase(net::Service::stockChart), "https://query1.finance.yahoo.com");
    }
    plyx::test::ScopedEnv set("PLYX_AIRQUALITY_URL", "http://127.0.0.1:9/");
    EXPECT_EQ(net::serviceBase(net::Service::airQuality), "http://127.0.0.1:9");
    EXPECT_STREQ(net::serviceEnvironmentVariable(net::Service::geocoding), "PLYX_GEOCODING_URL");
}
