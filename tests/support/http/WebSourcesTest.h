#pragma once
// What the web-client tests share: a loopback server the clients are pointed
// at, empty storage, and a clock the test moves by hand.
#include "platform/net/Http.h"
#include "platform/time/Time.h"
#include "tests/support/FakeClock.h"
#include "tests/support/TestSupport.h"
#include "tests/support/http/HttpServer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

namespace plyx::test {

/// A test server standing in for every web service, fresh storage, and the
/// loader's default timeout shortened so a silent server fails quickly.
class WebSourcesTest : public ::testing::Test {
protected:
    WebSourcesTest()
        : forecast_("PLYX_FORECAST_URL", server.baseUrl()), geocoding_("PLYX_GEOCODING_URL", server.baseUrl()),
          airQuality_("PLYX_AIRQUALITY_URL", server.baseUrl()), stocks_("PLYX_STOCKS_URL", server.baseUrl()) {
        // Long enough for a loopback answer on a busy machine, short enough
        // that the silent-server cases stay quick.
        net::setDefaultTimeout(std::chrono::milliseconds(1000));
    }
    ~WebSourcesTest() override { net::setDefaultTimeout(std::nullopt); }

    static std::string fixture(const char* name) { return readFile(std::filesystem::path(PLYX_FIXTURES) / name); }

    HttpServer server;
    FreshStorage storage;

private:
    ScopedEnv forecast_, geocoding_, airQuality_, stocks_;
};

} // namespace plyx::test
