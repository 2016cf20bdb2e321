// The theme and the fonts in a process whose application is a plain
// QCoreApplication. The desktop palette and the font database belong to a
// GUI application; asking for them through a core one used to crash.
#include "shared/foundation/PlyxFonts.h"
#include "shared/foundation/PlyxTokens.h"
#include "shared/foundation/ThemeSettings.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cmath>

namespace plyx {
namespace {

class CoreApplicationOnly : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "plyx_test";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
    }
};

TEST_F(CoreApplicationOnly, SystemAccentFallsBackWithoutTheDesktopPalette) {
    ASSERT_NE(QCoreApplication::instance(), nullptr);
    ASSERT_EQ(qobject_cast<QGuiApplication*>(QCoreApplication::instance()), nullptr);
    ThemeSettings t;
    t.followSystemAccent = true;
    const ui::Color c = t.accentColor();
    for (double v : {c.r, c.g, c.b, c.a}) {
        EXPECT_TRUE(std::isfinite(v));
        EXPECT_GE(v, 0);
        EXPECT_LE(v, 1);
    }
    t.followSystemAccent = false;
    EXPECT_EQ(t.accentColor(), PlyxTokens::nothingRed);
}

TEST_F(CoreApplicationOnly, FontsWaitForAGuiApplication) {
    EXPECT_FALSE(PlyxFonts::registered());
    EXPECT_EQ(PlyxFonts::registrationRuns(), 0);
    // The fonts are still named, so a view built now asks for the right faces.
    const auto dots = PlyxFonts::numerals(20, ThemeSettings::NumeralStyle::dotMatrix, ui::FontWeight::bold);
    EXPECT_EQ(dots.family, "Doto");
    EXPECT_EQ(dots.weight, ui::FontWeight::black);
    EXPECT_EQ(PlyxFonts::numerals(20, ThemeSettings::NumeralStyle::mono, ui::FontWeight::bold).family, "Fragment Mono");
    EXPECT_EQ(PlyxFonts::registrationRuns(), 0);
}

} // namespace
} // namespace plyx
