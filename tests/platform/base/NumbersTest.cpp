#include "platform/base/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace plyx {
namespace {

constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
const double kNaN = std::nan("");
const double kInf = std::numeric_limits<double>::infinity();
// The largest double below 2^63 and 2^63 itself.
const double kBelow2p63 = std::nextafter(9223372036854775808.0, 0.0);

// Each conversion at the edges of the 64-bit range, where a plain cast is undefined.
TEST(Numbers, ConversionsAtTheEdges) {
    struct Case {
        double v;
        std::optional<std::int64_t> truncated, exact;
        std::int64_t saturated, rounded;
    };
    const Case cases[] = {
        {0.0, 0, 0, 0, 0},
        {2.5, 2, std::nullopt, 2, 3},
        {-2.5, -2, std::nullopt, -2, -3},
        {2.49, 2, std::nullopt, 2, 2},
        {-0.5, 0, std::nullopt, 0, -1},
        {34.0, 34, 34, 34, 34},
        {kBelow2p63, static_cast<std::int64_t>(kBelow2p63), static_cast<std::int64_t>(kBelow2p63),
         static_cast<std::int64_t>(kBelow2p63), static_cast<std::int64_t>(kBelow2p63)},
        {9223372036854775808.0, std::nullopt, std::nullopt, kMax, kMax},
        {-9223372036854775808.0, kMin, kMin, kMin, kMin},
        {-9223372036854777856.0, std::nullopt, std::nullopt, kMin, kMin}, // the next double below -2^63
        {1e300, std::nullopt, std::nullopt, kMax, kMax},
        {kInf, std::nullopt, std::nullopt, kMax, kMax},
        {-kInf, std::nullopt, std::nullopt, kMin, kMin},
        {kNaN, std::nullopt, std::nullopt, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(num::truncatedInt64(c.v), c.truncated) << c.v;
        EXPECT_EQ(num::exactInt64(c.v), c.exact) << c.v;
        EXPECT_EQ(num::saturatedInt64(c.v), c.saturated) << c.v;
        EXPECT_EQ(num::roundHalfAway(c.v), c.rounded) << c.v;
    }

    const std::pair<double, std::optional<std::uint64_t>> unsignedCases[] = {
        {0.0, 0},
        {9223372036854775808.0, 9223372036854775808ull},
        {18446744073709551616.0, std::nullopt},
        {-1.0, std::nullopt},
        {1.5, std::nullopt},
        {kNaN, std::nullopt},
    };
    for (const auto& [v, want] : unsignedCases) EXPECT_EQ(num::exactUInt64(v), want) << v;
}

} // namespace
} // namespace plyx
