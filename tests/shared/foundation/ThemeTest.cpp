#include "platform/store/Changes.h"
#include "shared/foundation/PlyxTokens.h"
#include "shared/foundation/ThemeSettings.h"
#include "shared/foundation/ThemeStore.h"
#include "shared/storage/SharedStorage.h"
#include "tests/support/TestSupport.h"

#include <QGuiApplication>
#include <QPalette>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace plyx {
namespace {

using Kind = ThemeSettings::Accent::Kind;

void store(const std::string& text) { SharedStorage::suite().setData(StorageKeys::theme, text); }

TEST(ThemeSettings, DefaultThemeEncodesToTheExactStoredBytes) {
    EXPECT_EQ(coding::encode(ThemeSettings{}).value(),
              R"({"accent":{"nothingRed":{}},"followSystemAccent":false,"numerals":"dotMatrix","labels":"monoCaps","surface":"solid"})");
    ThemeSettings t;
    t.accent = ThemeSettings::Accent::custom(" #30d158\n");
    t.followSystemAccent = true;
    t.numerals = ThemeSettings::NumeralStyle::system;
    t.labels = ThemeSettings::LabelStyle::systemSans;
    t.surface = ThemeSettings::SurfaceStyle::accent;
    const auto text = coding::encode(t).value();
    EXPECT_EQ(text,
              R"({"accent":{"custom":{"_0":" #30d158\u000a"}},"followSystemAccent":true,"numerals":"system","labels":"systemSans","surface":"accent"})");
    EXPECT_EQ(coding::decode<ThemeSettings>(text), t);
}

struct DecodeCase {
    const char* name;
    const char* json;
    std::optional<ThemeSettings::Accent> accent; // none: the whole value must be refused
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class ThemeDecode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(ThemeDecode, StrictForm) {
    const auto& c = GetParam();
    const auto t = coding::decode<ThemeSettings>(c.json);
    if (!c.accent) {
        EXPECT_FALSE(t.has_value()) << c.json;
        return;
    }
    ASSERT_TRUE(t.has_value()) << c.json;
    EXPECT_EQ(t->accent, *c.accent);
}

#define TAIL R"(,"followSystemAccent":false,"numerals":"mono","labels":"monoCaps","surface":"glass"})"
INSTANTIATE_TEST_SUITE_P(
    Cases, ThemeDecode,
    ::testing::Values(
        DecodeCase{"blue", R"({"accent":{"blue":{}})" TAIL, ThemeSettings::Accent::named(Kind::blue)},
        DecodeCase{"extraKeyInAccent", R"({"accent":{"blue":{},"shade":3})" TAIL,
                   ThemeSettings::Accent::named(Kind::blue)},
        DecodeCase{"extraTopLevelKey", R"({"accent":{"green":{"x":1}},"extra":null,"followSystemAccent":false,"numerals":"mono","labels":"monoCaps","surface":"glass"})",
                   ThemeSettings::Accent::named(Kind::green)},
        DecodeCase{"custom", R"({"accent":{"custom":{"_0":"#30D158"}})" TAIL,
                   ThemeSettings::Accent::custom("#30D158")},
        DecodeCase{"twoCases", R"({"accent":{"blue":{},"green":{}})" TAIL, std::nullopt},
        DecodeCase{"noCase", R"({"accent":{"red":{}})" TAIL, std::nullopt},
        DecodeCase{"casePayloadNotObject", R"({"accent":{"blue":true})" TAIL, std::nullopt},
        DecodeCase{"customWithoutText", R"({"accent":{"custom":{}})" TAIL, std::nullopt},
        DecodeCase{"customTextNotString", R"({"accent":{"custom":{"_0":48}})" TAIL, std::nullopt},
        DecodeCase{"accentAsString", R"({"accent":"blue")" TAIL, std::nullopt},
        DecodeCase{"unknownNumerals", R"({"accent":{"blue":{}},"followSystemAccent":false,"numerals":"dots","labels":"monoCaps","surface":"glass"})",
                   std::nullopt},
        DecodeCase{"missingLabels", R"({"accent":{"blue":{}},"followSystemAccent":false,"numerals":"mono","surface":"glass"})",
                   std::nullopt},
        DecodeCase{"boolAsNumber", R"({"accent":{"blue":{}},"followSystemAccent":0,"numerals":"mono","labels":"monoCaps","surface":"glass"})",
                   std::nullopt},
        DecodeCase{"surfaceCase", R"({"accent":{"blue":{}},"followSystemAccent":false,"numerals":"mono","labels":"monoCaps","surface":"Solid"})",
                   std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });
#undef TAIL

TEST(ThemeStore, CurrentFallsBackToTheDefaultThemeInFull) {
    test::FreshStorage fresh;
    EXPECT_EQ(ThemeStore::current(), ThemeSettings{});
    EXPECT_EQ(ThemeStore::current().accentColor(), PlyxTokens::nothingRed);

    // Lacking only "labels": the stored blue accent must not survive.
    store(R"({"accent":{"blue":{}},"followSystemAccent":false,"numerals":"mono","surface":"glass"})");
    EXPECT_EQ(ThemeStore::current(), ThemeSettings{});
    store("not json");
    EXPECT_EQ(ThemeStore::current(), ThemeSettings{});

    store(R"({"accent":{"purple":{}},"followSystemAccent":false,"numerals":"mono","labels":"systemSans","surface":"accent"})");
    const auto t = ThemeStore::current();
    EXPECT_EQ(t.accent, ThemeSettings::Accent::named(Kind::purple));
    EXPECT_EQ(t.numerals, ThemeSettings::NumeralStyle::mono);
    EXPECT_EQ(t.labels, ThemeSettings::LabelStyle::systemSans);
    EXPECT_EQ(t.surface, ThemeSettings::SurfaceStyle::accent);
}

TEST(ThemeStore, AThemeStoredElsewhereShowsOnTheNextRead) {
    test::FreshStorage fresh;
    const std::string purple =
        R"({"accent":{"purple":{}},"followSystemAccent":false,"numerals":"mono","labels":"systemSans","surface":"accent"})";
    EXPECT_EQ(ThemeStore::current(), ThemeSettings{});
    // Once the suite has been quiet for a while the theme read last is
    // served as it is; a write from another connection must still show.
    std::this_thread::sleep_for(store::kWriteSettles + std::chrono::milliseconds(50));
    EXPECT_EQ(ThemeStore::current(), ThemeSettings{});
    EXPECT_EQ(ThemeStore::current(), ThemeSettings{});
    std::thread([&] { store(purple); }).join();
    EXPECT_EQ(ThemeStore::current().accent, ThemeSettings::Accent::named(Kind::purple));
    // Another data folder is another suite.
    test::FreshStorage other;
    EXPECT_EQ(ThemeStore::current(), ThemeSettings{});
}

TEST(ThemeStore, SettingSavesAndAnnouncesEveryTime) {
    test::FreshStorage fresh;
    store(R"({"accent":{"orange":{}},"followSystemAccent":false,"numerals":"mono","labels":"monoCaps","surface":"solid"})");
    ThemeStore storeObj;
    EXPECT_EQ(storeObj.settings().accent, ThemeSettings::Accent::named(Kind::orange));

    std::vector<ThemeSettings> announced;
    QObject::connect(&storeObj, &ThemeStore::settingsChanged,
                     [&](const ThemeSettings& s) { announced.push_back(s); });
    ThemeSettings t = storeObj.settings();
    t.surface = ThemeSettings::SurfaceStyle::glass;
    storeObj.setSettings(t);
    storeObj.setSettings(t);
    ASSERT_EQ(announced.size(), 2u);
    EXPECT_EQ(announced[0], t);
    EXPECT_EQ(ThemeStore::current(), t);
    EXPECT_EQ(SharedStorage::suite().data(StorageKeys::theme).value(),
              R"({"accent":{"orange":{}},"followSystemAccent":false,"numerals":"mono","labels":"monoCaps","surface":"glass"})");
}

TEST(ThemeSettings, AccentColourByCaseAndCustomFallback) {
    const std::pair<ThemeSettings::Accent, ui::Color> cases[] = {
        {ThemeSettings::Accent::named(Kind::nothingRed), PlyxTokens::nothingRed},
        {ThemeSettings::Accent::named(Kind::blue), PlyxTokens::blue},
        {ThemeSettings::Accent::named(Kind::orange), PlyxTokens::orange},
        {ThemeSettings::Accent::named(Kind::purple), PlyxTokens::purple},
        {ThemeSettings::Accent::named(Kind::green), PlyxTokens::green},
        {ThemeSettings::Accent::custom(" #30d158\n"), ui::Color::rgb(48 / 255.0, 209 / 255.0, 88 / 255.0)},
        {ThemeSettings::Accent::custom("30D15"), PlyxTokens::nothingRed},
        {ThemeSettings::Accent::custom(""), PlyxTokens::nothingRed},
    };
    for (const auto& [accent, colour] : cases) {
        ThemeSettings t;
        t.accent = accent;
        EXPECT_EQ(t.accentColor(), colour) << accent.hex;
    }
    // Equality of custom accents is by exact text.
    EXPECT_NE(ThemeSettings::Accent::custom("#30D158"), ThemeSettings::Accent::custom("#30d158"));
}

TEST(ThemeSettings, FollowingTheSystemTakesThePaletteHighlight) {
    QPalette p = QGuiApplication::palette();
    p.setColor(QPalette::Highlight, QColor(12, 34, 200));
    QGuiApplication::setPalette(p);
    ThemeSettings t;
    t.accent = ThemeSettings::Accent::named(Kind::green);
    t.followSystemAccent = true;
    const auto c = t.accentColor();
    EXPECT_NEAR(c.r * 255, 12, 1e-4);
    EXPECT_NEAR(c.g * 255, 34, 1e-4);
    EXPECT_NEAR(c.b * 255, 200, 1e-4);
    EXPECT_EQ(t.accent.color(), PlyxTokens::green);
}

} // namespace
} // namespace plyx
