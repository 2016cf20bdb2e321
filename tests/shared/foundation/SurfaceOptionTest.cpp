#include "shared/foundation/SurfaceOption.h"

#include <gtest/gtest.h>

namespace plyx {
namespace {

TEST(SurfaceOption, RawValuesTextsAndOrder) {
    using namespace SurfaceOptionInfo;
    const std::tuple<SurfaceOption, const char*, const char*> table[] = {
        {SurfaceOption::followApp, "followApp", "Follow app setting"},
        {SurfaceOption::solid, "solid", "Solid"},
        {SurfaceOption::glass, "glass", "Glass"},
        {SurfaceOption::accent, "accent", "Accent color"},
    };
    ASSERT_EQ(allCases.size(), std::size(table));
    for (std::size_t i = 0; i < allCases.size(); ++i) {
        const auto& [option, raw, text] = table[i];
        EXPECT_EQ(allCases[i], option);
        EXPECT_EQ(rawValue(option), raw);
        EXPECT_EQ(displayText(option), text);
        EXPECT_EQ(fromRawValue(raw), option);
        EXPECT_EQ(coding::encode(option), std::string("\"") + raw + "\"");
        EXPECT_EQ(coding::decode<SurfaceOption>(std::string("\"") + raw + "\""), option);
    }
    EXPECT_EQ(std::string(typeDisplayText), "Background");
    EXPECT_EQ(defaultValue, SurfaceOption::followApp);
    for (const char* bad : {"Solid", "", "follow", "accent "}) {
        EXPECT_FALSE(fromRawValue(bad).has_value()) << bad;
        EXPECT_FALSE(coding::decode<SurfaceOption>(std::string("\"") + bad + "\"").has_value()) << bad;
    }
}

} // namespace
} // namespace plyx
