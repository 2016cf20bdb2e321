// Symbol images: an icon drawn in the foreground style, as big as the font asks
// or, once resizable, as big as its frame.
#include "platform/ui/CacheKey.h"
#include "platform/ui/Element.h"
#include "platform/ui/Symbols.h"

#include <QSvgRenderer>
#include <map>
#include <unordered_map>

namespace plyx::ui::detail {

namespace {

/// A symbol's side relative to the font size: the icons keep a margin inside their
/// square, so this makes the drawn glyph about as tall as the font's capitals and descenders.
constexpr double kSymbolScale = 1.2;

/// Loaded icons, kept per thread (a renderer is not safe to share between threads;
/// there are a few dozen small files).
std::shared_ptr<QSvgRenderer> rendererFor(const std::string& file) {
    thread_local std::map<std::string, std::shared_ptr<QSvgRenderer>> cache;
    auto it = cache.find(file);
    if (it != cache.end()) return it->second;
    auto r = std::make_shared<QSvgRenderer>(QString::fromStdString(file));
    if (!r->isValid()) r.reset();
    cache[file] = r;
    return r;
}

/// What decides a tinted symbol's pixels.
struct TintKey {
    std::string file;
    int width = 0, height = 0;
    std::uint32_t rgba = 0;
    std::int32_t ratio = 0;
    bool operator==(const TintKey&) const = default;
};

struct TintKeyHash {
    std::size_t operator()(const TintKey& k) const noexcept {
        std::size_t h = std::hash<std::string>{}(k.file);
        h = hashCombine(h, std::size_t(std::uint32_t(k.width)) << 32 | std::uint32_t(k.height));
        return hashCombine(h, std::size_t(k.rgba) << 32 | std::uint32_t(k.ratio));
    }
};

/// The icon at `pixels` in `color`, made once per thread and kept (a widget redraws
/// the same few symbols every second).
const QImage& tinted(QSvgRenderer& renderer, const std::string& file, QSize pixels, const Color& color, double dpr) {
    thread_local std::unordered_map<TintKey, QImage, TintKeyHash> cache;
    TintKey key{file, pixels.width(), pixels.height(), packedColor(color), ratioKey(dpr)};
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    if (cache.size() > 512) cache.clear();
    QImage img(pixels, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        renderer.render(&p, QRectF(0, 0, pixels.width(), pixels.height()));
        p.setCompositionMode(QPainter::CompositionMode_SourceIn);
        p.fillRect(QRectF(0, 0, pixels.width(), pixels.height()), toQColor(color));
    }
    img.setDevicePixelRatio(dpr);
    return cache.emplace(std::move(key), std::move(img)).first->second;
}

struct ImageNode final : Node {
    std::string name;
    bool resizable = false;
    ElementPtr build(const BuildContext& ctx) const override;
};

class ImageElement final : public Element {
public:
    ImageElement(std::string name, bool resizable, double side, ShapeStyle style)
        : name_(std::move(name)), resizable_(resizable), side_(side), style_(std::move(style)) {}

    const char* kind() const override { return "Image"; }
    bool ignoresProposal() const override { return !resizable_; }
    void dumpAttributes(std::string& out) const override {
        out += " symbol=" + name_ + " color=" + describeStyle(style_);
        if (!hasSymbol(name_)) out += " unknown";
    }
    void draw(DrawContext& dc) const override {
        const std::string file = symbolFile(name_);
        if (file.empty()) return; // an unknown symbol draws nothing
        auto renderer = rendererFor(file);
        if (!renderer) return;
        const double side = std::min(frame_.width, frame_.height);
        const QRectF box(frame_.x + (frame_.width - side) / 2, frame_.y + (frame_.height - side) / 2, side, side);
        if (dc.damage) {
            std::uint64_t key = mixText(0x1c07, file);
            for (const double v : {box.x(), box.y(), box.width(), box.height()}) key = mixDouble(key, v);
            if (!dc.paints(box.adjusted(-1, -1, 1, 1), mixStyle(key, style_))) return;
        }
        const QTransform& t = dc.painter.worldTransform();
        const auto* color = std::get_if<Color>(&style_);
        if (color && t.type() <= QTransform::TxScale && dc.painter.device()) {
            // Unrotated and in one colour: draw a tinted image made once at the device size.
            const double dpr = dc.painter.device()->devicePixelRatioF();
            const QRectF device = t.mapRect(box);
            const QSize pixels(int(std::lround(device.width() * dpr)), int(std::lround(device.height() * dpr)));
            if (pixels.isEmpty()) return;
            // Placed on whole device pixels, the image is copied rather than resampled.
            const QImage& image = tinted(*renderer, file, pixels, *color, dpr);
            dc.painter.save();
            dc.painter.setWorldTransform(QTransform());
            dc.painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
            dc.painter.setRenderHint(QPainter::Antialiasing, false);
            dc.painter.drawImage(QPointF(std::round(device.x() * dpr) / dpr, std::round(device.y() * dpr) / dpr), image);
            dc.painter.restore();
            return;
        }
        const ShapeStyle style = style_;
        drawInLayer(
            dc.painter, box.adjusted(-1, -1, 1, 1), [&](QPainter& lp) { renderer->render(&lp, box); },
            [&](QPainter& lp) {
                // Tint: keep the icon's coverage, take the colour from the style.
                lp.setCompositionMode(QPainter::CompositionMode_SourceIn);
                lp.fillRect(box.adjusted(-1, -1, 1, 1), toBrush(style, box));
            });
    }

protected:
    Size measure(ProposedSize p) override {
        if (!resizable_) return {side_, side_};
        return {p.width.value_or(side_), p.height.value_or(side_)};
    }

private:
    std::string name_;
    bool resizable_;
    double side_;
    ShapeStyle style_;
};

ElementPtr ImageNode::build(const BuildContext& ctx) const {
    const double side = std::max(0.0, finiteOr(ctx.text.font.size * kSymbolScale, 0));
    return std::make_unique<ImageElement>(name, resizable, side, ctx.foreground);
}

} // namespace
} // namespace plyx::ui::detail

namespace plyx::ui {

Image::Image(std::string systemName) : name_(std::move(systemName)) {
    auto n = std::make_shared<detail::ImageNode>();
    n->name = name_;
    node_ = n;
}

Image Image::resizable() const {
    Image copy = *this;
    auto n = std::make_shared<detail::ImageNode>();
    n->name = name_;
    n->resizable = true;
    copy.node_ = n;
    return copy;
}

} // namespace plyx::ui
