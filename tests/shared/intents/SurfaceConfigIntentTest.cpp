#include "shared/intents/SurfaceConfigIntent.h"

#include <gtest/gtest.h>

using namespace plyx;

TEST(SurfaceConfigIntent, OneBackgroundParameterListingTheFourCasesInOrder) {
    const auto& d = SurfaceConfigIntent::descriptor();
    EXPECT_EQ(d.title, "Widget Options");
    ASSERT_EQ(d.parameters.size(), 1u);
    const auto& p = d.parameters[0];
    EXPECT_EQ(p.key, "surface");
    EXPECT_EQ(p.title, "Background");
    EXPECT_EQ(p.typeTitle, "Background");
    EXPECT_EQ(p.defaultValue, "followApp");
    std::vector<std::pair<std::string, std::string>> cases;
    for (const auto& c : p.cases) cases.emplace_back(c.raw, c.title);
    EXPECT_EQ(cases, (std::vector<std::pair<std::string, std::string>>{{"followApp", "Follow app setting"},
                                                                        {"solid", "Solid"},
                                                                        {"glass", "Glass"},
                                                                        {"accent", "Accent color"}}));
}

TEST(SurfaceConfigIntent, AnUnconfiguredWidgetFollowsTheAppAndAConfiguredOneKeepsItsChoice) {
    EXPECT_EQ(SurfaceConfigIntent().surface, SurfaceOption::followApp);
    const auto& d = SurfaceConfigIntent::descriptor();
    EXPECT_EQ(SurfaceConfigIntent::from(intents::Configuration::defaults(d)).surface, SurfaceOption::followApp);
    for (auto s : SurfaceOptionInfo::allCases) {
        const std::string text = std::string(R"({"surface":")") + std::string(SurfaceOptionInfo::rawValue(s)) + "\"}";
        auto config = intents::Configuration::parse(d, text);
        ASSERT_TRUE(config) << text;
        EXPECT_EQ(SurfaceConfigIntent::from(*config).surface, s);
    }
    std::string error;
    EXPECT_FALSE(intents::Configuration::parse(d, R"({"surface":"Solid"})", &error));
    EXPECT_NE(error.find("surface"), std::string::npos);
}
