#include "shared/foundation/PlyxFonts.h"
#include "platform/ui/Element.h"
#include "platform/ui/Render.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QtConcurrent/QtConcurrent>

#include <gtest/gtest.h>

namespace plyx {
namespace {

using ui::FontWeight;
using NS = ThemeSettings::NumeralStyle;

// Choosing a font registers nothing; the first text drawn in a face registers
// that face alone, once, whichever of several threads draws it first, and
// registering everything later adds only the faces still missing.
TEST(PlyxFonts, RegistersEachFaceOnceWhenATextFirstAsks) {
    const auto dots = PlyxFonts::numerals(12, NS::dotMatrix, FontWeight::bold);
    const auto mono = PlyxFonts::numerals(12, NS::mono, FontWeight::bold);
    const auto draw = [](const ui::Font& f) {
        return ui::render(ui::Text("12:34").font(f), {80, 24}, 2, {}).image;
    };
    EXPECT_EQ(PlyxFonts::registrationRuns(), 0);

    std::vector<QFuture<QImage>> futures;
    for (int i = 0; i < 8; ++i) futures.push_back(QtConcurrent::run([&] { return draw(dots); }));
    for (auto& f : futures) f.waitForFinished();
    EXPECT_EQ(PlyxFonts::registrationRuns(), 1);
    for (auto& f : futures) EXPECT_EQ(f.result(), futures.front().result());
    const QFont black = ui::detail::toQFont(dots, 1, nullptr);
    EXPECT_EQ(QFontInfo(black).family(), QString::fromStdString(PlyxFonts::dotoFamily()));
    EXPECT_EQ(QFontInfo(black).weight(), QFont::Black);

    for (int i = 0; i < 5; ++i) draw(mono);
    draw(ui::Font::system(12));
    EXPECT_EQ(PlyxFonts::registrationRuns(), 2);

    // The face drawn lazily is the face a full registration resolves to.
    const QImage lazy = draw(dots);
    EXPECT_TRUE(PlyxFonts::registered());
    EXPECT_EQ(PlyxFonts::registrationRuns(), 8);
    EXPECT_TRUE(PlyxFonts::registered());
    EXPECT_EQ(PlyxFonts::registrationRuns(), 8);
    EXPECT_EQ(draw(dots), lazy);

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
