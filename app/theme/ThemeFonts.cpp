#include "app/theme/ThemeFonts.h"

#include "platform/ui/Element.h"
#include "shared/foundation/PlyxFonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>

namespace plyx::ThemeFonts {

namespace {
QFont::Weight qtWeight(ui::FontWeight w) {
    switch (w) {
    case ui::FontWeight::ultraLight: return QFont::ExtraLight;
    case ui::FontWeight::thin: return QFont::Thin;
    case ui::FontWeight::light: return QFont::Light;
    case ui::FontWeight::regular: return QFont::Normal;
    case ui::FontWeight::medium: return QFont::Medium;
    case ui::FontWeight::semibold: return QFont::DemiBold;
    case ui::FontWeight::bold: return QFont::Bold;
    case ui::FontWeight::heavy: return QFont::ExtraBold;
    case ui::FontWeight::black: return QFont::Black;
    }
    return QFont::Normal;
}

double logicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? std::max(1.0, screen->logicalDotsPerInchY()) : 96.0;
}
} // namespace

QFont qtFont(const ui::Font& font, double tracking) {
    PlyxFonts::registered();
    QFont f = QApplication::font();
    if (!font.family.empty()) f.setFamily(QString::fromStdString(font.family));
    else if (font.design == ui::FontDesign::monospaced) f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setWeight(qtWeight(font.weight));
    f.setPointSizeF(font.size * 72.0 / logicalDpi());
    if (tracking != 0) f.setLetterSpacing(QFont::AbsoluteSpacing, tracking);
    return f;
}

QFont system(double size, ui::FontWeight weight) { return qtFont(ui::Font::system(size, weight)); }

QString systemFaceFamily() {
    return QFontInfo(ui::detail::toQFont(ui::Font::system(12), 1, nullptr)).family();
}

QFont fragmentMono(double size, double tracking) {
    PlyxFonts::registered();
    return qtFont(ui::Font::custom(PlyxFonts::fragmentMonoFamily(), size), tracking);
}

} // namespace plyx::ThemeFonts
