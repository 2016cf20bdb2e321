#include "shared/foundation/PlyxFonts.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QString>

#include <array>
#include <atomic>
#include <mutex>

namespace plyx::PlyxFonts {
namespace {

constexpr const char* kDoto = "Doto";
constexpr const char* kFragmentMono = "Fragment Mono";

// One file per face: the Doto weights (so a weight request finds a real face
// rather than a synthesised one), then Fragment Mono.
constexpr std::array<const char*, 8> kFiles = {
    "Doto-Light.ttf",    "Doto.ttf",     "Doto-Medium.ttf",  "Doto-SemiBold.ttf",
    "Doto-Bold.ttf",     "Doto-ExtraBold.ttf", "Doto-Black.ttf", "FragmentMono-Regular.ttf"};
constexpr std::size_t kFragmentMonoFace = 7;

std::array<std::once_flag, kFiles.size()> gOnce;
std::array<std::atomic<bool>, kFiles.size()> gLoaded{};
std::atomic<int> gRuns{0};

// The Doto face a weight request resolves to once every face is known: the
// one of nearest weight, so registering only it draws the same glyphs.
std::size_t dotoFace(ui::FontWeight w) {
    switch (w) {
    case ui::FontWeight::ultraLight:
    case ui::FontWeight::thin:
    case ui::FontWeight::light: return 0;
    case ui::FontWeight::regular: return 1;
    case ui::FontWeight::medium: return 2;
    case ui::FontWeight::semibold: return 3;
    case ui::FontWeight::bold: return 4;
    case ui::FontWeight::heavy: return 5;
    case ui::FontWeight::black: return 6;
    }
    return 1;
}

bool guiRunning() {
    // The font database needs a GUI application; a plain core application
    // is not one, and registering under it would crash.
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

// The font files are compiled into the program (see the folder's CMakeLists).
// A missing file is skipped silently: the text falls back to the system face.
void ensureFace(std::size_t i) {
    if (gLoaded[i].load(std::memory_order_acquire)) return;
    if (!guiRunning()) return;
    std::call_once(gOnce[i], [i] {
        gRuns.fetch_add(1);
        QFontDatabase::addApplicationFont(QStringLiteral(":/plyx/fonts/") + QString::fromUtf8(kFiles[i]));
        gLoaded[i].store(true, std::memory_order_release);
    });
}

// Called for every text that names a family, so the common case (face
// already there) is two compares and an atomic load.
void loadFace(const std::string& family, ui::FontWeight weight) {
    if (family == kDoto) ensureFace(dotoFace(weight));
    else if (family == kFragmentMono) ensureFace(kFragmentMonoFace);
}

void installLoader() {
    static const bool installed = (ui::setFaceLoader(&loadFace), true);
    (void)installed;
}

} // namespace

bool registered() {
    installLoader();
    if (!guiRunning()) return false;
    for (std::size_t i = 0; i < kFiles.size(); ++i) ensureFace(i);
    return true;
}

int registrationRuns() { return gRuns.load(); }

std::string dotoFamily() {
    installLoader();
    return kDoto;
}

std::string fragmentMonoFamily() {
    installLoader();
    return kFragmentMono;
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
