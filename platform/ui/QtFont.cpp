// Font requests as Qt fonts, sized for the device they are measured or drawn on.
#include "platform/ui/Element.h"

#include <QImage>
#include <algorithm>

namespace plyx::ui::detail {

const QPaintDevice* metricsDevice() {
    static const QImage device = [] {
        QImage img(1, 1, QImage::Format_ARGB32_Premultiplied);
        return img;
    }();
    return &device;
}

namespace {
int qtWeight(FontWeight w) {
    switch (w) {
    case FontWeight::ultraLight: return QFont::Thin;
    case FontWeight::thin: return QFont::ExtraLight;
    case FontWeight::light: return QFont::Light;
    case FontWeight::regular: return QFont::Normal;
    case FontWeight::medium: return QFont::Medium;
    case FontWeight::semibold: return QFont::DemiBold;
    case FontWeight::bold: return QFont::Bold;
    case FontWeight::heavy: return QFont::ExtraBold;
    case FontWeight::black: return QFont::Black;
    }
    return QFont::Normal;
}
} // namespace

QFont toQFont(const Font& font, double scale, const QPaintDevice* device) {
    QFont f;
    if (!font.family.empty()) {
        loadFace(font);
        f.setFamily(QString::fromStdString(font.family));
    } else if (font.design == FontDesign::monospaced) {
        f.setFamily(QStringLiteral("monospace"));
        f.setStyleHint(QFont::Monospace);
    } else {
        f.setFamily(QStringLiteral("sans-serif"));
        f.setStyleHint(QFont::SansSerif);
    }
    f.setWeight(QFont::Weight(qtWeight(font.weight)));
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(true);
    const QPaintDevice* dev = device ? device : metricsDevice();
    const int dpi = std::max(1, dev->logicalDpiY());
    f.setPointSizeF(std::max(0.01, font.size * scale * 72.0 / dpi));
    return f;
}

} // namespace plyx::ui::detail
