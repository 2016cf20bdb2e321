#include "shared/storage/SharedStorage.h"
#include "platform/time/Time.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <limits>

namespace plyx {
namespace {

struct Reading {
    std::string label;
    double value = 0;
};
PLYX_CODABLE(Reading, label, value)

TEST(SharedStorage, RecordsRoundTripAndAFailedEncodeKeepsThePreviousValue) {
    test::FreshStorage fresh;
    EXPECT_FALSE(SharedStorage::read<Reading>("plyx.test.v1"));
    EXPECT_TRUE(SharedStorage::write("plyx.test.v1", Reading{"cpu", 0.5}));
    EXPECT_EQ(*SharedStorage::suite().data("plyx.test.v1"), R"({"label":"cpu","value":0.5})");

    EXPECT_FALSE(SharedStorage::write("plyx.test.v1", Reading{"bad", std::numeric_limits<double>::infinity()}));
    auto kept = SharedStorage::read<Reading>("plyx.test.v1");
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->label, "cpu");

    // Undecodable data reads as absent.
    SharedStorage::suite().setData("plyx.test.v1", R"({"label":"cpu"})");
    EXPECT_FALSE(SharedStorage::read<Reading>("plyx.test.v1"));
    SharedStorage::remove("plyx.test.v1");
    EXPECT_FALSE(SharedStorage::suite().contains("plyx.test.v1"));
}

TEST(SharedStorage, PositiveSettingsFallBackWhenNotPositive) {
    test::FreshStorage fresh;
    struct Case {
        std::optional<long long> stored;
        long long expected;
    } cases[] = {{std::nullopt, 10000}, {0, 10000}, {-5, 10000}, {1, 1}, {12000, 12000}};
    for (const auto& c : cases) {
        if (c.stored) SharedStorage::setInteger(StorageKeys::stepsGoal, *c.stored);
        else SharedStorage::remove(StorageKeys::stepsGoal);
        EXPECT_EQ(SharedStorage::positiveInteger(StorageKeys::stepsGoal, 10000), c.expected);
    }
}

TEST(SharedStorage, KeyBuilders) {
    time::setCurrentZone("America/Los_Angeles");
    const Date d = time::dateFrom(2026, 12, 11, 3, 0, 0, "UTC"); // still the 10th in Los Angeles
    EXPECT_EQ(StorageKeys::counterKey("water", d), "plyx.counter.water.2026-12-10");
    time::setCurrentZone("UTC");
    EXPECT_EQ(StorageKeys::counterKey("steps", d), "plyx.counter.steps.2026-12-11");
    EXPECT_EQ(StorageKeys::stockCacheKey("AAPL"), "plyx.stock.cache.AAPL");
    EXPECT_EQ(StorageKeys::weatherCacheKey(".51.5,-0.1"), "plyx.weather.cache.v1.51.5,-0.1");
}

} // namespace
} // namespace plyx
