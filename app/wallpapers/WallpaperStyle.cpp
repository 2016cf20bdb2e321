#include "app/wallpapers/WallpaperStyle.h"

#include "platform/ui/Symbols.h"
#include "shared/foundation/PlyxFonts.h"
#include "shared/foundation/PlyxTokens.h"

#include <QApplication>
#include <QPainter>
#include <QSvgRenderer>

namespace plyx::WallpaperStyle {

QColor hierarchical(const QPalette& palette, double opacity) {
    QColor c = palette.color(QPalette::WindowText);
    c.setAlphaF(float(opacity));
    return c;
}

QColor secondaryBackground(const QPalette& palette) {
    // A step from the window colour towards the text: darker on a light
    // window, lighter on a dark one.
    const QColor w = palette.color(QPalette::Window);
    const QColor t = palette.color(QPalette::WindowText);
    constexpr double step = 0.045;
    return QColor::fromRgbF(float(w.redF() + (t.redF() - w.redF()) * step),
                            float(w.greenF() + (t.greenF() - w.greenF()) * step),
                            float(w.blueF() + (t.blueF() - w.blueF()) * step));
}

QColor accentRed() {
    const auto& c = PlyxTokens::nothingRed;
    return QColor::fromRgbF(float(c.r), float(c.g), float(c.b));
}

namespace {
// Design points are pixels here, as in the gallery and the sheets: a Qt point
// would be a third larger on a 96-dpi screen.
QFont systemFont(int points, QFont::Weight weight) {
    QFont f = QApplication::font();
    f.setPixelSize(points);
    f.setWeight(weight);
    return f;
}
} // namespace

QFont cardTitleFont() { return systemFont(12, QFont::DemiBold); }

QFont cardToneFont() {
    QFont f(QString::fromStdString(PlyxFonts::fragmentMonoFamily()));
    f.setPixelSize(9);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    return f;
}

QFont headlineFont() { return systemFont(13, QFont::DemiBold); }
QFont captionFont() { return systemFont(10, QFont::Normal); }

QImage tintedSymbol(const std::string& symbol, QSizeF size, double dpr, const QColor& color) {
    QImage out((size * dpr).toSize(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QSvgRenderer renderer(QString::fromStdString(ui::symbolFile(symbol)));
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(out.size())));
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(out.rect(), color);
    p.end();
    out.setDevicePixelRatio(dpr);
    return out;
}

} // namespace plyx::WallpaperStyle
