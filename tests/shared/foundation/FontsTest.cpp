#include "shared/foundation/PlyxFonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QtConcurrent/QtConcurrent>

#include <gtest/gtest.h>

namespace plyx {
namespace {

using ui::FontWeight;
using NS = ThemeSettings::NumeralStyle;

TEST(PlyxFonts, RegistersOnceWhateverThreadAsksFirst) {
    std::vector<QFuture<ui::Font>> futures;
    for (int i = 0; i < 8; ++i)
        futures.push_back(QtConcurrent::run([] { return PlyxFonts::numerals(12, NS::dotMatrix, FontWeight::bold); }));
    for (auto& f : futures) f.waitForFinished();
    for (int i = 0; i < 5; ++i) PlyxFonts::numerals(20, NS::mono, FontWeight::regular);
    EXPECT_TRUE(PlyxFonts::registered());
    EXPECT_EQ(PlyxFonts::registrationRuns(), 1);

    const QStringList families = QFontDatabase::families();
    EXPECT_TRUE(families.contains(QString::fromStdString(PlyxFonts::dotoFamily())));
    EXPECT_TRUE(families.contains(QString::fromStdString(PlyxFonts::fragmentMonoFamily())));
    EXPECT_EQ(PlyxFonts::fragmentMonoFamily(), "Fragment Mono");
    EXPECT_EQ(PlyxFonts::dotoFamily(), "Doto");
}

TEST(PlyxFonts, NumeralFontsByStyle) {
    const auto boldDots = PlyxFonts::numerals(30, NS::dotMatrix, FontWeight::bold);
    EXPECT_EQ(boldDots.family, PlyxFonts::dotoFamily());
    EXPECT_EQ(boldDots.size, 30);
    EXPECT_EQ(boldDots.weight, FontWeight::black);
    EXPECT_EQ(PlyxFonts::numerals(30, NS::dotMatrix, FontWeight::medium).weight, FontWeight::medium);
    EXPECT_EQ(PlyxFonts::numerals(30, NS::dotMatrix, FontWeight::heavy).weight, FontWeight::heavy);

    const auto mono = PlyxFonts::numerals(14, NS::mono, FontWeight::bold);
    EXPECT_EQ(mono.family, "Fragment Mono");
    EXPECT_EQ(mono.weight, FontWeight::regular);

    const auto sys = PlyxFonts::numerals(11, NS::system, FontWeight::light);
    EXPECT_TRUE(sys.family.empty());
    EXPECT_EQ(sys.weight, FontWeight::light);
    EXPECT_EQ(sys.design, ui::FontDesign::rounded);

    const auto caps = PlyxFonts::label(9, ThemeSettings::LabelStyle::monoCaps);
    EXPECT_EQ(caps.family, "Fragment Mono");
    const auto sans = PlyxFonts::label(9, ThemeSettings::LabelStyle::systemSans);
    EXPECT_TRUE(sans.family.empty());
    EXPECT_EQ(sans.weight, FontWeight::medium);
}

// Each Doto weight the views ask for resolves to a real face of that weight,
// so black and medium numerals look different rather than synthesised.
TEST(PlyxFonts, DotoWeightsResolveToRealFaces) {
    ASSERT_TRUE(PlyxFonts::registered());
    const QString family = QString::fromStdString(PlyxFonts::dotoFamily());
    for (const auto w : {QFont::Light, QFont::Normal, QFont::Medium, QFont::ExtraBold, QFont::Black}) {
        QFont f(family, 20);
        f.setWeight(w);
        const QFontInfo info(f);
        EXPECT_EQ(info.family(), family);
        EXPECT_EQ(info.weight(), w) << "weight " << int(w);
    }
}

} // namespace
} // namespace plyx
