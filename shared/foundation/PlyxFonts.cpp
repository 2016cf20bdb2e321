#include "shared/foundation/PlyxFonts.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QString>
#include <QStringList>

#include <atomic>
#include <iterator>
#include <mutex>

namespace plyx::PlyxFonts {
namespace {

constexpr const char* kDoto = "Doto";
constexpr const char* kFragmentMono = "Fragment Mono";

// Registration order: the Doto faces (the regular file first, then one file
// per further weight so a weight request finds a real face), then Fragment Mono.
constexpr const char* kDotoFiles[] = {"Doto.ttf",         "Doto-Light.ttf",     "Doto-Medium.ttf",
                                      "Doto-SemiBold.ttf", "Doto-Bold.ttf",      "Doto-ExtraBold.ttf",
                                      "Doto-Black.ttf"};
constexpr const char* kFragmentMonoFile = "FragmentMono-Regular.ttf";

std::once_flag gOnce;
std::atomic<int> gRuns{0};
std::atomic<bool> gDone{false};
// Written once inside the once-only registration, read only after it.
std::string gDotoFamily = kDoto;
std::string gFragmentMonoFamily = kFragmentMono;

// The font files are compiled into the program (see the folder's CMakeLists).
std::string addFont(const char* file) {
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/plyx/fonts/") + QString::fromUtf8(file));
    if (id < 0) return {};
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? std::string{} : families.first().toStdString();
}

void registerAll() {
    gRuns.fetch_add(1);
    for (std::size_t i = 0; i < std::size(kDotoFiles); ++i) {
        const std::string family = addFont(kDotoFiles[i]);
        if (i == 0 && !family.empty()) gDotoFamily = family;
    }
    const std::string mono = addFont(kFragmentMonoFile);
    if (!mono.empty()) gFragmentMonoFamily = mono;
    gDone.store(true);
}

} // namespace

bool registered() {
    if (gDone.load()) return true;
    // The font database needs a GUI application; a plain core application
    // is not one, and registering under it would crash.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    std::call_once(gOnce, registerAll);
    return true;
}

int registrationRuns() { return gRuns.load(); }

std::string dotoFamily() {
    registered();
    return gDone.load() ? gDotoFamily : std::string(kDoto);
}

std::string fragmentMonoFamily() {
    registered();
    return gDone.load() ? gFragmentMonoFamily : std::string(kFragmentMono);
}

ui::Font numerals(double size, ThemeSettings::NumeralStyle style, ui::FontWeight weight) {
    switch (style) {
    case ThemeSettings::NumeralStyle::dotMatrix:
        return ui::Font{dotoFamily(), size, weight == ui::FontWeight::bold ? ui::FontWeight::black : weight,
                        ui::FontDesign::standard};
    case ThemeSettings::NumeralStyle::mono:
        return ui::Font{fragmentMonoFamily(), size, ui::FontWeight::regular, ui::FontDesign::standard};
    case ThemeSettings::NumeralStyle::system: break;
    }
    return ui::Font{{}, size, weight, ui::FontDesign::rounded};
}

ui::Font label(double size, ThemeSettings::LabelStyle style) {
    if (style == ThemeSettings::LabelStyle::monoCaps)
        return ui::Font{fragmentMonoFamily(), size, ui::FontWeight::regular, ui::FontDesign::standard};
    return ui::Font{{}, size, ui::FontWeight::medium, ui::FontDesign::standard};
}

} // namespace plyx::PlyxFonts
