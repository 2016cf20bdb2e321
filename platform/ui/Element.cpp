#include "platform/ui/Element.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <cstdio>

namespace plyx::ui::detail {

namespace {

bool sameProposal(const ProposedSize& a, const ProposedSize& b) {
    return a.width == b.width && a.height == b.height;
}

/// The empty view: no size, nothing drawn, skipped by stacks.
class EmptyElement final : public Element {
public:
    const char* kind() const override { return "Empty"; }
    bool isEmpty() const override { return true; }

protected:
    Size measure(ProposedSize) override { return {0, 0}; }
};

struct EmptyNode final : Node {
    ElementPtr build(const BuildContext&) const override { return std::make_unique<EmptyElement>(); }
};

} // namespace

ElementPtr buildChild(const View& view, const BuildContext& ctx) {
    if (!view.node()) return std::make_unique<EmptyElement>();
    return view.node()->build(ctx);
}

Size Element::sizeThatFits(ProposedSize proposal) {
    // A view that ignores what it is offered is measured once.
    if (cacheCount_ > 0 && ignoresProposal()) return cache_[0].size;
    for (int i = 0; i < cacheCount_; ++i)
        if (sameProposal(cache_[size_t(i)].proposal, proposal)) return cache_[size_t(i)].size;
    Size s = measure(proposal);
    // A size is never negative, whatever a child asked for.
    s.width = std::max(0.0, s.width);
    s.height = std::max(0.0, s.height);
    cache_[size_t(cacheNext_)] = {proposal, s};
    cacheNext_ = (cacheNext_ + 1) % int(cache_.size());
    cacheCount_ = std::min(cacheCount_ + 1, int(cache_.size()));
    return s;
}

void Element::place(Rect frame) {
    frame_ = frame;
    arrange(frame);
}

void Element::draw(DrawContext& dc) const { drawChildren(dc); }

void Element::drawChildren(DrawContext& dc) const {
    for (const auto& c : children_) c->draw(dc);
}

double horizontalGuide(HorizontalAlignment a, double width) {
    switch (a) {
    case HorizontalAlignment::leading: return 0;
    case HorizontalAlignment::center: return width / 2;
    case HorizontalAlignment::trailing: return width;
    }
    return 0;
}

double verticalGuide(VerticalAlignment a, Element& child, Size size) {
    switch (a) {
    case VerticalAlignment::top: return 0;
    case VerticalAlignment::center: return size.height / 2;
    case VerticalAlignment::bottom: return size.height;
    case VerticalAlignment::firstTextBaseline: return child.firstBaseline(size);
    case VerticalAlignment::lastTextBaseline: return child.lastBaseline(size);
    }
    return 0;
}

Point alignedOrigin(Rect container, Element& child, Size childSize, Alignment a) {
    const double x = container.x + horizontalGuide(a.horizontal, container.width) -
                     horizontalGuide(a.horizontal, childSize.width);
    // In a single container the baselines have nothing to line up with but the
    // container's own top; they place the child's baseline there like `top` would its edge.
    double y;
    switch (a.vertical) {
    case VerticalAlignment::firstTextBaseline:
    case VerticalAlignment::lastTextBaseline: y = container.y; break;
    default:
        y = container.y + verticalGuide(a.vertical, child, container.size()) -
            verticalGuide(a.vertical, child, childSize);
    }
    return {x, y};
}

std::string formatNumber(double v) {
    if (std::isinf(v)) return v > 0 ? "inf" : "-inf";
    if (std::isnan(v)) return "nan";
    double r = std::round(v * 100) / 100;
    if (r == 0) r = 0; // no "-0"
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", r);
    std::string s = buf;
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s;
}

std::string formatColor(const Color& c) {
    auto byte = [](double v) { return int(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X%02X", byte(c.r), byte(c.g), byte(c.b), byte(c.a));
    return buf;
}

namespace {
std::string describeStops(const Gradient& g) {
    std::string s;
    for (const auto& stop : g.stops) {
        if (!s.empty()) s += ",";
        s += formatColor(stop.color) + "@" + formatNumber(stop.location);
    }
    return s;
}
} // namespace

std::string describeStyle(const ShapeStyle& style) {
    if (auto c = std::get_if<Color>(&style)) return formatColor(*c);
    if (auto g = std::get_if<LinearGradient>(&style)) return "linear(" + describeStops(g->gradient) + ")";
    if (auto g = std::get_if<RadialGradient>(&style)) return "radial(" + describeStops(g->gradient) + ")";
    if (auto g = std::get_if<AngularGradient>(&style)) return "angular(" + describeStops(g->gradient) + ")";
    return "material(ultraThin)";
}

QColor toQColor(const Color& c) {
    return QColor::fromRgbF(float(std::clamp(c.r, 0.0, 1.0)), float(std::clamp(c.g, 0.0, 1.0)),
                            float(std::clamp(c.b, 0.0, 1.0)), float(std::clamp(c.a, 0.0, 1.0)));
}

namespace {
QPointF unitPoint(UnitPoint u, const QRectF& r) { return {r.x() + u.x * r.width(), r.y() + u.y * r.height()}; }

void setStops(QGradient& q, const Gradient& g, bool reversed, double span) {
    QGradientStops stops;
    for (const auto& s : g.stops) {
        double at = std::clamp(s.location * span, 0.0, 1.0);
        stops.append({reversed ? 1.0 - at : at, toQColor(s.color)});
    }
    std::sort(stops.begin(), stops.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    if (stops.isEmpty()) stops.append({0.0, QColor(Qt::transparent)});
    q.setStops(stops);
}
} // namespace

QBrush toBrush(const ShapeStyle& style, const QRectF& rect) {
    if (auto c = std::get_if<Color>(&style)) return QBrush(toQColor(*c));
    if (auto m = std::get_if<Material>(&style)) return QBrush(toQColor(materialColor(*m)));
    if (auto g = std::get_if<LinearGradient>(&style)) {
        QLinearGradient q(unitPoint(g->startPoint, rect), unitPoint(g->endPoint, rect));
        setStops(q, g->gradient, false, 1);
        return QBrush(q);
    }
    if (auto g = std::get_if<RadialGradient>(&style)) {
        const QPointF c = unitPoint(g->center, rect);
        const double end = std::max(g->endRadius, 1e-6);
        QRadialGradient q(c, end, c, std::clamp(g->startRadius, 0.0, end));
        setStops(q, g->gradient, false, 1);
        return QBrush(q);
    }
    const auto& g = std::get<AngularGradient>(style);
    // Qt's conical gradient runs counter-clockwise on screen; ours runs clockwise,
    // so the stops are mirrored and the start angle negated.
    QConicalGradient q(unitPoint(g.center, rect), -g.startAngle);
    const double span = (g.endAngle - g.startAngle) / 360.0;
    setStops(q, g.gradient, true, span);
    return QBrush(q);
}

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

void drawInLayer(QPainter& painter, const QRectF& bounds, const std::function<void(QPainter&)>& content,
                 const std::function<void(QPainter&)>& finish) {
    QPaintDevice* device = painter.device();
    if (!device) return;
    const double dpr = device->devicePixelRatioF();
    const QRectF logical = painter.worldTransform().mapRect(bounds);
    QRect pixels = QRectF(logical.x() * dpr, logical.y() * dpr, logical.width() * dpr, logical.height() * dpr)
                       .toAlignedRect();
    pixels = pixels.intersected(QRect(0, 0, int(device->width() * dpr) + 1, int(device->height() * dpr) + 1));
    if (pixels.isEmpty()) return;

    QImage layer(pixels.size(), QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(dpr);
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.setRenderHints(painter.renderHints());
        lp.setWorldTransform(painter.worldTransform() *
                             QTransform::fromTranslate(-pixels.x() / dpr, -pixels.y() / dpr));
        content(lp);
        if (finish) finish(lp);
    }
    painter.save();
    painter.setWorldTransform(QTransform());
    // A blit on whole device pixels: smoothing hints would only send it down a slow path.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawImage(QPointF(pixels.x() / dpr, pixels.y() / dpr), layer);
    painter.restore();
}

} // namespace plyx::ui::detail

namespace plyx::ui {

void ensureGuiApplication() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    if (QCoreApplication::instance()) return; // a non-GUI application: nothing we may do
    static int argc = 1;
    static char name[] = "plyx";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

View::View() : node_(std::make_shared<detail::EmptyNode>()) {}

View EmptyView() { return View(); }

Gradient Gradient::evenly(const std::vector<Color>& colors) {
    Gradient g;
    for (size_t i = 0; i < colors.size(); ++i)
        g.stops.push_back({colors[i], colors.size() > 1 ? double(i) / double(colors.size() - 1) : 0.0});
    return g;
}

Color materialColor(Material) {
    // A neutral grey of low opacity: what a thin frosted glass reads as over a desktop.
    return Color::grey255(128, 0.3);
}

Font Font::system(double size, FontWeight weight, FontDesign design) { return Font{"", size, weight, design}; }
Font Font::custom(std::string family, double size, FontWeight weight) {
    return Font{std::move(family), size, weight, FontDesign::standard};
}
Font Font::withWeight(FontWeight w) const {
    Font f = *this;
    f.weight = w;
    return f;
}

} // namespace plyx::ui
